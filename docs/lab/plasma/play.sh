#!/bin/bash
# play.sh N x11|wayland SCALE OUT: in session N, with the game already open, presses Start and
# picks four colours, takes the screen (OUT-play.png), minimises the game (OUT-min.png and
# KWin's view of its windows), restores it, then picks on until the game ends and takes the
# end-of-game box (OUT-end.png). Screens are taken with $SHOT OUTFILE (default: import from the
# Xvfb KWin draws on).
n=$1 mode=$2 s=$3 out=$4
. /tmp/i39k-env$n
lab=$(dirname "$0")
shot() { if [ -n "${SHOT:-}" ]; then $SHOT "$1"; else import -display "$XVFB_DISPLAY" -window root "$1"; fi; }
js() { "$lab/kwin-js.sh" "$n" "$1"; }
: > "$out-windows.txt"; shot "$out-start.png"; echo "$(js 'wins().forEach(show);')" > "$out-start.txt"
# The buttons are found from the top-left corner of the board's green (logical pixels).
read -r gx gy < <(/usr/bin/python3 "$lab/origin.py" "$out-start.png" "$s")
click() {  # logical x, y
  if [ "$mode" = x11 ]; then
    xdotool mousemove "$(echo "($1) * $s" | bc)" "$(echo "($2) * $s" | bc)" click 1
  else
    # The pointer enters the window first: a press that comes with the entry can be lost.
    "$lab/kwin-input" "move:$(echo "$1" | bc),$(echo "$2" | bc)" sleep:300 click
  fi
}
pick() { click "$gx + 130 + 24 * $1" "$gy + 450"; }
click "$gx + 42" "$gy + 450"; sleep 2
for k in 1 4 6 2; do pick $k; sleep 1.5; done
sleep 1.5; shot "$out-play.png"
js 'wins().forEach(function (w) { if (w.caption == "Dyeland") w.minimized = true; });'
sleep 3; shot "$out-min.png"
{ echo "minimised:"; js 'wins().forEach(show);'; } | tee -a "$out-windows.txt"
js 'wins().forEach(function (w) { if (w.caption == "Dyeland") { w.minimized = false; if (workspace.activeWindow !== undefined) workspace.activeWindow = w; else workspace.activeClient = w; } });'
sleep 3; shot "$out-back.png"
{ echo "back:"; js 'wins().forEach(show);'; } | tee -a "$out-windows.txt"
for round in $(seq 25); do
  for k in 0 3 5 7 1 4 6 2; do pick $k; sleep 0.7; done
  box=$(js 'wins().forEach(function (w) { if (w.caption.indexOf("score =") >= 0) show(w); });')
  if [ -n "$box" ]; then sleep 1.5; shot "$out-end.png"; { echo "end:"; echo "$box"; } | tee -a "$out-windows.txt"; break; fi
done
