#!/bin/bash
# kde-start.sh N WIDTH HEIGHT: starts KWin (a screen of WIDTHxHEIGHT device pixels, Xwayland) as a
# Plasma session has it, on socket wl-kdeN with its own runtime folder, home and session bus;
# writes the environment for the programs of that session to /tmp/i39k-envN.
# With XVFB=:6x, KWin shows its screen as a window on an Xvfb of that number (KWin's X11
# backend), so that `import -display :6x -window root` takes what KWin shows; otherwise
# KWin's virtual backend.
set -eu
n=$1 w=$2 h=$3
rt=/tmp/i39k-rt$n home=/tmp/i39k-home$n env=/tmp/i39k-env$n
rm -rf "$rt" "$home"; mkdir -m 700 "$rt"; mkdir -p "$home/.config"
export XDG_RUNTIME_DIR=$rt HOME=$home XDG_CONFIG_HOME=$home/.config
unset DISPLAY WAYLAND_DISPLAY
# The game's menu entry and icon, as its package installs them, so that the desktop can match
# the windows to it (REPO: the game's source tree).
repo=${REPO:-/root/dyeland}; data=$home/.local/share
mkdir -p "$data/applications" "$data/icons/hicolor/scalable/apps" "$data/icons/hicolor/48x48/apps"
sed 's|@DYELAND_LAUNCHER@|dyeland|' "$repo/packaging/org.dyeland.Dyeland.desktop" \
    > "$data/applications/org.dyeland.Dyeland.desktop"
cp "$repo/packaging/dyeland.svg" "$data/icons/hicolor/scalable/apps/org.dyeland.Dyeland.svg"
cp "$repo/packaging/dyeland-48.png" "$data/icons/hicolor/48x48/apps/org.dyeland.Dyeland.png"
eval "$(dbus-launch --sh-syntax)"
mkdir -p /opt/i39k$n; before=$(ls /tmp/.X11-unix 2>/dev/null | sort)
# A copy without the file capability, which our containers refuse; KWin 6 wants this name.
cp /usr/bin/kwin_wayland /opt/i39k$n/kwin_wayland
ver=$(/opt/i39k$n/kwin_wayland --version 2>&1 | grep -m1 -o '[0-9][0-9.]*$'); major=${ver%%.*}
cat > "$env" <<E
export XDG_RUNTIME_DIR=$rt HOME=$home XDG_CONFIG_HOME=$home/.config
export DBUS_SESSION_BUS_ADDRESS='$DBUS_SESSION_BUS_ADDRESS'
export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=$major
export XDG_SESSION_TYPE=wayland XDG_SESSION_DESKTOP=KDE DESKTOP_SESSION=plasma
export WAYLAND_DISPLAY=wl-kde$n
E
. "$env"
unset WAYLAND_DISPLAY
backend=(--virtual)
if [ -n "${XVFB:-}" ]; then
  setsid Xvfb "$XVFB" -screen 0 "${w}x${h}x24" -nolisten tcp > /tmp/i39k-xvfb$n.log 2>&1 &
  echo $! > /tmp/i39k-xvfb$n.pid
  for i in $(seq 40); do [ -S /tmp/.X11-unix/X${XVFB#:} ] && break; sleep 0.25; done
  before=$(ls /tmp/.X11-unix | sort)
  backend=(--x11-display "$XVFB")
  echo "export XVFB_DISPLAY=$XVFB" >> "$env"
fi
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 \
  setsid /opt/i39k$n/kwin_wayland "${backend[@]}" --width "$w" --height "$h" --xwayland \
  --socket wl-kde$n --no-lockscreen > /tmp/i39k-kwin$n.log 2>&1 &
echo $! > /tmp/i39k-kwin$n.pid
echo "$DBUS_SESSION_BUS_PID" > /tmp/i39k-dbus$n.pid
for i in $(seq 60); do [ -S "$rt/wl-kde$n" ] && break; sleep 0.5; done
# The X display KWin listens on (KWin 6 starts its Xwayland when the first X client comes).
for i in $(seq 60); do
  # KWin 5 starts its Xwayland at once: its child's first argument; KWin 6: a new socket.
  d=$(ps -o args= --ppid "$(cat /tmp/i39k-kwin$n.pid)" | awk '$1 ~ /Xwayland$/ {print $2}' | head -1)
  [ -z "$d" ] && d=$(comm -13 <(echo "$before") <(ls /tmp/.X11-unix | sort) | sed -n 's/^X/:/p' | head -1)
  [ -n "$d" ] && break; sleep 0.5; done
echo "export DISPLAY=$d" >> "$env"
echo "kwin $ver on wl-kde$n, X $d, env in $env"
