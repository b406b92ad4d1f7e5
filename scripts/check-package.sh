#!/usr/bin/env bash
# Checks the release packages as shipped: reproducible to the byte (the exes
# built a second time in other folders, the zips made twice), only Windows' own
# DLLs imported, the 32-bit exe a PE32 (i686) image with the 64-bit one's
# version resource. Expects scripts/package.sh to have run.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "FAIL (package): $*" >&2; exit 1; }
[ -f build/package/SHA256SUMS ] || fail "no packages: run scripts/package.sh first"

declare -A tool=([win64]=x86_64 [win32]=i686)
for preset in win64 win32; do
  exe=build/$preset/src/Morvane.exe
  # The same sources in another folder, configured afresh, give the same bytes.
  again=build/repro/$preset-elsewhere
  cmake --preset "$preset" -B "$again" -DMORVANE_TESTS=OFF --no-warn-unused-cli >/dev/null
  cmake --build "$again" --target Morvane >/dev/null
  cmp "$exe" "$again/src/Morvane.exe" || fail "$preset: a second build differs"
  # Only Windows' own libraries: no C++ runtime DLL, and no shell, dialog or
  # COM library either, which are bound when first used.
  imports=$(${tool[$preset]}-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
  [ "$imports" = "comctl32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll " ] || fail "$preset imports: $imports"
done
file build/win32/src/Morvane.exe | grep -q 'PE32 executable (GUI) Intel 80386' || fail "the 32-bit exe is not a PE32 i386 image"
version() { "$1"-w64-mingw32-windres -i "$2" -O rc | sed -n '/VERSIONINFO/,$p'; }
[ "$(version x86_64 build/win64/src/Morvane.exe)" = "$(version i686 build/win32/src/Morvane.exe)" ] ||
  fail "the two exes carry different version resources"
version x86_64 build/win64/src/Morvane.exe | grep -q 'FILEVERSION 2, 0, 0, 0' || fail "no version 2.0 resource"

# The packages hold what they should, and making them again gives the same bytes.
twice=build/repro/package
python3 tools/package.py "$twice" docs/使用说明.txt win64=build/win64/src/Morvane.exe win32=build/win32/src/Morvane.exe
for f in Morvane-2.0-win64.zip Morvane-2.0-win32.zip SHA256SUMS; do
  cmp "build/package/$f" "$twice/$f" || fail "$f differs when made again"
done
python3 - <<'PY' || fail "a package's contents are wrong"
import zipfile
for arch in ("win64", "win32"):
    z = zipfile.ZipFile(f"build/package/Morvane-2.0-{arch}.zip")
    assert z.namelist() == ["Morvane.exe", "使用说明.txt"], z.namelist()
    guide = z.read("使用说明.txt")
    assert guide.startswith(b"\xef\xbb\xbf") and b"\r\n" in guide and b"\n" not in guide.replace(b"\r\n", b""), "guide encoding"
    assert z.read("Morvane.exe") == open(f"build/{arch}/src/Morvane.exe", "rb").read()
PY
echo "PASS: packages reproducible, imports and versions as shipped"
