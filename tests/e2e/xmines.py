#!/usr/bin/env python3
"""A scripted player for mines and rolls: starts the song with Return (the
focus must rest on the row wanted), then plays one section of a chart on
time. Taps are held 40 ms, holds their length plus 60 ms. A roll is tapped
every 200 ms through its length ("tap") or held down like a hold ("hold");
each mine's lane is pressed at its time ("step") or left alone ("avoid").

usage: xmines.py CHART DIFFICULTY tap|hold step|avoid
"""
import sys
import time

from xtest import keycode, open_xtest, press_return, send_key
from xtiming import TAGS, KEYS, wait_until


def read_chart(path, difficulty):
    """The section's notes (column, time, hold, roll) and the mines after it."""
    words = open(path).read().split()
    i = next(n for n, w in enumerate(words) if w.startswith(TAGS[difficulty])) + 1
    notes, mines = [], []
    while i + 3 < len(words) and words[i].lstrip("-").isdigit():
        notes.append((int(words[i]), int(words[i + 1]), int(words[i + 2]), words[i + 3].endswith("r")))
        i += 4
    if words[i:i + 2] == ["<stop>", "<mines>"]:
        i += 2
        while i + 3 < len(words) and words[i].isdigit():
            mines.append((int(words[i]), int(words[i + 1])))
            i += 4
    return notes, mines


def main():
    chart, difficulty, roll_mode, mine_mode = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
    x11, xtst, display = open_xtest()
    columns = [keycode(x11, display, k) for k in KEYS]
    notes, mines = read_chart(chart, difficulty)
    events = []  # (ms after the Return press, down?, keycode)

    def tap(ms, column, length=40):
        events.append((ms, True, columns[column]))
        events.append((ms + length, False, columns[column]))

    for column, due, hold, roll in notes:
        if roll and roll_mode == "tap":
            for ms in range(due, due + hold, 200):
                tap(ms, column)
        else:
            tap(due, column, hold + 60 if hold > 0 else 40)
    if mine_mode == "step":
        for column, due in mines:
            tap(due, column)
    events.sort(key=lambda e: (e[0], e[1]))

    def send(key, down):
        send_key(x11, xtst, display, key, down)

    start = press_return(x11, xtst, display)
    for ms, down, key in events:
        wait_until(start + ms / 1000.0)
        send(key, down)


if __name__ == "__main__":
    main()
