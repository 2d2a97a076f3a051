#!/usr/bin/python3
# How crisp the board is in a picture of what the screen shows: the share of the board's pixels
# that are none of the game's pure colours (the eight cell colours, the black grid, the board's
# dark green). A board drawn pixel for pixel has none; a scaled one smears lines into blends.
# Also the widths of the grid lines along one row through the board (runs of black pixels).
# Usage: purity.py PICTURE BX BY BW BH
import sys
import numpy as np
from PIL import Image
pic, bx, by, bw, bh = sys.argv[1], *map(int, sys.argv[2:6])
a = np.asarray(Image.open(pic).convert("RGB")).astype(int)
m = int(round(bw * 15 / 429))  # inside the margin, on the cells
b = a[by + m: by + bh - m, bx + m: bx + bw - m]
pure = [(128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0), (255, 0, 255),
        (255, 255, 0), (255, 255, 255), (0, 0, 0), (0, 128, 0)]
ok = np.zeros(b.shape[:2], bool)
for c in pure:
    ok |= (b == c).all(axis=2)
row = b[b.shape[0] // 2 + int(round(bw * 5 / 429))]  # through cells, off the lines
black = (row == 0).all(axis=1)
runs, n = [], 0
for v in black:
    if v:
        n += 1
    elif n:
        runs.append(n)
        n = 0
darkish = (row.max(axis=1) < 100) & ~black
seam = int(((b == (0, 128, 0)).all(axis=2)).sum())
print(f"seams (board green among the cells) {seam}  impure {100 * (1 - ok.mean()):.1f} %  black line widths on a middle row {sorted(set(runs))} "
      f"({len(runs)} lines)  dark non-black pixels on that row {int(darkish.sum())}")
