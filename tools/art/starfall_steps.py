"""The steps of "Starfall", written by hand (see make_steps.py for the notation).

Bars 0-3 intro, 4-11 verse, 12-15 build, 16-31 chorus (the band hits beats
126 and 127, then the song stops for one beat), 32-39 breakdown, 40-43 build
(beat 175 rests), 44-59 and 60-67 choruses at 170 BPM, 68-71 outro (hits on
beats 284-286, beat 287 rests), bar 72 the final hit.

Beginner steps every other beat, Easy on the beats the tune and the kick
share, Medium follows the tune with its long notes held and jumps on the
band's hits; Hard and Challenge run in eighths with jumps where the cymbal
crashes and taps under the holds.
"""
from make_steps import bars, mirror

EMPTY = bars(". . . .")

# --- Beginner ----------------------------------------------------------------------------
B_VERSE = bars("L . R . | L . R . | D . U . | L . . . | R . L . | R . L . | U . D . | R . . .")
B_BUILD = bars("L . . . | R . . . | L . R . | L . R .")
B_P1 = bars("U . D . | R . L . | R . D . | U . . .")
B_P2 = bars("U . D . | R . L . | R . U . | L . . .")
B_END = bars("U . D . | R . L . | R . D . | U . L R")      # the hits on 126 and 127
B_BREAK = bars("L . . . | R . . . | D . . . | U . . . | L . . . | R . . . | D . . . | U . . .")
B_BUILD2 = bars("L . . . | R . . . | L . R . | L . R .")
B_OUTRO = bars("L . R . | L . R . | U . . . | L . R .")
BEGINNER = (EMPTY * 4 + B_VERSE + B_BUILD + B_P1 + B_P2 + B_P1 + B_END + B_BREAK + B_BUILD2 +
            B_P1 + B_P2 + B_P1 + B_P2 + mirror(B_P1) + mirror(B_P2) + B_OUTRO + bars("U . . ."))

# --- Easy --------------------------------------------------------------------------------
E_INTRO = EMPTY * 2 + bars("L . R . | L . R .")
E_VERSE = bars("L . R U | D . R . | L . U R | D . L . | R . L D | U . L . | R . D L | U . R .")
E_BUILD = bars("L . R . | L . R . | L D U R | L D U R")
E_P1 = bars("R U L D | R U L . | R U L D | U D R .")
E_P2 = bars("L D R U | L D R . | L U R D | U . L .")
E_END = bars("R U L D | R U L . | R U L D | U D L R")
E_BREAK = bars("L . R . | D . U . | R . . L | D . . . | L . R . | U . D . | L . . . | R . . .")
E_BUILD2 = bars("L . R . | L . R . | L D U R | L D U .")
E_OUTRO = bars("R . L . | D . U . | R . . . | L D R .")
EASY = (E_INTRO + E_VERSE + E_BUILD + E_P1 + E_P2 + E_P1 + E_END + E_BREAK + E_BUILD2 +
        E_P1 + E_P2 + E_P1 + E_P2 + mirror(E_P1) + mirror(E_P2) + E_OUTRO + bars("LR . . ."))

# --- Medium ------------------------------------------------------------------------------
M_INTRO = EMPTY * 2 + bars("L D U R | L D U R")
M_V1 = bars("L . . D U . R . | D . . L R1.5 . . . | U . . R D . L . | D . . L U1.5 . . .")
M_V2 = bars("R . . U D . L . | U . . R L1.5 . . . | D . . L U . R . | U1.5 . . . R1.5 . . .")
M_BUILD = bars("L D U R | R U D L | L R L R | U D U D")
M_C1 = bars("LR . U D L . . D | R . U R D1.5 . . . | R . U D L . . U | R . D L U1.5 . . .")
M_C2 = bars("L . D U R . . U | L . D L U1.5 . . . | R . U R D . L . | U . L . R1.5 . . .")
M_END = M_C1[:3] + bars("R . U . LR . DU .")
M_BREAK = bars("L1.5 . . . R1.5 . . . | D1.5 . . . U1.5 . . . | R2 . . . . . U . | L3 . . . . . . . |"
               "L . R . | U . D . | D3 . . . | U2 . . .")
