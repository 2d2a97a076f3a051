#!/bin/bash
# game.sh N [PLATFORM]: starts the game in session N (xcb by default with DISPLAY set, or the
# given QT_QPA_PLATFORM), in a folder of its own; log in /tmp/i39k-gameN.log.
n=$1; . /tmp/i39k-env$n
[ -n "${2:-}" ] && export QT_QPA_PLATFORM=$2
bin=${DYELAND:-/root/dyeland/build/release/src/ui/dyeland}
mkdir -p /tmp/i39k-play$n; cd /tmp/i39k-play$n
setsid "$bin" > /tmp/i39k-game$n.log 2>&1 &
echo $! > /tmp/i39k-game$n.pid
