#!/usr/bin/env bash
# Runs a command with Wine ready: a display (the one in DISPLAY when it answers, else a
# private Xvfb), a PulseAudio null sink for DirectSound, and a Wine prefix kept in the build
# folder. Stops what it started when the command ends and passes on its exit code.
#   scripts/with-wine.sh <command> [args...]
#
# Runs at the same time keep apart by each having its own build folder (BUILD_DIR), and so
# its own Wine prefix (WINEPREFIX, by default in the build folder), wineserver, display and
# sound sink. A run that finds a wineserver already serving its prefix uses it and leaves
# it running; a run stops only the wineserver it started itself, found by its process ID.
# Two runs that overlap must not share a prefix: when the one that started the server ends,
# the other's programs end with it.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
mkdir -p "$build"

export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: the program needs neither, and their installers would ask. No debugger
# either: a program that crashes ends at once with its exception's code, where Wine's
# debugger would keep it waiting until a time-out.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

started=()
wineserver_pid=
cleanup() {
  # Still alive, the server this run started is the one serving the prefix: a prefix has
  # one server at a time.
  if [ -n "$wineserver_pid" ] && kill -0 "$wineserver_pid" 2>/dev/null; then
    wineserver -k >/dev/null 2>&1 || true
    for _ in $(seq 1 100); do
      kill -0 "$wineserver_pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
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
  private_display=1
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

# Keep one wineserver for the whole run: each test program then starts quickly. Started in
# the foreground, in the background of this script, it gives its process ID; it ends at
# once when another server already serves the prefix.
wineserver -f -p </dev/null >/dev/null 2>&1 &
candidate=$!
for _ in $(seq 1 100); do
  kill -0 "$candidate" 2>/dev/null || break
  # Ready once its socket stands in its own folder.
  server_dir=$(readlink "/proc/$candidate/cwd" 2>/dev/null) || true
  [ -n "$server_dir" ] && [ -S "$server_dir/socket" ] && break
  sleep 0.1
done
kill -0 "$candidate" 2>/dev/null && wineserver_pid=$candidate
# Start Wine's own services now, detached from our output: started later by a test, they
# would inherit its output pipe and keep ctest waiting for them.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

# On a private virtual display no window manager runs, and every window that Wine leaves to
# one waits for it in vain when it is shown or closed: there Wine places its windows itself.
# On a user's display the window manager keeps them. The prefix remembers which it is set for.
managed=Y
[ -n "${private_display:-}" ] && managed=N
if [ "$(cat "$WINEPREFIX/.managed" 2>/dev/null)" != "$managed" ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f </dev/null >/dev/null 2>&1 \
    && echo "$managed" >"$WINEPREFIX/.managed"
fi

"$@"
