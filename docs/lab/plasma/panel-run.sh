#!/bin/bash
# panel-run.sh TAG "SCALES" "MODES": as matrix.sh, with plasmashell's panel running, then panel.sh.
tag=$1; n=${SESSION:-1}; lab=$(cd "$(dirname "$0")" && pwd); pics=${PICS:-/root/pics}; mkdir -p "$pics"
for s in $2; do for mode in $3; do
  pct=$(echo "$s * 100 / 1" | bc); w=$(echo "1280 * $s / 1" | bc); h=$(echo "800 * $s / 1" | bc)
  out=$pics/$tag-$mode-$pct
  "$lab/kde-start.sh" "$n" "$w" "$h"
  . /tmp/i39k-env$n
  name=$(kscreen-doctor -o 2>/dev/null | sed 's/\x1b\[[0-9;]*m//g' | awk '/^Output:/ {print $3; exit}')
  [ "$s" != 1 ] && kscreen-doctor "output.$name.scale.$s" >/dev/null 2>&1
  sleep 1; xrdb -query > /dev/null; sleep 1
  for i in $(seq 40); do pgrep -x kcminit > /dev/null || break; sleep 0.25; done
  # As startplasma does: services the bus starts (kactivitymanagerd) get the session's variables.
  dbus-update-activation-environment DISPLAY WAYLAND_DISPLAY XDG_CURRENT_DESKTOP KDE_FULL_SESSION \
      KDE_SESSION_VERSION XDG_SESSION_TYPE XDG_RUNTIME_DIR HOME XDG_CONFIG_HOME
  (kbuildsycoca6 || kbuildsycoca5) > /dev/null 2>&1
  # plasmashell as a session starts it: a Wayland client of KWin.
  QT_QPA_PLATFORM=wayland setsid plasmashell --no-respawn > /tmp/i39k-plasma$n.log 2>&1 &
  echo $! > /tmp/i39k-plasma$n.pid
  sleep 15
  if [ "$mode" = x11 ]; then "$lab/game.sh" "$n"; else "$lab/game.sh" "$n" wayland; fi
  sleep 5
  "$lab/panel.sh" "$n" "$mode" "$s" "$out" > "$out-panel.log" 2>&1
  cp /tmp/i39k-plasma$n.log "$out-plasmashell.log"
  "$lab/kde-stop.sh" "$n"
  echo "done $out"
done; done
