#!/usr/bin/python3
# A screenshot of KWin's whole output through its ScreenShot2 D-Bus interface (KWin started with
# KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1): the raw pixels go to FILE, and "WIDTHxHEIGHT FORMAT"
# (a QImage format number) to standard output. D-Bus hands KWin the pipe as a file descriptor,
# which neither gdbus nor busctl can pass.
#   kwin_screenshot.py FILE WIDTH HEIGHT
import os
import sys

import dbus

path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
shots = dbus.Interface(
    dbus.SessionBus().get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2"),
    "org.kde.KWin.ScreenShot2")
read, write = os.pipe()
result = shots.CaptureArea(0, 0, dbus.UInt32(width), dbus.UInt32(height),
                           dbus.Dictionary({}, signature="sv"), dbus.types.UnixFd(write))
os.close(write)
with open(path, "wb") as out:
    while chunk := os.read(read, 1 << 20):
        out.write(chunk)
print(f"{int(result['width'])}x{int(result['height'])} {int(result['format'])}")
