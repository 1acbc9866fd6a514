#!/usr/bin/env bash
# Sets up the machine, builds the player and plays the default story.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/setup.sh"
"$root/scripts/build.sh"
cd "$build/bin"
"$root/scripts/with-wine.sh" wine ./narrabo.exe "$@"
