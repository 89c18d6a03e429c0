#!/usr/bin/env bash
# Reads a CTest log (Testing/Temporary/LastTest.log) and prints one line per test:
#   <passed|failed|skipped> <seconds> <output lines> <name>
# ./test uses it to tell a test that Wine never started (failed at once, without a word)
# from one that ran and failed.
#   ctest-results.sh <LastTest.log>
set -euo pipefail
awk '
  /^[0-9]+\/[0-9]+ Test: / { name = $0; sub(/^[0-9]+\/[0-9]+ Test: /, "", name); next }
  /^Output:$/ { inOutput = 1; lines = 0; getline; next }  # the rule under "Output:"
  /^<end of output>$/ { inOutput = 0; next }
  inOutput { if ($0 != "") ++lines; next }
  /^Test time = / { seconds = $4; next }
  /^Test Passed\.$/ { print "passed", seconds, lines, name; next }
  /^Test Failed\.$/ || /^Test Failed/ { print "failed", seconds, lines, name; next }
  /^Skip regular expression found/ { print "skipped", seconds, lines, name; next }
' "$1"
