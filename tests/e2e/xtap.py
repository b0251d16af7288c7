#!/usr/bin/env python3
"""A precise scripted player for the calibration: presses Enter (Start), then
taps Space on each of the 16 clicks to tap, LATE_MS after it, through XTest.

usage: xtap.py LATE_MS
The clicks to tap come 2,000 ms after Start and 500 ms apart.
"""
import sys
import time

from xtest import keycode, open_xtest


def main():
    late = int(sys.argv[1])
    x11, xtst, display = open_xtest()
    enter, space = (keycode(x11, display, k) for k in ("Return", "space"))
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
