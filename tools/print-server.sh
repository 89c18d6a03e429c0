#!/usr/bin/env bash
# A private test printer: a cupsd of our own under build/print/ (config, spool, logs and a
# local socket there) with one PostScript queue, "TestPS", made the default. Every job lands
# as PostScript in build/print/out/job.ps, overwriting the one before: print one job at a
# time and collect it with tools/print-output.sh. The machine's own printing is untouched.
#   print-server.sh start | stop | status | env
#   start   idempotent; stop ends our cupsd by its PID; status: "running (...)" or
#   "not running" (status 3); env: "export CUPS_SERVER=..." (eval it)
# Wine re-reads its printers from CUPS each time a Wine process loads winspool, so it is the
# environment of each Wine process that counts, not when the wineserver started: a process
# with CUPS_SERVER set sees TestPS as the default printer even under a wineserver started
# before cupsd, and one without it removes the printer from the prefix's registry again.
# Hence cupsd up and CUPS_SERVER exported before any Wine process starts.
# Sizes that reach the media: Letter, Legal, Executive, Tabloid, A3, A4 (default), A5, B5,
# Env10, EnvDL, EnvC5; 300 dpi, 12-point (50-pixel) margins. Logs: build/print/log/
# (PRINT_SERVER_LOGLEVEL=debug at start for more). Tried as root, which is how CI runs it.
# PRINT_SERVER_DIR puts the server somewhere other than build/print (a test does).
#
# Started by root, cupsd runs its filter as the unprivileged user lp, who must reach the
# filter and the spooled job. A checkout may lie under a folder only its owner can enter
# (mktemp -d, /root), so those two live in a folder of their own under /tmp that anyone may
# enter, linked from build/print/reach and removed by stop.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${PRINT_SERVER_DIR:-$root/build/print}
sock="$dir/cups.sock"
pidfile="$dir/cupsd.pid"
reach="$dir/reach"
queue=TestPS
export CUPS_SERVER="$sock"

running() {
  local pid
  pid=$(cat "$pidfile" 2>/dev/null) || return 1
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null &&
    grep -qaF "$dir/conf/cupsd.conf" "/proc/$pid/cmdline" 2>/dev/null
}

# The folder lp can reach: made once per start, world-enterable but writable by us alone.
make_reachable_folder() {
  remove_reachable_folder
  local folder
  folder=$(mktemp -d "${TMPDIR:-/tmp}/print-server.XXXXXX")
  chmod 0755 "$folder"
  ln -sfn "$folder" "$reach"
}

remove_reachable_folder() {
  local folder
  folder=$(readlink "$reach" 2>/dev/null) || return 0
  case "$folder" in */print-server.*) rm -rf "$folder" ;; esac
  rm -f "$reach"
}

