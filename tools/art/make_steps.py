#!/usr/bin/python3
"""Writes the steps of a song made after "First Steps" in both chart formats:

    Music/<title>.sm       the StepMania file, written first
    Music/<title>.mp3.tq   the game's chart, read back from that StepMania file

    /usr/bin/python3 tools/art/make_steps.py tide|starfall [output-dir]   (default Music/)

The steps are written by hand, bar by bar, in <song>_steps.py.  A bar is a
line of rows spread evenly over its four beats (4 rows: quarter notes, 8:
eighths); a row is "." or arrows: L D U R, two of them for a jump, and a
number after an arrow for a hold of that many beats ("U2" holds Up for two
beats, "L1.5R" holds Left for a beat and a half and steps on Right).

The .mp3.tq is worked out from the .sm text with the arithmetic of the game's
importer (timing.py), so importing the .sm gives the .mp3.tq byte for byte.
"""
import importlib
import os
import re
import sys
from fractions import Fraction

sys.dont_write_bytecode = True  # keep tools/art free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from timing import Timing  # noqa: E402

COLUMNS = "LDUR"
MAX_NOTES = 989               # the game reads at most this many notes of a difficulty
LEVELS = [  # (tag, StepMania difficulty)
    ("beginner", "Beginner"),
    ("easy", "Easy"),
    ("medium", "Medium"),
    ("hard", "Hard"),
    ("challenge", "Challenge"),
]
ITEM = re.compile(r"([LDUR])(\d+(?:\.\d+)?)?")


# --- reading the hand-written bars ------------------------------------------------------
def bars(text):
    """'L . R . | U . . .' -> [['L', '.', 'R', '.'], ['U', '.', '.', '.']]"""
    return [b.split() for b in text.split("|") if b.strip()]


def mirror(bar_list):
    """The same bars with Left and Right, Up and Down swapped."""
    swap = str.maketrans("LDUR", "RUDL")
    return [[row.translate(swap) for row in bar] for bar in bar_list]


def notes_of(chart):
    """[(beat, column, hold beats)] from a list of bars, as Fractions."""
    out = []
    for m, bar in enumerate(chart):
        assert len(bar) in (1, 2, 4, 8, 16), f"bar {m}: {len(bar)} rows"
        for r, row in enumerate(bar):
            if row == ".":
                continue
            beat = Fraction(4 * m) + Fraction(4 * r, len(bar))
            pos = 0
            cols = set()
            for it in ITEM.finditer(row):
                assert it.start() == pos, f"bar {m} row {r}: bad row {row!r}"
                pos = it.end()
                col = COLUMNS.index(it.group(1))
                assert col not in cols, f"bar {m} row {r}: {row!r} repeats an arrow"
                cols.add(col)
                hold = Fraction(it.group(2)) if it.group(2) else Fraction(0)
                out.append((beat, col, hold))
            assert pos == len(row) and cols, f"bar {m} row {r}: bad row {row!r}"
    return out


# --- checks a chart author would make by eye --------------------------------------------------
def check(tag, notes, song):
    t = song.TIMING
    assert 0 < len(notes) <= MAX_NOTES, tag
    rows = {}
    for b, c, h in notes:
        rows.setdefault(b, []).append((c, h))
    held_until = {}
    last_step = {}
    quiet = set(getattr(song, "RESTS", []))
    stops = [b for b, _ in t.stops]
    for b in sorted(rows):
        assert len(rows[b]) <= 2, f"{tag}: more than two arrows at beat {b}"
        assert t.ms(b) >= 2000, f"{tag}: beat {b} comes before the arrows can scroll in"
        assert b <= song.FINAL_BEAT, f"{tag}: beat {b} is after the music"
        assert int(b) not in quiet, f"{tag}: beat {b} falls in a rest of the music"
        for c, h in rows[b]:
            assert b > held_until.get(c, -1), f"{tag}: beat {b} column {c} steps into a hold"
            if h:
                length = t.ms(b + h) - t.ms(b)
                assert 400 <= length <= 1500, f"{tag}: hold at beat {b} lasts {length} ms"
                assert not any(b <= s < b + h for s in stops), f"{tag}: hold at beat {b} runs over a stop"
                assert not any(b < q + 1 and q < b + h for q in quiet), f"{tag}: hold at {b} runs into a rest"
            # no quick jacks: a step at least a beat after the last step in its
            # column, or half a beat after a hold there lets go
            if c in last_step:
                at, was_hold = last_step[c]
                assert b - at >= (Fraction(1, 2) if was_hold else 1), \
                    f"{tag}: beat {b} column {COLUMNS[c]} comes too soon after beat {at}"
            last_step[c] = (b + h, bool(h))
            held_until[c] = b + h
    return len(notes)


