#!/usr/bin/env python3
"""Draws Kelvane's icons and pictures and makes its alert sound.

Standard library only, and fully deterministic, so the generated files in
res/ can be rebuilt byte for byte:

    python3 tools/make_assets.py [output-dir]      (default: res/ beside tools/)

Everything is drawn with signed distance functions: a shape is a function
(x, y) -> distance to its outline in pixels, negative inside.  Unions are
min(), cut-outs are max(a, -b), and the distance gives anti-aliased coverage
for free (icons are thresholded instead, since they have no alpha).
"""

import math
import os
import re
import struct
import sys

# --------------------------------------------------------------------------
# Distance primitives


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / ll))
    ex, ey = px - (ax + t * dx), py - (ay + t * dy)
    return math.sqrt(ex * ex + ey * ey)


def stroke(ax, ay, bx, by, width):
    r = width / 2.0
    return lambda x, y: seg_dist(x, y, ax, ay, bx, by) - r


def disc(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    h = width / 2.0
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - h


def arc(cx, cy, r, a0, a1, width):
    """Stroked arc from angle a0 to a1 (degrees, counter-clockwise, y up)."""
    h = width / 2.0
    a0r, a1r = math.radians(a0), math.radians(a1)
    span = (a1r - a0r) % (2 * math.pi) or 2 * math.pi
    ends = [(cx + r * math.cos(a), cy - r * math.sin(a)) for a in (a0r, a1r)]

    def f(x, y):
        ang = math.atan2(-(y - cy), x - cx)
        if (ang - a0r) % (2 * math.pi) <= span:
            return abs(math.hypot(x - cx, y - cy) - r) - h
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - h
    return f


def box(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - radius, (y1 - y0) / 2.0 - radius

    def f(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return f


def polygon(points):
    """Convex polygon, points in either winding order."""
    n = len(points)
    area = sum(points[i][0] * points[(i + 1) % n][1] - points[(i + 1) % n][0] * points[i][1]
               for i in range(n))
    sign = 1.0 if area > 0 else -1.0
    edges = []
    for i in range(n):
        ax, ay = points[i]
        bx, by = points[(i + 1) % n]
        ln = math.hypot(bx - ax, by - ay)
        # outward normal
        edges.append((ax, ay, sign * (by - ay) / ln, -sign * (bx - ax) / ln))
    return lambda x, y: max((x - ax) * nx + (y - ay) * ny for ax, ay, nx, ny in edges)


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def cut(shape, *holes):
    return lambda x, y: max(shape(x, y), -min(h(x, y) for h in holes))


def coverage(d):
    return max(0.0, min(1.0, 0.5 - d))


# --------------------------------------------------------------------------
# The letters of "Kelvane": strokes in font units, baseline y=0, y up,
# x-height 5, cap height 7.5.

XH, CAP = 5.0, 7.5
GLYPHS = {
    "K": (4.4, [("l", 0, 0, 0, CAP), ("l", 4.4, CAP, 0.2, 3.0), ("l", 1.5, 4.2, 4.6, 0)]),
    "e": (4.4, [("l", 0.1, 2.6, 4.3, 2.6), ("a", 2.2, 2.5, 2.1, 0, 320)]),
    "l": (0.0, [("l", 0, 0, 0, CAP)]),
    "v": (4.4, [("l", 0, XH, 2.2, 0), ("l", 2.2, 0, 4.4, XH)]),
    "a": (4.4, [("a", 2.1, 2.5, 2.1, 0, 360), ("l", 4.2, 0, 4.2, XH)]),
    "n": (4.2, [("l", 0, 0, 0, XH), ("a", 2.1, 2.9, 2.1, 0, 180), ("l", 4.2, 2.9, 4.2, 0)]),
}


def text_shapes(text, left, baseline, scale, weight=1.15, gap=1.9, slant=0.0):
    """Returns (shape, bbox) pairs, one per letter, in pixel coordinates."""
    out = []
    pen = 0.0
    for ch in text:
        width, strokes = GLYPHS[ch]
        parts = []
        for s in strokes:
            if s[0] == "l":
                _, ax, ay, bx, by = s
                parts.append(("l", ax + pen, ay, bx + pen, by))
            else:
                _, cx, cy, r, a0, a1 = s
                parts.append(("a", cx + pen, cy, r, a0, a1))

        def to_px(u, v):
            return left + (u + slant * v) * scale, baseline - v * scale

        shapes = []
        for p in parts:
            if p[0] == "l":
                ax, ay = to_px(p[1], p[2])
                bx, by = to_px(p[3], p[4])
                shapes.append(stroke(ax, ay, bx, by, weight * scale))
            else:
                cx, cy = to_px(p[1], p[2])
                shapes.append(arc(cx, cy, p[3] * scale, p[4], p[5], weight * scale))
        m = weight * scale
        x0, _ = to_px(pen, 0)
        x1, _ = to_px(pen + width + slant * CAP, 0)
        out.append((union(*shapes), (x0 - m - 1, baseline - CAP * scale - m - 1, x1 + m + 1,
                                      baseline + m + 1)))
        pen += width + gap
    return out


def text_width(text, gap=1.9):
    return sum(GLYPHS[c][0] for c in text) + gap * (len(text) - 1)


def text_mask(w, h, glyphs):
    mask = [[0.0] * w for _ in range(h)]
    for shape, (x0, y0, x1, y1) in glyphs:
        for y in range(max(0, int(y0)), min(h, int(y1) + 1)):
            row = mask[y]
            for x in range(max(0, int(x0)), min(w, int(x1) + 1)):
                c = coverage(shape(x + 0.5, y + 0.5))
                if c > row[x]:
                    row[x] = c
    return mask


# --------------------------------------------------------------------------
# Raster helpers for the 24-bit pictures


def blur(mask, radius, passes=2):
    h, w = len(mask), len(mask[0])
    for _ in range(passes):
        tmp = [[0.0] * w for _ in range(h)]
        for y in range(h):
            for x in range(w):
                lo, hi = max(0, x - radius), min(w - 1, x + radius)
                tmp[y][x] = sum(mask[y][lo:hi + 1]) / (2 * radius + 1)
        out = [[0.0] * w for _ in range(h)]
        for y in range(h):
            lo, hi = max(0, y - radius), min(h - 1, y + radius)
            for x in range(w):
                out[y][x] = sum(tmp[yy][x] for yy in range(lo, hi + 1)) / (2 * radius + 1)
        mask = out
    return mask


def shifted(mask, dx, dy):
    h, w = len(mask), len(mask[0])
    return [[mask[y - dy][x - dx] if 0 <= y - dy < h and 0 <= x - dx < w else 0.0
             for x in range(w)] for y in range(h)]


def blend(img, mask, colour, strength=1.0):
    for y, row in enumerate(mask):
        line = img[y]
        for x, a in enumerate(row):
            if a > 0:
                a *= strength
                r, g, b = line[x]
                line[x] = (r + (colour[0] - r) * a, g + (colour[1] - g) * a,
                           b + (colour[2] - b) * a)


def blue_ground(w, h, top=(88, 146, 222), bottom=(28, 74, 158)):
    img = []
    for y in range(h):
        t = y / max(1, h - 1)
        c = tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3))
        img.append([c] * w)
    return img


INK = (14, 20, 44)          # letters and silhouette: a very dark navy
SHADOW = (4, 10, 40)


def draw_name(img, text, left, baseline, scale, shadow_offset, shadow_radius):
    h, w = len(img), len(img[0])
    mask = text_mask(w, h, text_shapes(text, left, baseline, scale))
    soft = blur(shifted(mask, shadow_offset, shadow_offset), shadow_radius)
    blend(img, soft, SHADOW, 0.75)
    blend(img, mask, INK)


def bmp_bytes(img):
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(h - 1, -1, -1):                   # bottom-up rows
        for r, g, b in img[y]:
            pixels += bytes((clamp8(b), clamp8(g), clamp8(r)))
        pixels += bytes(stride - w * 3)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40) + header + pixels


