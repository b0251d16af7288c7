#!/usr/bin/python3
"""Checks the shipped songs against their own timing, run by the test command:

    /usr/bin/python3 tools/art/check_songs.py [ZEDOV_IMPORT]

- each chart is what the StepMania timing of timing.py (the one reckoning of
  StepMania time outside the game) makes of its .sm file, and what the game's
  own converter (zedov-import, when given) makes of it, byte for byte;
- the charts are playable: arrows in time order after 2 s, at most two at a
  time, none inside a hold, holds of 0.4 to 1.5 s, each level longer than the
  one before, every arrow and hold end on an eighth note; the later songs
  bring in jumps and holds from Medium; Starfall has its tempo change and its
  one-beat stop with arrows on both sides of it;
- heard through SDL_mixer as the game plays them (tools/art/mixer_probe.c,
  where a C compiler and SDL_mixer's headers are found), the music starts on
  beat 0, starts again after every rest on a beat, is silent through the
  stop, peaks below -1 dBFS, and is 128 kbit/s.
Prints one line per song and exits with 1 on the first fault.
"""
import array
import math
import os
import re
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep tools/art free of __pycache__
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from make_steps import tq_from_sm  # noqa: E402
from timing import Timing  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(HERE))
SONGS = ["First Steps", "Soft Tide", "Starfall"]
LEVELS = ["beginner", "easy", "medium", "hard", "challenge"]
LOUD, QUIET = 3000, 1000  # a kick or chord starting; about -30 dBFS, a rest
RATE = 44100


def fail(song, why):
    print(f"{song}: {why}", file=sys.stderr)
    sys.exit(1)


def read(name, mode="r"):
    with open(os.path.join(ROOT, "Music", name), mode) as f:
        return f.read()


def chart_of(tq):
    """{level: [(column, ms, hold)]} from chart text."""
    chart = {}
    for level, body in re.findall(r"<start(\w+)>\s*(.*?)<stop>", tq, re.S):
        words = body.split()
        chart[level] = [tuple(int(w) for w in words[i:i + 3]) for i in range(0, len(words), 4)]
    return chart


def timing_of(sm):
    tag = lambda name: re.search(r"^#" + name + r":([^;]*);", sm, re.M).group(1)  # noqa: E731
    pairs = lambda s: [tuple(v for v in item.split("=")) for item in s.split(",") if item]  # noqa: E731
    return Timing(heard=tag("OFFSET").lstrip("-"), bpms=pairs(tag("BPMS")), stops=pairs(tag("STOPS")))


def check_chart(song, chart):
    if list(chart) != LEVELS:
        fail(song, f"levels {list(chart)}")
    for level, notes in chart.items():
        if not 20 < len(notes) <= 989:
            fail(song, f"{level}: {len(notes)} notes")
        free_from, per_row = {}, {}
        for i, (c, ms, hold) in enumerate(notes):
            where = f"{level} note {i} at {ms} ms"
            if not 0 <= c <= 3 or ms < 2000 or (i and ms < notes[i - 1][1]):
                fail(song, f"{where}: off its lane, too early or out of order")
            if hold and not 400 <= hold <= 1500:
                fail(song, f"{where}: a hold of {hold} ms")
            if ms <= free_from.get(c, -1):
                fail(song, f"{where}: lands in a hold")
            free_from[c] = ms + hold
            per_row[ms] = per_row.get(ms, 0) + 1
            if per_row[ms] > 2:
                fail(song, f"{where}: more than two arrows at once")
    sizes = [len(chart[level]) for level in LEVELS]
    if sizes != sorted(set(sizes)):
        fail(song, f"levels do not grow: {sizes}")


def check_grid(song, sm):
    """Every row with an arrow or a hold end lies on an eighth note."""
    for block in re.findall(r"#NOTES:[^;]*?:[^:]*:[^:]*:[^:]*:[^:]*:([^;]*);", sm):
        for m, measure in enumerate(block.split(",")):
            rows = measure.split()
            for k, row in enumerate(rows):
                if row.strip("0") and (8 * k) % len(rows):
                    fail(song, f"measure {m} row {k} of {len(rows)} is off the eighth notes")


def check_steps_taught(song, chart):
    for level, notes in chart.items():
        rows = {}
        for _, ms, _ in notes:
            rows[ms] = rows.get(ms, 0) + 1
        jumps = sum(1 for n in rows.values() if n == 2)
        holds = sum(1 for note in notes if note[2])
        if level == "beginner" and (jumps or holds):
            fail(song, "jumps or holds in Beginner")
        if level not in ("beginner", "easy") and (jumps < 3 or holds < 10):
            fail(song, f"{level}: {jumps} jumps and {holds} holds")


