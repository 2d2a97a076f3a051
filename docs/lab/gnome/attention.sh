#!/bin/bash
# What GNOME Shell 48 shows when the game on Wayland, under way, is left behind another window
# that covers it and then minimised, and when the player comes back; pictures from the shell's
# own screenshot call (no screen cast running, so nothing holds notices back), mutter's
# focus and window-state log, and the game's Wayland requests.
# Usage: attention.sh PERCENT WxH GAME
set -u
pc=$1 size=$2 game=$3
. "$(dirname "$0")/common.sh"
name=a$pc
out=$lab/../pics/${PREFIX:-attention}-$pc
ss="$py $lab/shellshot.py"
MUTTER_DEBUG=focus,window-state start_session "$name" "$size" shell
scale=$(echo "$pc / 100" | bc -l)
$ml scale "$scale" > "$out.txt" 2>&1; sleep 4
$ml key Escape; sleep 2
rel() { echo "$bx + $1 * $scale" | bc -l | xargs printf '%.0f '; echo "$by + $2 * $scale" | bc -l | xargs printf '%.0f\n'; }
for platform in ${PLATFORMS:-wayland default}; do
o=$out-$platform
wd=$(mktemp -d); cd "$wd"
if [ $platform = wayland ]; then WAYLAND_DEBUG=1 QT_QPA_PLATFORM=wayland "$game" > "$o-debug.log" 2>&1 &
else env -u QT_QPA_PLATFORM "$game" > "$o-debug.log" 2>&1 & fi
gpid=$!
sleep 6
$ss "$o-1-start.png" >> "$out.txt"
read -r bx by bw bh < <($py "$lab/findboard.py" "$o-1-start.png")
echo "$platform: board at $bx,$by ${bw}x$bh" >> "$out.txt"
$ml click $(rel 42.5 450.5) $(rel 130 450.5) $(rel 154 450.5) $(rel 178 450.5)
# Banners wait while a screen is shared: the remote-control session above must be over.
sleep 12; $ss "$o-2-game.png" >> "$out.txt"
# Another window over the game.
xmessage -geometry $(echo "700 * $scale" | bc | cut -d. -f1)x$(echo "500 * $scale" | bc | cut -d. -f1)+$(echo "300 * $scale" | bc | cut -d. -f1)+$(echo "150 * $scale" | bc | cut -d. -f1) "Another window, over the game" & other=$!
sleep 2; $ss "$o-3-behind.png" >> "$out.txt"; sleep 4; $ss "$o-3-behind-later.png" >> "$out.txt"
# Back to the game: the other window is closed, and the game has the keyboard again.
kill $other; sleep 3; $ss "$o-4-back.png" >> "$out.txt"
$ml combo Super_L h               # minimised
sleep 1; $ss "$o-5-minimised-1s.png" >> "$out.txt"; sleep 2; $ss "$o-5-minimised-3s.png" >> "$out.txt"
sleep 9; $ss "$o-5-minimised.png" >> "$out.txt"; sleep 0.5; $ss "$o-5-minimised-b.png" >> "$out.txt"
$ml combo Alt_L Tab               # back from the window switcher
sleep 1; $ss "$o-6-restored-1s.png" >> "$out.txt"; sleep 11; $ss "$o-6-restored.png" >> "$out.txt"
kill $gpid 2>/dev/null
cd /; rm -rf "$wd"; sleep 2
done
cp /tmp/i39g-$name/compositor.log "$out-shell.log"
cp /tmp/i39g-$name/logind.log "$out-logind.log"
"$lab/stop.sh" "$name"
