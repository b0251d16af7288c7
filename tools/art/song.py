"""Timing of the demo song "First Steps", shared by make_song.py and make_chart.py."""
RATE = 44100                 # samples per second
BPM = 120
BEAT_SAMPLES = RATE * 60 // BPM
FIRST_BEAT_SAMPLE = RATE // 2   # the first kick sits 0.5 s into the WAV
BARS = 46                    # 4/4 bars before the final chord
TAIL_SECONDS = 3.5           # the final chord rings out after the last bar

# (name, first bar, last bar); bar 0 starts on the first beat
SECTIONS = [
    ("intro", 0, 1),
    ("verse", 2, 9),
    ("chorus", 10, 17),
    ("verse2", 18, 25),
    ("break", 26, 29),
    ("chorus2", 30, 37),
    ("outro", 38, 45),
]

# The score: chords and tunes
# chords, one per bar, repeating every four bars: Am  F  C  G
CHORDS = [(57, 60, 64), (53, 57, 60), (55, 60, 64), (55, 59, 62)]
ROOTS = [45, 41, 48, 43]
# melodies: (beat within a 4-bar phrase, length in beats, midi note)
MEL_A = [(0, 1, 76), (1, .5, 74), (1.5, .5, 72), (2, 1.5, 69), (3.5, .5, 72),
         (4, 1, 72), (5, .5, 74), (5.5, .5, 76), (6, 2, 77),
         (8, 1, 79), (9, .5, 76), (9.5, .5, 74), (10, 1.5, 72), (11.5, .5, 74),
         (12, 1, 74), (13, 1, 71), (14, 2, 67)]
MEL_A2 = MEL_A[:14] + [(12, 1, 76), (13, 1, 74), (14, 2, 69)]
MEL_B = [(0, .5, 81), (.5, .5, 79), (1, .5, 76), (1.5, .5, 79), (2, 1, 81), (3, 1, 76),
         (4, .5, 77), (4.5, .5, 76), (5, .5, 74), (5.5, .5, 72), (6, 2, 77),
         (8, .5, 79), (8.5, .5, 76), (9, .5, 72), (9.5, .5, 76), (10, 1, 79), (11, 1, 81),
         (12, 1, 79), (13, .5, 74), (13.5, .5, 76), (14, 2, 74)]
MEL_B2 = MEL_B[:17] + [(12, 1, 83), (13, 1, 79), (14, 2, 81)]


PHRASES = {"verse": [None, MEL_A], "chorus": [MEL_B, MEL_B2], "verse2": [MEL_A, MEL_A2],
           "break": [MEL_A2], "chorus2": [MEL_B, MEL_B2], "outro": [MEL_A, MEL_A2]}


def section_of(bar):
    """(section name, its first bar) for a bar; ("end", BARS) after the last."""
    for name, first, last in SECTIONS:
        if first <= bar <= last:
            return name, first
    return "end", BARS


def phrase_of(bar):
    """The tune that starts at this bar (a list of (beat, length, midi note)), or None."""
    name, first = section_of(bar)
    if name not in PHRASES or (bar - first) % 4:
        return None
    options = PHRASES[name]
    return options[((bar - first) // 4) % len(options)]


# Samples by which the audible song is later when SDL_mixer (libmad) plays the
# MP3 than in the WAV: lame's encoder delay plus the decoder's own delay.
# Measured with mixer_probe.c (see README.md); make_chart.py adds it.
# With an Info (Xing) frame libmad would also play that frame as 1152 samples
# of silence, which is why make_music.sh encodes with lame -t.
DECODER_DELAY_SAMPLES = 1105    # 576 (lame) + 529 (libmad); lame runs with -t, so no Info frame
