#!/usr/bin/env bash
# Creates the project's Wine prefix on first use: Wine's and the Liberation fonts, the font
# replacements, no crash dialog, Windows-1252, and one virtual desktop in which Wine draws
# the window frames itself (Xvfb has no window manager), the same size on every machine. Safe when several processes start at once.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

ready="$WINEPREFIX/.project-ready"
[ -f "$ready" ] && exit 0

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$ready" ] && exit 0

# A half-made prefix (an earlier run was killed) is made again from scratch.
rm -rf "$WINEPREFIX"
echo "wine: creating the prefix in $WINEPREFIX" >&2
# Every command that may start the server gets the lock descriptor closed and quiet stdio,
# or the server and its services hold the lock and our callers' pipes open.
wineboot -i </dev/null >/dev/null 2>&1 9>&-
wineserver -w 9>&-

fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp /usr/share/wine/fonts/*.ttf "$fonts/"
for f in /usr/share/fonts/truetype/liberation/*.ttf; do cp "$f" "$fonts/"; done

reg=$(mktemp --suffix=.reg)
cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x1024"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Nls\CodePage]
"ACP"="1252"
"OEMCP"="437"
"MACCP"="10000"
REG
wine regedit /S "Z:$reg" </dev/null >/dev/null 2>&1 9>&-
wineserver -w 9>&-
rm -f "$reg"
touch "$ready"
