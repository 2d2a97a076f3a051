#!/usr/bin/python3
# Prints the bounding box (x y w h, picture pixels) of the board's dark green 008000 in a picture,
# or "none". Before the first Start the whole board is that colour; later its top and left
# margins still are. Only rows and columns with many such pixels count: a scaled logo can blend
# a stray pixel of that colour.
import sys
import numpy as np
from PIL import Image
a = np.asarray(Image.open(sys.argv[1]).convert("RGB")).astype(int)
m = (a[:, :, 0] == 0) & (a[:, :, 1] == 128) & (a[:, :, 2] == 0)
rows = np.nonzero(m.sum(axis=1) >= 100)[0]
cols = np.nonzero(m.sum(axis=0) >= 100)[0]
if len(rows) < 100 or len(cols) < 100:
    print("none")
else:
    print(cols.min(), rows.min(), cols.max() - cols.min() + 1, rows.max() - rows.min() + 1)
