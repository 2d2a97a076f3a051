#!/bin/bash
# One scale of the GNOME 48 measurements: a session of bare mutter (as GNOME runs it), the
# scale set, then the game on Xwayland and on Wayland. Run inside the Debian 13 root.
# Usage: run48.sh PERCENT WxH GAME [PREFIX]
set -u
pc=$1 size=$2 game=$3 prefix=${4:-g48}
. "$(dirname "$0")/common.sh"
name=m$pc
start_session "$name" "$size"
out=$lab/../pics/$prefix
/usr/bin/python3 "$lab/mutterlab.py" scale "$(echo "$pc / 100" | bc -l)" > "$out-$pc-session.txt"
sleep 3
{ echo "gsettings experimental-features: $(gsettings get org.gnome.mutter experimental-features)"
  xdpyinfo | grep -E 'dimensions|resolution'; xrdb -query | grep -i dpi; } >> "$out-$pc-session.txt"
for p in ${PLATFORMS:-xcb wayland}; do
    "$lab/play.sh" /tmp/i39g-$name/env $p "$(echo "$pc / 100" | bc -l)" "$out-$([ $p = xcb ] && echo x11 || echo wl)-$pc" "$game"
done
"$lab/stop.sh" "$name"
