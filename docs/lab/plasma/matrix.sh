#!/bin/bash
# matrix.sh TAG "SCALES" "MODES": for each scale and platform, a fresh KWin session (logical
# screen 1280x800), the game in it, and play.sh's pictures in /root/pics/TAG-MODE-PERCENT-*.
# Set XVFB=:6x to draw KWin's screen on an Xvfb (KWin 6 with QPainter: see kde-start.sh).
tag=$1; n=${SESSION:-1}; lab=$(cd "$(dirname "$0")" && pwd); mkdir -p ${PICS:-/root/pics}
for s in $2; do for mode in $3; do
  pct=$(echo "$s * 100 / 1" | bc); w=$(echo "1280 * $s / 1" | bc); h=$(echo "800 * $s / 1" | bc)
  out=${PICS:-/root/pics}/$tag-$mode-$pct
  "$lab/kde-start.sh" "$n" "$w" "$h"
  . /tmp/i39k-env$n
  out_name=$(kscreen-doctor -o 2>/dev/null | sed 's/\x1b\[[0-9;]*m//g' | awk '/^Output:/ {print $3; exit}')
  [ "$s" != 1 ] && kscreen-doctor "output.$out_name.scale.$s" >/dev/null 2>&1
  sleep 1
  # In a session, X clients of Plasma's own (xembedsniproxy, say) have started Xwayland, and
  # KWin's kcminit run has set Xft.dpi, long before a player starts a game.
  xrdb -query > /dev/null; sleep 1
  for i in $(seq 40); do pgrep -x kcminit > /dev/null || break; sleep 0.25; done
  { kscreen-doctor -o 2>/dev/null | sed 's/\x1b\[[0-9;]*m//g' | grep -E "Output|Geometry|Scale"
    grep -A1 '^\[Xwayland\]' "$XDG_CONFIG_HOME/kwinrc"; } > "$out-session.txt"
  if [ "$mode" = x11 ]; then "$lab/game.sh" "$n"; else "$lab/game.sh" "$n" wayland; fi
  sleep 4
  [ "$mode" = x11 ] && { xrdb -query | grep Xft.dpi; xdpyinfo | grep dimensions; } >> "$out-session.txt"
  "$lab/play.sh" "$n" "$mode" "$s" "$out" > "$out-play.log" 2>&1
  cat /tmp/i39k-game$n.log > "$out-game.log"
  "$lab/kde-stop.sh" "$n"
  echo "done $out"
done; done
