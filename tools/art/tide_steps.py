"""The steps of "Soft Tide", written by hand (see make_steps.py for the notation).

Bars 0-1 intro, 2-9 verse, 10-17 chorus, 18-21 verse, 22-25 chorus, 26-27
outro (its fourth beat rests), bar 28 the final chord.  The steps follow the
flute's tune: its notes on the beat for Easy, its whole rhythm from Medium on,
with the long notes held; Hard and Challenge fill the gaps on the shaker's
eighths and jump where the cymbal crashes.
"""
from make_steps import bars, mirror

EMPTY = bars(". . . . | . . . .")

# --- Beginner: an arrow every two beats, never two at once ---------------------------------
B_VERSE = bars("L . R . | L . R . | D . U . | L . . . | R . L . | R . L . | U . D . | R . . .")
B_CHORUS = bars("L . D . | R . U . | L . R . | D . . . | U . D . | L . R . | U . . . | L . . .")
B_VERSE2 = bars("L . R . | L . R . | D . U . | R . . .")
B_CHORUS2 = bars("L . D . | R . U . | L . R . | D . . .")
B_OUTRO = bars("L . R . | L . . .")
BEGINNER = EMPTY + B_VERSE + B_CHORUS + B_VERSE2 + B_CHORUS2 + B_OUTRO + bars("U . . .")

# --- Easy: the tune's notes that fall on the beat ----------------------------------------------
E_A1 = bars("U . L D | U . R U | U . D L | L . . .")
E_A2 = bars("U . L D | U . R U | U . D L | L . U .")
E_B1 = bars("R . U D | R . D . | D U R . | U . . .")
E_B2 = bars("U . L D | U . R . | R . . U | D . . .")
EASY = (EMPTY + E_A1 + E_A2 + E_B1 + E_B2 + mirror(E_A2) + E_B1 +
        bars("U . L . | D . R .") + bars("LR . . ."))

# --- Medium: the whole tune in eighths, long notes held, a jump on each chorus -------------
M_A1 = bars("U . . D L . D . | U1.5 . . . R . U . | R . . U D . L . | L2 . . . . . . .")
M_A2 = bars("U . . D L . D . | U1.5 . . . R . U . | R . . U D . L . | L . . D U . . .")
M_B1 = bars("LR . . U D . L . | U . . D L1.5 . . . | D . U . R . . U | D2 . . . . . . .")
M_B2 = bars("U . . D L . U . | D . . U R1.5 . . . | U2 . . . . . D L | R2 . . . . . . .")
MEDIUM = (EMPTY + M_A1 + M_A2 + M_B1 + M_B2 + mirror(M_A2) + M_B1 +
          bars("U . . D L1.5 . . . | D1.5 . . . R . . .") + bars("LR . . ."))

# --- Hard: eighth-note fills, jumps at the phrase starts ---------------------------------------
H_INTRO = bars(". . . . | L D U R")
H_A1 = bars("U . . D L . D R | U1 . . L R . U . | R . . U D L D . | L2 . . . R . U .")
H_A2 = bars("RL . . U D . U L | D1 . . R L . D . | L . . D U R U . | R . . D U . D .")
H_B1 = bars("LR . . U D . L . | U . . D L1.5 . . R | D . U . R . L U | D2 . . . L . R .")
H_B2 = bars("UD . . L R . U . | D . . U R1.5 . . L | U2 . . . L . R D | R2 . . . D . L .")
HARD = (H_INTRO + H_A1 + H_A2 + H_B1 + H_B2 + mirror(H_A2) + H_B1 +
        bars("U . . D L1.5 . . R | D1.5 . . . R . . .") + bars("LR . . ."))

# --- Challenge: eighths almost throughout, taps under the holds, held final chord ----------
C_INTRO = bars(". . . . | L D U R L D U R")
C_A1 = bars("U L D L R . D R | U1 . L R U . R D | R D U L D L D U | L2 . R U R D U .")
C_A2 = bars("RL . U D L . D U | D1 . R L D . L U | L U D R U R D . | R L . D U1 . . D")
C_B1 = bars("LR . D U D L R . | U . D R L1.5 . U R | D L U . RL . U R | D2 . L U R U L .")
C_B2 = bars("UD . L R U L D . | U R D L R1.5 . D U | L2 . U D R . D U | R2 . L D U D L .")
CHALLENGE = (C_INTRO + C_A1 + C_A2 + C_B1 + C_B2 + mirror(C_A2) + C_B1 +
             bars("U L D R L1.5 . D R | D1.5 . R . U L . .") + bars("L2R2 . . ."))

CHARTS = {  # tag: (meter, bars)
    "beginner": (1, BEGINNER),
    "easy": (2, EASY),
    "medium": (4, MEDIUM),
    "hard": (6, HARD),
    "challenge": (7, CHALLENGE),
}
