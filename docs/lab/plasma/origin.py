#!/usr/bin/python3
# origin.py SHOT.png SCALE: the top-left corner of the board's green, in logical pixels: where
# the game's buttons are found from, whatever the window's frame and menu bar.
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert('RGB'); s = float(sys.argv[2]); px = im.load()
W, H = im.size
for y in range(H):
    row = [x for x in range(0, W) if px[x, y] == (0, 0x80, 0)]
    if len(row) > 100 * s:
        print(f'{row[0] / s:.2f} {y / s:.2f}'); break
