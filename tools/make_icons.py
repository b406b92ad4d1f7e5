#!/usr/bin/env python3
"""Build Morvane's icons and cursor from the text pixel maps in src/resources/art.

The pictures live as text so that a change to one shows up in review as a
readable diff, and so that the binary resources can be rebuilt on any machine
with nothing but Python.  Run from the repository root:

    python3 tools/make_icons.py                  write src/resources/*.ico, *.cur
    python3 tools/make_icons.py --check          fail if a written file is stale
    python3 tools/make_icons.py --preview DIR    also write enlarged PNGs to DIR

Map format (one file per picture; in the header, blank lines and '#'
comments are ignored):

    output app.ico           file written into src/resources (.ico or .cur)
    size 32 32               width and height in pixels
    bits 8                   colour depth: 8 (256 colours) or 4 (16 colours)
    hotspot 12 1             cursors only: the pixel that does the pointing
    colour K 202020          palette legend: one character, then RRGGBB
    variant file.ico B=2f9a46 D=1c6a2e
                             another output from the same pixels with some
                             colours swapped, so related pictures stay in step
    pixels                   followed by exactly `height` rows of `width`
                             characters; '.' is always transparent

Output is a pure function of the maps, so rebuilding gives byte-identical files.
"""

import argparse
import struct
import sys
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
ART_DIR = ROOT / "src" / "resources" / "art"
OUT_DIR = ROOT / "src" / "resources"

TRANSPARENT = "."
ICONDIR_SIZE = 6
ENTRY_SIZE = 16
HEADER_SIZE = 40

# Every icon is one 32 x 32, 256-colour image.  The About window's picture is
# loaded with exactly this layout in mind, so a map that drifts from it has to
# fail here, not when the program runs.
ICON_FILE_SIZE = ICONDIR_SIZE + ENTRY_SIZE + HEADER_SIZE + 256 * 4 + 32 * 32 + 32 * 4
assert ICON_FILE_SIZE == 2238


# How many values follow each keyword; 'variant' takes a name and any swaps.
ARITY = {"output": 1, "size": 2, "bits": 1, "hotspot": 2, "colour": 2, "pixels": 0}


class MapError(Exception):
    pass


class PixelMap:
    def __init__(self, source):
        self.source = source
        self.output = None
        self.width = self.height = None
        self.bits = None
        self.hotspot = None
        self.legend = {}  # character -> (r, g, b), in the order written
        self.variants = []  # (output name, {character: (r, g, b)})
        self.rows = []


def parse_colour(text, where):
    if len(text) != 6:
        raise MapError(f"{where}: colour '{text}' is not RRGGBB")
    try:
        value = int(text, 16)
    except ValueError:
        raise MapError(f"{where}: colour '{text}' is not RRGGBB") from None
    return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF


def parse_int(text, where):
    try:
        return int(text)
    except ValueError:
        raise MapError(f"{where}: '{text}' is not a whole number") from None


def parse_map(path):
    pm = PixelMap(path)
    lines = path.read_text(encoding="utf-8").splitlines()
    i = 0
    while i < len(lines):
        where = f"{path.name}:{i + 1}"
        line = lines[i].split("#", 1)[0].strip()
        i += 1
        if not line:
            continue
        word, *args = line.split()
        if word in ARITY and len(args) != ARITY[word] or word == "variant" and not args:
            raise MapError(f"{where}: wrong number of values after '{word}'")
        if word == "output":
            pm.output = args[0]
        elif word == "size":
            pm.width, pm.height = (parse_int(a, where) for a in args[:2])
        elif word == "bits":
            pm.bits = parse_int(args[0], where)
        elif word == "hotspot":
            pm.hotspot = tuple(parse_int(a, where) for a in args[:2])
        elif word == "colour":
            char, value = args
            if len(char) != 1 or char == TRANSPARENT:
                raise MapError(f"{where}: '{char}' cannot name a colour")
            if char in pm.legend:
                raise MapError(f"{where}: '{char}' is already in the legend")
            pm.legend[char] = parse_colour(value, where)
        elif word == "variant":
            swaps = {}
            for swap in args[1:]:
                char, _, value = swap.partition("=")
                if char not in pm.legend:
                    raise MapError(f"{where}: variant swaps '{char}', which the legend lacks")
                swaps[char] = parse_colour(value, where)
            pm.variants.append((args[0], swaps))
        elif word == "pixels":
            pm.rows = [row.rstrip() for row in lines[i : i + (pm.height or 0)]]
            i += len(pm.rows)
        else:
            raise MapError(f"{where}: unknown keyword '{word}'")
    check_map(pm)
    return pm


