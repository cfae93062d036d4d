#!/usr/bin/env python3
"""Writes the default modelling-results file of Vandrel Tessaron.

The numbers are the project's own illustration, not the output of a stress
modelling code. Each curve gives the average pillar stress of a square pillar
of width w between 12 m bords at depths H from 100 m to 2000 m:

    tributary stress  s_t = rho * g * H / 1000 * ((w + 12) / w) ** 2   (MPa)
    pillar stress     s   = s_t * (1 - 0.3 * exp(-H / (40 * w)))

rho = 2.7 t/m3 and g = 9.81 m/s2. The factor below 1 stands for the share of
the overburden that a shallow, stiff roof spans onto the panel abutments; it
fades with depth over a length proportional to the pillar width, so the stress
rises with depth and falls with width. Narrow pillars at great depth were left
out, as a modeller would drop layouts that could not stand: the 4 m curve ends
at 1200 m and the 6 m curve at 1600 m, their rows padded with -1.

Run from anywhere: python3 data/generate_default.py
"""

import math
import os

WIDTHS = [4, 6, 8, 10, 12, 14, 16, 18]
DEPTHS = list(range(100, 2001, 100))
LAST_DEPTH = {4: 1200, 6: 1600}
BORD = 12.0
DENSITY = 2.7
GRAVITY = 9.81
FILE_NAME = "RazuziRurida - Do not delete.int"

def pillar_stress(width, depth):
    tributary = DENSITY * GRAVITY * depth / 1000.0 * ((width + BORD) / width) ** 2
    return tributary * (1.0 - 0.3 * math.exp(-depth / (40.0 * width)))

def lines():
    yield [f for w in WIDTHS for f in (str(w), "0")]
    for depth in DEPTHS:
        row = []
        for width in WIDTHS:
            if depth <= LAST_DEPTH.get(width, DEPTHS[-1]):
                row += [str(depth), "%.2f" % pillar_stress(width, depth)]
            else:
                row += ["-1", "-1"]
        yield row

def main():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), FILE_NAME)
    with open(path, "w", newline="", encoding="ascii") as out:
        for fields in lines():
            out.write("\t".join(fields) + "\r\n")
    print(path)

if __name__ == "__main__":
    main()
