#!/bin/bash
# GNOME Shell 48 as a session runs it (with the logind stand-in), the game under way, then left
# behind another window and minimised, on X11 and on Wayland; pictures of what the shell shows
# and of the game taken back. Run inside the Debian 13 root.
# Usage: shell.sh PERCENT WxH GAME
set -u
pc=$1 size=$2 game=$3
. "$(dirname "$0")/common.sh"
name=s$pc
out=$lab/../pics/shell-$pc
start_session "$name" "$size" shell
scale=$(echo "$pc / 100" | bc -l)
$ml scale "$scale" > "$out-session.txt" 2>&1
sleep 4
{ echo "gsettings experimental-features: $(gsettings get org.gnome.mutter experimental-features)"
  xdpyinfo | grep -E 'dimensions'; xrdb -query | grep -i dpi; } >> "$out-session.txt"
$ml key Escape   # the overview the shell opens with
sleep 2
$ml shot "$out-0-desktop.png"
rel() { echo "$bx + $1 * $scale" | bc -l | xargs printf '%.0f '; echo "$by + $2 * $scale" | bc -l | xargs printf '%.0f\n'; }
for platform in default wayland; do
    o=$out-$platform
    wd=$(mktemp -d); cd "$wd"
    if [ $platform = default ]; then env -u QT_QPA_PLATFORM "$game" > "$o-game.log" 2>&1 &
    else QT_QPA_PLATFORM=wayland "$game" > "$o-game.log" 2>&1 & fi
    gpid=$!
    for i in $(seq 15); do
        sleep 2; $ml shot "$o-1-start.png"
        read -r bx by bw bh < <($py "$lab/findboard.py" "$o-1-start.png")
        [ "$bx" != none ] && break
    done
    echo "board at $bx,$by ${bw}x$bh" > "$o-info.txt"
    $ml click $(rel 42.5 450.5) $(rel 130 450.5) $(rel 154 450.5) $(rel 178 450.5)
    sleep 2; $ml shot "$o-2-game.png"
    # Another window in front: the game loses the keyboard.
    xmessage -geometry +0+0 "Another window, in front of the game" & other=$!
    sleep 3; $ml shot "$o-3-behind.png"; sleep 2; $ml shot "$o-3-behind-later.png"
    # Back to the game: a click on its board's margin.
    $ml click $(rel 200 3)
    sleep 3; $ml shot "$o-4-back.png"
    # Minimised (Super+H), then taken back with Alt+Tab.
    $ml combo Super_L h
    sleep 3; $ml shot "$o-5-minimised.png"; sleep 0.6; $ml shot "$o-5-minimised-b.png"
    $ml combo Alt_L Tab
    sleep 3; $ml shot "$o-6-restored.png"
    kill $other $gpid 2>/dev/null
    cd /; rm -rf "$wd"
    sleep 2
done
cp /tmp/i39g-$name/logind.log "$out-logind.log"
cp /tmp/i39g-$name/compositor.log "$out-shell.log"
"$lab/stop.sh" "$name"
