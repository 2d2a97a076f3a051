#!/usr/bin/env bash
# Validates the desktop entry and the AppStream file, builds the Debian package, unpacks it
# into a scratch root and checks what it would install.
# Usage: package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$src/packaging/org.dyeland.Dyeland.desktop"
appstreamcli validate --no-net --pedantic "$src/packaging/org.dyeland.Dyeland.metainfo.xml" >/dev/null

(cd "$build" && cpack -G DEB -B "$scratch/pkg" >/dev/null)
deb=$(ls "$scratch"/pkg/*.deb)
root="$scratch/root"
dpkg-deb -x "$deb" "$root"

for f in usr/bin/dyeland usr/bin/dyeland-launch \
         usr/share/applications/org.dyeland.Dyeland.desktop \
         usr/share/metainfo/org.dyeland.Dyeland.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.dyeland.Dyeland.svg \
         usr/share/icons/hicolor/48x48/apps/org.dyeland.Dyeland.png; do
    [ -e "$root/$f" ] || fail "package lacks /$f"
done
[ -x "$root/usr/bin/dyeland" ] || fail "the game is not executable"
file "$root/usr/share/icons/hicolor/48x48/apps/org.dyeland.Dyeland.png" | grep -q '48 x 48' ||
    fail "the PNG icon is not 48 x 48"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6core6 libstdc++6; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = dyeland ] || fail "package name"

# The menu entry starts the game in a per-user folder of its own, made when missing.
mkdir -p "$scratch/fakebin" "$scratch/home"
printf '#!/bin/sh\npwd\n' > "$scratch/fakebin/dyeland"
chmod +x "$scratch/fakebin/dyeland"
ran_in=$(env -u XDG_DATA_HOME HOME="$scratch/home" PATH="$scratch/fakebin:$PATH" \
         "$root/usr/bin/dyeland-launch")
[ "$ran_in" = "$scratch/home/.local/share/dyeland" ] || fail "launcher ran the game in $ran_in"
ran_in=$(XDG_DATA_HOME="$scratch/data" PATH="$scratch/fakebin:$PATH" "$root/usr/bin/dyeland-launch")
[ "$ran_in" = "$scratch/data/dyeland" ] || fail "launcher ignored XDG_DATA_HOME: $ran_in"
echo "package ok: $(basename "$deb")"
