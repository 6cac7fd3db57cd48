#!/usr/bin/env python3
"""Draws Kestrune's program icon and writes it as app/kestrune.ico.

The icon holds one 72x72 image, 32 bits per pixel (BGRA with alpha), stored as a
classic DIB inside the ICO: BITMAPINFOHEADER (height doubled), the XOR pixels
bottom-up, then the 1-bpp AND mask with rows padded to 32 bits.

The picture: a light log sheet with rounded corners and a blue title strip,
rows of grey table "text", one amber highlighted row, and a rust-coloured
magnifying glass (the kestrel's colour) over the lower-right corner that
shows the highlighted row enlarged.
Shapes are signed-distance tests, sampled 4x4 per pixel for smooth edges.

Only the Python standard library is used.

    python3 scripts/make-icon.py                 # writes app/kestrune.ico
    python3 scripts/make-icon.py --png out.png   # also writes a 4x enlarged PNG preview
"""

import argparse
import math
import os
import struct
import zlib

SIZE = 72
SUPER = 4  # samples per pixel along each axis


def hexrgb(s):
    s = s.lstrip("#")
    return tuple(int(s[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


# Colours
SHADOW = hexrgb("#1B2430")
EDGE = hexrgb("#4A5A6E")
PAPER = hexrgb("#FBFCFE")
TITLE = hexrgb("#2A66B0")
TITLE_TEXT = hexrgb("#DCE8F7")
ROW_TEXT = hexrgb("#A3ACB8")
ROW_STRIPE = hexrgb("#EEF1F5")
HILITE = hexrgb("#FFCF66")
HILITE_TEXT = hexrgb("#7A5200")
RING = hexrgb("#C8501E")
RING_DARK = hexrgb("#8E3210")
LENS = hexrgb("#FFF4EA")
GLINT = hexrgb("#FFFFFF")

# Geometry (pixel units, origin at the top-left corner of the image)
SHEET = (5.0, 4.0, 57.0, 64.0)  # left, top, right, bottom (outer edge)
SHEET_R = 7.0
BORDER = 1.5
TITLE_BOTTOM = 16.0
ROWS_TOP = 20.0
ROW_PITCH = 7.0
ROW_COUNT = 6
HILITE_ROW = 4
LENS_C = (49.0, 49.0)
LENS_R = 11.5  # centre line of the ring
RING_W = 4.0
MAGNIFY = 1.6
HANDLE_A = (57.6, 57.6)
HANDLE_B = (66.5, 66.5)
HANDLE_W = 6.0


# --- signed distances (negative inside) -------------------------------------

def sd_round_rect(x, y, rect, r):
    l, t, rr, b = rect
    cx, cy = (l + rr) / 2.0, (t + b) / 2.0
    hx, hy = (rr - l) / 2.0 - r, (b - t) / 2.0 - r
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    ox, oy = max(qx, 0.0), max(qy, 0.0)
    return math.hypot(ox, oy) + min(max(qx, qy), 0.0) - r


def sd_circle(x, y, c, r):
    return math.hypot(x - c[0], y - c[1]) - r


def sd_segment(x, y, a, b, half_w):
    ax, ay = a
    bx, by = b
    px, py = x - ax, y - ay
    dx, dy = bx - ax, by - ay
    h = max(0.0, min(1.0, (px * dx + py * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - dx * h, py - dy * h) - half_w


def inset(rect, d):
    l, t, r, b = rect
    return (l + d, t + d, r - d, b - d)


# --- the table rows ------------------------------------------------------------

# Each row: (start, end) spans of "text" in columns, in pixels.
ROW_SPANS = [
    [(9, 19), (22, 33), (36, 52)],
    [(9, 19), (22, 30), (36, 47)],
    [(9, 19), (22, 35), (36, 50)],
    [(9, 19), (22, 31), (36, 44)],
    [(9, 19), (22, 34), (36, 49)],
    [(9, 19), (22, 29), (36, 46)],
]
TEXT_H = 3.0


def row_top(i):
    return ROWS_TOP + i * ROW_PITCH


# --- per-sample colour -----------------------------------------------------------

def over(dst, rgb, a):
    """Composites rgb with alpha a over dst (premultiplied r, g, b, a)."""
    if a <= 0.0:
        return dst
    r, g, b, da = dst
    k = 1.0 - a
    return (rgb[0] * a + r * k, rgb[1] * a + g * k, rgb[2] * a + b * k, a + da * k)


def sheet(x, y, px):
    """Draws the log sheet (without its shadow) over px at (x, y)."""
    if sd_round_rect(x, y, SHEET, SHEET_R) <= 0.0:
        px = over(px, EDGE, 1.0)
        inner = inset(SHEET, BORDER)
        if sd_round_rect(x, y, inner, SHEET_R - BORDER) <= 0.0:
            if y < TITLE_BOTTOM:
                px = over(px, TITLE, 1.0)
                # title "text" and two window buttons
                if 7.0 <= y < 10.0 and 10.0 <= x < 30.0:
                    px = over(px, TITLE_TEXT, 1.0)
                for bx in (44.5, 50.5):
                    if sd_circle(x, y, (bx, 8.5), 2.0) <= 0.0:
                        px = over(px, TITLE_TEXT, 1.0)
            elif y < TITLE_BOTTOM + 1.0:
                px = over(px, EDGE, 1.0)
            else:
                px = over(px, PAPER, 1.0)
                for i, spans in enumerate(ROW_SPANS):
                    top = row_top(i)
                    band_t, band_b = top - 2.0, top + TEXT_H + 2.0
                    if band_t <= y < band_b:
                        if i == HILITE_ROW:
                            px = over(px, HILITE, 1.0)
                        elif i % 2 == 1:
                            px = over(px, ROW_STRIPE, 1.0)
                        colour = HILITE_TEXT if i == HILITE_ROW else ROW_TEXT
                        for s, e in spans:
                            if sd_segment(x, y, (s + 1.5, top + 1.5), (e - 1.5, top + 1.5), 1.5) <= 0.0:
                                px = over(px, colour, 1.0)
    return px


def sample(x, y):
    px = (0.0, 0.0, 0.0, 0.0)

    # Soft drop shadow under the sheet.
    d = sd_round_rect(x, y, (SHEET[0] + 1.0, SHEET[1] + 2.0, SHEET[2] + 1.0, SHEET[3] + 2.0), SHEET_R)
    if d < 2.5:
        px = over(px, SHADOW, 0.28 * min(1.0, (2.5 - d) / 3.5))

    px = sheet(x, y, px)

    # Magnifying glass: handle, enlarged view through the lens, ring, glint.
    if sd_segment(x, y, HANDLE_A, HANDLE_B, HANDLE_W / 2.0) <= 0.0:
        px = over(px, RING_DARK, 1.0)
    dc = sd_circle(x, y, LENS_C, LENS_R)
    if dc <= -RING_W / 2.0:
        # the lens shows the sheet under it enlarged, on a warm tint
        lx = LENS_C[0] + (x - LENS_C[0]) / MAGNIFY
        ly = LENS_C[1] + (y - LENS_C[1]) / MAGNIFY
        px = over(px, LENS, 1.0)
        px = sheet(lx, ly, px)
        px = over(px, LENS, 0.15)
        # a short curved glint in the upper-left of the glass
        ang = math.degrees(math.atan2(y - LENS_C[1], x - LENS_C[0]))
        if abs(dc + LENS_R - 6.5) <= 1.1 and -160.0 <= ang <= -110.0:
            px = over(px, GLINT, 0.9)
    elif dc <= RING_W / 2.0:
        # slightly darker lower-right half of the ring for depth
        shade = ((x - LENS_C[0]) + (y - LENS_C[1])) / (2 * LENS_R)
        t = max(0.0, min(1.0, 0.5 + shade * 0.6))
        col = tuple(RING[k] * (1 - t * 0.35) + RING_DARK[k] * (t * 0.35) for k in range(3))
        px = over(px, col, 1.0)
    return px


def render():
    """Returns SIZE*SIZE straight-alpha (r, g, b, a) byte tuples, top row first."""
    n = SUPER * SUPER
    offs = [(i + 0.5) / SUPER for i in range(SUPER)]
    out = []
    for py in range(SIZE):
        for px in range(SIZE):
            r = g = b = a = 0.0
            for oy in offs:
                for ox in offs:
                    sr, sg, sb, sa = sample(px + ox, py + oy)
                    r += sr
                    g += sg
                    b += sb
                    a += sa
            r, g, b, a = r / n, g / n, b / n, a / n
            if a > 0.0:
                r, g, b = r / a, g / a, b / a
            out.append(tuple(max(0, min(255, int(round(v * 255)))) for v in (r, g, b, a)))
    return out


# --- writers -----------------------------------------------------------------------

def ico_bytes(pixels):
    xor = bytearray()
    for row in range(SIZE - 1, -1, -1):  # bottom-up
        for col in range(SIZE):
            r, g, b, a = pixels[row * SIZE + col]
            xor += bytes((b, g, r, a))
    mask_stride = ((SIZE + 31) // 32) * 4
    mask = bytearray()
    for row in range(SIZE - 1, -1, -1):
        line = bytearray(mask_stride)
        for col in range(SIZE):
            if pixels[row * SIZE + col][3] == 0:
                line[col // 8] |= 0x80 >> (col % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return icondir + entry + image


def png_bytes(pixels, width, height):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw += bytes(pixels[y * width + x])
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def enlarge(pixels, scale):
    w = SIZE * scale
    out = []
    for y in range(w):
        src = (y // scale) * SIZE
        for x in range(w):
            out.append(pixels[src + x // scale])
    return out, w


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(root, "app", "kestrune.ico"),
                    help="where to write the .ico (default: app/kestrune.ico)")
    ap.add_argument("--png", metavar="PATH", help="also write a 4x enlarged PNG preview")
    args = ap.parse_args()

    pixels = render()
    with open(args.out, "wb") as f:
        f.write(ico_bytes(pixels))
    if args.png:
        big, w = enlarge(pixels, 4)
        with open(args.png, "wb") as f:
            f.write(png_bytes(big, w, w))


if __name__ == "__main__":
    main()
