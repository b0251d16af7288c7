#!/usr/bin/env python3
"""An emulated sound card with a precise player listening to it.

usage: xaudio.py FIFO CHART DIFFICULTY LATE_MS SPEED [CLICK:DELAY_MS:STALL_MS ...]

Reads the game's audio from the FIFO of SDL's disk driver as a card plays
it: each 64-sample piece when the card reaches it, SPEED times the nominal
44.1 kHz, and stalling STALL_MS once DELAY_MS have been played after the
CLICK-th click of a play. The music is silence with a click on each note;
once armed (SIGUSR1, sent before each play) the player presses the next
note's key (through XTest) LATE_MS after the moment the click's first
sample is played, and holds it 40 ms. Prints one line per play.
"""
import array
import fcntl
import os
import signal
import sys
import time

from xtest import keycode, open_xtest
from xtiming import KEYS, read_section, wait_until

RATE = 44100
PIECE = 64  # samples read at a time
LOUD = 3000  # a click's first sample is at least this loud
QUIET = RATE // 10  # after this many quiet samples


def main():
    fifo, chart, difficulty, late, speed = sys.argv[1:6]
    late, speed = int(late) / 1000.0, float(speed)
    stalls = [tuple(int(v) for v in s.split(":")) for s in sys.argv[6:]]
    columns = [column for column, _, _ in sorted(read_section(chart, int(difficulty)), key=lambda n: n[1])]
    x11, xtst, display = open_xtest()
    codes = [keycode(x11, display, k) for k in KEYS]
    state = {"armed": False, "clicks": 0}

    def arm(*_):
        state.update(armed=True, clicks=0)

    signal.signal(signal.SIGUSR1, arm)
    fd = os.open(fifo, os.O_RDONLY)
    # The card holds what the pipe does and what waits to go into it: with
    # the pipe shrunk to 4096 bytes (the default) the game measures 70 ms;
    # XAUDIO_PIPE=0 keeps the system's pipe of 64 KiB, 420 ms.
    pipe = int(os.environ.get("XAUDIO_PIPE", "4096"))
    if pipe > 0:
        fcntl.fcntl(fd, fcntl.F_SETPIPE_SZ, pipe)
    events, pending = [], b""  # (moment, keycode, down)
    played, quiet, start, stalled = 0, QUIET, None, 0.0
    plan = []  # sample at which a stall starts, and its length

    def send_due(until):
        while events and events[0][0] <= until:
            moment, code, down = events.pop(0)
            wait_until(moment)
            xtst.XTestFakeKeyEvent(display, code, down, 0)
            x11.XFlush(display)

    while True:
        if start is not None:
            due = start + stalled + played / (RATE * speed)
            send_due(due)
            wait_until(due, 0.0003)  # a card's read may be a little late: the game sees that as a late call
        data = os.read(fd, PIECE * 4 - len(pending))
        if os.environ.get("ZDBG") and played % 1024 == 0: print(f"DBG read {time.monotonic()*1000:.3f} {played}", file=sys.stderr, flush=True)
        if not data:
            break
        if start is None:
            start = time.monotonic()
        elif time.monotonic() > due + 0.001:
            state["underruns"] = state.get("underruns", 0) + 1
            stalled += time.monotonic() - due  # the game was late: the card played silence meanwhile
        pending += data
        if len(pending) < PIECE * 4:
            continue
        samples = array.array("h", pending)[::2]
        pending = b""
        for i, value in enumerate(samples):
            loud = abs(value) >= LOUD
            if loud and quiet >= QUIET and state["armed"]:
                moment = start + stalled + (played + i) / (RATE * speed)
                if os.environ.get("ZDBG"): print(f"DBG click {moment*1000:.3f} {played+i}", file=sys.stderr, flush=True)
                code = codes[columns[state["clicks"] % len(columns)]]
                events += [(moment + late, code, 1), (moment + late + 0.04, code, 0)]
                events.sort()
                plan += [(played + i + d * RATE // 1000, s) for c, d, s in stalls if c == state["clicks"]]
                state["clicks"] += 1
                if state["clicks"] == len(columns):
                    state["armed"] = False
                    print(f"xaudio: {len(columns)} clicks heard and pressed; the card waited for the game {state.get('underruns', 0)} times", flush=True)
            quiet = 0 if loud else quiet + 1
        played += PIECE
        for at, length in [p for p in plan if p[0] <= played]:
            plan.remove((at, length))
            stalled += length / 1000.0  # presses due meanwhile still go out


if __name__ == "__main__":
    main()
