#!/usr/bin/env bash
# The real Morvane.exe under Wine, driven from outside with real X input
# (xdotool) and read back by the probe. Every wait is for an event (a window
# appears or goes, a text changes, the process ends), never a fixed sleep.
# Usage: e2e.sh BUILD-DIR SCENARIO [EXE]
set -euo pipefail
build=$1 scenario=$2 run="$1/wine-run.sh"
exe=${3:-$build/src/Morvane.exe}
work=$(mktemp -d "$build/e2e-$scenario-XXXX")
app=""
cleanup() {
  set +e
  [ -n "$app" ] && kill "$app" 2>/dev/null
  "$run" reg delete 'HKCU\Software\Wine\WineBrowser' /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

probe() { "$run" "$build/tests/e2e/probe.exe" "$@"; }
fail() {
  echo "FAIL ($scenario): $*" >&2
  if [ -n "$app" ]; then
    kill -0 "$app" 2>/dev/null && echo "(the program is still running)" >&2 || echo "(the program has ended)" >&2
  fi
  [ -s "$work/program.log" ] && { echo "--- what the program wrote:" >&2; tail -n 40 "$work/program.log" >&2; }
  exit 1
}
# The control shows TEXT, now or once the program has caught up; else the probe says what it shows.
expect() { probe until "$@" || fail "probe until $* (status $?): see above"; }
start() {  # [ARGUMENT...]
  MORVANE_WINE_EXEC=1 "$run" "$exe" "$@" >"$work/program.log" 2>&1 &
  app=$!
  probe wait MorvaneForm Morvane2.0 || fail "the main window did not appear"
}
ends() {  # the program has ended, and with it every window
  local i
  for i in $(seq 1200); do kill -0 "$app" 2>/dev/null || { app=""; return 0; }; sleep 0.05; done
  fail "the program did not end within 60 s"
}
click_on() {  # CLASS TITLE CTLCLASS N: a real mouse click in the middle of a control
  local x y w h
  read -r x y w h < <(probe rect "$@" | tr -d '\r') || fail "no control $3 #$4 in '$2'"
  xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 1
}
focus_input() {  # the keyboard's X focus on the main window, which gives it back to the input box
  # A window just shown may not have the X focus yet. A click on the status
  # bar, which takes no focus itself, activates the window and leaves the
  # input's caret where it was.
  click_on MorvaneForm Morvane2.0 msctls_statusbar32 0
  probe focused MorvaneForm Morvane2.0 "Edit $(probe text MorvaneForm Morvane2.0 Edit 0 | tr -d '\r')" || fail "probe focused (status $?): see above"
}
load_through_dialog() {  # PATH: the file window's 载入文件, answered in Wine's real Open dialog
  local winpath
  winpath=$("$run" winepath -w "$1" 2>/dev/null | tr -d '\r')
  probe click MorvaneForm 查看文件后缀名 Button 0
  probe wait '#32770' 打开 || fail "the Open dialog did not appear"
  probe settext '#32770' 打开 1148 "$winpath" && probe command '#32770' 打开 1
  probe gone '#32770' 打开 || fail "the Open dialog did not close"
  expect MorvaneForm 查看文件后缀名 Edit 0 "$winpath"
}
supplement() {  # KEY: its description in today's table, the key folded as the program folds it
  local key
  key=$(printf '%s' "$1" | /usr/bin/python3 -c 'import sys,unicodedata; print(unicodedata.normalize("NFKC", sys.stdin.read()).upper())')
  grep -oP "^    \{u\"\Q$key\E\", u\"\K[^\"]+" "$(dirname "$0")/../../src/dictionary/SupplementTable.cpp" ||
    fail "today's table has no $key"
}
open_file_window() {
  probe click MorvaneForm Morvane2.0 Button 2  # 查看文件后缀名
  probe wait MorvaneForm 查看文件后缀名 || fail "the file window did not appear"
}

case $scenario in
  typing)  # each keystroke's description, misses, erasing, the blank-ended key, Enter and Esc
    start
    focus_input
    xdotool type --delay 30 zi
    expect MorvaneForm Morvane2.0 Edit 0 zi
    expect MorvaneForm Morvane2.0 Edit 1 "UNIX gzip文件"
    xdotool type --delay 30 p
    expect MorvaneForm Morvane2.0 Edit 1 "Zip文件"
    xdotool key BackSpace BackSpace BackSpace
    expect MorvaneForm Morvane2.0 Edit 1 ""
    xdotool type --delay 30 "com "
    expect MorvaneForm Morvane2.0 Edit 1 "Corel Print Office文件（图形"
    # Today's extensions, some typed in an input method's full width. The
    # keyboard types ASCII; full-width text comes as an input method sends it,
    # in characters (xdotool would borrow a key for each, racing the program's
    # reading of the keyboard map on a loaded machine).
    for typing in keyboard:docx ime:ＭＰ４ keyboard:json ime:ａｐｋ keyboard:webp keyboard:msix ime:ｅｖｔｘ; do
      key=${typing#*:}
      xdotool key ctrl+a BackSpace
      expect MorvaneForm Morvane2.0 Edit 0 ""
      if [ "${typing%%:*}" = keyboard ]; then
        xdotool type --delay 30 "$key"
      else
        probe chars MorvaneForm Morvane2.0 Edit 0 "$key"
      fi
      expect MorvaneForm Morvane2.0 Edit 0 "$key"
      expect MorvaneForm Morvane2.0 Edit 1 "$(supplement "$key")"
    done
    xdotool key Return Escape
    ends ;;
  windows)  # a real file through the real Open dialog and shell; links caught by a recorder
    file="$work/测试文件.txt" links="$work/links" recorder="$work/recorder.sh"
    echo hello > "$file"
    : > "$links"
    printf '#!/bin/sh\necho "$1" >> %s\n' "$links" > "$recorder" && chmod +x "$recorder"
    for kind in Browsers Mailers; do "$run" reg add 'HKCU\Software\Wine\WineBrowser' /v $kind /d "$recorder" /f >/dev/null 2>&1; done
    start
    open_file_window
    load_through_dialog "$file"
    expect MorvaneForm 查看文件后缀名 Static 6 txt
    expect MorvaneForm 查看文件后缀名 Static 0 测试文件.txt
    probe click MorvaneForm Morvane2.0 Button 0  # 关  于
    probe wait MorvaneForm "" || fail "the About window did not appear"
    probe click MorvaneForm "" Static 1 && probe click MorvaneForm "" Static 2  # the two links
    for _ in $(seq 1200); do [ "$(wc -l < "$links")" -ge 2 ] && break; sleep 0.05; done
    grep -qx 'http://[^/]*/\?' "$links" && grep -q '^mailto:.*@' "$links" || fail "links opened: $(cat "$links")"
    probe key MorvaneForm Morvane2.0 Edit 0 27  # Esc in the main window ends all three
    ends
    probe gone MorvaneForm "" && probe gone MorvaneForm 查看文件后缀名 || fail "a window outlived the program" ;;
  modal)  # while the Open dialog is up, the other windows keep their keys
    start
    probe move MorvaneForm Morvane2.0 10 10  # out from under the dialog, for the mouse
    open_file_window
    probe click MorvaneForm 查看文件后缀名 Button 0  # 载入文件
    probe wait '#32770' 打开 || fail "the Open dialog did not appear"
    probe click MorvaneForm Morvane2.0 Button 0  # 关  于
    probe wait MorvaneForm "" || fail "the About window did not appear"
    click_on MorvaneForm "" Static 0
    probe focused MorvaneForm "" "Button 确定" || fail "see above"
    xdotool key Tab
    probe focused MorvaneForm "" "Button 退出" || fail "Tab did not move the focus in the About window"
    click_on MorvaneForm Morvane2.0 Edit 1
    xdotool key Escape
    ends ;;
  cmdline)  # a path on the command line, as Send To and Open with pass it
    start 'C:\Documents and Settings\年度 报告.Zip'
    expect MorvaneForm Morvane2.0 Edit 0 Zip
    expect MorvaneForm Morvane2.0 Edit 1 "Zip文件"
    focus_input
    xdotool type --delay 30 x  # the caret waits after the extension
    expect MorvaneForm Morvane2.0 Edit 0 Zipx
    probe key MorvaneForm Morvane2.0 Edit 0 27
    ends
    for nothing in "" 'C:\no\such\folder\README'; do  # an empty argument, a name with no extension
      start "$nothing"
      expect MorvaneForm Morvane2.0 Edit 0 ""
      expect MorvaneForm Morvane2.0 Edit 1 ""
      probe key MorvaneForm Morvane2.0 Edit 0 27
      ends
    done ;;
  planted)  # libraries left beside the exe under system names are never loaded
    cp "$exe" "$build/tests/e2e/probe.exe" "$work/"
    # Not ole32, which the program binds from the system folder too: Wine's own
    # imm32 asks for it by bare name when any program's first window opens.
    names=(comdlg32 shell32)
    for name in "${names[@]}"; do cp "$build/tests/e2e/planted.dll" "$work/$name.dll"; done
    # Wine prefers its own copies of these; told to prefer native ones, as
    # Windows does for a library that is not a known system DLL, it takes a
    # planted copy for any program that asks by bare name.
    export MORVANE_DLL_OVERRIDES="$(IFS=,; echo "${names[*]}")=n,b"
    "$run" "$work/probe.exe" loadlib comdlg32.dll >/dev/null || true
    [ -f "$work/comdlg32.dll.loaded" ] || fail "Wine would not take the planted copy: the check proves nothing"
    rm -f "$work"/*.loaded
    exe="$work/Morvane.exe"
    file="$work/样本.txt"
    echo sample > "$file"
    start
    open_file_window
    load_through_dialog "$file"
    expect MorvaneForm 查看文件后缀名 Static 0 样本.txt
    probe key MorvaneForm Morvane2.0 Edit 0 27
    ends
    loaded=$(cd "$work" && ls ./*.loaded 2>/dev/null || true)
    [ -z "$loaded" ] || fail "the program loaded planted libraries: $loaded" ;;
  drop)  # files dragged from a file manager: Wine turns the X drop into WM_DROPFILES
    file="$work/年度 报告.Zip" other="$work/명단.한글"
    echo report > "$file" && echo list > "$other"
    drop_on() {  # CLASS TITLE PATH...: dropped in the middle of that window
      local x y w h
      read -r x y w h < <(probe rect "$1" "$2" | tr -d '\r') || fail "no window '$2'"
      /usr/bin/python3 "$(dirname "$0")/xdnd-drop.py" $((x + w / 2)) $((y + h / 2)) "${@:3}" || fail "the drop on '$2' failed"
    }
    start
    drop_on MorvaneForm Morvane2.0 "$file" "$other"  # of two files, the first
    expect MorvaneForm Morvane2.0 Edit 0 Zip
    expect MorvaneForm Morvane2.0 Edit 1 "Zip文件"
    open_file_window
    drop_on MorvaneForm 查看文件后缀名 "$other"
    expect MorvaneForm 查看文件后缀名 Edit 0 "$("$run" winepath -w "$other" 2>/dev/null | tr -d '\r')"
    expect MorvaneForm 查看文件后缀名 Static 6 한글
    expect MorvaneForm 查看文件后缀名 Static 0 명단.한글
    probe key MorvaneForm Morvane2.0 Edit 0 27
    ends ;;
  shipped)  # the 64-bit package as a user gets it: unpacked into an empty folder, nothing beside it
    package="$build/../package/Morvane-2.0-win64.zip"
    [ -f "$package" ] || fail "no package: scripts/package.sh makes it"
    python3 -m zipfile -e "$package" "$work/unpacked"
    [ "$(ls "$work/unpacked" | sort | tr '\n' ' ')" = "Morvane.exe 使用说明.txt " ] || fail "the package holds: $(ls "$work/unpacked")"
    exe="$work/unpacked/Morvane.exe"
    start
    focus_input
    xdotool type --delay 30 zip
    expect MorvaneForm Morvane2.0 Edit 1 "Zip文件"
    xdotool key Escape
    ends ;;
  *) fail "unknown scenario" ;;
esac
echo "PASS: $scenario"
