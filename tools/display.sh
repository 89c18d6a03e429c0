# Sourced by ./test and ./run: makes sure DISPLAY names a working X display, starting a
# private Xvfb when there is none. The caller ends it with stop_private_display.
private_xvfb_pid=""

ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  private_xvfb_pid=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  if ! [ -s "$fdfile" ]; then
    echo "display: Xvfb did not start" >&2
    rm -f "$fdfile"
    return 1
  fi
  export DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
  rm -f "$fdfile"
}

stop_private_display() {
  if [ -n "$private_xvfb_pid" ]; then
    kill "$private_xvfb_pid" 2>/dev/null || true
    wait "$private_xvfb_pid" 2>/dev/null || true
    private_xvfb_pid=""
  fi
}