def clamp8(v):
    return max(0, min(255, int(round(v))))


# --------------------------------------------------------------------------
# The banner and the About picture


def make_banner():
    w, h = 175, 30
    img = blue_ground(w, h)
    scale = 3.0
    tw = (text_width("Kelvane") + 1.15) * scale
    left = (w - tw) / 2 + 0.575 * scale - 2
    draw_name(img, "Kelvane", left, 25.5, scale, 2, 1)
    return img


def projector(ox, oy):
    """Silhouette of a film projector with two reels, lens to the right."""
    reel_a = (ox + 24, oy + 22, 17.0)
    reel_b = (ox + 62, oy + 27, 13.0)

    def reel(cx, cy, r):
        holes = [disc(cx + 0.58 * r * math.cos(a), cy + 0.58 * r * math.sin(a), 0.2 * r)
                 for a in (math.radians(d) for d in range(0, 360, 60))]
        return cut(disc(cx, cy, r), *holes, disc(cx, cy, 0.1 * r))

    body = box(ox + 12, oy + 44, ox + 78, oy + 72, 4)
    # the arms stop at the rims so the spoke holes stay clear
    arms = union(stroke(reel_a[0] + 4, reel_a[1] + reel_a[2] - 1, ox + 34, oy + 46, 4),
                 stroke(reel_b[0] - 3, reel_b[1] + reel_b[2] - 1, ox + 58, oy + 46, 4))
    lens = union(box(ox + 76, oy + 51, ox + 86, oy + 65, 1),
                 box(ox + 85, oy + 49, ox + 92, oy + 67, 1.5))
    legs = union(stroke(ox + 24, oy + 70, ox + 16, oy + 86, 4),
                 stroke(ox + 66, oy + 70, ox + 74, oy + 86, 4),
                 stroke(ox + 45, oy + 70, ox + 45, oy + 86, 4))
    vent = union(*[box(ox + 20 + 7 * i, oy + 52, ox + 23 + 7 * i, oy + 64, 1.5)
                   for i in range(4)])
    return union(cut(union(body, lens), vent), arms, reel(*reel_a), reel(*reel_b), legs)


