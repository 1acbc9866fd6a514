#!/usr/bin/env bash
# Runs a long robustness campaign: every document reader and image decoder opens COUNT
# deterministically damaged copies of its seeds (a million each by default) in the checked
# build of the runner, under Wine. Failing inputs are kept in the work folder; the summary
# (inputs per reader, loads, refusals, failures, time) goes to the summary file.
#   scripts/robustness-campaign.sh [runner options...]
# Environment: COUNT (inputs per reader), START (first input number, to go on from an
# earlier campaign), JOBS (children at a time), READERS (comma-separated names; all when
# empty), WORK (folder), SUMMARY (file).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
count=${COUNT:-1000000}
start=${START:-0}
jobs=${JOBS:-4}
work=${WORK:-$build/robustness-campaign}
summary=${SUMMARY:-$work/summary.txt}
runner=$build/tests/robustness/robustness_runner.exe

if [ ! -x "$runner" ]; then
  cmake --build "$build" -j4 --target robustness_runner
fi
mkdir -p "$work"
options=(--count="$count" --start="$start" --jobs="$jobs" --batch=5000 --work="$work" --summary="$summary")
[ -n "${READERS:-}" ] && options+=(--readers="$READERS")

began=$(date +%s)
status=0
# The libraries' own warnings about damaged files go to the log, not the terminal.
"$root/scripts/with-wine.sh" wine "$runner" "${options[@]}" "$@" 2>"$work/decoder-warnings.log" || status=$?
echo "campaign: $(( $(date +%s) - began )) s in all; summary in $summary" | tee -a "$summary"
exit $status
