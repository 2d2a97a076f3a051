#!/usr/bin/python3
# Small client of mutter's D-Bus interfaces for the desktop lab (mutter 43 and 48, with or
# without GNOME Shell): set the monitor's scale, take the picture the compositor shows
# (ScreenCast + PipeWire + GStreamer), and send pointer clicks and keys (RemoteDesktop), which
# reach Wayland and X11 windows alike.
#
#   mutterlab.py scale 1.5
#   mutterlab.py shot out.png
#   mutterlab.py click X Y [X Y ...]      (in the picture's pixels)
#   mutterlab.py key Down Down Return     (X keysym names)
#   mutterlab.py combo Super_L h           (held together)
#   mutterlab.py dclick X Y
#   mutterlab.py move X Y
#   mutterlab.py state                    (monitors, scales)
import subprocess
import sys
import time

import dbus
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()

KEYSYMS = {"Return": 0xff0d, "Down": 0xff54, "Up": 0xff52, "Left": 0xff51, "Right": 0xff53,
           "Escape": 0xff1b, "Tab": 0xff09, "space": 0x20, "Alt_L": 0xffe9, "Super_L": 0xffeb,
           "n": 0x6e, "y": 0x79, "F10": 0xffc7}


def display_config():
    obj = bus.get_object("org.gnome.Mutter.DisplayConfig", "/org/gnome/Mutter/DisplayConfig")
    return dbus.Interface(obj, "org.gnome.Mutter.DisplayConfig")


def state():
    serial, monitors, logical, props = display_config().GetCurrentState()
    for mon in monitors:
        (connector, vendor, product, ser), modes, mprops = mon
        for mode in modes:
            mid, w, h, rate, pref, scales, mp = mode
            if mp.get("is-current"):
                print(f"monitor {connector} mode {mid} {w}x{h} current, scales "
                      + " ".join(f"{float(s):.4g}" for s in scales))
    for lm in logical:
        x, y, scale, transform, primary, mons, lp = lm
        print(f"logical monitor at {x},{y} scale {float(scale):.4g} primary {bool(primary)} "
              f"{[str(m[0]) for m in mons]}")
    print("layout-mode", props.get("layout-mode"))
    return serial, monitors


def set_scale(wanted):
    dc = display_config()
    serial, monitors, logical, props = dc.GetCurrentState()
    (connector, *_), modes, mprops = monitors[0]
    mode = next(m for m in modes if m[6].get("is-current"))
    scale = min(mode[5], key=lambda s: abs(float(s) - wanted))
    print(f"{connector} {mode[1]}x{mode[2]}: scale {float(scale)}")
    config = dbus.Array([dbus.Struct((dbus.Int32(0), dbus.Int32(0), dbus.Double(scale),
                                      dbus.UInt32(0), dbus.Boolean(True),
                                      dbus.Array([dbus.Struct((connector, mode[0],
                                                               dbus.Dictionary({}, "sv")))],
                                                 "(ssa{sv})")))],
                        "(iiduba(ssa{sv}))")
    dc.ApplyMonitorsConfig(serial, dbus.UInt32(1), config, dbus.Dictionary({}, "sv"))


def connector():
    serial, monitors, logical, props = display_config().GetCurrentState()
    return str(monitors[0][0][0])


