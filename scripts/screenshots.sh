#!/usr/bin/env bash
# Takes the pictures in docs/: each window as a user sees it, at 96 DPI,
# in a private X server. Needs a built win64 preset (scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${DISPLAY:-}" ] || exec bash scripts/with-display.sh bash "$0" "$@"

build=$PWD/build/win64
run="$build/wine-run.sh"
probe() { "$run" "$build/tests/e2e/probe.exe" "$@"; }
shoot() {  # window-class window-title output.png
  sleep 0.5
  read -r x y w h < <(probe rect "$1" "$2" | tr -d '\r')
  xwd -root -silent | /usr/bin/convert xwd:- -crop "${w}x${h}+${x}+${y}" +repage "$3"
}
mkdir -p docs
file="$build/示例文档.txt"
echo sample > "$file"
winpath=$("$run" winepath -w "$file" 2>/dev/null | tr -d '\r')

"$run" "$build/src/Morvane.exe" >/dev/null 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true; rm -f "$file"' EXIT
probe wait MorvaneForm Morvane2.0
xdotool type --delay 30 zip
shoot MorvaneForm Morvane2.0 docs/main-window.png
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
shoot MorvaneForm 查看文件后缀名 docs/file-window.png
probe click MorvaneForm 查看文件后缀名 Button 1

probe click MorvaneForm Morvane2.0 Button 0
probe wait MorvaneForm ""
shoot MorvaneForm "" docs/about-window.png
probe key MorvaneForm Morvane2.0 Edit 0 27
wait $app || true
