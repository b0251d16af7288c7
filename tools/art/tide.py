"""The score of "Soft Tide": 90 BPM in F major, a gentle first song.

Shared by make_tide.py (the music) and make_steps.py (the charts, from
tide_steps.py).  Bar 0 starts on beat 0; every bar has four beats.
"""
from timing import Timing

TITLE = "Soft Tide"
SEED = 90
TIMING = Timing(heard="0.530", bpms=[(0, 90)])
BARS = 28                 # 4/4 bars before the final chord
FINAL_BEAT = BARS * 4     # the final chord, after a beat of rest
TAIL_SECONDS = 4.5
SAMPLE_START_BEAT = 40    # the chorus, for the song list's preview
SAMPLE_BEATS = 16

# (name, first bar, last bar)
SECTIONS = [
    ("intro", 0, 1),
    ("verse", 2, 9),
    ("chorus", 10, 17),
    ("verse2", 18, 21),
    ("chorus2", 22, 25),
    ("outro", 26, 27),
]

# chord of each bar: (name, e-piano voicing, bass root)
CHORD = {
    "F": ((53, 57, 60, 64), 41),
    "Am": ((57, 60, 64, 67), 45),
    "Bb": ((58, 62, 65, 69), 46),
    "C": ((55, 60, 64, 67), 48),
    "Csus": ((55, 60, 65, 67), 48),
    "Dm": ((57, 60, 62, 65), 38),
    "Gm": ((55, 58, 62, 65), 43),
}
BAR_CHORDS = (["F", "Csus"] +
              ["F", "Am", "Bb", "C"] * 2 +
              ["Bb", "C", "Am", "Dm", "Gm", "C", "F", "C"] +
              ["F", "Am", "Bb", "C"] +
              ["Bb", "C", "Am", "Dm"] +
              ["Gm", "C"])
FINAL_CHORD = ((53, 57, 60, 64, 67), 41)   # F major with the ninth
assert len(BAR_CHORDS) == BARS

# tunes: (beat within the phrase, length in beats, midi note)
TUNE_A1 = [(0, 1.5, 72), (1.5, .5, 69), (2, 1, 67), (3, 1, 69),
           (4, 2, 72), (6, 1, 76), (7, 1, 74),
           (8, 1.5, 74), (9.5, .5, 72), (10, 1, 70), (11, 1, 69),
           (12, 3, 67)]
TUNE_A2 = TUNE_A1[:11] + [(12, 1.5, 67), (13.5, .5, 69), (14, 2, 72)]
TUNE_B1 = [(0, 1.5, 77), (1.5, .5, 76), (2, 1, 74), (3, 1, 72),
           (4, 1.5, 76), (5.5, .5, 74), (6, 2, 72),
           (8, 1, 72), (9, 1, 76), (10, 1.5, 79), (11.5, .5, 77),
           (12, 3, 74)]
TUNE_B2 = [(0, 1.5, 74), (1.5, .5, 72), (2, 1, 70), (3, 1, 74),
           (4, 1.5, 76), (5.5, .5, 77), (6, 2, 79),
           (8, 3, 77), (11, .5, 76), (11.5, .5, 74),
           (12, 3, 72)]
TUNE_OUTRO = [(0, 1.5, 74), (1.5, .5, 72), (2, 2, 70), (4, 2, 72), (6, 1, 76)]

# the bar at which each phrase of the tune starts
PHRASES = {2: TUNE_A1, 6: TUNE_A2, 10: TUNE_B1, 14: TUNE_B2, 18: TUNE_A2, 22: TUNE_B1, 26: TUNE_OUTRO}


def section_of(bar):
    for name, first, last in SECTIONS:
        if first <= bar <= last:
            return name
    return "end"


def tune():
    """[(beat, length in beats, midi note)] of the whole tune, the final note included."""
    out = []
    for bar, phrase in sorted(PHRASES.items()):
        out += [(bar * 4 + b, ln, m) for b, ln, m in phrase]
    out.append((FINAL_BEAT, 3, 77))
    return out
