#!/usr/bin/env bash
# Keeps one persistent wineserver for the prefix, started with quiet stdio so that test
# runners do not wait for pipes it inherited (that costs seconds per test). The server is
# restarted when DISPLAY changes, because Wine's desktop stays bound to its first display.
#   wine-server.sh start | stop | running
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
stamp="$WINEPREFIX/.server-display"

start_server() {
  # Exit status 0: this call started the server; 2: one is already running.
  local rc=0
  wineserver -p </dev/null >/dev/null 2>&1 8>&- || rc=$?
  return $rc
}

# Keeps the virtual desktop open: otherwise every program that shows a window starts a
# desktop process of its own, which holds the caller's pipes for a second after the program
# ends. Wine's first process opens such a passing desktop too; ours can only take over once
# that one has closed.
keep_desktop_open() {
  local uid attempt i
  uid=$(id -u)
  for attempt in 1 2 3; do
    for i in $(seq 1 100); do
      pgrep -u "$uid" -f 'explorer.exe /desktop$' >/dev/null || break
      sleep 0.1
    done
    (wine explorer /desktop=Default,1280x1024 </dev/null >/dev/null 2>&1 8>&- &)
    for i in $(seq 1 30); do
      sleep 0.1
      pgrep -u "$uid" -f 'explorer.exe /desktop=Default' >/dev/null && return 0
    done
  done
  echo "wine: the desktop did not stay open; tests will be slower" >&2
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
      # Start Wine's services now, with quiet stdio, rather than under the first test.
      wine cmd /c exit </dev/null >/dev/null 2>&1 8>&-
      [ -n "${DISPLAY:-}" ] && keep_desktop_open
      printf '%s' "${DISPLAY:-}" >"$stamp"
    elif [ $rc -ne 2 ]; then
      echo "wine: the server did not start (status $rc)" >&2
      exit 1
    fi
    ;;
  running)
    # Exit status 0 only when a server for the prefix is up: wineserver -p refuses to start a
    # second one with status 2. One started by the probe is ended again at once.
    [ -d "$WINEPREFIX" ] || exit 1
    rc=0
    wineserver -p0 </dev/null >/dev/null 2>&1 || rc=$?
    [ $rc -eq 2 ] && exit 0
    [ $rc -eq 0 ] && { wineserver -k 2>/dev/null || true; }
    exit 1
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    rm -f "$stamp"
    ;;
esac
