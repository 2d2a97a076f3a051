#!/usr/bin/python3
# board.py SHOT.png...: the board as the screen shows it. Finds the board (the box of the dark
# green 008000), counts its pixels that are none of the game's ten colours (eight colours, black
# lines, green margin): blends where lines or cells are not whole device pixels. Also the widths
# of the black runs along a row and a column through the board (grid lines in device pixels),
# and writes a 4x crop of the board's top-left corner as SHOT-zoom.png.
import sys
from collections import Counter
from PIL import Image
PAL = {(0x80,0x80,0x80),(0,0,255),(0,255,0),(0,255,255),(255,0,0),(255,0,255),(255,255,0),
       (255,255,255),(0,0,0),(0,0x80,0)}
for path in sys.argv[1:]:
    im = Image.open(path).convert('RGB'); W, H = im.size; px = im.load()
    # The board's rows: those with a long run of its green (the margin round the cells).
    rows = []
    for y in range(H):
        g = [x for x in range(W) if px[x, y] == (0, 0x80, 0)]
        if len(g) > W // 8: rows.append((y, g[0], g[-1]))
    if not rows: print(path, 'no board'); continue
    y0, y1 = rows[0][0], rows[-1][0]; x0, x1 = rows[0][1], rows[0][2]
    # the cells: inside the green margin
    total = off = 0; offc = Counter()
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            total += 1
            c = px[x, y]
            if c not in PAL: off += 1; offc[c] += 1
    def runs(seq):
        out, n, starts = [], 0, []
        for i, c in enumerate(seq):
            if c == (0, 0, 0):
                if not n: starts.append(i)
                n += 1
            elif n: out.append(n); n = 0
        return out, starts
    ym = (y0 + y1) // 2 + 3; xm = (x0 + x1) // 2 + 3
    r, rs = runs([px[x, ym] for x in range(x0, x1)]); rw = Counter(r)
    c, cs = runs([px[xm, y] for y in range(y0, y1)]); cw = Counter(c)
    pitch = Counter(b - a for a, b in zip(rs, rs[1:]))
    # Seams: the green of the margin showing between the first and the last grid line.
    seams = sum(1 for y in range(y0 + cs[0], y0 + cs[-1]) for x in range(x0 + rs[0], x0 + rs[-1])
                if px[x, y] == (0, 0x80, 0)) if rs and cs else -1
    print(f'{path}: cell pitch {dict(pitch)}, green inside the grid {seams}; board {x0},{y0}-{x1},{y1} ({x1-x0+1}x{y1-y0+1}); off-palette {off} of {total} '
          f'({100*off/total:.2f} %); black runs along a row {dict(rw)}, down a column {dict(cw)}; '
          f'commonest off-palette {offc.most_common(3)}')
    crop = im.crop((x0, y0, min(x0 + 160, W), min(y0 + 120, H)))
    crop.resize((crop.width * 4, crop.height * 4), Image.NEAREST).save(path.replace('.png', '-zoom.png'))
