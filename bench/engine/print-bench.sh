#!/usr/bin/env bash
# Prints 1,000 labels to the private test printer and reports how long until EndDoc and until
# the job is on disk, and its size. Run after building the MinGW tree:
#   bench/engine/print-bench.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/tools/print-server.sh" start
eval "$("$root/tools/print-server.sh" env)"
"$root/tools/print-output.sh" clear >/dev/null 2>&1 || true
start=$(date +%s.%N)
"$root/tools/wine-run" "$root/build/mingw/bench/engine/engine_print_bench.exe"
job=$("$root/tools/print-output.sh" wait 60)
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v b="$(stat -c %s "$job")" \
  'BEGIN { printf "job on disk after %.2f s, %d bytes (Wine start-up included)\n", e - s, b }'
