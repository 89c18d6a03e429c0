#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine.
# Idempotent and quiet when all is present; never prompts (CI runs it without a terminal).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache="$root/build/deps"

packages=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  wine64 wine fonts-wine fonts-liberation
  xvfb xauth imagemagick x11-utils
  cmake nasm ninja-build googletest zlib1g-dev
  clang libclang-rt-14-dev clang-format
  dpkg-dev cups-daemon cups-client ghostscript poppler-utils
  qpdf python3
)

# Japanese, Chinese and Korean characters for the Wine prefix (tools/wine-prefix.sh).
packages+=(fonts-droid-fallback)

log="$cache/setup.log"

# Runs a step with its output in the log; shows the end of the log when the step fails.
quietly() {
  mkdir -p "$cache"
  if ! "$@" >>"$log" 2>&1; then
    echo "setup: failed: $*" >&2
    tail -n 30 "$log" >&2
    exit 1
  fi
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

install_packages() {
  local missing
  missing=$(missing_packages)
  [ -z "$missing" ] && return 0
  echo "setup: installing $(echo $missing | wc -w) packages"
  export DEBIAN_FRONTEND=noninteractive
  quietly as_root apt-get update -qq
  # shellcheck disable=SC2086
  quietly as_root apt-get install -y -qq --no-install-recommends $missing
}

# The Debian mirror the machine already uses, read from its own apt configuration.
debian_mirror() {
  local uri
  uri=$(grep -h -E '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null \
        | awk '{print $2}' | grep -v security | head -n 1 || true)
  if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
    uri=$(awk '$1=="deb" && $0 !~ /security/ {for(i=2;i<=NF;i++) if ($i ~ /^[a-z]+:\/\//) {print $i; exit}}' /etc/apt/sources.list)
  fi
  echo "$uri"
}

# libjpeg-turbo cross-built for MinGW from Debian's source package, once, into build/deps.
build_libjpeg() {
  local prefix="$cache/mingw-jpeg"
  [ -f "$prefix/lib/libjpeg.a" ] && return 0
  echo "setup: building libjpeg-turbo for MinGW from Debian's sources"
  local work="$cache/jpeg-src" apt_state="$cache/apt"
  rm -rf "$work"
  mkdir -p "$work" "$apt_state/lists/partial" "$apt_state/cache/archives/partial"
  local mirror
  mirror=$(debian_mirror)
  [ -n "$mirror" ] || { echo "setup: no Debian mirror found in the apt configuration" >&2; exit 1; }
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror bookworm main" \
    > "$apt_state/sources.list"
  local opts=(-o "Dir::Etc::SourceList=$apt_state/sources.list" -o "Dir::Etc::SourceParts=-"
              -o "Dir::State::Lists=$apt_state/lists" -o "Dir::Cache=$apt_state/cache"
              -o "APT::Sandbox::User=root")
  quietly apt-get "${opts[@]}" update -qq
  (cd "$work" && quietly apt-get "${opts[@]}" source -qq libjpeg-turbo)
  local src
  src=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo*' | head -n 1)
  [ -n "$src" ] || { echo "setup: libjpeg-turbo sources not fetched" >&2; exit 1; }
  quietly cmake -Wno-dev -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR=
  quietly cmake --build "$work/build" -j2
  quietly cmake --install "$work/build"
  rm -rf "$work"
}

install_packages
build_libjpeg
