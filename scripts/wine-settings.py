#!/usr/bin/env python3
"""Writes the registry settings of our Wine prefix as a .reg file (UTF-16LE)."""
import sys

dpi = int(sys.argv[1]) if len(sys.argv) > 1 else 96
managed = sys.argv[2] if len(sys.argv) > 2 else "N"
fonts = ["SimSun", "NSimSun", "宋体", "新宋体", "SimHei", "Microsoft YaHei", "Microsoft YaHei UI"]
lines = ["Windows Registry Editor Version 5.00", "",
         r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
lines += [f'"{name}"="WenQuanYi Micro Hei"' for name in fonts]
# Under a bare Xvfb, with no window manager, every hide or destroy of a
# top-level window waits two seconds; unmanaged windows drop that and Wine
# draws the frames itself. On a desktop the window manager takes them.
lines += ["", r"[HKEY_CURRENT_USER\Software\Wine\X11 Driver]", f'"Managed"="{managed}"', '"Decorated"="Y"']
lines += ["", r"[HKEY_CURRENT_USER\Control Panel\Desktop]", f'"LogPixels"=dword:{dpi:08x}']
lines += [""]
sys.stdout.buffer.write(("\ufeff" + "\r\n".join(lines) + "\r\n").encode("utf-16-le"))
