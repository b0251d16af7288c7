"""The score of "Starfall": 160 BPM in E minor, a stop of one beat at the end
of the first chorus, then 170 BPM in F sharp minor from bar 44.

Shared by make_starfall.py (the music) and make_steps.py (the charts, from
starfall_steps.py).  Bar 0 starts on beat 0; every bar has four beats.
"""
from timing import Timing

TITLE = "Starfall"
SEED = 160
STOP_BEAT = 127           # the last stab of the first chorus; the song then waits one beat
CHANGE_BEAT = 176         # bar 44: 170 BPM and a tone higher
# Beat 0 is heard 530.25 ms into the MP3: with a whole millisecond every eighth
# note at 160 BPM (187.5 ms) would fall on half a millisecond, which the
# importer's rounding could send either way.
TIMING = Timing(heard="0.53025", bpms=[(0, 160), (CHANGE_BEAT, 170)], stops=[(STOP_BEAT, 0.375)])
BARS = 72
FINAL_BEAT = BARS * 4     # the final hit, after a beat of rest
TAIL_SECONDS = 3.5
SAMPLE_START_BEAT = 64    # the first chorus, for the song list's preview
SAMPLE_BEATS = 32
# beats the music leaves silent, each followed by a hit on the next beat
RESTS = [CHANGE_BEAT - 1, FINAL_BEAT - 1]

assert TIMING.stop_at(STOP_BEAT) == 60.0 / 160, "the stop lasts exactly one beat"

SECTIONS = [
    ("intro", 0, 3),
    ("verse", 4, 11),
    ("build", 12, 15),
    ("chorus", 16, 31),
    ("breakdown", 32, 39),
    ("build2", 40, 43),
    ("chorus2", 44, 59),
    ("chorus3", 60, 67),
    ("outro", 68, 71),
]

# chords: (voicing for the saws and pads, bass root)
CHORD = {
    "Em": ((64, 67, 71, 76), 40),
    "C": ((64, 67, 72, 76), 36),
    "G": ((62, 67, 71, 74), 43),
    "D": ((62, 66, 69, 74), 38),
    "B": ((63, 66, 71, 75), 35),
    "C#": ((65, 68, 73, 77), 37),
    "F#m": ((66, 69, 73, 78), 42),
    "A": ((64, 69, 73, 76), 45),
    "E": ((64, 68, 71, 76), 40),
}
LOOP_E = ["Em", "C", "G", "D"]
LOOP_FS = ["F#m", "D", "A", "E"]
BAR_CHORDS = (LOOP_E * 3 +                       # intro, verse
              ["C", "D", "B", "B"] +             # build
              LOOP_E * 4 +                       # chorus
              ["C", "G", "D", "Em", "C", "G", "D", "D"] +   # breakdown
              ["C", "D", "D", "C#"] +            # build2: D falls to C sharp, the new key's fifth
              LOOP_FS * 4 + LOOP_FS * 2 +        # chorus2, chorus3
              ["D", "E", "F#m", "F#m"])          # outro
FINAL_CHORD = "F#m"
assert len(BAR_CHORDS) == BARS

# tunes: (beat within the phrase, length in beats, midi note)
CHORUS_1 = [(0, 1, 79), (1, .5, 78), (1.5, .5, 76), (2, 1.5, 71), (3.5, .5, 76),
            (4, 1, 79), (5, .5, 78), (5.5, .5, 79), (6, 2, 76),
            (8, 1, 83), (9, .5, 81), (9.5, .5, 79), (10, 1.5, 74), (11.5, .5, 79),
            (12, 1, 78), (13, .5, 76), (13.5, .5, 74), (14, 2, 78)]
CHORUS_2 = CHORUS_1[:9] + [(8, 1, 83), (9, .5, 84), (9.5, .5, 83), (10, 1, 81), (11, 1, 79),
                           (12, 1, 78), (13, 1, 74), (14, 2, 76)]
# the end of the first chorus: two stabs, the second on the stop
CHORUS_END = CHORUS_1[:14] + [(12, 1, 78), (13, 1, 81), (14, .5, 78), (15, .5, 78)]
VERSE_1 = [(0, 1.5, 64), (1.5, .5, 67), (2, 1, 71), (3, 1, 69),
           (4, 1.5, 67), (5.5, .5, 64), (6, 2, 72),
           (8, 1.5, 71), (9.5, .5, 74), (10, 1, 74), (11, 1, 71),
           (12, 1.5, 69), (13.5, .5, 66), (14, 2, 69)]
VERSE_2 = VERSE_1[:10] + [(10, 1, 76), (11, 1, 74), (12, 2, 74), (14, 2, 78)]
BREAK_1 = [(0, 2, 76), (2, 2, 79), (4, 2, 74), (6, 2, 78), (8, 3, 79), (11, 1, 78), (12, 4, 76)]
BREAK_2 = [(0, 2, 76), (2, 2, 79), (4, 2, 83), (6, 2, 81), (8, 4, 78), (12, 3, 81)]
OUTRO = [(0, 2, 81), (2, 2, 78), (4, 2, 80), (6, 2, 83), (8, 4, 85)]


def up(phrase, semitones=2):
    return [(b, ln, m + semitones) for b, ln, m in phrase]


# the bar at which each phrase starts, and the instrument that plays it
PHRASES = {
    4: ("pluck", VERSE_1), 8: ("pluck", VERSE_2),
    16: ("lead", CHORUS_1), 20: ("lead", CHORUS_2), 24: ("lead", CHORUS_1), 28: ("lead", CHORUS_END),
    32: ("soft", BREAK_1), 36: ("soft", BREAK_2),
    44: ("lead", up(CHORUS_1)), 48: ("lead", up(CHORUS_2)), 52: ("lead", up(CHORUS_1)), 56: ("lead", up(CHORUS_2)),
    60: ("lead", up(CHORUS_1)), 64: ("lead", up(CHORUS_2)),
    68: ("lead", OUTRO),
}
# hits of the whole band: the stabs before the stop and the end
STABS = [STOP_BEAT - 1, STOP_BEAT, FINAL_BEAT - 4, FINAL_BEAT - 3, FINAL_BEAT - 2]


def section_of(bar):
    for name, first, last in SECTIONS:
        if first <= bar <= last:
            return name
    return "end"


def tune():
    """[(beat, length in beats, midi note, instrument)] of the whole tune."""
    out = []
    for bar, (inst, phrase) in sorted(PHRASES.items()):
        out += [(bar * 4 + b, ln, m, inst) for b, ln, m in phrase]
    return out
