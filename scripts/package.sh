#!/usr/bin/env bash
# Builds the release packages: build/package/Morvane-2.0-win64.zip and
# Morvane-2.0-win32.zip (each Morvane.exe and the user guide 使用说明.txt),
# and SHA256SUMS beside them. The build settings MORVANE_WEB_HOST and
# MORVANE_MAIL of the two presets' caches apply (README).
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${1:-}" = --no-install ] || bash scripts/install-deps.sh
for preset in win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target Morvane
done
python3 tools/package.py build/package docs/使用说明.txt \
  win64=build/win64/src/Morvane.exe win32=build/win32/src/Morvane.exe
(cd build/package && sha256sum -c --quiet SHA256SUMS)
ls -l build/package
