#!/usr/bin/env bash
# The test printer of a checkout that only its owner may enter (a folder made by mktemp -d,
# or a home folder such as /root): a second private server, set up under a 0700 folder,
# prints a real job that lands where the sheet puts it.
#   private-folder-print-test.sh <PrintScenario.exe>
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
parent=$(mktemp -d)
chmod 0700 "$parent"
export PRINT_SERVER_DIR="$parent/print"
cleanup() {
  "$root/tools/print-server.sh" stop || true
  rm -rf "$parent"
}
trap cleanup EXIT
"$root/tools/print-server.sh" start
bash "$root/tests/engine/print-test.sh" "$1" inch
