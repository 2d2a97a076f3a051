#!/usr/bin/python3
# Stands in for systemd-logind on the lab's private system bus: one seat, one user (uid of the
# caller's session, root here) and one active local Wayland session "1", with what GNOME Shell 48
# asks at start and while it runs (GetSession, GetUser, session/auto, properties, the Can*
# questions answered "na", Inhibit returning a pipe, SetLockedHint and SetIdleHint accepted).
# Every call is logged to stdout so that what the shell asked can be read afterwards.
import os
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

DBusGMainLoop(set_as_default=True)
bus = dbus.SystemBus()
name = dbus.service.BusName("org.freedesktop.login1", bus)
UID = int(sys.argv[1]) if len(sys.argv) > 1 else 0
SESSION = dbus.ObjectPath("/org/freedesktop/login1/session/_31")
USER = dbus.ObjectPath(f"/org/freedesktop/login1/user/_{UID}")
SEAT = dbus.ObjectPath("/org/freedesktop/login1/seat/seat0")
PROPS = "org.freedesktop.DBus.Properties"
keep = []  # inhibitor pipes stay open until the stand-in ends


def log(*a):
    print(*a, flush=True)


def props_class(base):
  class Props(base):
      iface = ""
      props = {}

      @dbus.service.method(PROPS, in_signature="ss", out_signature="v", path_keyword="path")
      def Get(self, interface, prop, path=None):
          log("Get", path, interface, prop)
          return self.props[prop]

      @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}", path_keyword="path")
      def GetAll(self, interface, path=None):
          log("GetAll", path, interface)
          return dbus.Dictionary(self.props if interface in ("", self.iface) else {}, "sv")

      @dbus.service.method(PROPS, in_signature="ssv", path_keyword="path")
      def Set(self, interface, prop, value, path=None):
          log("Set", path, prop, value)

      @dbus.service.signal(PROPS, signature="sa{sv}as")
      def PropertiesChanged(self, interface, changed, invalidated):
          pass


  return Props


Props = props_class(dbus.service.Object)
FallbackProps = props_class(dbus.service.FallbackObject)


class Manager(Props):
    iface = "org.freedesktop.login1.Manager"
    props = {"IdleHint": False, "PreparingForSleep": False, "PreparingForShutdown": False,
             "Docked": False, "LidClosed": False, "OnExternalPower": True,
             "HandleLidSwitch": "suspend", "NAutoVTs": dbus.UInt32(6)}

    def __init__(self):
        super().__init__(bus, "/org/freedesktop/login1")

    @dbus.service.method(iface, in_signature="s", out_signature="o")
    def GetSession(self, sid):
        log("GetSession", sid)
        return SESSION

    @dbus.service.method(iface, in_signature="u", out_signature="o")
    def GetSessionByPID(self, pid):
        log("GetSessionByPID", pid)
        return SESSION

    @dbus.service.method(iface, in_signature="u", out_signature="o")
    def GetUser(self, uid):
        log("GetUser", uid)
        return USER

    @dbus.service.method(iface, in_signature="u", out_signature="o")
    def GetUserByPID(self, pid):
        log("GetUserByPID", pid)
        return USER

    @dbus.service.method(iface, in_signature="s", out_signature="o")
    def GetSeat(self, seat):
        log("GetSeat", seat)
        return SEAT

    @dbus.service.method(iface, out_signature="a(susso)")
    def ListSessions(self):
        log("ListSessions")
        return [("1", dbus.UInt32(UID), "root", "seat0", SESSION)]

    @dbus.service.method(iface, out_signature="a(uso)")
    def ListUsers(self):
        log("ListUsers")
        return [(dbus.UInt32(UID), "root", USER)]

    @dbus.service.method(iface, in_signature="ssss", out_signature="h")
    def Inhibit(self, what, who, why, mode):
        log("Inhibit", what, who, why, mode)
        r, w = os.pipe()
        keep.append(w)
        return dbus.types.UnixFd(r)

    @dbus.service.method(iface, out_signature="a(ssssuu)")
    def ListInhibitors(self):
        return []

    @dbus.service.method(iface, in_signature="t")
    def SetRebootToBootLoaderMenu(self, t):
        log("SetRebootToBootLoaderMenu", t)

    def _na(name):
        def f(self):
            log(name)
            return "na"
        f.__name__ = name
        return dbus.service.method("org.freedesktop.login1.Manager", out_signature="s")(f)

    for _n in ("CanSuspend", "CanHibernate", "CanHybridSleep", "CanSuspendThenHibernate",
               "CanPowerOff", "CanReboot", "CanHalt", "CanRebootToBootLoaderMenu",
               "CanRebootToFirmwareSetup", "CanRebootToBootLoaderEntry"):
        locals()[_n] = _na(_n)

    @dbus.service.signal(iface, signature="b")
    def PrepareForSleep(self, start):
        pass

    @dbus.service.signal(iface, signature="so")
    def SessionRemoved(self, sid, path):
        pass

    @dbus.service.signal(iface, signature="so")
    def SessionNew(self, sid, path):
        pass


