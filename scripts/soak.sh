#!/usr/bin/env bash
# Soaks the real program under Wine: KEYSTROKES keystrokes of every kind
# (about one in a hundred a paste of PASTE-KB kilobytes), then CYCLES openings
# and closings of each secondary window; every description checked, the
# program's resources compared after a warm-up and at the end.
# Usage: soak.sh [KEYSTROKES=5000] [CYCLES=300] [PASTE-KB=1024] [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${DISPLAY:-}" ] || exec bash scripts/with-display.sh bash "$0" "$@"
bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Morvane Soak
build=$PWD/build/win64
"$build/wine-run.sh" wineboot >/dev/null 2>&1 </dev/null
"$build/wine-run.sh" "$build/tests/soak/Soak.exe" "$build/src/Morvane.exe" "${1:-5000}" "${2:-300}" "${3:-1024}" ${4:+"$4"}
