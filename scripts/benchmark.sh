#!/usr/bin/env bash
# Builds the benchmark program and runs it once under Wine: every figure against its
# reference, in interleaved rounds, printed as one table. Arguments go to the program:
#   scripts/benchmark.sh [--rounds N] [--loop-seconds S] [--only story|pictures|decoders|loop]
# Timings mean something only on a machine that is otherwise quiet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

if [ ! -f "$build/CMakeCache.txt" ]; then
  "$root/scripts/setup.sh"
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
fi
cmake --build "$build" -j"${BENCHMARK_JOBS:-4}" --target benchmarks >/dev/null
cd "$build"
"$root/scripts/with-wine.sh" wine ./benchmarks.exe "$@"
