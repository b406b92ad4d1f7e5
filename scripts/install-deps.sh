#!/usr/bin/env bash
# Installs what building and testing need on Debian or Ubuntu; quiet, and a
# no-op when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libbenchmark-dev python3
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb xauth xdotool x11-apps x11-utils python3-xlib
  fonts-wqy-microhei fonts-noto-cjk fonts-wine locales util-linux
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
