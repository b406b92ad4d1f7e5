#!/usr/bin/env bash
# Takes the pictures in docs/: each window as a user sees it, in a private X
# server: at 96 DPI in the usual prefix, and at 96 and 144 DPI with a tall
# 9-point message font standing in for a zh-CN Windows' Microsoft YaHei UI.
# Needs a built win64 preset (scripts/test.sh) and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${DISPLAY:-}" ] || exec bash scripts/with-display.sh bash "$0" "$@"

build=$PWD/build/win64
run="$build/wine-run.sh"
probe() { "$run" "$build/tests/e2e/probe.exe" "$@"; }
mkdir -p docs
file="$build/示例文档.txt"
echo sample > "$file"
winpath=$("$run" winepath -w "$file" 2>/dev/null | tr -d '\r')
trap 'rm -f "$file"' EXIT

shoot() {  # window-class window-title output.png
  probe until "$1" "$2" Button 0 "$(probe text "$1" "$2" Button 0 | tr -d '\r')" >/dev/null  # painted and answering
  sleep 0.5
  read -r x y w h < <(probe rect "$1" "$2" | tr -d '\r')
  xwd -root -silent | /usr/bin/convert xwd:- -crop "${w}x${h}+${x}+${y}" +repage "$3"
}

three_windows() {  # suffix for the file names
  MORVANE_WINE_EXEC=1 "$run" "$build/src/Morvane.exe" >/dev/null 2>&1 &
  local app=$!
  probe wait MorvaneForm Morvane2.0
  xdotool type --delay 30 zip
  probe until MorvaneForm Morvane2.0 Edit 1 "Zip文件"
  shoot MorvaneForm Morvane2.0 "docs/main-window$1.png"
  # Wine 8 leaves a window unpainted while it lies wholly inside another of the
  # program's windows, as the centred file window does; the main window steps
  # aside for the pictures.
  probe move MorvaneForm Morvane2.0 20 20

  probe click MorvaneForm Morvane2.0 Button 2
  probe wait MorvaneForm 查看文件后缀名
  probe click MorvaneForm 查看文件后缀名 Button 0
  probe wait '#32770' 打开
  probe settext '#32770' 打开 1148 "$winpath"
  probe command '#32770' 打开 1
  probe gone '#32770' 打开
  probe until MorvaneForm 查看文件后缀名 Static 6 txt
  shoot MorvaneForm 查看文件后缀名 "docs/file-window$1.png"
  probe click MorvaneForm 查看文件后缀名 Button 1

  probe click MorvaneForm Morvane2.0 Button 0
  probe wait MorvaneForm ""
  shoot MorvaneForm "" "docs/about-window$1.png"
  probe key MorvaneForm Morvane2.0 Edit 0 27
  wait $app || true
}

three_windows ""
export MORVANE_WINEPREFIX=$build/wineprefix-tallfont MORVANE_FONT=tall
for dpi in 96 144; do
  "$run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  three_windows "-tall-$dpi"
done
