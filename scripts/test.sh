#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/setup.sh"
"$root/scripts/build.sh"
cd "$build"
# The robustness runner's counts go into every log, passed or not; an earlier run's
# summary must not stand in for this one's.
summary=$build/robustness-ci/summary.txt
rm -f "$summary"
status=0
"$root/scripts/with-wine.sh" ctest --output-on-failure "$@" || status=$?
if [ -f "$summary" ]; then
  echo "robustness runner, inputs per reader:"
  cat "$summary"
fi
exit $status
