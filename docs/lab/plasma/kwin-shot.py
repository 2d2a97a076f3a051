#!/usr/bin/python3
# kwin-shot.py OUT.png [SCREEN]: what KWin shows on a screen, in device pixels, through its
# org.kde.KWin.ScreenShot2 D-Bus interface (KWin started with KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1).
import os, sys, dbus
from PIL import Image
out = sys.argv[1]
bus = dbus.SessionBus()
shot = dbus.Interface(bus.get_object('org.kde.KWin', '/org/kde/KWin/ScreenShot2'), 'org.kde.KWin.ScreenShot2')
r, w = os.pipe()
opts = dbus.Dictionary({'native-resolution': True, 'include-cursor': False, 'include-decoration': True},
                       signature='sv')
if len(sys.argv) > 2:
    res = shot.CaptureScreen(sys.argv[2], opts, dbus.types.UnixFd(w))
else:
    res = shot.CaptureActiveScreen(opts, dbus.types.UnixFd(w))
os.close(w)
chunks = []
while True:
    b = os.read(r, 1 << 20)
    if not b: break
    chunks.append(b)
data = b''.join(chunks)
width, height, stride, fmt = int(res['width']), int(res['height']), int(res['stride']), int(res['format'])
img = Image.frombuffer('RGBA', (width, height), data, 'raw', 'BGRA', stride, 1).convert('RGB')
img.save(out)
print(out, width, height, 'format', fmt, 'scale', res.get('scale', '?'))
