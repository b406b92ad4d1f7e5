#!/usr/bin/env bash
# End-to-end: the real Morvane.exe under Wine, driven from outside with real
# X input (xdotool) and read back by the probe. Usage: e2e.sh BUILD-DIR SCENARIO
set -euo pipefail
build=$1 scenario=$2
run="$build/wine-run.sh"
exe="$build/src/Morvane.exe"
probe() { "$run" "$build/tests/e2e/probe.exe" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
expect_text() {  # window-class window-title control-class index expected
  local got
  got=$(probe text "$1" "$2" "$3" "$4" | tr -d '\r')
  [ "$got" = "$5" ] || fail "$3 #$4 of '$2' shows '$got', expected '$5'"
}

start() {
  "$run" "$exe" >/dev/null 2>&1 &
  app=$!
  probe wait MorvaneForm Morvane2.0 || fail "main window did not appear"
}
stop_expected() {  # the program must end by itself
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || return 0; sleep 0.05; done
  fail "the program is still running"
}
cleanup() { [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true; }
trap cleanup EXIT

case $scenario in
  typing)
    start
    xdotool type --delay 30 zip
    expect_text MorvaneForm Morvane2.0 Edit 1 "Zip文件"
    xdotool key BackSpace
    expect_text MorvaneForm Morvane2.0 Edit 1 "Zip文件"
    xdotool key BackSpace BackSpace
    expect_text MorvaneForm Morvane2.0 Edit 1 ""
    xdotool type --delay 30 "com "
    expect_text MorvaneForm Morvane2.0 Edit 1 "Corel Print Office文件（图形"
    xdotool key Return
    xdotool key Escape
    stop_expected
    ;;
  file-window)
    dir=$(mktemp -d "$build/e2e-XXXX")
    file="$dir/测试文件.txt"
    echo hello > "$file"
    winpath=$("$run" winepath -w "$file" 2>/dev/null | tr -d '\r')
    start
    probe click MorvaneForm Morvane2.0 Button 2          # 查看文件后缀名
    probe wait MorvaneForm 查看文件后缀名 || fail "file window did not appear"
    probe click MorvaneForm 查看文件后缀名 Button 0       # 载入文件
    probe wait '#32770' 打开 || fail "Open dialog did not appear"
    probe settext '#32770' 打开 1148 "$winpath"
    probe command '#32770' 打开 1
    probe gone '#32770' 打开 || fail "Open dialog did not close"
    sleep 0.3
    expect_text MorvaneForm 查看文件后缀名 Edit 0 "$winpath"
    expect_text MorvaneForm 查看文件后缀名 Static 6 "txt"
    expect_text MorvaneForm 查看文件后缀名 Static 0 "测试文件.txt"
    [ -n "$(probe text MorvaneForm 查看文件后缀名 Static 1 | tr -d '\r\n')" ] || fail "no type name"
    probe click MorvaneForm 查看文件后缀名 Button 1       # 退出
    probe gone MorvaneForm 查看文件后缀名 || fail "file window did not close"
    probe key MorvaneForm Morvane2.0 Edit 0 27           # Esc
    stop_expected
    rm -rf "$dir"
    ;;
  about-links)
    # Links go to a recorder instead of a browser or mail program.
    log=$(mktemp "$build/e2e-links-XXXX")
    recorder=$(mktemp "$build/e2e-recorder-XXXX.sh")
    printf '#!/bin/sh\necho "$1" >> %s\n' "$log" > "$recorder"
    chmod +x "$recorder"
    key='HKCU\Software\Wine\WineBrowser'
    "$run" reg add "$key" /v Browsers /d "$recorder" /f >/dev/null 2>&1
    "$run" reg add "$key" /v Mailers /d "$recorder" /f >/dev/null 2>&1
    trap 'cleanup; "$run" reg delete "$key" /f >/dev/null 2>&1 || true; rm -f "$log" "$recorder"' EXIT
    start
    probe click MorvaneForm Morvane2.0 Button 0          # 关  于
    probe wait MorvaneForm "" || fail "About window did not appear"
    probe click MorvaneForm "" Static 1                  # 网址:
    probe click MorvaneForm "" Static 2                  # E-mail:
    for _ in $(seq 100); do [ "$(wc -l < "$log")" -ge 2 ] && break; sleep 0.05; done
    grep -qx 'http://[^/]*/\?' "$log" || fail "home page not opened: $(cat "$log")"
    grep -q '^mailto:.*@' "$log" || fail "mail link not opened: $(cat "$log")"
    probe wait MorvaneForm "" || fail "the About window closed on a link"
    # Esc in the main window ends everything, the About window included.
    probe key MorvaneForm Morvane2.0 Edit 0 27
    stop_expected
    probe gone MorvaneForm "" || fail "About window outlived the program"
    ;;
  *) fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario"