def check_stop(song, timing, chart):
    if len(timing.bpms) != 2 or len(timing.stops) != 1:
        fail(song, "not one tempo change and one stop")
    beat, seconds = timing.stops[0]
    if seconds != timing.beat_seconds(beat):
        fail(song, "the stop does not last one beat")
    for level, notes in chart.items():
        times = {ms for _, ms, _ in notes}
        if timing.ms(beat) not in times or timing.ms(beat + 1) not in times:
            fail(song, f"{level}: no arrows on the stop's beat and the next")


def hear(song, probe):
    """Every sample of the song as SDL_mixer plays it (stereo, 16 bits)."""
    with tempfile.NamedTemporaryFile() as dump:
        env = dict(os.environ, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE="/dev/null", SDL_DISKAUDIODELAY="0",
                   PROBE_DUMP=dump.name)
        subprocess.run([probe, os.path.join(ROOT, "Music", song + ".mp3")], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        samples = array.array("h")
        samples.frombytes(dump.read())
    return samples


def onsets_after_rests(samples):
    """Where the music grows loud within 20 ms of leaving a rest of 100 ms or more, in ms."""
    onsets, quiet_run, rising_until = [], 4410, -1
    left, right = samples[0::2], samples[1::2]
    for i in range(len(left)):
        level = max(abs(left[i]), abs(right[i]))
        if level >= QUIET and quiet_run >= 4410:
            rising_until = i + 882
        if level > LOUD and i <= rising_until:
            onsets.append(i * 1000.0 / RATE)
            rising_until = -1
        quiet_run = quiet_run + 1 if level < QUIET else 0
    return onsets


def check_heard(song, timing, samples):
    heard_ms = lambda beat: (timing.seconds(beat) + float(timing.heard)) * 1000  # noqa: E731
    seconds = len(samples) / 2 / RATE
    peak = max(max(samples), -min(samples))
    if not 0 < peak < 32768 * 10 ** (-1 / 20):
        fail(song, f"peak {peak}: silent or above -1 dBFS")
    rate = os.path.getsize(os.path.join(ROOT, "Music", song + ".mp3")) / seconds
    if not 60 < seconds < 120 or abs(rate - 16000) > 500:
        fail(song, f"{seconds:.1f} s at {rate:.0f} bytes a second")
    onsets = onsets_after_rests(samples)
    beats = [heard_ms(b) for b in range(int(seconds * 4)) if heard_ms(b) < seconds * 1000]
    if not onsets or abs(onsets[0] - heard_ms(0)) > 3:
        fail(song, f"beat 0 heard at {onsets[:1]} ms, the steps say {heard_ms(0):.1f}")
    for at in onsets:
        if min(abs(at - b) for b in beats) > 3:
            fail(song, f"the music starts again at {at:.1f} ms, off the beat")
    for beat, stop in timing.stops:
        again = heard_ms(beat + 1)
        if min(abs(at - again) for at in onsets) > 3:
            fail(song, f"the music does not come back on the beat after the stop on beat {beat}")
        quiet = samples[int((again - stop * 500) * RATE / 1000) * 2:int((again - 5) * RATE / 1000) * 2]
        if max(max(quiet), -min(quiet)) >= QUIET:
            fail(song, f"the song plays on through the stop on beat {beat}")
    return len(onsets) - 1


def build_probe(folder):
    probe = os.path.join(folder, "mixer_probe")
    try:
        flags = subprocess.run(["pkg-config", "--cflags", "--libs", "sdl", "SDL_mixer"], check=True,
                               capture_output=True, text=True).stdout.split()
        subprocess.run(["cc", "-O2", "-o", probe, os.path.join(HERE, "mixer_probe.c")] + flags, check=True)
    except (OSError, subprocess.CalledProcessError):
        return None
    return probe


def main():
    importer = sys.argv[1] if len(sys.argv) > 1 else None
    with tempfile.TemporaryDirectory() as folder:
        probe = build_probe(folder)
        rests = 0
        for song in SONGS:
            sm, tq = read(song + ".sm"), read(song + ".mp3.tq")
            if tq_from_sm(sm) != tq:
                fail(song, "the chart is not its StepMania file's steps at its StepMania timing")
            if importer and subprocess.run([importer, os.path.join(ROOT, "Music", song + ".sm")], check=True,
                                           capture_output=True, text=True).stdout != tq:
                fail(song, "the game's import of its StepMania file is not its chart")
            chart, timing = chart_of(tq), timing_of(sm)
            check_chart(song, chart)
            check_grid(song, sm)
            if song != "First Steps":
                check_steps_taught(song, chart)
            if song == "Starfall":
                check_stop(song, timing, chart)
            heard = "not heard (no C compiler or SDL_mixer headers)"
            if probe:
                rests += check_heard(song, timing, hear(song, probe))
                heard = "heard on its beats"
            print(f"{song}: steps in time, {sum(len(n) for n in chart.values())} arrows; {heard}")
        if probe and rests < 3:
            fail("songs", "the new songs rest before their last chords and around the stop")


if __name__ == "__main__":
    main()
