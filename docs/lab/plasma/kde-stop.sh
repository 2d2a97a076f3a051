#!/bin/bash
# kde-stop.sh N: ends what kde-start.sh N and game.sh N started, by their ids.
n=$1
for f in game plasma other; do [ -f /tmp/i39k-$f$n.pid ] && kill -- -"$(cat /tmp/i39k-$f$n.pid)" 2>/dev/null; rm -f /tmp/i39k-$f$n.pid; done
sleep 0.5
[ -f /tmp/i39k-kwin$n.pid ] && kill -- -"$(cat /tmp/i39k-kwin$n.pid)" 2>/dev/null
sleep 1
if [ -f /tmp/i39k-xvfb$n.pid ]; then
  x=$(cat /tmp/i39k-xvfb$n.pid); kill "$x" 2>/dev/null
  for i in $(seq 20); do kill -0 "$x" 2>/dev/null || break; sleep 0.25; done
fi
for f in kwin xvfb dbus; do [ -f /tmp/i39k-$f$n.pid ] && kill -9 -- -"$(cat /tmp/i39k-$f$n.pid)" 2>/dev/null; [ -f /tmp/i39k-$f$n.pid ] && kill -9 "$(cat /tmp/i39k-$f$n.pid)" 2>/dev/null; rm -f /tmp/i39k-$f$n.pid; done
true
