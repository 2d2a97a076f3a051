#!/bin/bash
# A double click on the title bar Qt draws on GNOME's Wayland (Qt 6.8), or with BUTTON=1 a click
# on the maximise button of the title bar older Qt draws there, with a build of the game before
# the maximise was undone (OLD) and after (NEW), at PERCENT: where the board is before and after.
# Usage: [BUTTON=1] maximise.sh PERCENT WxH OLD NEW
set -u
pc=$1 size=$2 old=$3 new=$4
. "$(dirname "$0")/common.sh"
name=x$pc
out=$lab/../pics/${PREFIX:-maximise}-$pc
start_session "$name" "$size"
scale=$(echo "$pc / 100" | bc -l)
$ml scale "$scale" > "$out.txt"; sleep 3
for build in old new; do
    game=$old; [ $build = new ] && game=$new
    wd=$(mktemp -d); cd "$wd"
    QT_QPA_PLATFORM=wayland "$game" > /dev/null 2>&1 &
    gpid=$!
    sleep 6
    $ml shot "$out-$build-1.png"
    read -r bx by bw bh < <($py "$lab/findboard.py" "$out-$build-1.png")
    if [ -n "${BUTTON:-}" ]; then
        tx=$(echo "$bx + 401 * $scale" | bc -l | xargs printf '%.0f')
        ty=$(echo "$by - 77 * $scale" | bc -l | xargs printf '%.0f')
        $ml click $tx $ty
    else
        tx=$(echo "$bx + 300 * $scale" | bc -l | xargs printf '%.0f')
        ty=$(echo "$by - 82 * $scale" | bc -l | xargs printf '%.0f')
        $ml dclick $tx $ty
    fi
    sleep 3; $ml shot "$out-$build-2.png"
    read -r bx2 by2 _ < <($py "$lab/findboard.py" "$out-$build-2.png")
    echo "$build: board at $bx,$by; after $([ -n "${BUTTON:-}" ] && echo "a click on the maximise button" || echo "a double click on the title") at $tx,$ty: $bx2,$by2" >> "$out.txt"
    kill $gpid; cd /; rm -rf "$wd"; sleep 1
done
"$lab/stop.sh" "$name"
