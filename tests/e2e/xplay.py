#!/usr/bin/env python3
"""A scripted player: presses the arrow keys at the note times of one section
of a chart file, counted from a given moment, through the XTest extension.

usage: xplay.py CHART DIFFICULTY START_EPOCH [LEAD_MS]
Taps are pressed for 40 ms, holds for their length plus 60 ms.
"""
import ctypes
import ctypes.util
import sys
import time

TAGS = ["<startbeginner>", "<starteasy>", "<startmedium>", "<starthard>", "<startchallenge>"]
KEYS = ["Left", "Down", "Up", "Right"]


def read_section(path, difficulty):
    words = open(path).read().split()
    notes = []
    try:
        i = next(n for n, w in enumerate(words) if w.startswith(TAGS[difficulty])) + 1
    except StopIteration:
        return notes
    while i + 3 < len(words) and words[i].lstrip("-").isdigit():
        notes.append((int(words[i]), int(words[i + 1]), int(words[i + 2])))
        i += 4
    return notes


def main():
    chart, difficulty, start = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    lead = int(sys.argv[4]) if len(sys.argv) > 4 else 0
    x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
    xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XStringToKeysym.restype = ctypes.c_ulong
    x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
    display = x11.XOpenDisplay(None)
    codes = [x11.XKeysymToKeycode(display, x11.XStringToKeysym(k.encode())) for k in KEYS]

    events = []  # (ms, down?, column)
    for column, due, hold in read_section(chart, difficulty):
        if 0 <= column <= 3:
            events.append((due + lead, True, column))
            events.append((due + lead + (hold + 60 if hold > 0 else 40), False, column))
    events.sort(key=lambda e: (e[0], e[1]))  # a release before a press at the same moment
    for ms, down, column in events:
        wait = start + ms / 1000.0 - time.time()
        if wait > 0:
            time.sleep(wait)
        xtst.XTestFakeKeyEvent(display, codes[column], 1 if down else 0, 0)
        x11.XFlush(display)
    print(len(events) // 2)


if __name__ == "__main__":
    main()
