#!/usr/bin/env python3
"""Renders the program's icon from tallywick.svg: icons/tallywick-<size>.png and tallywick.ico.

The .ico holds twelve images: 16, 24, 32 and 48 pixels at 8 bits per pixel (a 256-colour palette and the
AND mask, for displays without alpha) and at 32 bits per pixel; 64, 72, 96 and 128 pixels at 32 bits per
pixel (BGRA and the AND mask).

Needs python3 and rsvg-convert (Debian package librsvg2-bin). Run it after changing the SVG and commit
what it writes: the build uses the committed files and needs neither this script nor rsvg-convert.

make-icons.py --check writes nothing: it fails when the committed PNGs no longer show the SVG, or the
committed .ico is not the one the PNGs make (exit 77 when rsvg-convert is missing).
"""

import pathlib
import struct
import subprocess
import sys
import zlib

HERE = pathlib.Path(__file__).resolve().parent
SVG = HERE / "tallywick.svg"
SIZES = [16, 24, 32, 48, 64, 72, 96, 128]
PALETTED = {16, 24, 32, 48}  # also stored at 8 bpp
OPAQUE = 128  # alpha from which a pixel counts as drawn in the AND mask and the 8-bit images


def render(size):
    """The SVG drawn at size x size pixels, as PNG bytes."""
    try:
        return subprocess.run(
            ["rsvg-convert", "-w", str(size), "-h", str(size), "-f", "png", str(SVG)],
            check=True,
            stdout=subprocess.PIPE,
        ).stdout
    except FileNotFoundError:
        print("make-icons: rsvg-convert is missing (Debian package librsvg2-bin)", file=sys.stderr)
        sys.exit(77)


def decode_png(data):
    """Width, height and rows of (r, g, b, a) pixels of an 8-bit RGB or RGBA, non-interlaced PNG."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos : pos + 8])
        body = data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError("unsupported PNG form")
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1 : pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + pred) & 0xFF
        rows.append(
            [
                tuple(line[x * channels : x * channels + 3]) + ((line[x * channels + 3],) if channels == 4 else (255,))
                for x in range(width)
            ]
        )
        previous = line
    return width, height, rows


def median_cut(colours, boxes):
    """At most `boxes` representative colours of a list of (r, g, b), by splitting the widest box."""
    work = [sorted(colours)]
    while len(work) < boxes:
        widest, axis, span = None, 0, 0
        for index, box in enumerate(work):
            if len(box) < 2:
                continue
            for a in range(3):
                values = [c[a] for c in box]
                if max(values) - min(values) > span:
                    widest, axis, span = index, a, max(values) - min(values)
        if widest is None:
            break
        box = sorted(work.pop(widest), key=lambda c: (c[axis], c))
        half = len(box) // 2
        work += [box[:half], box[half:]]
    return [tuple(sum(c[a] for c in box) // len(box) for a in range(3)) for box in work if box]


def and_mask(rows, width):
    """The 1-bit AND mask, bottom row first: a set bit lets the screen show through."""
    stride = (width + 31) // 32 * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] < OPAQUE:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def bitmap_header(width, height, bits, image_bytes):
    # BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
    return struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, image_bytes, 0, 0, 0, 0)


def image_32(width, height, rows):
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = and_mask(rows, width)
    return bitmap_header(width, height, 32, len(pixels) + len(mask)) + bytes(pixels) + mask


def image_8(width, height, rows):
    drawn = [p[:3] for row in rows for p in row if p[3] >= OPAQUE]
    distinct = sorted(set(drawn))
    # Index 0 is black: the colour under a set mask bit, so that the screen shows through unchanged.
    palette = distinct if len(distinct) <= 255 else median_cut(drawn, 255)
    palette = [(0, 0, 0)] + palette

    def nearest(colour, cache={}):
        key = (id(palette), colour)
        if key not in cache:
            cache[key] = min(
                range(1, len(palette)),
                key=lambda i: sum((palette[i][a] - colour[a]) ** 2 for a in range(3)),
            )
        return cache[key]

    stride = (width + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            line[x] = nearest(pixel[:3]) if pixel[3] >= OPAQUE else 0
        pixels += line
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (256 - len(palette)))
    mask = and_mask(rows, width)
    body = table + bytes(pixels) + mask
    return bitmap_header(width, height, 8, len(pixels) + len(mask)) + body


def ico_bytes(images):
    """The .ico file of images: (size, bits, bitmap bytes) in directory order."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory, data = b"", b""
    for size, bits, bitmap in images:
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(bitmap), offset + len(data))
        data += bitmap
    return header + directory + data


def ico_images(pngs):
    """The .ico's images, in directory order, from the PNG bytes of each size."""
    images = []
    for size in SIZES:
        width, height, rows = decode_png(pngs[size])
        if (width, height) != (size, size):
            sys.exit(f"make-icons: the {size} pixel PNG is {width}x{height}")
        images.append((size, 32, image_32(width, height, rows)))
        if size in PALETTED:
            images.append((size, 8, image_8(width, height, rows)))
    return images


def png_path(size):
    return HERE / "icons" / f"tallywick-{size}.png"


def check():
    """Fails when the committed files are stale; rendering may differ by rounding between librsvg versions."""
    stale = []
    for size in SIZES:
        _, _, drawn = decode_png(render(size))
        _, _, kept = decode_png(png_path(size).read_bytes())
        worst = max(abs(a - b) for r1, r2 in zip(drawn, kept) for p, q in zip(r1, r2) for a, b in zip(p, q))
        if len(drawn) != len(kept) or worst > 8:
            stale.append(png_path(size).name)
    made = ico_bytes(ico_images({s: png_path(s).read_bytes() for s in SIZES}))
    if made != (HERE / "tallywick.ico").read_bytes():
        stale.append("tallywick.ico")
    if stale:
        sys.exit("make-icons: stale, run resources/make-icons.py and commit: " + ", ".join(stale))
    print("make-icons: the committed icons match tallywick.svg")


def main():
    if sys.argv[1:] == ["--check"]:
        check()
        return
    (HERE / "icons").mkdir(exist_ok=True)
    pngs = {size: render(size) for size in SIZES}
    for size, png in pngs.items():
        png_path(size).write_bytes(png)
    images = ico_images(pngs)
    (HERE / "tallywick.ico").write_bytes(ico_bytes(images))
    print(f"make-icons: wrote {len(SIZES)} PNGs and tallywick.ico with {len(images)} images")


if __name__ == "__main__":
    main()
