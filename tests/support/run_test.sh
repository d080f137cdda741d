#!/usr/bin/env bash
# Runs one test program under Wine for ctest.
# The program writes to a file, not to ctest's pipe, so a process it leaves behind (Wine's
# desktop, a program it started) cannot keep ctest waiting. The test passes only when the
# program exits with 0 and has printed its own pass line: a crash after the pass line fails,
# and so does an exit with 0 before any result was written.
set -u
for arg in "$@"; do
  if [ "$arg" = "--gtest_list_tests" ]; then
    exec wine "$@"
  fi
done

name=test
for arg in "$@"; do
  case "$arg" in --gtest_filter=*) name=${arg#--gtest_filter=} ;; esac
done
logs="${WEVO_TEST_LOGS:-${TMPDIR:-/tmp}/wevo-test-logs}"
mkdir -p "$logs"
log="$logs/${name//[^A-Za-z0-9_.-]/_}.$$.log"
echo "run_test: output in $log"

wine "$@" >"$log" 2>&1 </dev/null
rc=$?
cat "$log"
if [ "$rc" -ne 0 ]; then
  echo "run_test: the test program exited with $rc"
  exit 1
fi
if ! grep -qE '^\[  PASSED  \] 1 test\.|^\[  SKIPPED \] 1 test' "$log"; then
  echo "run_test: the test program exited with 0 but printed no pass line"
  exit 1
fi
rm -f "$log"