def make_about():
    w, h = 250, 100
    img = blue_ground(w, h)
    ox, oy = 6, 6
    # a pale beam from the lens, fanning out behind the name
    beam = polygon([(ox + 91, oy + 53), (w + 20, 10), (w + 20, 96), (ox + 91, oy + 63)])
    fade = [[coverage(beam(x + 0.5, y + 0.5)) * max(0.0, 1.0 - (x - 97) / 230.0)
             for x in range(w)] for y in range(h)]
    blend(img, blur(fade, 1, 1), (214, 232, 255), 0.55)
    shape = projector(ox, oy)
    sil = [[coverage(shape(x + 0.5, y + 0.5)) for x in range(w)] for y in range(h)]
    blend(img, blur(shifted(sil, 2, 2), 1), SHADOW, 0.6)
    blend(img, sil, INK)
    scale = 3.4
    left = 110 + (w - 110 - (text_width("Kelvane") + 1.15) * scale) / 2 + 0.575 * scale
    draw_name(img, "Kelvane", left, 63, scale, 2, 2)
    return img


# --------------------------------------------------------------------------
# Icons: 16-colour, black line art on a transparent ground


def icon_image(size, shape, ss=4):
    """Rows of booleans: True where the (thresholded) shape is black."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            n = 0
            for sy in range(ss):
                for sx in range(ss):
                    if shape(x + (sx + 0.5) / ss, y + (sy + 0.5) / ss) <= 0:
                        n += 1
            row.append(n * 2 >= ss * ss)
        rows.append(row)
    return rows


# The standard 16-colour palette (RGB); index 0 is black.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def icon_entry(rows):
    size = len(rows)
    xor, mask = bytearray(), bytearray()
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    for y in range(size - 1, -1, -1):
        line = bytearray(xor_stride)      # all index 0: black, or hidden by the mask
        bits = bytearray(and_stride)
        for x, ink in enumerate(rows[y]):
            if not ink:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 16, 0)
    return header + palette + bytes(xor) + bytes(mask)


def ico_bytes(images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for rows in images:
        blob = icon_entry(rows)
        size = len(rows)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


def film_strip(size):
    """A strip of film running diagonally, with sprocket holes and frames."""
    k = size / 32.0
    half = 7.5 * k
    c = size / 2.0
    ux, uy = math.cos(math.radians(-45)), math.sin(math.radians(-45))

    def f(x, y):
        dx, dy = x - c, y - c
        u = dx * ux + dy * uy              # along the strip
        v = -dx * uy + dy * ux             # across it
        d = max(abs(v) - half, abs(u) - 19.0 * k)
        if d > 0:
            return d
        period = 4.0 * k
        # sprocket holes near both edges
        if 4.5 * k < abs(v) < 6.3 * k and (u % period) < period * 0.5:
            return 0.5
        # frame windows in the middle, split by thin bars
        frame = 8.0 * k
        if abs(v) < 3.1 * k and 1.2 * k < (u + 2.0 * k) % frame < frame - 0.2 * k:
            return 0.5
        return -0.5
    return f


def clock_icon():
    ticks = []
    for i in range(12):
        a = math.radians(i * 30)
        r0 = 9.5 if i % 3 == 0 else 11.0
        ticks.append(stroke(16 + r0 * math.sin(a), 16 - r0 * math.cos(a),
                            16 + 12 * math.sin(a), 16 - 12 * math.cos(a), 1.4))
    # minute hand at twelve, hour hand at four: reads as a clock, not a face
    hour = stroke(16, 16, 16 + 6.5 * math.sin(math.radians(120)),
                  16 - 6.5 * math.cos(math.radians(120)), 2.2)
    minute = stroke(16, 16, 16, 6.0, 1.6)
    bells = union(arc(8, 6.5, 4, 60, 200, 1.8), arc(24, 6.5, 4, -20, 120, 1.8))
    return union(ring(16, 17, 13.2, 2.0), *ticks, hour, minute, disc(16, 16, 1.6),
                 stroke(11, 30, 9, 31.5, 2), stroke(21, 30, 23, 31.5, 2), bells,
                 )


def cd_icon():
    glint = union(arc(16, 16, 10.3, 105, 160, 1.2), arc(16, 16, 10.3, 285, 340, 1.2))
    return union(ring(16, 16, 14.0, 1.8), ring(16, 16, 5.2, 1.4), ring(16, 16, 2.2, 1.2), glint)


def headphones_icon():
    band = union(arc(16, 18, 12.5, 0, 180, 2.4), arc(16, 18, 10.0, 15, 165, 1.2))
    cups = union(box(2, 17, 9, 30, 2.5), box(23, 17, 30, 30, 2.5))
    inner = union(box(4.3, 19.3, 6.7, 27.7, 1.0), box(25.3, 19.3, 27.7, 27.7, 1.0))
    return union(band, cut(cups, inner), box(8, 19, 11, 28, 1), box(21, 19, 24, 28, 1))


def camera_icon():
    reels = union(ring(9, 8.5, 5.7, 1.6), disc(9, 8.5, 1.9), ring(20.5, 8.5, 5.7, 1.6),
                  disc(20.5, 8.5, 1.9))
    body = cut(box(2, 15, 23, 27, 1.5), box(4, 17, 21, 25, 0.5))
    lens = polygon([(23, 18.5), (30.5, 15), (30.5, 27), (23, 23.5)])
    lens_hole = polygon([(24.8, 19.8), (28.8, 17.9), (28.8, 24.1), (24.8, 22.2)])
    handle = stroke(12.5, 27, 12.5, 31, 2.2)
    return union(reels, body, cut(lens, lens_hole), handle)


# --------------------------------------------------------------------------
# The alert sound: a soft two-note chime, 8-bit mono PCM

RATE = 22050
SAMPLES = 38885


def chime():
    notes = [(0.00, 1046.50, 0.55), (0.26, 783.99, 0.60)]   # C6 then G5
    out = bytearray()
    total = SAMPLES / RATE
    for i in range(SAMPLES):
        t = i / RATE
        s = 0.0
        for start, freq, amp in notes:
            u = t - start
            if u < 0:
                continue
            attack = min(1.0, u / 0.006)
            env = attack * math.exp(-u * 3.2)
            ph = 2 * math.pi * freq * u
            s += amp * env * (math.sin(ph) + 0.28 * math.sin(2 * ph) * math.exp(-u * 6)
                              + 0.12 * math.sin(3 * ph) * math.exp(-u * 9))
        # fade out the tail so the sound ends in silence without a click
        tail = max(0.0, min(1.0, (total - t) / 0.35))
        s *= tail * 0.62
        out.append(max(0, min(255, 128 + int(round(127 * max(-1.0, min(1.0, s)))))))
    return bytes(out)


def wav_bytes(samples):
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8)
    data = samples + (b"\0" if len(samples) % 2 else b"")      # RIFF chunks are word-aligned
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt \
        + b"data" + struct.pack("<I", len(samples)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


# --------------------------------------------------------------------------


def scaled(shape, size):
    """A shape drawn on the 32-pixel grid, at another size."""
    k = size / 32.0
    return lambda x, y: shape(x / k, y / k)


# Large icons for 96, 144 and 192 DPI (32, 48, 64 pixels); the program's small
# icon also for 120 and 144 (16, 24, 32). The system takes the nearest.
LARGE = (32, 48, 64)
SMALL = (16, 24)


def form_sizes():
    """The form icons' sizes, as res/form_icons.h states them for the page."""
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, os.pardir, "res", "form_icons.h")) as f:
        listed = re.search(r"kFormIconSizes\[\] = \{([^}]*)\}", f.read()).group(1)
    return tuple(int(size) for size in listed.split(","))


def form_icon(shape):
    return ico_bytes([icon_image(size, scaled(shape, size)) for size in form_sizes()])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outdir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, os.pardir, "res")
    files = {
        "mainframe.ico": ico_bytes([icon_image(size, film_strip(size)) for size in LARGE + SMALL]),
        "length.ico": form_icon(clock_icon()),
        "size.ico": form_icon(cd_icon()),
        "audio.ico": form_icon(headphones_icon()),
        "result.ico": form_icon(camera_icon()),
        "banner.bmp": bmp_bytes(make_banner()),
        "about.bmp": bmp_bytes(make_about()),
        "alert.wav": wav_bytes(chime()),
    }
    for name, data in files.items():
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
