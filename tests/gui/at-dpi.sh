#!/usr/bin/env bash
# Runs a Windows program of the build at a given screen DPI in the prefix
# named by MORVANE_WINEPREFIX. Wine reads the DPI once per process, so the
# prefix's setting changes before the program starts.
# Usage: at-dpi.sh BUILD-DIR DPI PROGRAM [ARGS...]
set -euo pipefail
run="$1/wine-run.sh" dpi=$2
shift 2
"$run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
exec "$run" "$@"
