#!/usr/bin/env bash
# Runs the 64-bit Windows build's tests under Wine; expects DISPLAY to be set.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build/win64
export WINEPREFIX=$build/wineprefix
[ -f "$WINEPREFIX/.morvane-ready" ] || scripts/wine-prefix.sh "$WINEPREFIX" "$build/locale"

# One long-lived wineserver for the whole run: a cold start per test process
# would cost most of a second each.
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
# Wine's helper processes (services, the desktop) outlive the program that
# started them and keep its stdout open, so ctest would wait on them for
# ever: start them here, on /dev/null.
"$build/wine-run.sh" wineboot >/dev/null 2>&1 </dev/null

ctest --preset win64 "$@"
