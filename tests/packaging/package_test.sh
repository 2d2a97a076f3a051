#!/usr/bin/env bash
# Builds the Debian package from a copy of the working tree, holds it to lintian, checks the
# files it installs and that the menu's launcher starts the game in a per-user folder.
# Usage: package_test.sh SOURCE_DIR
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir "$scratch/src" "$scratch/root"
git -C "$1" ls-files -co --exclude-standard -z | tar -C "$1" --null -T - -c | tar -C "$scratch/src" -x
(cd "$scratch/src" && dpkg-buildpackage -b -us -uc >"$scratch/build.log" 2>&1) ||
    { tail -40 "$scratch/build.log"; fail "dpkg-buildpackage"; }
lintian --fail-on error,warning "$scratch"/*.changes || fail "lintian"

deb=$(ls "$scratch"/dyeland_*.deb)
diff <(dpkg-deb -c "$deb" | awk '!/\/$/ { print $6 }' | sort) - <<'EOF_FILES' || fail "file list"
./usr/games/dyeland
./usr/lib/games/dyeland/dyeland-launch
./usr/share/applications/org.dyeland.Dyeland.desktop
./usr/share/doc/dyeland/changelog.gz
./usr/share/doc/dyeland/copyright
./usr/share/icons/hicolor/48x48/apps/org.dyeland.Dyeland.png
./usr/share/icons/hicolor/scalable/apps/org.dyeland.Dyeland.svg
./usr/share/man/man6/dyeland.6.gz
./usr/share/metainfo/org.dyeland.Dyeland.metainfo.xml
EOF_FILES
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lacks the Qt libraries"
dpkg-deb -x "$deb" "$scratch/root"
desktop-file-validate "$scratch/root/usr/share/applications/org.dyeland.Dyeland.desktop"
grep -qx Exec=/usr/lib/games/dyeland/dyeland-launch "$scratch"/root/usr/share/applications/* ||
    fail "the menu entry does not run the launcher"
appstreamcli validate --no-net --pedantic "$scratch"/root/usr/share/metainfo/* >/dev/null

# The launcher as installed, with a stand-in for the game mounted over /usr/games.
printf '#!/bin/sh\npwd\n' >"$scratch/root/usr/games/dyeland"
for data in "" "$scratch/data"; do
    ran_in=$(HOME="$scratch/home" XDG_DATA_HOME="$data" unshare -rm sh -c \
        'mount --bind "$0/usr/games" /usr/games && exec "$0/usr/lib/games/dyeland/dyeland-launch"' \
        "$scratch/root")
    [ "$ran_in" = "${data:-$scratch/home/.local/share}/dyeland" ] || fail "game ran in $ran_in"
done
echo "package ok: $(basename "$deb")"