# --- writing -------------------------------------------------------------------------------
def sm_measures(notes):
    rows = {}
    for b, c, h in notes:
        rows.setdefault(b, ["0"] * 4)[c] = "2" if h else "1"
    for b, c, h in notes:
        if h:
            assert rows.get(b + h, ["0"] * 4)[c] == "0"
            rows.setdefault(b + h, ["0"] * 4)[c] = "3"
    last_measure = int(max(rows) // 4)
    out = []
    for m in range(last_measure + 1):
        beats = [b for b in rows if m * 4 <= b < m * 4 + 4]
        per = next(cand for cand in (4, 8, 16, 48, 192)
                   if all(((b - m * 4) * cand / 4).denominator == 1 for b in beats))
        out.append(["".join(rows.get(Fraction(m * 4) + Fraction(4 * r, per), ["0"] * 4)) for r in range(per)])
    return out


def sm_head(title, offset, sample_start, sample_length, bpms, stops):
    """The header lines of one of our StepMania files, the values given as they are written."""
    return [
        f"#TITLE:{title};",
        "#SUBTITLE:;",
        "#ARTIST:Zedov team;",
        "#TITLETRANSLIT:;",
        "#SUBTITLETRANSLIT:;",
        "#ARTISTTRANSLIT:;",
        "#CREDIT:Zedov team;",
        "#BANNER:;",
        "#BACKGROUND:;",
        "#CDTITLE:;",
        f"#MUSIC:{title}.mp3;",
        f"#OFFSET:{offset};",
        f"#SAMPLESTART:{sample_start};",
        f"#SAMPLELENGTH:{sample_length};",
        "#SELECTABLE:YES;",
        f"#BPMS:{bpms};",
        f"#STOPS:{stops};",
        "#BGCHANGES:;",
        "",
    ]


def sm_notes_block(diff, meter, notes):
    """The lines of one dance-single notes block: header, measures, ";" and a blank line."""
    lines = [
        f"//---------------dance-single - {diff}----------------",
        "#NOTES:",
        "     dance-single:",
        "     Zedov team:",
        f"     {diff}:",
        f"     {meter}:",
        "     0.0,0.0,0.0,0.0,0.0:",
    ]
    measures = sm_measures(notes)
    for i, block in enumerate(measures):
        lines += block
        lines.append("," if i + 1 < len(measures) else ";")
    return lines + [""]


def sm_text(song, charts):
    t = song.TIMING
    t.check_printed()
    start = t.seconds(song.SAMPLE_START_BEAT) - t.offset
    length = t.seconds(song.SAMPLE_START_BEAT + song.SAMPLE_BEATS) - t.seconds(song.SAMPLE_START_BEAT)
    head = sm_head(song.TITLE, t.sm_offset(), f"{start:.3f}", f"{length:.3f}", t.sm_bpms(), t.sm_stops())
    body = []
    for tag, diff in LEVELS:
        meter, _ = song_steps(song).CHARTS[tag]
        body += sm_notes_block(diff, meter, charts[tag])
    return "\n".join(head + body)


def tq_from_sm(text):
    """The game's chart for a StepMania file of ours: its timing lines and its
    measures, each row of n in measure m at beat 4m + 4k/n; in a row steps come
    first, then hold starts, each by column; a hold lasts to its end's millisecond."""
    tag = lambda name: re.search(r"^#" + name + r":([^;]*);", text, re.M).group(1)  # noqa: E731
    pairs = lambda s: [tuple(float(v) for v in item.split("=")) for item in s.split(",") if item]  # noqa: E731
    offset = float(tag("OFFSET"))
    timing = Timing(heard=tag("OFFSET").lstrip("-"), bpms=pairs(tag("BPMS")), stops=pairs(tag("STOPS")))
    assert timing.offset == offset
    lines = []
    for block in re.finditer(r"#NOTES:\s*dance-single:[^:]*:\s*(\w+):\s*(\d*)[^:]*:[^:]*:([^;]*);", text):
        notes = []
        newest = {}
        for m, measure in enumerate(block.group(3).split(",")):
            rows = measure.split()
            for k, row in enumerate(rows):
                beat = 4.0 * m + 4.0 * k / len(rows)
                time = timing.ms(beat)
                place = beat_place(192 * m + int(192 * k / len(rows) + 0.5))
                for c in range(4):
                    if row[c] == "1":
                        notes.append([c, time, 0, place])
                        newest[c] = notes[-1]
                for c in range(4):
                    if row[c] == "2":
                        notes.append([c, time, 0, place])
                        newest[c] = notes[-1]
                for c in range(4):
                    if row[c] == "3":
                        newest[c][2] = time - newest[c][1]
        lines.append(f"<start{block.group(1).lower()}>")
        for c, time, hold, place in notes:
            lines += [str(c), str(time), str(hold), "----" + place]
        lines.append("<stop>")
        if block.group(2) and int(block.group(2)) >= 1:
            lines += ["<meter>", str(int(block.group(2))), "<stop>"]
    return "\n".join(lines) + "\n"


def beat_place(row):
    """How the game's chart file names the place in the beat of a row of 48 a beat."""
    for rows, word in ((48, "4"), (24, "8"), (16, "12"), (12, "16"), (8, "24"), (6, "32"), (3, "64")):
        if row % rows == 0:
            return word
    return "x"


def song_steps(song):
    return importlib.import_module(song.__name__ + "_steps")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    song = importlib.import_module(sys.argv[1])
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "..", "Music")
    os.makedirs(out, exist_ok=True)
    steps = song_steps(song)
    charts = {}
    counts = []
    for tag, _ in LEVELS:
        meter, chart = steps.CHARTS[tag]
        assert len(chart) == song.FINAL_BEAT // 4 + 1, f"{tag}: {len(chart)} bars"
        charts[tag] = notes_of(chart)
        counts.append(check(tag, charts[tag], song))
        holds = sum(1 for n in charts[tag] if n[2])
        rows = len({n[0] for n in charts[tag]})
        print(f"{tag:10s} {counts[-1]:4d} notes, {counts[-1] - rows:3d} jumps, {holds:2d} holds")
    assert counts == sorted(set(counts)), "each level has more steps than the one before"
    sm = sm_text(song, charts)
    with open(os.path.join(out, f"{song.TITLE}.sm"), "w", newline="\n") as f:
        f.write(sm)
    with open(os.path.join(out, f"{song.TITLE}.mp3.tq"), "w", newline="\n") as f:
        f.write(tq_from_sm(sm))
    print(f"wrote {song.TITLE}.sm and .mp3.tq; beat 0 heard at {song.TIMING.heard} s")


if __name__ == "__main__":
    main()
