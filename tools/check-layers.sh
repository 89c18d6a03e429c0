#!/usr/bin/env bash
# Fails when the folders' includes form a loop: a folder includes a folder that includes it
# back (the two are named), or a longer ring of folders does. Folders include downwards only,
# so that each one can be read and built on what lies below it.
#   check-layers.sh [root]   (default: the repository this script lives in)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

sources() {
  find . -path ./build -prune -o -path ./.git -prune -o -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.rc' \) -print | sed 's|^\./||'
}

# One "including-folder included-folder" line per distinct pair of different folders, for
# every project path included with quotes ("engine/VpPage.h" names the folder engine).
folder_edges() {
  local folders
  folders=$(find . -path ./build -prune -o -path ./.git -prune -o -type d -print | sed 's|^\./||')
  sources | xargs awk -v folders="$folders" '
    BEGIN { n = split(folders, list, "\n"); for (i = 1; i <= n; i++) known[list[i]] = 1 }
    /^[ \t]*#[ \t]*include[ \t]*"/ {
      path = $0
      sub(/^[^"]*"/, "", path); sub(/".*/, "", path)
      if (path !~ /\//) next
      to = path; sub(/\/[^\/]*$/, "", to)
      from = FILENAME; if (from ~ /\//) sub(/\/[^\/]*$/, "", from); else from = "."
      if (to in known && to != from) print from, to
    }' | sort -u
}

edges=$(folder_edges)
status=0
while read -r from to; do
  if [[ "$from" < "$to" ]] && grep -qxF "$to $from" <<<"$edges"; then
    echo "$from and $to include each other"
    status=1
  fi
done <<<"$edges"

# Longer rings (a includes b, b includes c, c includes a): tsort names the folders of a loop.
if [ $status -eq 0 ]; then
  loops=$(tsort <<<"$edges" 2>&1 >/dev/null || true)
  if [ -n "$loops" ]; then
    echo "the folders' includes form a loop:"
    echo "$loops"
    status=1
  fi
fi
[ $status -eq 0 ] && echo "folders include downwards only ($(wc -l <<<"$edges") folder pairs)"
exit $status
