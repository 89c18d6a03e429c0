#!/usr/bin/env bash
# Prints one scenario of PrintScenario.exe through the private test printer and checks what
# the spooler wrote: sheets, media and where the texts landed (points from the sheet's top
# left; 72 points to the inch).
#   print-test.sh <PrintScenario.exe> four|two|inch|copies|letter|a5|cancel|none
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=$1 scenario=$2
eval "$("$root/tools/print-server.sh" env)"
"$root/tools/print-server.sh" status >/dev/null || { echo "the test printer is not running"; exit 1; }
"$root/tools/print-output.sh" clear >/dev/null 2>&1 || true
server="${PRINT_SERVER_DIR:-$root/build/print}"
out="$server/out"
case $scenario in
  none)
    # Without a print server Wine has no printer: the message, a failure, and no job.
    message=$(CUPS_SERVER="$root/build/print/no-such.sock" "$root/tools/wine-run" "$exe" inch 2>&1) &&
      { echo "printed without a printer"; exit 1; }
    grep -qF "Unable to print... No Printer available." <<<"$message" || { echo "$message"; exit 1; }
    [ ! -e "$out/job.ps" ] || { echo "a job was written"; exit 1; }
    echo "print-test none: ok"
    exit 0
    ;;
  cancel)
    "$root/tools/wine-run" "$exe" cancel
    sleep 1
    [ -z "$(lpstat -o TestPS 2>/dev/null)" ] || { echo "the cancelled job is still queued"; exit 1; }
    [ ! -s "$out/job.ps" ] || { echo "the cancelled job was printed"; exit 1; }
    echo "print-test cancel: ok"
    exit 0
    ;;
esac
"$root/tools/wine-run" "$exe" "$scenario"
job=$("$root/tools/print-output.sh" wait 30)
pages=$("$root/tools/print-output.sh" pages "$job")
text=$("$root/tools/print-output.sh" text "$job")
echo "$pages"
echo "$text"

fail() { echo "print-test $scenario: $*"; exit 1; }
expect_pages() { [ "$(head -n 1 <<<"$pages")" = "pages $1" ] || fail "expected $1 sheets"; }
expect_media() { grep -qx "$1 $2 $3" <<<"$pages" || fail "sheet $1 is not $2 x $3 points"; }
# expect_text <sheet> <text> <left> <baseline> <size>: within one point (a third of a mm).
expect_text() {
  awk -F'\t' -v p="$1" -v t="$2" -v x="$3" -v y="$4" -v s="$5" '
    function near(a, b) { return a - b <= 1 && b - a <= 1 }
    $1 == p && $8 == t && near($2, x) && near($3, y) && near($7, s) { found = 1 }
    END { exit !found }' <<<"$text" || fail "no '$2' on sheet $1 at ($3, $4) in $5 points"
}

case $scenario in
  inch)
    expect_pages 1
    expect_media 1 595 842
    expect_text 1 P1 72 94 24  # recorded one inch from the page's corner
    ;;
  four)
    expect_pages 2
    expect_text 1 P1 35 46 11.76  # 49 percent: one inch becomes 0.49 inch
    expect_text 1 P2 333 46 11.76
    expect_text 1 P3 35 467 11.76
    expect_text 1 P4 333 467 11.76
    expect_text 2 P5 35 46 11.76
    ;;
  two)
    # One landscape sheet, which the driver sends as a portrait page turned by 90 degrees:
    # the left page ends up below the right one, each at 70 percent.
    expect_pages 1
    expect_text 1 P 65 792 16.8
    expect_text 1 1 65 781 16.8
    expect_text 1 P 65 371 16.8
    expect_text 1 2 65 360 16.8
    ;;
  copies)
    expect_pages 1
    log=$(tail -n 1 "$server/log/page_log")
    grep -q 'copies=2' <<<"$log" || fail "the job did not ask for two copies: $log"
    grep -q 'collate=1' <<<"$log" || fail "the job did not ask for collation: $log"
    ;;
  letter) expect_media 1 612 792 ;;
  a5) expect_media 1 420 595 ;;
  *) fail "no such scenario" ;;
esac
echo "print-test $scenario: ok"
