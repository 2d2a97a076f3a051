#!/usr/bin/python3
# GNOME Shell's own screenshot of the whole screen, which it grants only to a few bus names:
# this caller first owns org.gnome.Screenshot, as GNOME's screenshot tool does.
# Usage: shellshot.py OUT.png
import sys

import dbus

bus = dbus.SessionBus()
bus.request_name("org.gnome.Screenshot")
shell = bus.get_object("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot")
ok, used = shell.Screenshot(False, False, sys.argv[1], dbus_interface="org.gnome.Shell.Screenshot")
print(ok, used)