M_BUILD2 = bars("L D U R | R U D L | L R L R | U D U .")
M_OUTRO = bars("R1.5 . . . L1.5 . . . | D1.5 . . . U1.5 . . . | R3 . . . | LR DU LR .")
MEDIUM = (M_INTRO + M_V1 + M_V2 + M_BUILD + M_C1 + M_C2 + M_C1 + M_END + M_BREAK + M_BUILD2 +
          M_C1 + M_C2 + M_C1 + M_C2 + mirror(M_C1) + mirror(M_C2) + M_OUTRO + bars("LR . . ."))

# --- Hard --------------------------------------------------------------------------------
H_INTRO = EMPTY * 2 + bars("L . D . U . R . | L D U R L D U .")
H_V1 = bars("LR . . D U . R L | D . U L R1.5 . . . | U . D R L . D U | R . L D U1.5 . . D")
H_V2 = bars("RL . . U D . L R | U . D R L1.5 . . . | D . U L R . U D | L1.5 . . . R1.5 . . U")
H_BUILD = bars("L . D . U . R . | R . U . D . L . | L R L R U D U D | L D R U L D R U")
H_C1 = bars("LR . U D L . R D | R . U R D1.5 . . L | R L U D L . D U | R . D L U1.5 . . .")
H_C2 = bars("UD . L R D . L R | U . D U L1.5 . . D | R . U R D . L U | R . L D U1.5 . . .")
H_END = H_C1[:3] + bars("R . U D LR . UD .")
H_BREAK = bars("L1.5 . . D R1.5 . . U | D1.5 . . L U1.5 . . R | L2 . . . R . U . | R3 . . . . . D . |"
               "L1.5 . . U R1.5 . . D | U1.5 . . L R1.5 . . D | L3 . . . . . U . | R2 . . . U . D .")
H_BUILD2 = bars("L . D . U . R . | R . U . D . L . | L R L R U D U D | L D R U L D . .")
H_OUTRO = bars("R1.5 . . U L1.5 . . D | U1.5 . . L R1.5 . . D | L3 . . . . . R . | LR . DU . LR . . .")
HARD = (H_INTRO + H_V1 + H_V2 + H_BUILD + H_C1 + H_C2 + H_C1 + H_END + H_BREAK + H_BUILD2 +
        H_C1 + H_C2 + H_C1 + H_C2 + mirror(H_C1) + mirror(H_C2) + H_OUTRO + bars("LR . . ."))

# --- Challenge ---------------------------------------------------------------------------
C_INTRO = EMPTY + bars("L . D . U . R .") + bars("L D U R L D U R | L U D R UD . LR .")
C_V1 = bars("LR D U D U R L D | U L D L R1.5 . D U | R D U R L U D U | R D L D U1.5 . R L")
C_V2 = bars("UD L R L R U D L | D R U R L1.5 . U D | L U D L R D U D | L1.5 . U D R1.5 . D U")
C_BUILD = bars("L D U R L D U R | L D U R L D U R | L R L R U D U D | LR . UD . LR . UD .")
C_C1 = bars("LR D U D L R L D | R U R U D1.5 L . U | R L U D L R D U | R D L D U1.5 . R .")
C_C2 = bars("UD L R U D R L U | L D L D U1.5 R . D | RL . U R D L U D | R U L D R1.5 . U D")
C_END = C_C1[:3] + bars("R U L D LR . UD .")
C_BREAK = bars("L1.5 . U D R1.5 . D U | D1.5 . R L U1.5 . L D | R2 . U D L D U . | L3 . D . U . R . |"
               "L1.5 . U D R1.5 . D U | R1.5 . D U L1.5 . U R | D3 . L . R . U . | U2 . L R D . L R")
C_BUILD2 = bars("L D U R L D U R | L D U R L D U R | L R L R U D U D | LR . UD . LR . . .")
C_OUTRO = bars("R1.5 . U D L1.5 . D U | D1.5 . L R U1.5 . R L | R3 . U . D . L . | LR . DU . LR . . .")
CHALLENGE = (C_INTRO + C_V1 + C_V2 + C_BUILD + C_C1 + C_C2 + C_C1 + C_END + C_BREAK + C_BUILD2 +
             C_C1 + C_C2 + C_C1 + C_C2 + mirror(C_C1) + mirror(C_C2) + C_OUTRO + bars("L2R2 . . ."))

CHARTS = {  # tag: (meter, bars)
    "beginner": (2, BEGINNER),
    "easy": (4, EASY),
    "medium": (6, MEDIUM),
    "hard": (8, HARD),
    "challenge": (10, CHALLENGE),
}
