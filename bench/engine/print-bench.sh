#!/usr/bin/env bash
# Prints 1,000 labels to the private test printer and reports how long until EndDoc and until
# the job is on disk, and its size. Run after building the MinGW tree:
#   bench/engine/print-bench.sh [another benchmark that prints and reports "enddoc-at"]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/tools/print-server.sh" start
eval "$("$root/tools/print-server.sh" env)"
"$root/tools/print-output.sh" clear >/dev/null 2>&1 || true
exe=${1:-$root/build/mingw/bench/engine/engine_print_bench.exe}
report=$("$root/tools/wine-run" "$exe" | tr -d '\r')
grep -v '^enddoc-at ' <<<"$report"
enddoc=$(awk '/^enddoc-at / { print $2 }' <<<"$report")
job=$("$root/tools/print-output.sh" wait 60)
# The spooler hands the file over complete: its modification time is when it was written.
written=$(stat -c %.Y "$job")
sheets=$("$root/tools/print-output.sh" pages "$job" | head -n 1)
awk -v s="$enddoc" -v e="$written" -v b="$(stat -c %s "$job")" -v p="$sheets" \
  'BEGIN { printf "job on disk %.2f s after EndDoc, %d bytes, %s\n", e - s, b, p }'
