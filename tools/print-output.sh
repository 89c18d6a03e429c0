#!/usr/bin/env bash
# Reads back what the private test printer (tools/print-server.sh) printed.
#   print-output.sh wait <seconds>  waits until the queue is empty and the job's PostScript is
#                                   complete, moves it to build/print/out/job-<n>.ps (so the
#                                   next job cannot be mistaken for it) and prints that path
#   print-output.sh clear           removes a finished job that nobody collected
#   print-output.sh text <file.ps>  one line per run of text, tab-separated, in points with
#                                   the origin at the top left of the page:
#                                   page  left  baseline  right  baseline  font  size  text
#                                   (Wine draws a space as U+00A0; it is given as a space)
#   print-output.sh pages <file.ps> "pages <n>", then "<page> <width> <height>" per page, in
#                                   points (the media each page was printed on)
# One job at a time: every job overwrites build/print/out/job.ps (CTest: RESOURCE_LOCK print).
# What a job asked for but is not in its PostScript is in build/print/log/page_log, one line a
# job once it has finished: "TestPS <user> <job id> [<time>] total <pages> <billing> <host>
# <document name> <media> <sides> copies=<n> collate=<1, or - when not asked for>".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
server="${PRINT_SERVER_DIR:-$root/build/print}"
out="$server/out"
export CUPS_SERVER="$server/cups.sock"

die() { echo "print-output: $*" >&2; exit 1; }

job_complete() {
  local f="$out/job.ps"
  [ -s "$f" ] || return 1
  [ -z "$(lpstat -o TestPS 2>/dev/null)" ] || return 1
  tail -c 64 "$f" | grep -aq '%%EOF' || return 1
  local size
  size=$(stat -c %s "$f")
  sleep 0.1
  [ "$(stat -c %s "$f")" = "$size" ]
}

wait_job() {
  local seconds=${1:?usage: print-output.sh wait <seconds>}
  [ -S "$CUPS_SERVER" ] || die "the test printer is not running (tools/print-server.sh start)"
  local deadline=$((SECONDS + seconds))
  until job_complete; do
    if [ $SECONDS -ge $deadline ]; then
      local pending
      pending=$(lpstat -o TestPS 2>/dev/null | wc -l)
      if [ -s "$out/job.ps" ]; then
        die "time-out after $seconds s: $pending job(s) pending, $out/job.ps incomplete"
      fi
      die "time-out after $seconds s: $pending job(s) pending, no output in $out/job.ps"
    fi
    sleep 0.05
  done
  local n=1
  while [ -e "$out/job-$n.ps" ]; do n=$((n + 1)); done
  mv "$out/job.ps" "$out/job-$n.ps"
  echo "$out/job-$n.ps"
}

text_of() {
  local file=${1:?usage: print-output.sh text <file.ps>}
  [ -r "$file" ] || die "cannot read $file"
  gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=txtwrite -dTextFormat=1 -sOutputFile=- "$file" |
    LC_ALL=C awk '
      function attr(name,   m) {
        if (match($0, name "=\"[^\"]*\"")) return substr($0, RSTART + length(name) + 2, RLENGTH - length(name) - 3)
        return ""
      }
      function utf8(cp) {
        if (cp == 160) return " "
        if (cp < 128) return sprintf("%c", cp)
        if (cp < 2048) return sprintf("%c%c", 192 + int(cp / 64), 128 + cp % 64)
        if (cp < 65536) return sprintf("%c%c%c", 224 + int(cp / 4096), 128 + int(cp / 64) % 64, 128 + cp % 64)
        return sprintf("%c%c%c%c", 240 + int(cp / 262144), 128 + int(cp / 4096) % 64, 128 + int(cp / 64) % 64, 128 + cp % 64)
      }
      function hex(s,   i, v) {
        v = 0
        for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", tolower(substr(s, i, 1))) - 1
        return v
      }
      function decode(s,   r, m) {
        r = ""
        while (match(s, /&[^;]*;/)) {
          r = r substr(s, 1, RSTART - 1); m = substr(s, RSTART + 1, RLENGTH - 2)
          if (m == "amp") r = r "&"; else if (m == "lt") r = r "<"; else if (m == "gt") r = r ">"
          else if (m == "quot") r = r "\""; else if (m == "apos") r = r "\047"
          else if (m ~ /^#x/) r = r utf8(hex(substr(m, 3)))
          else if (m ~ /^#/) r = r utf8(substr(m, 2) + 0)
          s = substr(s, RSTART + RLENGTH)
        }
        return r s
      }
      /^<page>/ { page++ }
      /^<span / { split(attr("bbox"), b, " "); font = attr("font"); size = attr("size"); text = "" }
      /^<char / { text = text decode(attr("c")) }
      /^<\/span>/ { printf "%d\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", page, b[1], b[2], b[3], b[4], font, size + 0, text }
    '
}

pages_of() {
  local file=${1:?usage: print-output.sh pages <file.ps>}
  [ -r "$file" ] || die "cannot read $file"
  # The bbox device keeps each page's media size; EndPage reports it as the page is output.
  gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=bbox -dNOCACHE \
    -c '<</EndPage {exch pop 2 ne dup {currentpagedevice /PageSize get aload pop
          (size ) print exch =only ( ) print =} if}>> setpagedevice' \
    -f "$file" 2>/dev/null |
    awk '$1 == "size" { n++; line[n] = n " " $2 " " $3 }
         END { print "pages " n + 0; for (i = 1; i <= n; i++) print line[i] }'
}

case "${1:-}" in
  wait) wait_job "${2:-}" ;;
  clear) rm -f "$out/job.ps" ;;
  text) text_of "${2:-}" ;;
  pages) pages_of "${2:-}" ;;
  *) echo "usage: $0 wait <seconds> | clear | text <file.ps> | pages <file.ps>" >&2; exit 2 ;;
esac