class Session(FallbackProps):
    iface = "org.freedesktop.login1.Session"
    props = {"Id": "1", "Name": "root", "User": dbus.Struct((dbus.UInt32(UID), USER)),
             "Seat": dbus.Struct(("seat0", SEAT)), "Active": True, "Remote": False,
             "LockedHint": False, "IdleHint": False, "IdleSinceHint": dbus.UInt64(0),
             "Class": "user", "Type": "wayland", "State": "active", "Display": "", "TTY": "",
             "Service": "gdm-password", "Desktop": "GNOME", "Leader": dbus.UInt32(1),
             "VTNr": dbus.UInt32(2), "RemoteHost": "", "RemoteUser": "", "Scope": "",
             "CanIdle": True, "CanLock": True}

    def __init__(self):
        # One object answers for every session path, "auto" and "self" included.
        super().__init__(bus, "/org/freedesktop/login1/session")

    @dbus.service.method(iface, in_signature="b")
    def SetLockedHint(self, b):
        log("SetLockedHint", b)
        self.props["LockedHint"] = bool(b)

    @dbus.service.method(iface, in_signature="b")
    def SetIdleHint(self, b):
        log("SetIdleHint", b)

    @dbus.service.method(iface)
    def Activate(self):
        log("Activate")

    @dbus.service.method(iface)
    def Lock(self):
        log("Lock")

    @dbus.service.method(iface)
    def Unlock(self):
        log("Unlock")

    @dbus.service.method(iface, in_signature="b")
    def TakeControl(self, force):
        log("TakeControl", force)

    @dbus.service.method(iface)
    def ReleaseControl(self):
        log("ReleaseControl")

    @dbus.service.signal(iface)
    def LockSignal(self):
        pass


class User(Props):
    iface = "org.freedesktop.login1.User"
    props = {"UID": dbus.UInt32(UID), "GID": dbus.UInt32(0), "Name": "root",
             "Display": dbus.Struct(("1", SESSION)), "State": "active",
             "Sessions": dbus.Array([dbus.Struct(("1", SESSION))], "(so)"),
             "RuntimePath": os.environ.get("XDG_RUNTIME_DIR", "/run/user/0"), "Linger": False,
             "IdleHint": False}

    def __init__(self):
        super().__init__(bus, USER)


class Seat(Props):
    iface = "org.freedesktop.login1.Seat"
    props = {"Id": "seat0", "ActiveSession": dbus.Struct(("1", SESSION)), "CanTTY": True,
             "CanGraphical": True, "Sessions": dbus.Array([dbus.Struct(("1", SESSION))], "(so)"),
             "IdleHint": False}

    def __init__(self):
        super().__init__(bus, SEAT)


objs = [Manager(), Session(), User(), Seat()]
log("login1 stand-in ready")
GLib.MainLoop().run()
