#!/usr/bin/python3
"""Writes the steps for "First Steps" in both of the game's chart formats:

    Music/First Steps.mp3.tq   the game's own chart (times in ms from the start of the music)
    Music/First Steps.sm       the same steps as a StepMania file, for the import screen

    /usr/bin/python3 tools/art/make_chart.py [output-dir]      (default Music/)

Steps are placed on beats of the song (see song.py) and follow its kicks,
snares, hats and tune; both files come from the same list of notes, so they
agree to the millisecond.
"""
import os
import sys
from fractions import Fraction

sys.dont_write_bytecode = True  # keep tools/art free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_steps import sm_head, sm_notes_block, tq_from_sm  # noqa: E402
from song import (BARS, BEAT_SAMPLES, BPM, DECODER_DELAY_SAMPLES, FIRST_BEAT_SAMPLE,  # noqa: E402
                  RATE, phrase_of, section_of)

LEFT, DOWN, UP, RIGHT = 0, 1, 2, 3
MAX_NOTES = 989
FIRST_STEP_BEAT = 4              # one bar of count-in before the first arrow
LAST_BEAT = BARS * 4             # the final chord
FIRST_BEAT_MS = (FIRST_BEAT_SAMPLE + DECODER_DELAY_SAMPLES) * 1000.0 / RATE
BEAT_MS = BEAT_SAMPLES * 1000.0 / RATE

LEVELS = [  # (tag, StepMania difficulty, meter)
    ("beginner", "Beginner", 1),
    ("easy", "Easy", 3),
    ("medium", "Medium", 5),
    ("hard", "Hard", 7),
    ("challenge", "Challenge", 9),
]


def ms(beat):
    return int(round(FIRST_BEAT_MS + float(beat) * BEAT_MS))


def tune_notes():
    """{beat: (midi note, length in beats)} for every note of the tune."""
    out = {}
    for bar in range(BARS):
        phrase = phrase_of(bar)
        if phrase:
            for pb, ln, m in phrase:
                out[Fraction(bar * 4) + Fraction(pb).limit_denominator(8)] = (m, Fraction(ln).limit_denominator(8))
    return out


TUNE = tune_notes()


class Walker:
    """Chooses columns: follows the tune's rise and fall, never repeats the last
    column, and keeps clear of any column that is being held."""

    PATTERN = [LEFT, DOWN, UP, RIGHT, UP, DOWN, LEFT, RIGHT, DOWN, LEFT, RIGHT, UP]

    def __init__(self, columns=(LEFT, DOWN, UP, RIGHT)):
        self.columns = list(columns)
        self.last = None
        self.last_row = set()     # every column of the previous step (two after a jump)
        self.last_pitch = None
        self.i = 0

    def next(self, pitch=None, busy=()):
        free = [c for c in self.columns if c not in busy and c not in self.last_row] or \
               [c for c in self.columns if c not in busy] or self.columns
        if pitch is not None and self.last_pitch is not None and self.last is not None and pitch != self.last_pitch:
            order = sorted(free, key=lambda c: c if pitch > self.last_pitch else -c)
            # the nearest column in the tune's direction, else the farthest back
            ahead = [c for c in order if (c > self.last if pitch > self.last_pitch else c < self.last)]
            col = ahead[0] if ahead else order[-1]
        else:
            col = None
            for _ in range(len(self.PATTERN)):
                cand = self.PATTERN[self.i % len(self.PATTERN)]
                self.i += 1
                if cand in free:
                    col = cand
                    break
            if col is None:
                col = free[0]
        self.last = col
        self.last_row = {col}
        if pitch is not None:
            self.last_pitch = pitch
        return col


