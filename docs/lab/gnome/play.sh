#!/bin/bash
# Plays the game in a running lab session and takes the compositor's pictures of it:
#   OUT-start.png   the start screen
#   OUT-game.png    a game in progress (Start pressed, three picks)
#   OUT-min.png     (X11) minimised: the alert; (Wayland) nothing to do without a shell
#   OUT-end.png     Arcade switched on and left alone until the computer has won: the box
# Usage: play.sh ENVFILE xcb|wayland SCALE OUT GAME
set -u
envfile=$1 platform=$2 scale=$3 out=$4 game=$5
. "$envfile"
. "$(dirname "$0")/common.sh"
out=$(realpath -m "$out")
rel() {  # board-relative logical point -> picture pixels
    echo "$bx + $1 * $scale" | bc -l | xargs printf '%.0f '
    echo "$by + $2 * $scale" | bc -l | xargs printf '%.0f\n'
}
click() {  # picture pixels
    if [ "$platform" = xcb ]; then
        read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
        local x y
        x=$(echo "$1 * $sw / $pw" | bc -l | xargs printf '%.0f')
        y=$(echo "$2 * $sh / $ph" | bc -l | xargs printf '%.0f')
        xdotool mousemove "$x" "$y" sleep 0.2 click 1 sleep 0.5
    else
        $ml click "$1" "$2"
    fi
}
keys() {
    if [ "$platform" = xcb ]; then xdotool key --delay 250 "$@"; else $ml key "$@"; fi
}
mkdir -p "$(dirname "$out")"
wd=$(mktemp -d); cd "$wd"
QT_QPA_PLATFORM=$platform "$game" > "$out-game.log" 2>&1 &
gpid=$!
for i in $(seq 15); do
    sleep 2
    $ml shot "$out-start.png"
    read -r bx by bw bh < <($py "$lab/findboard.py" "$out-start.png")
    [ "$bx" != none ] && break
done
sleep 1
read -r pw ph < <(identify -format '%w %h\n' "$out-start.png")
echo "board at $bx,$by ${bw}x$bh in a ${pw}x$ph picture" | tee "$out-info.txt"
[ "$platform" = xcb ] && { xdpyinfo | grep -E 'dimensions|resolution'; xrdb -query | grep dpi;
    xdotool search --onlyvisible --name '^Dyeland$' getwindowgeometry; } >> "$out-info.txt"
click $(rel 42.5 450.5)          # Start
for k in 0 1 2 3 4 5 6 7; do click $(rel $((130 + 24 * k)) 450.5); sleep 1; done
sleep 1.5
$ml shot "$out-game.png"
if [ "$platform" = xcb ]; then
    w=$(xdotool search --onlyvisible --name '^Dyeland$' | head -1)
    xdotool windowminimize "$w"; sleep 3
    for i in 1 2 3; do $ml shot "$out-min$i.png"; sleep 0.3; done
    xdotool windowactivate "$w" 2>/dev/null || xdotool windowmap "$w"; sleep 2
    $ml shot "$out-back.png"
fi
# Random picks until the game is over: the end box is up once the picture stops changing.
prev=""
for i in $(seq 40); do
    pts=()
    for j in 1 2 3 4 5 6; do pts+=($(rel $((130 + 24 * (RANDOM % 8))) 450.5)); done
    if [ "$platform" = xcb ]; then
        for ((j = 0; j < 12; j += 2)); do click ${pts[j]} ${pts[j+1]}; done
    else
        $ml click "${pts[@]}"
    fi
    sleep 1.5
    $ml shot "$out-end.png"
    sum=$(md5sum < "$out-end.png")
    [ "$sum" = "$prev" ] && break
    prev=$sum
done
echo "end after $((i * 6)) picks" >> "$out-info.txt"
keys n
sleep 1; kill $gpid 2>/dev/null
cd /; rm -rf "$wd"
