#!/usr/bin/env python3
"""Writes the registry settings of our Wine prefix as a .reg file (UTF-16LE).
Usage: wine-settings.py [DPI] [MANAGED=Y|N] [FONT=wqy|tall]"""
import struct
import sys

dpi = int(sys.argv[1]) if len(sys.argv) > 1 else 96
managed = sys.argv[2] if len(sys.argv) > 2 else "N"
font = sys.argv[3] if len(sys.argv) > 3 else "wqy"
# Windows' Chinese font names, mapped to a Debian CJK font. The "tall" set
# stands in for a real zh-CN Windows, whose Microsoft YaHei UI has a taller
# cell than WenQuanYi Micro Hei at the same size: Noto Sans CJK SC is taller
# still, so what fits it fits Windows.
target = "Noto Sans CJK SC" if font == "tall" else "WenQuanYi Micro Hei"
fonts = ["SimSun", "NSimSun", "宋体", "新宋体", "SimHei", "Microsoft YaHei", "Microsoft YaHei UI"]
lines = ["Windows Registry Editor Version 5.00", "",
         r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
lines += [f'"{name}"="{target}"' for name in fonts]
# Under a bare Xvfb, with no window manager, every hide or destroy of a
# top-level window waits two seconds; unmanaged windows drop that and Wine
# draws the frames itself. On a desktop the window manager takes them.
lines += ["", r"[HKEY_CURRENT_USER\Software\Wine\X11 Driver]", f'"Managed"="{managed}"', '"Decorated"="Y"']
lines += ["", r"[HKEY_CURRENT_USER\Control Panel\Desktop]", f'"LogPixels"=dword:{dpi:08x}']
if font == "tall":
    # The message font of a zh-CN Windows 10 or 11: Microsoft YaHei UI, 9 points.
    face = "Microsoft YaHei UI".encode("utf-16-le").ljust(64, b"\0")
    logfont = struct.pack("<lllll8B", -12, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0) + face
    lines += ["", r"[HKEY_CURRENT_USER\Control Panel\Desktop\WindowMetrics]",
              '"MessageFont"=hex:' + ",".join(f"{b:02x}" for b in logfont)]
lines += [""]
sys.stdout.buffer.write(("\ufeff" + "\r\n".join(lines) + "\r\n").encode("utf-16-le"))