write_config() {
  mkdir -p "$dir"/{cache,state,log,out,ssl,conf/ppd}
  make_reachable_folder
  local spool bin
  spool=$(readlink "$reach")/spool
  bin=$(readlink "$reach")/bin
  mkdir -p "$spool/tmp"
  chmod 0777 "$dir/out"
  cat >"$dir/conf/cupsd.conf" <<EOF
Listen $sock
LogLevel ${PRINT_SERVER_LOGLEVEL:-info}
WebInterface No
Browsing No
DefaultAuthType None
# The copies and collation a job asked for are job attributes, not in its PostScript.
PageLogFormat %p %u %j %T %P %C %{job-billing} %{job-originating-host-name} %{job-name} %{media} %{sides} copies=%{copies} collate=%{collate}
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
EOF
  cat >"$dir/conf/cups-files.conf" <<EOF
ServerRoot $dir/conf
RequestRoot $spool
TempDir $spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin $bin
Printcap $dir/state/printcap
ServerKeychain $dir/ssl
CreateSelfSignedCerts No
FileDevice Yes
SystemGroup root
EOF
  write_ppd >"$dir/TestPS.ppd"
  # Our own ServerBin: CUPS's helpers plus a filter that copies the job through unchanged
  # (the filter packages are not needed). cupsd only runs filters that root owns and that
  # no one else may change.
  local f
  mkdir -p "$bin/filter"
  for f in /usr/lib/cups/*; do
    [ "$(basename "$f")" = filter ] || ln -sfn "$f" "$bin/$(basename "$f")"
  done
  # The filter reports the job's pages (its %%Page comments) for the page log.
  cat >"$bin/filter/passthrough" <<'EOF'
#!/bin/sh
# job user title copies options [file]
[ -n "$6" ] || exec cat
cat "$6" || exit 1
echo "PAGE: total $(grep -ac '^%%Page:' "$6")" >&2
EOF
  printf '#!/bin/sh\nexec cat >/dev/null\n' >"$bin/filter/discard"
  chmod 0755 "$bin" "$bin/filter" "$bin/filter/passthrough" "$bin/filter/discard"
}

# A generic 300-dpi PostScript printer (the same sizes and 12-point margins as CUPS's
# generic PostScript driver; A4 is the default). The filter lines hand the PostScript
# from Wine to the file unchanged.
write_ppd() {
  # name, label, width and height in points
  local sizes=(
    "Letter|US Letter|612|792" "Legal|US Legal|612|1008" "Executive|Executive|522|756"
    "Tabloid|Tabloid|792|1224" "A3|A3|842|1191" "A4|A4|595|842" "A5|A5|420|595"
    "B5|JIS B5|516|729" "Env10|Envelope #10|297|684" "EnvDL|Envelope DL|312|624"
    "EnvC5|Envelope C5|459|649"
  )
  local s name label w h key
  cat <<'EOF'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "TESTPS.PPD"
*Manufacturer: "Generic"
*Product: "(Test PostScript Printer)"
*ModelName: "Test PostScript Printer"
*ShortNickName: "Test PostScript Printer"
*NickName: "Test PostScript Printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "8"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter: "application/vnd.cups-postscript 0 passthrough"
*cupsFilter: "application/postscript 0 passthrough"
*cupsFilter: "application/vnd.cups-command 0 discard"
*DefaultResolution: 300dpi
*HWMargins: 12 12 12 12
EOF
  for key in PageSize PageRegion; do
    echo "*OpenUI *$key/Media Size: PickOne"
    echo "*OrderDependency: 10 AnySetup *$key"
    # A4 by default, so a job that asks for Letter proves the paper code reached the device.
    echo "*Default$key: A4"
    for s in "${sizes[@]}"; do
      IFS='|' read -r name label w h <<<"$s"
      echo "*$key $name/$label: \"<</PageSize[$w $h]/ImageableArea null>>setpagedevice\""
    done
    echo "*CloseUI: *$key"
  done
  echo '*DefaultImageableArea: A4'
  echo '*DefaultPaperDimension: A4'
  for s in "${sizes[@]}"; do
    IFS='|' read -r name label w h <<<"$s"
    echo "*ImageableArea $name/$label: \"12 12 $((w - 12)) $((h - 12))\""
    echo "*PaperDimension $name/$label: \"$w $h\""
  done
  cat <<'EOF'
*OpenUI *Duplex/2-Sided Printing: PickOne
*OrderDependency: 10 AnySetup *Duplex
*DefaultDuplex: None
*Duplex None/Off: "<</Duplex false>>setpagedevice"
*Duplex DuplexNoTumble/Long Edge: "<</Duplex true/Tumble false>>setpagedevice"
*Duplex DuplexTumble/Short Edge: "<</Duplex true/Tumble true>>setpagedevice"
*CloseUI: *Duplex
*DefaultFont: Courier
*Font Courier: Standard "(002.004S)" Standard ROM
*Font Helvetica: Standard "(001.006S)" Standard ROM
*Font Times-Roman: Standard "(001.007S)" Standard ROM
EOF
}

answers() { [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }

# Ends a start that went wrong, with the reason and the end of the logs.
fail() {
  echo "print-server: $*" >&2
  tail -n 15 "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
  stop
  exit 1
}

start() {
  if running; then return 0; fi
  if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
    echo "print-server: cupsd or lpadmin missing (run tools/setup.sh)" >&2
    exit 1
  fi
  write_config
  rm -f "$sock" "$dir"/out/job*.ps
  cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" \
    </dev/null >>"$dir/log/cupsd.out" 2>&1 &
  echo $! >"$pidfile"
  local _
  for _ in $(seq 1 100); do
    answers && break
    running || fail "cupsd exited at once; logs in $dir/log/"
    sleep 0.1
  done
  answers || fail "cupsd did not answer on $sock within 10 s"
  local err
  lpadmin -x "$queue" >/dev/null 2>&1 || true
  # lpadmin warns that PPD files are deprecated; only a failure is shown.
  err=$(lpadmin -p "$queue" -E -v "file:$dir/out/job.ps" -P "$dir/TestPS.ppd" 2>&1) ||
    fail "lpadmin could not create $queue: $err"
  err=$(lpadmin -d "$queue" 2>&1) || fail "lpadmin could not make $queue the default: $err"
  [ "$(lpstat -d 2>/dev/null)" = "system default destination: $queue" ] ||
    fail "queue $queue is not the default"
}

stop() {
  running || { rm -f "$pidfile"; remove_reachable_folder; return 0; }
  local pid _
  pid=$(cat "$pidfile")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 1 50); do
    running || break
    sleep 0.1
  done
  if running; then kill -9 "$pid" 2>/dev/null || true; fi
  rm -f "$pidfile" "$sock"
  remove_reachable_folder
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  status) if running; then echo "running (pid $(cat "$pidfile"), $sock)"; else echo "not running"; exit 3; fi ;;
  env) echo "export CUPS_SERVER=$sock" ;;
  *) echo "usage: $0 start|stop|status|env" >&2; exit 2 ;;
esac
