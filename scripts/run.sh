#!/usr/bin/env bash
# Installs what is missing, builds the 64-bit Windows program and starts it
# under Wine on your display, in the build's own prefix (Chinese locale and
# fonts set up on first use).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is not set); start it from a desktop session," >&2
  echo "        or use: bash scripts/with-display.sh bash scripts/run.sh" >&2
  exit 1
fi

bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Morvane

build=$PWD/build/win64
# A prefix of its own, whose windows the desktop's window manager takes, as
# it does any other program's; the tests' prefix runs without one.
export MORVANE_WINEPREFIX=$build/wineprefix-desktop MORVANE_MANAGED=Y MORVANE_WINE_EXEC=1
exec "$build/wine-run.sh" "$build/src/Morvane.exe"
