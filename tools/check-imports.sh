#!/usr/bin/env bash
# Fails when an executable imports a DLL that Windows does not ship (the C++ runtime, zlib,
# libjpeg): the programs must run from a bare folder. Wine would hide the mistake, as it
# brings its own zlib1.dll.
#   check-imports.sh exe...
set -euo pipefail
status=0
for exe in "$@"; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')
  [ -n "$dlls" ] || { echo "$exe: no import table found"; status=1; continue; }
  foreign=$(echo "$dlls" | grep -i -E '^(lib|zlib|jpeg)' || true)
  if [ -n "$foreign" ]; then
    echo "$exe imports non-system DLLs:" $foreign
    status=1
  fi
done
exit $status