class Cast:
    """A ScreenCast stream of the monitor, optionally tied to a RemoteDesktop session."""

    def __init__(self, remote=False):
        self.rd = None
        opts = dbus.Dictionary({}, "sv")
        if remote:
            rdo = bus.get_object("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop")
            path = dbus.Interface(rdo, "org.gnome.Mutter.RemoteDesktop").CreateSession()
            self.rd_obj = bus.get_object("org.gnome.Mutter.RemoteDesktop", path)
            self.rd = dbus.Interface(self.rd_obj, "org.gnome.Mutter.RemoteDesktop.Session")
            sid = self.rd_obj.Get("org.gnome.Mutter.RemoteDesktop.Session", "SessionId",
                                  dbus_interface="org.freedesktop.DBus.Properties")
            opts["remote-desktop-session-id"] = dbus.String(sid)
        sco = bus.get_object("org.gnome.Mutter.ScreenCast", "/org/gnome/Mutter/ScreenCast")
        path = dbus.Interface(sco, "org.gnome.Mutter.ScreenCast").CreateSession(opts)
        self.sc = dbus.Interface(bus.get_object("org.gnome.Mutter.ScreenCast", path),
                                 "org.gnome.Mutter.ScreenCast.Session")
        self.stream_path = self.sc.RecordMonitor(connector(),
                                                 dbus.Dictionary({"cursor-mode": dbus.UInt32(0)}, "sv"))
        stream = bus.get_object("org.gnome.Mutter.ScreenCast", self.stream_path)
        self.node = None
        loop = GLib.MainLoop()

        def added(node):
            self.node = int(node)
            loop.quit()
        stream.connect_to_signal("PipeWireStreamAdded", added,
                                 dbus_interface="org.gnome.Mutter.ScreenCast.Stream")
        (self.rd or self.sc).Start()
        GLib.timeout_add(5000, loop.quit)
        loop.run()
        if self.node is None:
            raise SystemExit("no PipeWire stream from mutter")

    def shot(self, out):
        # A few buffers: the first can come before the stream has a picture.
        pattern = out + ".%d.raw.png"
        subprocess.run(["gst-launch-1.0", "-q", "pipewiresrc", f"path={self.node}",
                        "num-buffers=1", "!", "videoconvert", "!", "pngenc", "!",
                        "multifilesink", f"location={pattern}"], check=True, timeout=30)
        import glob
        import os
        files = sorted(glob.glob(out + ".*.raw.png"))
        os.replace(files[-1], out)
        for f in files[:-1]:
            os.remove(f)

    def move(self, x, y):
        self.rd.NotifyPointerMotionAbsolute(self.stream_path, dbus.Double(x), dbus.Double(y))

    def click(self, x, y):
        # A pointer that has just entered a Wayland window loses its first press: move twice.
        self.move(x + 2, y + 2)
        time.sleep(0.2)
        self.move(x, y)
        time.sleep(0.2)
        self.rd.NotifyPointerButton(dbus.Int32(272), True)
        time.sleep(0.08)
        self.rd.NotifyPointerButton(dbus.Int32(272), False)
        time.sleep(0.3)

    def key(self, name):
        sym = KEYSYMS[name] if name in KEYSYMS else ord(name)
        self.rd.NotifyKeyboardKeysym(dbus.UInt32(sym), True)
        time.sleep(0.05)
        self.rd.NotifyKeyboardKeysym(dbus.UInt32(sym), False)
        time.sleep(0.25)

    def combo(self, names):
        syms = [KEYSYMS[n] if n in KEYSYMS else ord(n) for n in names]
        for sym in syms:
            self.rd.NotifyKeyboardKeysym(dbus.UInt32(sym), True)
            time.sleep(0.1)
        for sym in reversed(syms):
            self.rd.NotifyKeyboardKeysym(dbus.UInt32(sym), False)
            time.sleep(0.05)
        time.sleep(0.3)

    def stop(self):
        (self.rd or self.sc).Stop()


def main():
    cmd, args = sys.argv[1], sys.argv[2:]
    if cmd == "state":
        state()
    elif cmd == "scale":
        set_scale(float(args[0]))
        time.sleep(1)
        state()
    elif cmd == "shot":
        c = Cast()
        time.sleep(0.5)
        c.shot(args[0])
        c.stop()
    elif cmd in ("click", "move"):
        c = Cast(remote=True)
        time.sleep(0.3)
        pts = list(map(float, args))
        for i in range(0, len(pts), 2):
            (c.click if cmd == "click" else c.move)(pts[i], pts[i + 1])
            time.sleep(0.6)
        c.stop()
    elif cmd == "dclick":  # a double click at X Y
        c = Cast(remote=True)
        time.sleep(0.3)
        x, y = map(float, args)
        c.move(x + 2, y + 2)
        time.sleep(0.2)
        c.move(x, y)
        time.sleep(0.2)
        for _ in range(2):
            c.rd.NotifyPointerButton(dbus.Int32(272), True)
            time.sleep(0.05)
            c.rd.NotifyPointerButton(dbus.Int32(272), False)
            time.sleep(0.1)
        time.sleep(0.3)
        c.stop()
    elif cmd == "combo":  # keys held together: combo Super_L h
        c = Cast(remote=True)
        time.sleep(0.3)
        c.combo(args)
        c.stop()
    elif cmd == "key":
        c = Cast(remote=True)
        time.sleep(0.3)
        for name in args:
            c.key(name)
        c.stop()
    else:
        raise SystemExit(f"unknown command {cmd}")


if __name__ == "__main__":
    main()
