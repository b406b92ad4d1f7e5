#!/usr/bin/env bash
# Installs what is missing, builds the native, 64-bit and 32-bit Windows
# presets, and runs every test: natively, then under Wine in a private X server.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
python3 tools/make_icons.py --check  # the committed icons match their pixel maps

for preset in host win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

# The release packages, checked as shipped; the end-to-end tests run the 64-bit one.
bash scripts/package.sh --no-install >/dev/null
bash scripts/check-package.sh

ctest --preset host
bash scripts/with-display.sh bash scripts/wine-tests.sh
