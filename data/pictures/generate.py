#!/usr/bin/env python3
"""Renders the four slideshow pictures of the start-up window and about box.

Each picture is a false-colour contour plot of a simple linear-elastic stress
field in a bord-and-pillar layout: square pillars carrying their tributary
load, the footwall beneath them treated as an elastic half-space.

  picture0.png  plan of the pillar layout, vertical stress on the pillars
                (stiff-punch distribution: highest at the pillar edges)
  picture1.png  vertical section across a row of pillars, vertical stress in
                the footwall (strip loads on a half-space)
  picture2.png  vertical section, maximum shear stress in the footwall
  picture3.png  horizontal plane half a pillar width below the floor,
                vertical stress (uniform rectangles on a half-space)

Only the Python standard library is used. Run from anywhere:
    python3 data/pictures/generate.py
"""

import math
import os
import struct
import zlib

WIDTH, HEIGHT = 320, 240
PILLAR = 10.0  # pillar width (m)
BORD = 6.0  # bord width (m)
PITCH = PILLAR + BORD
BANDS = 12

# Blue (low) through cyan, green and yellow to red (high).
STOPS = [
    (0.00, (20, 30, 140)),
    (0.20, (30, 110, 220)),
    (0.40, (40, 200, 210)),
    (0.55, (70, 200, 90)),
    (0.70, (230, 225, 60)),
    (0.85, (240, 140, 40)),
    (1.00, (200, 30, 30)),
]
BORD_COLOUR = (70, 70, 78)
ROCK_COLOUR = (150, 140, 125)
LINE_COLOUR = (15, 15, 20)


def colour_map(t):
    t = min(max(t, 0.0), 1.0)
    for (t0, c0), (t1, c1) in zip(STOPS, STOPS[1:]):
        if t <= t1:
            f = (t - t0) / (t1 - t0)
            return tuple(int(round(a + (b - a) * f)) for a, b in zip(c0, c1))
    return STOPS[-1][1]


def band(value, low, high):
    """The contour band (0..BANDS-1) that a value falls in."""
    if high <= low:
        return 0
    t = (value - low) / (high - low)
    return min(BANDS - 1, max(0, int(t * BANDS)))


def band_colour(b):
    return colour_map((b + 0.5) / BANDS)


# --- stress fields ----------------------------------------------------------


def punch_profile(u):
    """Contact pressure across a stiff pillar, u in (-1, 1): rising towards
    the edges, kept finite there."""
    return 1.0 / (1.0 - abs(u) + 0.2)


def local(coordinate):
    """Position inside the repeating cell: offset from the pillar centre."""
    c = (coordinate % PITCH) - PITCH / 2.0
    return c


def plan_view(x, y):
    """Vertical stress on the pillars in plan; None in the bords."""
    lx, ly = local(x), local(y)
    half = PILLAR / 2.0
    if abs(lx) > half or abs(ly) > half:
        return None
    return punch_profile(lx / half) + punch_profile(ly / half)


def strip_terms(x, z):
    """Sum of the strip-load terms (alpha, delta) under every pillar strip."""
    half = PILLAR / 2.0
    sigma_z = 0.0
    sigma_x = 0.0
    tau = 0.0
    for k in range(-2, 3):
        centre = k * PITCH
        a = math.atan2(x - centre + half, z)
        b = math.atan2(x - centre - half, z)
        alpha = a - b
        delta = b
        sigma_z += alpha + math.sin(alpha) * math.cos(alpha + 2 * delta)
        sigma_x += alpha - math.sin(alpha) * math.cos(alpha + 2 * delta)
        tau += math.sin(alpha) * math.sin(alpha + 2 * delta)
    return sigma_z / math.pi, sigma_x / math.pi, tau / math.pi


def section_sigma_z(x, z):
    return math.sqrt(max(strip_terms(x, z)[0], 0.0))


def section_max_shear(x, z):
    sz, sx, t = strip_terms(x, z)
    return math.sqrt(math.sqrt(((sz - sx) / 2.0) ** 2 + t * t))


