#!/usr/bin/env bash
# Sets up the machine, builds the player and plays a story in a window on the display:
#   scripts/play.sh                 the default story, "data.TPD" beside the program
#   scripts/play.sh PATH [/W ...]   the story at PATH, with the player's switches
# The player plays the story at once and quits when it ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

story=
if [ $# -gt 0 ]; then
  [ -f "$1" ] || { echo "play.sh: no story at $1" >&2; exit 1; }
  story=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  shift
fi

"$root/scripts/setup.sh"
"$root/scripts/build.sh"
cd "$build/bin"
if [ -z "$story" ]; then
  [ -f data.TPD ] || echo "play.sh: no default story in $build/bin; the player starts empty" >&2
  exec "$root/scripts/with-wine.sh" wine ./narrabo.exe "$@"
fi
# The player takes a Windows path, which only Wine can give, in its own prefix.
exec "$root/scripts/with-wine.sh" bash -c 'wine ./narrabo.exe "$(winepath -w "$0")" "$@"' "$story" "$@"
