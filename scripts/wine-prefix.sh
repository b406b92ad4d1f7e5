#!/usr/bin/env bash
# Makes a Wine prefix that shows Chinese: zh_CN locale (code page 936), the
# Windows Chinese font names mapped to a Debian CJK font, and no window
# manager waits. Usage: wine-prefix.sh PREFIX LOCALE_DIR [DPI] [MANAGED=Y|N] [FONT=wqy|tall]
set -euo pipefail
prefix=$1 locdir=$2 dpi=${3:-96} managed=${4:-N} font=${5:-wqy}
here=$(cd "$(dirname "$0")" && pwd)

# Wine takes its code page from the Linux locale, which must really exist.
if [ ! -d "$locdir/zh_CN.UTF-8" ]; then
  mkdir -p "$locdir"
  localedef -i zh_CN -f UTF-8 "$locdir/zh_CN.UTF-8" 2>/dev/null || [ -d "$locdir/zh_CN.UTF-8" ]
fi

export WINEPREFIX=$prefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LOCPATH=$locdir LANG=zh_CN.UTF-8
unset LC_ALL
rm -rf "$prefix"
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
/usr/lib/wine/wineserver -w
# Wine draws title-bar buttons with Marlett, which it does not find in
# Debian's data folder on its own.
cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true

# regedit wants UTF-16LE with a BOM for names outside ASCII.
reg=$(mktemp --suffix=.reg)
python3 "$here/wine-settings.py" "$dpi" "$managed" "$font" > "$reg"
/usr/lib/wine/wine64 regedit /S "$(/usr/lib/wine/wine64 winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
/usr/lib/wine/wineserver -w
rm -f "$reg"
touch "$prefix/.morvane-ready"
