#!/usr/bin/env bash
# The real Morvane.exe under Wine, driven from outside with real X input
# (xdotool) and read back by the probe. Usage: e2e.sh BUILD-DIR SCENARIO
set -euo pipefail
build=$1 run="$1/wine-run.sh"
probe() { "$run" "$build/tests/e2e/probe.exe" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
expect() {  # window-class title control-class index expected
  local got; got=$(probe text "$1" "$2" "$3" "$4" | tr -d '\r')
  [ "$got" = "$5" ] || fail "$3 #$4 of '$2' shows '$got', expected '$5'"
}
"$run" "$build/src/Morvane.exe" >/dev/null 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
probe wait MorvaneForm Morvane2.0 || fail "no main window"
ends() { for _ in $(seq 100); do kill -0 $app 2>/dev/null || return 0; sleep 0.05; done; fail "still running"; }

case $2 in
  typing)
    xdotool type --delay 30 zip
    expect MorvaneForm Morvane2.0 Edit 1 "Zip文件"
    xdotool key BackSpace BackSpace BackSpace
    expect MorvaneForm Morvane2.0 Edit 1 ""
    xdotool type --delay 30 "com "
    expect MorvaneForm Morvane2.0 Edit 1 "Corel Print Office文件（图形"
    xdotool key Return Escape
    ends ;;
  windows)
    file=$(mktemp -d "$build/e2e-XXXX")/测试文件.txt
    echo hello > "$file"
    links=$(mktemp "$build/e2e-links-XXXX") recorder="$build/e2e-recorder.sh"
    printf '#!/bin/sh\necho "$1" >> %s\n' "$links" > "$recorder" && chmod +x "$recorder"
    for kind in Browsers Mailers; do "$run" reg add 'HKCU\Software\Wine\WineBrowser' /v $kind /d "$recorder" /f >/dev/null 2>&1; done
    trap 'set +e; kill $app 2>/dev/null; "$run" reg delete "HKCU\Software\Wine\WineBrowser" /f >/dev/null 2>&1; rm -rf "$(dirname "$file")" "$links" "$recorder"' EXIT
    probe click MorvaneForm Morvane2.0 Button 2          # 查看文件后缀名
    probe wait MorvaneForm 查看文件后缀名 || fail "no file window"
    probe click MorvaneForm 查看文件后缀名 Button 0       # 载入文件
    probe wait '#32770' 打开 || fail "no Open dialog"
    winpath=$("$run" winepath -w "$file" 2>/dev/null | tr -d '\r')
    probe settext '#32770' 打开 1148 "$winpath" && probe command '#32770' 打开 1
    probe gone '#32770' 打开 || fail "the Open dialog stayed"
    expect MorvaneForm 查看文件后缀名 Edit 0 "$winpath"
    expect MorvaneForm 查看文件后缀名 Static 6 txt
    expect MorvaneForm 查看文件后缀名 Static 0 测试文件.txt
    probe click MorvaneForm Morvane2.0 Button 0          # 关  于
    probe wait MorvaneForm "" || fail "no About window"
    probe click MorvaneForm "" Static 1 && probe click MorvaneForm "" Static 2   # the two links
    for _ in $(seq 100); do [ "$(wc -l < "$links")" -ge 2 ] && break; sleep 0.05; done
    grep -qx 'http://[^/]*/\?' "$links" && grep -q '^mailto:.*@' "$links" || fail "links opened: $(cat "$links")"
    probe key MorvaneForm Morvane2.0 Edit 0 27           # Esc in the main window ends all three
    ends
    probe gone MorvaneForm "" && probe gone MorvaneForm 查看文件后缀名 || fail "a window outlived the program" ;;
  *) fail "unknown scenario $2" ;;
esac
echo "PASS: $2"
