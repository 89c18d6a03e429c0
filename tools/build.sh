# Sourced by ./test and ./run: configures and builds one tree quietly, showing the log only
# when something fails.
#   build_tree host|mingw [targets...]
build_tree() {
  local tree=$1; shift
  local dir="$project_root/build/$tree" log="$project_root/build/$tree-build.log"
  local args=(-S "$project_root" -B "$dir" -G Ninja)
  [ "$tree" = mingw ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$project_root/cmake/mingw-w64-x86_64.cmake")
  local targets=()
  local t
  for t in "$@"; do targets+=(--target "$t"); done
  if ! { cmake "${args[@]}" && cmake --build "$dir" -j2 "${targets[@]}"; } >"$log" 2>&1; then
    echo "build ($tree) failed; the end of $log:" >&2
    grep -E -B2 -A12 'error|FAILED' "$log" | head -n 80 >&2 || tail -n 40 "$log" >&2
    return 1
  fi
}
