#!/usr/bin/env python3
"""A scripted player: presses the arrow keys at the note times of one section
of a chart file, counted from a given moment, through the XTest extension.

usage: xplay.py [--until=MS] CHART DIFFICULTY START_EPOCH [LEAD_MS [PAUSE_AT_MS PAUSE_FOR_MS]]
Notes due after --until (the end of the music) are not played.
Taps are pressed for 40 ms, holds for their length plus 60 ms. With a pause,
Escape is pressed PAUSE_AT_MS into the song and the left button clicked
PAUSE_FOR_MS later (the pointer must rest on "Resume game"); the notes after
it are played later by the pause and the overlay's fade-out.
"""
import os
import sys
import time

from xtest import keycode, open_xtest

TAGS = ["<startbeginner>", "<starteasy>", "<startmedium>", "<starthard>", "<startchallenge>"]
KEYS = ["Left", "Down", "Up", "Right"]
FADE_OUT_MS = int(os.environ.get("ZEDOV_FADE_MS", "650"))  # 39 frames of the fade-out


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
    until = None
    if sys.argv[1].startswith("--until="):
        until = int(sys.argv.pop(1).split("=", 1)[1])
    chart, difficulty, start = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    lead = int(sys.argv[4]) if len(sys.argv) > 4 else 0
    x11, xtst, display = open_xtest()
    escape = keycode(x11, display, "Escape")
    pause_at = int(sys.argv[5]) if len(sys.argv) > 6 else None
    pause_for = int(sys.argv[6]) if len(sys.argv) > 6 else 0
    shift = pause_for + FADE_OUT_MS
    codes = [keycode(x11, display, k) for k in KEYS]

    events = []  # (ms, down?, what): what is a column, "escape" or "button"
    for column, due, hold in read_section(chart, difficulty):
        if not 0 <= column <= 3 or (until is not None and due > until):
            continue
        if pause_at is not None and due > pause_at:
            if due < pause_at + 300:
                continue  # too close to the pause to be played fairly
            due += shift
        events.append((due + lead, True, column))
        events.append((due + lead + (hold + 60 if hold > 0 else 40), False, column))
    if pause_at is not None:
        events += [(pause_at, True, "escape"), (pause_at + 40, False, "escape"),
                   (pause_at + pause_for, True, "button"), (pause_at + pause_for + 60, False, "button")]
    events.sort(key=lambda e: (e[0], e[1]))  # a release before a press at the same moment
    for ms, down, what in events:
        wait = start + ms / 1000.0 - time.time()
        if wait > 0:
            time.sleep(wait)
        if what == "button":
            xtst.XTestFakeButtonEvent(display, 1, 1 if down else 0, 0)
        else:
            xtst.XTestFakeKeyEvent(display, escape if what == "escape" else codes[what], 1 if down else 0, 0)
        x11.XFlush(display)


if __name__ == "__main__":
    main()
