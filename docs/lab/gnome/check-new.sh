#!/bin/bash
# The platform the game now chooses by itself under GNOME 48 (bare mutter as a session runs it):
# at PERCENT, with no QT_QPA_PLATFORM and with the player's own xcb; and a double click on the
# title bar Qt draws on Wayland, which maximises a window unless the game undoes it.
# Usage: check-new.sh PERCENT WxH GAME
set -u
pc=$1 size=$2 game=$3
. "$(dirname "$0")/common.sh"
name=c$pc
out=$lab/../pics/new-$pc
start_session "$name" "$size"
scale=$(echo "$pc / 100" | bc -l)
$ml scale "$scale" > "$out-session.txt"; sleep 3
for choice in none xcb; do
    wd=$(mktemp -d); cd "$wd"
    if [ $choice = none ]; then env -u QT_QPA_PLATFORM "$game" > /dev/null 2>&1 &
    else QT_QPA_PLATFORM=xcb "$game" > /dev/null 2>&1 & fi
    gpid=$!
    sleep 6
    x11=$(xdotool search --onlyvisible --name '^Dyeland$' 2>/dev/null | head -1)
    echo "QT_QPA_PLATFORM $choice: $([ -n "$x11" ] && echo "an X11 window" || echo "no X11 window: Wayland")" >> "$out-session.txt"
    $ml shot "$out-$choice-1.png"
    read -r bx by bw bh < <($py "$lab/findboard.py" "$out-$choice-1.png")
    echo "  board at $bx,$by ${bw}x$bh" >> "$out-session.txt"
    if [ $choice = none ] && [ -z "$x11" ]; then
        # A double click on the title bar, right of its centre.
        tx=$(echo "$bx + 300 * $scale" | bc -l | xargs printf '%.0f')
        ty=$(echo "$by - 82 * $scale" | bc -l | xargs printf '%.0f')
        $ml dclick $tx $ty
        sleep 0.3; $ml shot "$out-$choice-2-dblclick-soon.png"
        sleep 3; $ml shot "$out-$choice-3-dblclick.png"
        read -r bx2 by2 _ < <($py "$lab/findboard.py" "$out-$choice-3-dblclick.png")
        echo "  after a double click on the title: board at $bx2,$by2" >> "$out-session.txt"
    fi
    kill $gpid; cd /; rm -rf "$wd"; sleep 1
done
"$lab/stop.sh" "$name"
