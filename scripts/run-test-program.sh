#!/usr/bin/env bash
# Runs one GoogleTest program for ctest and passes only when the program ran all of its
# tests to the end: it exits with 0 and its output holds GoogleTest's closing summary for
# as many tests as the program lists, every one passed or skipped. A program that died,
# was killed or stopped early fails, also when it exited with 0 (under Wine a program
# ended from outside does, its log cut short).
#   scripts/run-test-program.sh <command that starts the program> [arguments...]
set -uo pipefail

fail() {
  echo "run-test-program: $*" >&2
  exit 1
}

[ $# -gt 0 ] || fail "no program given"
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# The tests the program holds, as GoogleTest lists them: "Suite." lines, each followed by
# its tests indented by two spaces. Disabled ones do not run.
listing=$("$@" --gtest_list_tests) || fail "the program could not list its tests"
expected=$(awk '
  /^[^ ]/ { suite_disabled = ($0 ~ /^DISABLED_/) }
  /^  [^ ]/ { if (!suite_disabled && $1 !~ /^DISABLED_/) count++ }
  END { print count + 0 }' <<<"$listing")

"$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}

# "[==========] 12 tests from 3 test suites ran. (40 ms total)"
ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' "$log" | tail -n 1)
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log" | tail -n 1)
skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\{0,1\}, listed below:.*/\1/p' "$log" | tail -n 1)

[ "$status" -eq 0 ] || fail "the program ended with exit code $status"
[ -n "$ran" ] || fail "the program ended without GoogleTest's summary: it died or was stopped"
[ "$ran" -eq "$expected" ] || fail "$ran of the $expected tests the program lists ran"
[ "$((${passed:-0} + ${skipped:-0}))" -eq "$ran" ] || fail "not every test that ran passed"
grep -q '^\[  FAILED  \]' "$log" && fail "a test failed"
exit 0
