#!/usr/bin/env bash
# Keeps one persistent wineserver for the prefix, started with quiet stdio so that test
# runners do not wait for pipes it inherited (that costs seconds per test). The server is
# restarted when DISPLAY changes, because Wine's desktop stays bound to its first display.
#   wine-server.sh start | stop
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
stamp="$WINEPREFIX/.server-display"

start_server() {
  # Exit status 0: this call started the server; 2: one is already running.
  local rc=0
  wineserver -p </dev/null >/dev/null 2>&1 8>&- || rc=$?
  return $rc
}

case "${1:-start}" in
  start)
    exec 8>"$WINEPREFIX.server-lock"
    flock 8
    rc=0; start_server || rc=$?
    if [ $rc -eq 2 ] && [ "$(cat "$stamp" 2>/dev/null)" != "${DISPLAY:-}" ]; then
      wineserver -k 8>&- || true
      wineserver -w 8>&- || true
      rc=0; start_server || rc=$?
    fi
    if [ $rc -eq 0 ]; then
      # Start Wine's own services now, with quiet stdio, rather than under the first test.
      wine cmd /c exit </dev/null >/dev/null 2>&1 8>&-
      printf '%s' "${DISPLAY:-}" >"$stamp"
    elif [ $rc -ne 2 ]; then
      echo "wine: the server did not start (status $rc)" >&2
      exit 1
    fi
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    rm -f "$stamp"
    ;;
esac
