#!/usr/bin/env python3
"""Makes the release packages: one zip per architecture holding Morvane.exe and
the user guide, and SHA256SUMS beside them. Byte for byte the same for the same
inputs: fixed entry times and permissions, entries in a fixed order.

Usage: package.py OUTDIR GUIDE ARCH=EXE [ARCH=EXE ...]"""
import hashlib
import os
import sys
import zipfile

VERSION = "2.0"
GUIDE_NAME = "使用说明.txt"
# Every entry carries the same time: the package does not depend on when it is made.
ENTRY_TIME = (2026, 1, 1, 0, 0, 0)


def guide_bytes(path):
    """UTF-8 with a byte-order mark and CRLF line ends: every Notepad reads it right."""
    text = open(path, encoding="utf-8").read().replace("\r\n", "\n")
    return "\ufeff".encode("utf-8") + text.replace("\n", "\r\n").encode("utf-8")


def entry(name):
    info = zipfile.ZipInfo(name, ENTRY_TIME)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0  # MS-DOS, as Windows' own zip folders write it
    info.external_attr = 0x20  # the archive attribute, nothing else
    return info


def main(argv):
    if len(argv) < 4:
        sys.exit(__doc__)
    outdir, guide, pairs = argv[1], argv[2], argv[3:]
    os.makedirs(outdir, exist_ok=True)
    sums = []
    for pair in pairs:
        arch, exe = pair.split("=", 1)
        name = f"Morvane-{VERSION}-{arch}.zip"
        path = os.path.join(outdir, name)
        with zipfile.ZipFile(path, "w", compresslevel=9) as package:
            package.writestr(entry("Morvane.exe"), open(exe, "rb").read())
            # Non-ASCII names are stored in UTF-8 and flagged so, as Windows 10 and 11 read them.
            package.writestr(entry(GUIDE_NAME), guide_bytes(guide))
        sums.append(f"{hashlib.sha256(open(path, 'rb').read()).hexdigest()}  {name}\n")
    with open(os.path.join(outdir, "SHA256SUMS"), "w", newline="\n") as out:
        out.writelines(sums)


if __name__ == "__main__":
    main(sys.argv)
