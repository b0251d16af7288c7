#!/usr/bin/env python3
"""A precise scripted player for the calibration: presses Enter (Start), then
taps Space on each of the 16 clicks to tap, LATE_MS after it, through XTest.

usage: xtap.py LATE_MS
The clicks to tap come 2,000 ms after Start and 500 ms apart.
"""
import ctypes
import ctypes.util
import sys
import time


def main():
    late = int(sys.argv[1])
    x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
    xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XStringToKeysym.restype = ctypes.c_ulong
    x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
    display = x11.XOpenDisplay(None)
    enter, space = (x11.XKeysymToKeycode(display, x11.XStringToKeysym(k)) for k in (b"Return", b"space"))
    events = [(0, enter)] + [(2000 + 500 * i + late, space) for i in range(16)]
    start = time.time()
    for ms, code in events:
        for down, at in ((1, ms), (0, ms + 40)):
            wait = start + at / 1000.0 - time.time()
            if wait > 0:
                time.sleep(wait)
            xtst.XTestFakeKeyEvent(display, code, down, 0)
            x11.XFlush(display)


if __name__ == "__main__":
    main()