def build(level):
    """List of (beat as Fraction, column, hold length in beats as Fraction)."""
    notes = []
    held_until = {}          # column -> beat at which its hold ends
    walker = Walker((LEFT, RIGHT) if level == "beginner" else (LEFT, DOWN, UP, RIGHT))

    def busy(beat):
        # columns held at this beat, plus half a beat after a hold lets go
        return {c for c, end in held_until.items() if beat <= end + Fraction(1, 2)}

    def place(beat, pitch=None, hold=Fraction(0), jump=False):
        b = busy(beat)
        col = walker.next(pitch, b)
        cols = [col]
        if jump:
            partner = {LEFT: RIGHT, RIGHT: LEFT, DOWN: UP, UP: DOWN}[col]
            if partner in b:
                partner = next((c for c in (LEFT, RIGHT, DOWN, UP) if c != col and c not in b), None)
            if partner is not None:
                cols.append(partner)
        walker.last_row = set(cols)
        for c in sorted(cols):
            notes.append((beat, c, hold if c == col else Fraction(0)))
        if hold:
            held_until[col] = beat + hold

    want_holds = level in ("medium", "hard", "challenge")
    beat = Fraction(FIRST_STEP_BEAT)
    step = Fraction(1, 2)
    while beat < LAST_BEAT:
        bar = int(beat // 4)
        sec, first = section_of(bar)
        in_bar = beat - bar * 4
        on_beat = in_bar.denominator == 1
        tune = TUNE.get(beat)
        pitch = tune[0] if tune else None
        calm = sec in ("intro", "break")
        busy_part = sec in ("chorus", "chorus2")
        phrase_start = (bar - first) % 4 == 0 and in_bar == 0

        take = False
        jump = False
        if level == "beginner":
            take = on_beat and int(in_bar) % 2 == 0 and (not calm or in_bar == 0)
        elif level == "easy":
            take = on_beat and (not calm or int(in_bar) % 2 == 0)
        elif level == "medium":
            take = (on_beat and not (calm and int(in_bar) % 2)) or (busy_part and tune is not None)
        elif level == "hard":
            take = on_beat or (tune is not None and not calm) or (busy_part and in_bar in (Fraction(7, 2),))
            jump = phrase_start and busy_part
        else:  # challenge
            take = on_beat or (not calm and (tune is not None or sec != "verse"))
            jump = phrase_start and sec not in ("intro",) or (busy_part and in_bar in (1, 3))

        if take and beat not in [n[0] for n in notes]:
            hold = Fraction(0)
            if want_holds and tune is not None and tune[1] >= Fraction(3, 2) and not calm:
                # a held tune note becomes a hold arrow, a little shorter than the note
                hold = min(tune[1] - Fraction(1, 2), Fraction(3))
                if level == "medium" and not on_beat:
                    hold = Fraction(0)
            if want_holds and calm and sec == "break" and in_bar == 0 and level != "medium":
                hold = Fraction(2)
            place(beat, pitch, hold, jump and not hold)
        beat += step
    # the final chord: a jump everywhere but beginner
    final = Fraction(LAST_BEAT)
    walker.last, walker.last_row = None, set()
    place(final, None, Fraction(0), jump=(level != "beginner"))
    return notes


def check(notes):
    """Notes in time order, holds 400-1500 ms not running into another note in their column."""
    assert len(notes) <= MAX_NOTES
    times = [ms(b) for b, _, _ in notes]
    assert times == sorted(times)
    last_end = {}
    for b, c, h in notes:
        assert 0 <= c <= 3
        if c in last_end:
            assert b > last_end[c], (b, c)
        if h:
            assert 400 <= ms(b + h) - ms(b) <= 1500
        last_end[c] = b + h


def write_tq(sm_path, path):
    """The game's chart, read back from the StepMania file as the game imports it."""
    with open(sm_path) as f:
        tq = tq_from_sm(f.read())
    with open(path, "w", newline="\n") as f:
        f.write(tq)


def write_sm(charts, path):
    offset = -FIRST_BEAT_MS / 1000.0
    head = sm_head("First Steps", f"{offset:.3f}", "20.525", "12.000", f"0.000={BPM:.3f}", "")
    body = []
    for tag, diff, meter in LEVELS:
        body += sm_notes_block(diff, meter, charts[tag])
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(head + body))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "Music")
    os.makedirs(out, exist_ok=True)
    charts = {}
    for tag, _, _ in LEVELS:
        charts[tag] = build(tag)
        check(charts[tag])
        holds = sum(1 for n in charts[tag] if n[2])
        print(f"{tag:10s} {len(charts[tag]):4d} notes, {holds:2d} holds")
    write_sm(charts, os.path.join(out, "First Steps.sm"))
    write_tq(os.path.join(out, "First Steps.sm"), os.path.join(out, "First Steps.mp3.tq"))
    print(f"first beat heard at {FIRST_BEAT_MS:.3f} ms, one beat = {BEAT_MS:.1f} ms")


if __name__ == "__main__":
    main()
