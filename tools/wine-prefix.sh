#!/usr/bin/env bash
# Creates the project's Wine prefix on first use: Wine's and the Liberation fonts, the font
# replacements, a font for Japanese, Chinese and Korean text, no crash dialog, Windows-1252, and one virtual desktop in which Wine draws
# the window frames itself (Xvfb has no window manager), the same size on every machine, with
# no window left to a window manager. Safe when several processes start at once.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

ready="$WINEPREFIX/.project-ready"
cjk_ready="$WINEPREFIX/.cjk-font-ready"
symbol_ready="$WINEPREFIX/.symbol-font-ready"
unmanaged_ready="$WINEPREFIX/.unmanaged-windows-ready"
all_ready() { [ -f "$ready" ] && [ -f "$cjk_ready" ] && [ -f "$symbol_ready" ] && [ -f "$unmanaged_ready" ]; }
all_ready && exit 0

# Droid Sans Fallback (Debian's fonts-droid-fallback) has Japanese, Chinese and Korean
# characters: the names such documents ask for are replaced by it, and the Latin fonts link to
# it for the characters they lack. Added to a prefix made before it, too.
add_cjk_font() {
  local font=/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf
  [ -f "$font" ] || { echo "wine: $font is missing (tools/setup.sh installs it)" >&2; exit 1; }
  cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  local reg name
  reg=$(mktemp --suffix=.reg)
  # The English names and the local ones the platform's writers put in documents; a Unicode
  # registry file (UTF-16 with its byte-order mark) carries the local ones.
  {
    printf '\xff\xfe'
    {
      printf 'Windows Registry Editor Version 5.00\r\n\r\n'
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
      for name in "MS Gothic" "MS PGothic" "MS UI Gothic" "MS Mincho" "MS PMincho" "Meiryo" \
                  "Yu Gothic" "ＭＳ ゴシック" "ＭＳ Ｐゴシック" "ＭＳ 明朝" "ＭＳ Ｐ明朝" "メイリオ" \
                  "SimSun" "NSimSun" "SimHei" "Microsoft YaHei" "宋体" "新宋体" "黑体" "微软雅黑" \
                  "MingLiU" "PMingLiU" "Microsoft JhengHei" "細明體" "新細明體" "微軟正黑體" \
                  "Gulim" "GulimChe" "Dotum" "Batang" "Malgun Gothic" "굴림" "돋움" "바탕" \
                  "맑은 고딕"; do
        printf '"%s"="Droid Sans Fallback"\r\n' "$name"
      done
    } | iconv -f UTF-8 -t UTF-16LE
  } >"$reg"
  wine regedit /S "Z:$reg" </dev/null >/dev/null 2>&1 9>&-
  rm -f "$reg"
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  for name in "Arial" "Liberation Sans" "Times New Roman" "Liberation Serif" "Courier New" \
              "Liberation Mono"; do
    wine reg add "$key" /v "$name" /t REG_MULTI_SZ /d "DroidSansFallbackFull.ttf,Droid Sans Fallback" \
      /f </dev/null >/dev/null 2>&1 9>&-
  done
  wineserver -w 9>&-
  touch "$cjk_ready"
}

# Wine's Symbol font maps its glyphs only by Macintosh codes, so symbol-set text (looked up at
# U+F020 to U+F0FF, as Windows does) showed wrong glyphs above code 0x7F: the prefix gets a copy
# with the Windows symbol table added. Added to a prefix made before it, too.
add_symbol_cmap() {
  python3 "$(dirname "$0")/symbol-font-cmap.py" /usr/share/wine/fonts/symbol.ttf \
    "$WINEPREFIX/drive_c/windows/Fonts/symbol.ttf"
  touch "$symbol_ready"
}

# Xvfb has no window manager, and in its managed mode Wine waits two seconds for one whenever a
# window is hidden or destroyed (every dialog closing, the export's progress window): all
# windows are left to Wine itself. Added to a prefix made before it, too.
add_unmanaged_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 9>&-
  wineserver -w 9>&-
  touch "$unmanaged_ready"
}

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
all_ready && exit 0
if [ -f "$ready" ]; then
  [ -f "$cjk_ready" ] || add_cjk_font
  [ -f "$symbol_ready" ] || add_symbol_cmap
  [ -f "$unmanaged_ready" ] || add_unmanaged_windows
  exit 0
fi

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
add_cjk_font
add_symbol_cmap
add_unmanaged_windows
touch "$ready"