def check_map(pm):
    name = pm.source.name
    if None in (pm.output, pm.width, pm.height, pm.bits):
        raise MapError(f"{name}: output, size and bits are all required")
    if not pm.output.endswith((".ico", ".cur")):
        raise MapError(f"{name}: output must be a .ico or .cur file")
    if pm.bits not in (4, 8):
        raise MapError(f"{name}: bits must be 4 or 8")
    # Index 0 is kept for transparent pixels, so the legend gets one fewer.
    if len(pm.legend) + 1 > 1 << pm.bits:
        raise MapError(f"{name}: {len(pm.legend)} colours do not fit in {pm.bits} bits")
    if len(pm.rows) != pm.height:
        raise MapError(f"{name}: expected {pm.height} pixel rows, found {len(pm.rows)}")
    for y, row in enumerate(pm.rows):
        if len(row) != pm.width:
            raise MapError(f"{name}: pixel row {y} has {len(row)} characters, not {pm.width}")
        for x, char in enumerate(row):
            if char != TRANSPARENT and char not in pm.legend:
                raise MapError(f"{name}: pixel ({x}, {y}) uses '{char}', which the legend lacks")
    is_cursor = pm.output.endswith(".cur")
    if is_cursor != (pm.hotspot is not None):
        raise MapError(f"{name}: a hotspot is needed for a cursor and only for a cursor")
    if is_cursor:
        hx, hy = pm.hotspot
        if not (0 <= hx < pm.width and 0 <= hy < pm.height):
            raise MapError(f"{name}: hotspot ({hx}, {hy}) is outside the picture")
        # A hot spot on a clear pixel nearly always means the drawing moved.
        if pm.rows[hy][hx] == TRANSPARENT:
            raise MapError(f"{name}: hotspot ({hx}, {hy}) is on a transparent pixel")
    for out, _ in pm.variants:
        if not out.endswith(".ico") or is_cursor:
            raise MapError(f"{name}: variants are for icons only, got '{out}'")


