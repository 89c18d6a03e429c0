#!/usr/bin/env bash
# Runs Marrowby's printing scenario of the end-to-end tests under Wine with the private test
# printer. A collector beside it hands each job over as soon as the spooler has written it:
# <jobs>/job-<n>.ps, its text runs in points (job-<n>.txt, tools/print-output.sh text) and
# its sheets (job-<n>.pages), then job-<n>.done, which the test waits for.
#   marrowby-print-test.sh <e2e_tests.exe> <jobs folder> [test filter]
# (Tessary's printing scenario runs the same way with its own filter.)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=$1 jobs=$2 filter=${3:-MarrowbyPrinting.*}
eval "$("$root/tools/print-server.sh" env)"
"$root/tools/print-server.sh" status >/dev/null || { echo "the test printer is not running"; exit 1; }
"$root/tools/print-output.sh" clear >/dev/null 2>&1 || true
rm -rf "$jobs"
mkdir -p "$jobs"

collect() {
  local n=1 job
  until [ -e "$jobs/stop" ]; do
    job=$("$root/tools/print-output.sh" wait 2 2>/dev/null) || continue
    "$root/tools/print-output.sh" text "$job" >"$jobs/job-$n.txt"
    "$root/tools/print-output.sh" pages "$job" >"$jobs/job-$n.pages"
    mv "$job" "$jobs/job-$n.ps"
    : >"$jobs/job-$n.done"
    n=$((n + 1))
  done
}
collect &
collector=$!
# The collector notices the stop file within one wait.
trap ': >"$jobs/stop"; wait "$collector" || true' EXIT

E2E_PRINT_JOBS="$jobs" "$root/tools/wine-run" "$exe" --gtest_filter="$filter"
