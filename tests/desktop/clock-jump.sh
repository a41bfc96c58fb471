#!/usr/bin/env bash
# The machine asleep for an hour while the idler idles: runs the test
# IdlePeriodAsleepSlow.* with every clock of Wine under libfaketime, whose
# clock file the test moves from "+0" to "+3600". The clocks that Wine's
# QueryPerformanceCounter and its timers read (CLOCK_MONOTONIC_RAW,
# CLOCK_MONOTONIC) move with it unless FAKETIME_DONT_FAKE_MONOTONIC is set,
# so it is unset here. The prefix's Wine server is started afresh under the
# same variables, and again without them afterwards for the other tests.
# 64-bit only: libfaketime:i386 hangs Wine's 32-bit loader in its constructor;
# that loader, which hands 64-bit programs on, says it ignores the library.
#   clock-jump.sh <desktop_tests.exe>
set -u
exe=$1
lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[ -f "$lib" ] || { echo "FAILED: no $lib (Debian's faketime; scripts/setup-deps.sh installs it)"; exit 1; }
clock_file=$(mktemp)
log=$(mktemp)
echo +0 >"$clock_file"

wineserver -k >/dev/null 2>&1
wineserver -w
restore() {
  wineserver -k >/dev/null 2>&1
  wineserver -w
  wineserver -p >/dev/null 2>&1
  rm -f "$clock_file" "$log"
}
trap restore EXIT

unset FAKETIME_DONT_FAKE_MONOTONIC
export LD_PRELOAD=$lib FAKETIME_TIMESTAMP_FILE=$clock_file FAKETIME_CACHE_DURATION=1 TALLOW_CLOCK_FILE=$clock_file
wineserver -p
# Wine's background processes would hold CTest's pipe: the output goes
# through a file, as in scripts/wine-run.
wine "$exe" --gtest_filter='IdlePeriodAsleepSlow.*' </dev/null >"$log" 2>&1
status=$?
cat "$log"
# The test skips without the clock file: here that is a failure.
grep -q '^\[  SKIPPED \]' "$log" && status=1
exit "$status"
