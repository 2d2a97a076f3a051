#!/bin/bash
# Starts mutter headless as a GNOME session has it: its own XDG_RUNTIME_DIR, a session bus,
# PipeWire and WirePlumber, XDG_CURRENT_DESKTOP=GNOME (Debian's mutter overrides), a virtual
# monitor, then gsd-xsettings on mutter's Xwayland once it is up. Writes the session's
# environment to $rt/env for the other lab scripts, then waits.
# Usage: session.sh NAME WxH [shell]      (shell: gnome-shell instead of bare mutter)
set -u
name=$1 size=$2 what=${3:-mutter}
rt=/tmp/i39g-$name
rm -rf "$rt"; mkdir -m 700 "$rt"
export XDG_RUNTIME_DIR=$rt XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
export XDG_SESSION_DESKTOP=gnome DESKTOP_SESSION=gnome
unset DISPLAY WAYLAND_DISPLAY
lab=$(cd "$(dirname "$0")" && pwd)
if [ "$what" = shell ]; then
    # GNOME Shell asks systemd-logind on the system bus: a private bus and a stand-in.
    rm -rf /tmp/i39g-sysbus; mkdir -p /tmp/i39g-sysbus
    dbus-daemon --config-file="$lab/system-bus.conf" --nofork &
    echo $! >> "$rt/pids"
    sleep 1
    export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/tmp/i39g-sysbus/system_bus_socket XDG_SESSION_ID=1
    /usr/bin/python3 "$lab/logind-standin.py" > "$rt/logind.log" 2>&1 &
    echo $! >> "$rt/pids"
    sleep 1
fi
exec dbus-run-session -- bash -c '
    pipewire >'"$rt"'/pipewire.log 2>&1 &
    echo $! >> '"$rt"'/pids
    sleep 0.5; wireplumber >'"$rt"'/wireplumber.log 2>&1 &
    echo $! >> '"$rt"'/pids
    if [ '"$what"' = shell ]; then
        gnome-shell --wayland --headless --virtual-monitor '"$size"' --wayland-display=wl-gnome'"$name"' >'"$rt"'/compositor.log 2>&1 &
    else
        mutter --wayland --headless --virtual-monitor '"$size"' --wayland-display=wl-gnome'"$name"' >'"$rt"'/compositor.log 2>&1 &
    fi
    comp=$!
    echo $comp >> '"$rt"'/pids
    for i in $(seq 60); do
        x=$(pgrep -P $comp -a Xwayland | grep -o " :[0-9]*" | head -1 | tr -d " ")
        [ -n "$x" ] && break; sleep 0.5
    done
    auth=$(ls '"$rt"'/.mutter-Xwaylandauth.* 2>/dev/null | head -1)
    { echo "export XDG_RUNTIME_DIR='"$rt"' DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS"
      echo "export DISPLAY=$x XAUTHORITY=$auth WAYLAND_DISPLAY=wl-gnome'"$name"'"
      echo "export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland COMPOSITOR_PID=$comp"
      [ -n "${DBUS_SYSTEM_BUS_ADDRESS:-}" ] && echo "export DBUS_SYSTEM_BUS_ADDRESS=$DBUS_SYSTEM_BUS_ADDRESS"; } > '"$rt"'/env.tmp
    # What gnome-session hands to D-Bus activated services (the portals among them).
    DISPLAY=$x XAUTHORITY=$auth WAYLAND_DISPLAY=wl-gnome'"$name"' dbus-update-activation-environment \
        DISPLAY XAUTHORITY WAYLAND_DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE XDG_SESSION_DESKTOP
    mv '"$rt"'/env.tmp '"$rt"'/env
    DISPLAY=$x XAUTHORITY=$auth /usr/libexec/gsd-xsettings >'"$rt"'/xsettings.log 2>&1 &
    echo $! >> '"$rt"'/pids
    wait $comp'
