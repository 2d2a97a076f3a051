#!/bin/bash
# panel.sh N x11|wayland SCALE OUT: with plasmashell's panel in session N, the game in a game
# under way is (1) minimised, (2) left behind another window, (3) brought back; the screen and
# KWin's view of the windows are taken each time: OUT-panel-{play,min,behind,back}.png and
# OUT-panel-windows.txt.
n=$1 mode=$2 s=$3 out=$4
. /tmp/i39k-env$n
lab=$(dirname "$0")
shot() { if [ -n "${SHOT:-}" ]; then $SHOT "$1"; else import -display "$XVFB_DISPLAY" -window root "$1"; fi; }
js() { "$lab/kwin-js.sh" "$n" "$1"; }
state() { { echo "$1:"; js 'wins().forEach(show);'; } >> "$out-panel-windows.txt"; }
: > "$out-panel-windows.txt"
shot "$out-panel-start.png"
# The buttons are found from the top-left corner of the board's green (logical pixels).
read -r gx gy < <(/usr/bin/python3 "$lab/origin.py" "$out-panel-start.png" "$s")
click() {
  if [ "$mode" = x11 ]; then xdotool mousemove "$(echo "($1) * $s" | bc)" "$(echo "($2) * $s" | bc)" click 1
  else "$lab/kwin-input" "move:$(echo "$1" | bc),$(echo "$2" | bc)" sleep:300 click; fi
}
pick() { click "$gx + 130 + 24 * $1" "$gy + 450"; }
click "$gx + 42" "$gy + 450"; sleep 2
for k in 1 4 6 2; do pick $k; sleep 1.5; done
sleep 1; shot "$out-panel-play.png"; state play
js 'wins().forEach(function (w) { if (w.caption == "Dyeland") w.minimized = true; });'
sleep 3; shot "$out-panel-min.png"; state minimised
activate='function act(w) { w.minimized = false; if (workspace.activeWindow !== undefined) workspace.activeWindow = w; else workspace.activeClient = w; }'
js "$activate"' wins().forEach(function (w) { if (w.caption == "Dyeland") act(w); });'
sleep 3; state restored
# Another window over the game, taking the keyboard.
setsid xcalc -geometry 400x500+200+150 > /dev/null 2>&1 & echo $! > /tmp/i39k-other$n.pid
sleep 3; js "$activate"' wins().forEach(function (w) { if (w.resourceClass == "xcalc") act(w); });'
sleep 3; shot "$out-panel-behind.png"; state behind
js "$activate"' wins().forEach(function (w) { if (w.caption == "Dyeland") act(w); });'
sleep 3; shot "$out-panel-back.png"; state back
kill "$(cat /tmp/i39k-other$n.pid)"; rm -f /tmp/i39k-other$n.pid
