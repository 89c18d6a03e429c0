#!/usr/bin/env bash
# Formats C++ sources with the tree's .clang-format.
#   format.sh           the C++ files changed against HEAD (staged, unstaged and new)
#   format.sh --all     every tracked C++ file
#   format.sh --check   formats nothing; names each tracked C++ file that is not formatted
#                       and fails when there is one (a test runs this)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

formatter=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$formatter" ] || { echo "format.sh: clang-format is not installed (tools/setup.sh installs it)" >&2; exit 2; }

cxx=('*.cpp' '*.h' '*.hpp' '*.cc')

tracked_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -- "${cxx[@]}"
  else
    # An exported tree without git: every source outside the build folder.
    find . -path ./build -prune -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \) -print |
      sed 's|^\./||'
  fi
}

changed_files() {
  { git diff --name-only --diff-filter=ACMR HEAD -- "${cxx[@]}"
    git ls-files --others --exclude-standard -- "${cxx[@]}"; } | sort -u
}

existing() {
  local f
  while IFS= read -r f; do [ -f "$f" ] && printf '%s\n' "$f"; done
}

case "${1:-}" in
  --check)
    mapfile -t files < <(tracked_files | existing)
    [ ${#files[@]} -gt 0 ] || { echo "format.sh: no C++ files found" >&2; exit 2; }
    # One run for the whole tree; each unformatted file is reported at its first offending line.
    rc=0
    report=$("$formatter" --dry-run -Werror "${files[@]}" 2>&1) || rc=$?
    mapfile -t bad < <(printf '%s\n' "$report" |
      sed -n -E 's/^([^:]+):[0-9]+:[0-9]+: error: code should be clang-formatted.*/\1/p' | sort -u)
    if [ ${#bad[@]} -gt 0 ]; then
      echo "Not formatted (run tools/format.sh):"
      printf '  %s\n' "${bad[@]}"
      exit 1
    fi
    [ $rc -eq 0 ] || { printf '%s\n' "$report" | head -n 20 >&2; exit 1; }
    echo "All ${#files[@]} C++ files are formatted."
    ;;
  --all) tracked_files | existing | xargs -r -d '\n' "$formatter" -i ;;
  "") changed_files | existing | xargs -r -d '\n' "$formatter" -i ;;
  *) echo "usage: tools/format.sh [--all | --check]" >&2; exit 2 ;;
esac
