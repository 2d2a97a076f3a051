#!/bin/bash
# The crispness figures of every game picture in pics/ (see purity.py).
cd "$(dirname "$0")/../pics"
for info in *-info.txt; do
    f=${info%-info.txt}
    [ -f "$f-game.png" ] || continue
    read -r _ _ at size _ < "$info"
    printf '%-14s %s\n' "$f" "$(/usr/bin/python3 ../lab/purity.py "$f-game.png" ${at%,*} ${at#*,} ${size%x*} ${size#*x})"
done
