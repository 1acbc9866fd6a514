#!/usr/bin/env bash
# Checks scripts/run-test-program.sh against the probe program (tests/harness): a whole
# run passes; a crash fails within seconds (Wine's debugger must not hold it); a program
# that ends itself with exit code 0, one ended from outside and one that runs fewer tests
# than it holds each fail.
#   scripts/check-test-runner.sh <command that starts the probe program>
set -uo pipefail

runner="$(cd "$(dirname "$0")" && pwd)/run-test-program.sh"
probe=("$@")
probe_exe=$(basename "${probe[-1]}")
out=$(mktemp)
trap 'rm -f "$out"' EXIT
problems=0

# Runs the probe through the runner in the given mode; the runner's exit code, within a
# bound that only a hung run reaches.
run_probe() {
  K_HARNESS_PROBE=$1 timeout 120 "$runner" "${probe[@]}" >"$out" 2>&1
}

# The runner's verdict against the one wanted ("pass" or "fail").
expect() {
  local what=$1 wanted=$2 status=$3
  if { [ "$wanted" = pass ] && [ "$status" -ne 0 ]; } || { [ "$wanted" = fail ] && [ "$status" -eq 0 ]; }; then
    echo "check-test-runner: $what: the runner should $wanted but ended with $status"
    sed 's/^/    /' "$out"
    problems=$((problems + 1))
  else
    echo "check-test-runner: $what: ${wanted}ed as it should ($(tail -n 1 "$out"))"
  fi
}

run_probe ""
expect "a whole run" pass $?

started=$SECONDS
run_probe crash
status=$?
expect "a crash" fail $status
if [ $((SECONDS - started)) -gt 60 ]; then
  echo "check-test-runner: a crash took $((SECONDS - started)) s to fail: a debugger held it"
  problems=$((problems + 1))
fi

run_probe terminate
expect "a program ending itself with exit code 0" fail $?

run_probe fewer
expect "a program running fewer tests than it holds" fail $?

# Ended from outside once its second test runs, as a task manager would end it.
run_probe wait &
runner_pid=$!
for _ in $(seq 1 600); do
  grep -q 'RUN .*HarnessProbe.EndsAsAsked' "$out" && break
  sleep 0.1
done
"${probe[@]:0:${#probe[@]}-1}" taskkill /f /im "$probe_exe" >/dev/null 2>&1
wait "$runner_pid"
expect "a program ended from outside" fail $?

exit $((problems > 0))
