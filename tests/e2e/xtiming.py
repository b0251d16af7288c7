#!/usr/bin/env python3
"""A precise scripted player: starts the song itself with Return (the focus
must rest on "play medium" or the row wanted), then presses every note of one
section of a chart LATE_MS after its time, counted from that Return press.

usage: xtiming.py CHART DIFFICULTY LATE_MS

All key events go through the XTest extension from this one process, each
sent when a sleep and then a short spin on the monotonic clock reach its time
(to a tenth of a millisecond), so the player's own jitter stays far below the
game's millisecond. Taps are held 40 ms, holds their length plus 60 ms.
Prints how late, at most, an event left against its plan.
"""
import sys
import time

from xtest import keycode, open_xtest, press_return, send_key

TAGS = ["<startbeginner>", "<starteasy>", "<startmedium>", "<starthard>", "<startchallenge>"]
KEYS = ["Left", "Down", "Up", "Right"]


def read_section(path, difficulty):
    words = open(path).read().split()
    try:
        i = next(n for n, w in enumerate(words) if w.startswith(TAGS[difficulty])) + 1
    except StopIteration:
        return []
    notes = []
    while i + 3 < len(words) and words[i].lstrip("-").isdigit():
        notes.append((int(words[i]), int(words[i + 1]), int(words[i + 2])))
        i += 4
    return notes


def wait_until(moment, spin=0.002):
    """Sleeps to SPIN seconds before the moment, then spins to it."""
    rest = moment - time.monotonic()
    if rest > spin:
        time.sleep(rest - spin)
    while time.monotonic() < moment:
        pass


def main():
    chart, difficulty, late = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    x11, xtst, display = open_xtest()
    columns = [keycode(x11, display, k) for k in KEYS]

    events = []  # (ms after the Return press, down?, keycode)
    for column, due, hold in read_section(chart, difficulty):
        if 0 <= column <= 3:
            events.append((due + late, True, columns[column]))
            events.append((due + late + (hold + 60 if hold > 0 else 40), False, columns[column]))
    events.sort(key=lambda e: (e[0], e[1]))  # a release before a press at the same moment

    def send(key, down):
        send_key(x11, xtst, display, key, down)

    start = press_return(x11, xtst, display)
    lateness = []  # of the presses, in ms
    for ms, down, key in events:
        moment = start + ms / 1000.0
        wait_until(moment)
        send(key, down)
        if down:
            lateness.append((time.monotonic() - moment) * 1000)
    mean = sum(lateness) / max(len(lateness), 1)
    spread = (sum((x - mean) ** 2 for x in lateness) / max(len(lateness), 1)) ** 0.5
    print(f"xtiming: {len(lateness)} notes pressed, {mean:.2f} ms late on average against the plan, "
          f"sd {spread:.2f} ms, at most {max(lateness, default=0):.2f} ms")


if __name__ == "__main__":
    main()
