#!/usr/bin/env bash
# Times the program's start-up and measures its memory against a bare window
# with the same controls and manifest, under Wine in a private X server.
# Usage: startup-bench.sh [RUNS=15]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${DISPLAY:-}" ] || exec bash scripts/with-display.sh bash "$0" "$@"
bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Morvane BareWindow StartupBench
build=$PWD/build/win64
"$build/wine-run.sh" wineboot >/dev/null 2>&1 </dev/null  # Wine's own services up before timing
"$build/wine-run.sh" "$build/bench/startup/StartupBench.exe" "${1:-15}" \
  "$build/src/Morvane.exe" "$build/bench/startup/BareWindow.exe"
