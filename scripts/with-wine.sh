#!/usr/bin/env bash
# Runs a command with Wine ready: a display (the one in DISPLAY when it answers, else a
# private Xvfb), a PulseAudio null sink for DirectSound, and a Wine prefix kept in the build
# folder. Stops what it started when the command ends and passes on its exit code.
#   scripts/with-wine.sh <command> [args...]
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
mkdir -p "$build"

export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: the program needs neither, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

started=()
cleanup() {
  if [ -n "${wineserver_started:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  local pid
  for pid in "${started[@]}"; do kill "$pid" >/dev/null 2>&1 || true; done
  [ -n "${runtime_dir:-}" ] && rm -rf "$runtime_dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

display_answers() {
  [ -n "${DISPLAY:-}" ] || return 1
  if command -v xdpyinfo >/dev/null 2>&1; then xdpyinfo >/dev/null 2>&1; return; fi
  # Without xdpyinfo, trust a local display whose socket exists.
  local n=${DISPLAY#*:}; n=${n%%.*}
  [ -S "/tmp/.X11-unix/X$n" ]
}

if ! display_answers; then
  fd_file=$(mktemp)
  Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$fd_file" 2>/dev/null &
  started+=($!)
  for _ in $(seq 1 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  [ -s "$fd_file" ] || { echo "with-wine: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$(head -n 1 "$fd_file")
  rm -f "$fd_file"
fi

# A private PulseAudio with a null sink, so DirectSound output and capture open.
runtime_dir=$(mktemp -d)
chmod 700 "$runtime_dir"
export XDG_RUNTIME_DIR=$runtime_dir
export PULSE_RUNTIME_PATH=$runtime_dir/pulse
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
  --load="module-null-sink sink_name=nullsink" --load="module-native-protocol-unix" \
  >/dev/null 2>&1 &
started+=($!)
for _ in $(seq 1 100); do
  [ -S "$PULSE_RUNTIME_PATH/native" ] && break
  sleep 0.1
done

if [ ! -f "$WINEPREFIX/.initialised" ]; then
  echo "with-wine: creating the Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.initialised"
fi

# Keep one wineserver for the whole run: each test program then starts quickly.
wineserver -p >/dev/null 2>&1 && wineserver_started=1
# Start Wine's own services now, detached from our output: started later by a test, they
# would inherit its output pipe and keep ctest waiting for them.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

"$@"