def encode(pm, colours, hotspot):
    """One-image .ico/.cur file: BITMAPINFOHEADER, palette, XOR pixels, AND mask."""
    width, height, bits = pm.width, pm.height, pm.bits
    # Transparent pixels are index 0 (black) under a set mask bit, which is
    # what Windows expects; each legend character then keeps a fixed index
    # so a variant differs from its base only in the palette.
    index = {TRANSPARENT: 0}
    palette = [(0, 0, 0)] * (1 << bits)
    for n, char in enumerate(pm.legend, start=1):
        index[char] = n
        palette[n] = colours[char]

    xor_stride = (width * bits + 31) // 32 * 4
    and_stride = (width + 31) // 32 * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pm.rows):  # DIB rows run bottom-up
        packed = bytearray(xor_stride)
        bitrow = bytearray(and_stride)
        for x, char in enumerate(row):
            value = index[char]
            if bits == 8:
                packed[x] = value
            else:
                packed[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if char == TRANSPARENT:
                bitrow[x // 8] |= 0x80 >> (x % 8)
        xor += packed
        mask += bitrow

    image = struct.pack(
        "<IiiHHIIiiII",
        HEADER_SIZE, width, height * 2,  # height counts XOR and AND halves
        1, bits, 0, len(xor) + len(mask), 0, 0, 0, 0,
    )
    image += b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    image += xor + mask

    colour_count = 0 if bits >= 8 else 1 << bits
    if hotspot is None:
        kind, field1, field2 = 1, 1, bits  # planes, bit count
    else:
        kind, (field1, field2) = 2, hotspot  # cursors store the hot spot here
    header = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack(
        "<BBBBHHII",
        width & 0xFF, height & 0xFF, colour_count, 0,
        field1, field2, len(image), ICONDIR_SIZE + ENTRY_SIZE,
    )
    return header + entry + bytes(image)


def decode(data):
    """Read back a file written by encode(): (width, height, hotspot, RGBA rows).

    Kept independent of the maps so that a fault in encode() cannot hide
    itself by being undone the same wrong way.
    """
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind not in (1, 2) or count != 1:
        raise MapError("not a one-image icon or cursor file")
    w, h, _, _, f1, f2, size, offset = struct.unpack_from("<BBBBHHII", data, ICONDIR_SIZE)
    if offset + size != len(data):
        raise MapError("directory entry does not match the file length")
    hsize, width, height2, planes, bits, compression = struct.unpack_from("<IiiHHI", data, offset)
    if hsize != HEADER_SIZE or planes != 1 or compression != 0 or height2 != 2 * (h or 256):
        raise MapError("unexpected bitmap header")
    height = height2 // 2
    if (w or 256) != width:
        raise MapError("directory and bitmap header disagree on width")
    if kind == 1 and (f1, f2) != (1, bits):
        raise MapError("icon entry planes/bit count are wrong")
    pal_at = offset + HEADER_SIZE
    palette = [data[pal_at + 4 * n : pal_at + 4 * n + 3][::-1] for n in range(1 << bits)]
    xor_at = pal_at + 4 * (1 << bits)
    xor_stride = (width * bits + 31) // 32 * 4
    and_at = xor_at + xor_stride * height
    and_stride = (width + 31) // 32 * 4
    if and_at + and_stride * height != len(data):
        raise MapError("pixel data does not fill the file exactly")
    rows = []
    for y in range(height):
        src = height - 1 - y
        row = []
        for x in range(width):
            byte = data[xor_at + src * xor_stride + x * bits // 8]
            value = byte if bits == 8 else (byte >> 4 if x % 2 == 0 else byte & 0x0F)
            clear = data[and_at + src * and_stride + x // 8] & (0x80 >> (x % 8))
            if clear and value != 0:
                raise MapError(f"pixel ({x}, {y}) is masked but not black, so it would invert")
            row.append((0, 0, 0, 0) if clear else (*palette[value], 255))
        rows.append(row)
    return width, height, ((f1, f2) if kind == 2 else None), rows


def expected_rgba(pm, colours):
    return [
        [(0, 0, 0, 0) if c == TRANSPARENT else (*colours[c], 255) for c in row]
        for row in pm.rows
    ]


def build(pm):
    """All (file name, bytes) pairs that one map produces, each verified."""
    outputs = [(pm.output, dict(pm.legend))]
    outputs += [(name, {**pm.legend, **swaps}) for name, swaps in pm.variants]
    built = []
    for name, colours in outputs:
        data = encode(pm, colours, pm.hotspot)
        if name.endswith(".ico") and len(data) != ICON_FILE_SIZE:
            raise MapError(f"{name}: {len(data)} bytes, but every icon must be {ICON_FILE_SIZE}")
        width, height, hotspot, rows = decode(data)
        if (width, height, hotspot) != (pm.width, pm.height, pm.hotspot):
            raise MapError(f"{name}: size or hotspot did not survive a round trip")
        if rows != expected_rgba(pm, colours):
            raise MapError(f"{name}: pixels did not survive a round trip")
        built.append((name, data))
    return built


def png(rows, scale):
    """Enlarged preview with a checkerboard behind transparent pixels."""
    height, width = len(rows) * scale, len(rows[0]) * scale
    raw = bytearray()
    for y in range(height):
        raw.append(0)  # filter: none
        for x in range(width):
            r, g, b, a = rows[y // scale][x // scale]
            if not a:
                r = g = b = 0xFF if ((x // 8) + (y // 8)) % 2 else 0xD8
            raw += bytes((r, g, b))

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n", 1)[0])
    parser.add_argument("--check", action="store_true",
                        help="write nothing; exit 1 if any file in src/resources is stale")
    parser.add_argument("--preview", metavar="DIR", type=Path,
                        help="also write each picture, enlarged 8 times, as a PNG into DIR")
    args = parser.parse_args()

    maps = sorted(ART_DIR.glob("*.txt"))
    if not maps:
        sys.exit(f"no pixel maps in {ART_DIR}")
    try:
        built = [item for path in maps for item in build(parse_map(path))]
    except MapError as err:
        sys.exit(f"make_icons: {err}")
    names = [name for name, _ in built]
    duplicates = sorted({n for n in names if names.count(n) > 1})
    if duplicates:
        sys.exit(f"make_icons: more than one map writes {', '.join(duplicates)}")

    stale = []
    for name, data in built:
        target = OUT_DIR / name
        if args.check:
            if not target.is_file() or target.read_bytes() != data:
                stale.append(name)
            continue
        target.write_bytes(data)
        print(f"{target.relative_to(ROOT)}  {len(data)} bytes")
        if args.preview:
            args.preview.mkdir(parents=True, exist_ok=True)
            _, _, _, rows = decode(data)
            (args.preview / (name + ".png")).write_bytes(png(rows, 8))
    if stale:
        sys.exit("make_icons: out of date, rerun tools/make_icons.py: " + ", ".join(stale))


if __name__ == "__main__":
    main()