def corner(a, b, z):
    """Vertical stress factor under the corner of a loaded a x b rectangle,
    signed so that rectangles can be added and subtracted."""
    if a == 0 or b == 0:
        return 0.0
    sign = (1 if a > 0 else -1) * (1 if b > 0 else -1)
    m, n = abs(a) / z, abs(b) / z
    m2, n2 = m * m, n * n
    root = math.sqrt(m2 + n2 + 1)
    first = (2 * m * n * root / (m2 + n2 + m2 * n2 + 1)) * ((m2 + n2 + 2) / (m2 + n2 + 1))
    second = math.atan2(2 * m * n * root, m2 + n2 + 1 - m2 * n2)
    return sign * (first + second) / (4 * math.pi)


def depth_plane(x, y, z=PILLAR / 2.0):
    half = PILLAR / 2.0
    total = 0.0
    for i in range(-2, 3):
        for j in range(-2, 3):
            x1, x2 = i * PITCH - half - x, i * PITCH + half - x
            y1, y2 = j * PITCH - half - y, j * PITCH + half - y
            total += corner(x2, y2, z) - corner(x1, y2, z) - corner(x2, y1, z) + corner(x1, y1, z)
    return total


# --- rendering --------------------------------------------------------------


def render(field, x_range, y_range, pillar_top=None):
    """A picture of field(x, y) with banded colours and contour lines.
    pillar_top: in sections, the height (in plot units) of the pillar row
    drawn above the floor line."""
    x0, x1 = x_range
    y0, y1 = y_range
    values = []
    for row in range(HEIGHT):
        y = y0 + (y1 - y0) * (row + 0.5) / HEIGHT
        line = []
        for col in range(WIDTH):
            x = x0 + (x1 - x0) * (col + 0.5) / WIDTH
            if pillar_top is not None and y < 0:
                lx = local(x + PITCH / 2.0)
                line.append("pillar" if abs(lx) <= PILLAR / 2.0 else None)
            else:
                line.append(field(x, y))
        values.append(line)
    numbers = [v for line in values for v in line if isinstance(v, float)]
    low, high = min(numbers), max(numbers)
    pixels = []
    bands = [[band(v, low, high) if isinstance(v, float) else -1 for v in line] for line in values]
    for row in range(HEIGHT):
        out = bytearray()
        for col in range(WIDTH):
            v = values[row][col]
            b = bands[row][col]
            if v is None:
                rgb = BORD_COLOUR if pillar_top is None else (235, 235, 240)
            elif v == "pillar":
                rgb = ROCK_COLOUR
            else:
                edge = False
                if col + 1 < WIDTH and bands[row][col + 1] >= 0 and bands[row][col + 1] != b:
                    edge = True
                if row + 1 < HEIGHT and bands[row + 1][col] >= 0 and bands[row + 1][col] != b:
                    edge = True
                rgb = LINE_COLOUR if edge else band_colour(b)
            out += bytes(rgb)
        pixels.append(bytes(out))
    return colour_bar(pixels)


def colour_bar(pixels):
    """Overlays a small colour bar in the lower right corner."""
    rows = [bytearray(p) for p in pixels]
    left, top, w, h = WIDTH - 22, HEIGHT - 92, 12, 80
    for r in range(top - 1, top + h + 1):
        for c in range(left - 1, left + w + 1):
            inside = top <= r < top + h and left <= c < left + w
            b = min(BANDS - 1, (top + h - 1 - r) * BANDS // h)
            rgb = band_colour(b) if inside else LINE_COLOUR
            rows[r][3 * c:3 * c + 3] = bytes(rgb)
    return [bytes(r) for r in rows]


def write_png(path, pixels):
    raw = b"".join(b"\x00" + line for line in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    span = 3 * PITCH
    aspect = HEIGHT / WIDTH
    wide = 6 * PITCH
    pictures = [
        render(plan_view, (-PITCH / 2, 1.5 * PITCH),
               (PITCH / 2 - PITCH * aspect, PITCH / 2 + PITCH * aspect)),
        render(section_sigma_z, (-wide / 2, wide / 2), (-0.4 * PILLAR, wide * aspect - 0.4 * PILLAR),
               pillar_top=True),
        render(section_max_shear, (-wide / 2, wide / 2),
               (-0.4 * PILLAR, wide * aspect - 0.4 * PILLAR), pillar_top=True),
        render(depth_plane, (-span / 2, span / 2), (-span * aspect / 2, span * aspect / 2)),
    ]
    for index, pixels in enumerate(pictures):
        write_png(os.path.join(here, "picture%d.png" % index), pixels)


if __name__ == "__main__":
    main()
