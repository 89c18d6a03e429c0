#!/usr/bin/env bash
# Puts a page of each sample RTF as our control paginates and draws it beside LibreOffice's
# PDF of the same file, for people to look at: build/peer-pages/<name>.png holds our page,
# LibreOffice's page and an overlay of the two (black where both have ink, green only ours,
# magenta only LibreOffice's).
#   tools/compare-rtf-pages.sh [-p <page>] [<name>...]
# Names are sample files in tests/data/rtf without ".rtf" (default: every sample with a
# .lo.pdf beside it). The paper comes from the PDF, the margins from the RTF's first section
# (\marglsxn ..., else \margl ...); a file without margins gets one inch all round, which is
# where LibreOffice put the text of such files. Needs the MinGW tree's RtfPages.exe
# (cmake --build build/mingw --target RtfPages); run by hand, not by CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
data="$root/tests/data/rtf"
tool="$root/build/mingw/tools/rtfpages/RtfPages.exe"
out="$root/build/peer-pages"
page=1

die() { echo "compare-rtf-pages: $*" >&2; exit 1; }

while getopts p: opt; do
  case $opt in
    p) page=$OPTARG ;;
    *) die "usage: compare-rtf-pages.sh [-p <page>] [<name>...]" ;;
  esac
done
shift $((OPTIND - 1))
[[ $page =~ ^[1-9][0-9]*$ ]] || die "the page must be a number from 1"
[ -x "$tool" ] || die "$tool is missing: cmake --build build/mingw --target RtfPages"
for cmd in pdfinfo pdftoppm convert montage; do
  command -v "$cmd" >/dev/null || die "$cmd is not installed"
done

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for pdf in "$data"/*.lo.pdf; do
    names+=("$(basename "$pdf" .lo.pdf)")
  done
fi

# The number after an RTF control word's first occurrence in a text, or nothing.
control() { grep -ao "\\\\$1-\\?[0-9]\\+" <<<"$2" | head -n 1 | sed "s/^\\\\$1//" || true; }

# The RTF after its first \sectd: the first section's properties (LibreOffice writes its page
# styles, with other margins, before it).
first_section() { tr -d '\r\n' <"$1" | awk 'BEGIN { RS = "\\\\sectd" } NR == 2 { print; exit }'; }

# Twips of the first page's size in points, as pdfinfo prints it ("Page size: 595.304 x 841.89").
paper() {
  pdfinfo -f 1 -l 1 "$1" | awk '/^Page +1 size:/ { printf "%d,%d", $4 * 20 + 0.5, $6 * 20 + 0.5 }'
}

mkdir -p "$out/parts"
for name in "${names[@]}"; do
  rtf="$data/$name.rtf"
  pdf="$data/$name.lo.pdf"
  for f in "$rtf" "$pdf"; do
    [ -f "$f" ] || die "$name: $f is missing"
  done
  section=$(first_section "$rtf")
  whole=$(tr -d '\r\n' <"$rtf")
  margins=""
  for side in l t r b; do
    m=$(control "marg${side}sxn" "$section")
    [ -n "$m" ] || m=$(control "marg$side" "$whole")
    margins+="${margins:+,}${m:-1440}"
  done
  size=$(paper "$pdf")
  ours="$out/parts/$name-ours"
  report=$("$root/tools/wine-run" "$tool" "Z:$rtf" "Z:$ours" "--paper=$size" \
    "--margins=$margins" "--pages=$page-$page" 2>&1 | tr -d '\r') ||
    die "$name: RtfPages failed: $report"
  dpi=$(awk '/^dpi / { print $2 }' <<<"$report")
  ourPages=$(grep -c '^page ' <<<"$report" || true)
  loPages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
  theirs="$out/parts/$name-lo"
  rm -f "$theirs"-*.png
  if [ "$page" -le "$loPages" ]; then
    pdftoppm -r "$dpi" -f "$page" -l "$page" -singlefile -png "$pdf" "$theirs"
  fi
  [ -f "$ours-$page.png" ] || convert -size 10x10 xc:white "$ours-$page.png"
  [ -f "$theirs.png" ] || convert -size 10x10 xc:white "$theirs.png"
  # Both on the larger canvas so the overlay lines up at the top left corner.
  geometry=$(identify -format '%w %h\n' "$ours-$page.png" "$theirs.png" |
    awk '{ w = $1 > w ? $1 : w; h = $2 > h ? $2 : h } END { print w "x" h }')
  convert "$ours-$page.png" -background white -extent "$geometry" "$ours.png"
  convert "$theirs.png" -background white -extent "$geometry" "$theirs.png"
  convert "$ours.png" -colorspace gray "$ours.gray.png"
  convert "$theirs.png" -colorspace gray "$theirs.gray.png"
  convert "$ours.gray.png" "$theirs.gray.png" "$ours.gray.png" -combine "$out/parts/$name-overlay.png"
  montage -label "ours: page $page of $ourPages" "$ours.png" \
    -label "LibreOffice: page $page of $loPages" "$theirs.png" \
    -label "overlay: green ours, magenta LibreOffice" "$out/parts/$name-overlay.png" \
    -tile 3x1 -geometry +6+6 -bordercolor gray60 -border 1 "$out/$name.png"
  echo "$out/$name.png (paper $size, margins $margins; pages: ours $ourPages, LibreOffice $loPages)"
done
