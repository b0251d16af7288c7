#!/usr/bin/python3
"""Synthesises "Starfall" (160 BPM, then 170 BPM) to a WAV file.

    /usr/bin/python3 tools/art/make_starfall.py out.wav

Four-on-the-floor kicks, claps, a rolling bass, an arpeggio whose filter
snaps shut on every note, wide saw chords that pump with the kick, and a saw
lead.  Every sound is placed through starfall.TIMING: the band hits beat 126 and
beat 127 and then holds still for the one-beat stop; the music rests on beat
175 and comes back at 170 BPM, a tone higher, on beat 176.
"""
import os
import sys

import numpy as np

sys.dont_write_bytecode = True  # keep tools/art free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import synth as sy  # noqa: E402
from starfall import (BAR_CHORDS, BARS, CHORD, FINAL_BEAT, FINAL_CHORD, RESTS, SEED, STABS, STOP_BEAT,  # noqa: E402
                   TAIL_SECONDS, TIMING, section_of, tune)
from timing import RATE  # noqa: E402

FULL = ("chorus", "chorus2", "chorus3")


def render():
    song = sy.Song(TIMING, FINAL_BEAT, TAIL_SECONDS, SEED)
    rng = song.rng
    n_of = song.length

    kick = sy.kick(top=160.0, bottom=50.0, sweep=0.03, length=0.3, decay=0.12, click=0.7, drive=2.0)
    clap = sy.clap(rng)
    snare = sy.snare(rng, tone=200.0, length=0.18, noise_decay=0.05, lo=1800.0, hi=9000.0, tone_mix=0.35)
    hats = [sy.hat(rng, 0.05, 0.012) for _ in range(4)]
    open_hat = sy.hat(rng, open_=True)
    crash = sy.crash(rng, 3.0)
    kick_starts = []

    def kick_at(beat, gain=0.95):
        song.add("drums", kick, beat, gain)
        kick_starts.append(song.at(beat))

    def chord_saw(name, beat, beats, gain, cutoff=5200.0, bus="saws"):
        notes = CHORD[name][0]
        n = n_of(beat, beats)
        x = song.cached(("saw", name, n, cutoff), lambda: sy.supersaw(notes, n, rng, cutoff))
        song.add(bus, x, beat, gain)

    def bass(m, beat, beats, gain=0.42, top=1800.0):
        n = n_of(beat, beats)
        song.add("bass", song.cached(("bass", m, n, top), lambda: sy.drive_bass(m, n, rng, top=top)), beat, gain)

    stabs = set(STABS)
    rests = set(RESTS)

    def arp(bar, gain, top):
        notes = CHORD[BAR_CHORDS[bar]][0]
        order = [0, 1, 2, 3, 2, 1, 2, 3]
        for e in range(16):
            if bar * 4 + e // 4 in rests:
                continue
            m = notes[order[e % 8]] + (12 if e >= 8 else 0)
            n = n_of(bar * 4 + e / 4, 0.25)
            x = song.cached(("arp", m, n, int(top)), lambda: sy.acid_pluck(m, n, rng, top=top))
            song.add("arp", x, bar * 4 + e / 4, gain, 0.45 if e % 2 else -0.45)

    for bar in range(BARS):
        sec = section_of(bar)
        b0 = bar * 4
        name = BAR_CHORDS[bar]
        notes, root = CHORD[name]
        beats_played = [bt for bt in range(4) if b0 + bt not in rests]
        stab_bar = any(b0 + bt in stabs for bt in range(4))
        # --- drums ---
        if sec == "breakdown":
            kick_at(b0, 0.8)
            if bar >= 36:
                kick_at(b0 + 2, 0.7)
            if bar >= 38:
                for bt in (1, 3):
                    song.add("drums", clap, b0 + bt, 0.35, 0.05)
        else:
            for bt in beats_played:
                if b0 + bt in stabs:
                    continue
                kick_at(b0 + bt)
            if sec not in ("intro",):
                for bt in (1, 3):
                    if bt in beats_played and b0 + bt not in stabs and not (sec in ("build", "build2") and bar % 4 >= 2):
                        song.add("drums", clap, b0 + bt, 0.45, 0.05)
        if sec in ("build", "build2"):
            # a snare roll: quarters, eighths, then sixteenths
            step = {0: 1.0, 1: 0.5, 2: 0.25, 3: 0.25}[bar % 4]
            steps = int(round(4 / step)) - (4 if b0 + 3 in rests else 0)
            for i in range(steps):
                pos = b0 + i * step
                song.add("drums", snare, pos, 0.18 + 0.25 * ((bar % 4) * 4 + i * step) / 16.0, -0.1)
        if sec not in ("breakdown",):
            for s in range(16):
                pos = b0 + s / 4
                if int(pos) in rests or int(pos) in stabs:
                    continue
                if s % 4 == 2 and sec in FULL + ("verse",):
                    song.add("drums", open_hat, pos, 0.12, 0.3)
                elif sec != "intro" or s % 2 == 0 or bar >= 2:
                    song.add("drums", hats[s % 4], pos, (0.16 if s % 4 == 2 else 0.08), 0.3 if s % 2 else -0.2)
        if bar in (4, 16, 24, 44, 52, 60) or (bar == 32):
            song.add("drums", crash, b0, 0.3, -0.3)
        # --- bass ---
        if sec in FULL or (sec in ("build", "build2") and bar % 4 < 3):
            for s in range(16):
                pos = b0 + s / 4
                if s % 4 == 0 or int(pos) in stabs or int(pos) in rests:
                    continue
                bass(root + (12 if s % 8 == 6 else 0), pos, 0.22)
        elif sec == "verse":
            for e in range(1, 8, 2):
                bass(root, b0 + e / 2, 0.45)
        elif sec == "breakdown" and bar >= 36:
            bass(root, b0, 3.8, 0.35, top=600.0)
        # --- arpeggio: its filter opens through the intro ---
        if sec == "intro":
            arp(bar, 0.16, 400.0 + 500.0 * bar)
        elif sec in ("verse", "breakdown", "build", "build2"):
            arp(bar, 0.16, 2600.0)
        elif not stab_bar:
            arp(bar, 0.11, 3400.0)
        # --- chords ---
        if sec in FULL and not stab_bar:
            chord_saw(name, b0, 3.95, 0.34)
        elif sec in ("build", "build2"):
            chord_saw(name, b0, 3.95 if b0 + 3 not in rests else 2.9, 0.22, cutoff=1500.0 + 900.0 * (bar % 4))
        elif sec == "breakdown":
            n = n_of(b0, 3.95)
            song.add("pad", sy.string_pad(notes, n, rng, attack=0.4, release=0.5, cutoff=2000.0), b0, 0.5)
            for i, m in enumerate(notes):
                song.add("keys", song.cached(("ep", m, n), lambda: sy.epiano(m, n, rng, 0.9)), b0, 0.12, -0.3 + 0.2 * i)
        elif sec == "outro" and not stab_bar:
            chord_saw(name, b0, 3.95, 0.3)
        elif stab_bar and sec in FULL:
            # the bar of the first stabs: the chord for two beats, then the stabs
            chord_saw(name, b0, 1.95, 0.34)
        # --- the band's hits ---
        for bt in range(4):
            if b0 + bt in stabs:
                kick_at(b0 + bt, 1.0)
                chord_saw(name, b0 + bt, 0.45, 0.5, cutoff=7000.0, bus="stabs")
                bass(root, b0 + bt, 0.45, 0.5)
                song.add("drums", crash, b0 + bt, 0.22, 0.3)

    # --- risers into the choruses and the last rest ---
    for start, end in ((48, 64), (160, 175)):
        n = song.at(end) - song.at(start)
        song.add("fx", sy.riser(rng, n), start, 0.22)

    # --- the tune ---
    for beat, ln, m, inst in tune():
        n = n_of(beat, ln * 0.92)
        if inst == "lead":
            x = song.cached(("lead", m, n), lambda: sy.saw_lead(m, n, rng))
            song.add("lead", x, beat, 0.26, 0.0)
            if beat not in stabs and beat + 0.75 < FINAL_BEAT - 4:
                song.add("echo", x, beat + 0.75, 0.08, -0.55)
        elif inst == "pluck":
            x = song.cached(("pluck", m, n), lambda: sy.acid_pluck(m + 12, n, rng, top=5000.0, decay=0.15, q=1.5, width=0.3))
            song.add("lead", x, beat, 0.3, 0.1)
            song.add("echo", x, beat + 0.75, 0.1, -0.5)
        else:
            x = song.cached(("soft", m, n), lambda: sy.saw_lead(m, n, rng, cutoff=1800.0, vibrato=0.007))
            song.add("lead", x, beat, 0.22, 0.0)
            song.add("echo", x, beat + 0.75, 0.09, 0.5)

    # --- the final hit ---
    notes, root = CHORD[FINAL_CHORD]
    nf = int(TAIL_SECONDS * RATE)
    kick_at(FINAL_BEAT, 1.0)
    song.add("drums", crash, FINAL_BEAT, 0.32, -0.2)
    song.add("saws", sy.supersaw(notes, nf, rng, 4000.0, release=2.0), FINAL_BEAT, 0.42)
    song.add("bass", sy.drive_bass(root, nf, rng, top=900.0), FINAL_BEAT, 0.42)
    song.add("lead", sy.saw_lead(notes[-1], int(2.5 * RATE), rng), FINAL_BEAT, 0.2)
    return mix(song, kick_starts)


def mix(song, kick_starts):
    b = song.buses
    n = song.n
    pump = sy.duck(n, kick_starts, 0.6, 0.09)[:, None]
    room = sy.reverb_ir(2.0, 0.45, SEED + 1, bright=7000.0)
    dry = (b["drums"].x + b["stabs"].x + sy.highpass(b["bass"].x, 32.0) * pump +
           b["saws"].x * pump + b["pad"].x * pump + b["keys"].x + b["arp"].x * pump +
           b["lead"].x + b["echo"].x + b["fx"].x)
    send = (0.08 * b["drums"].x + 0.3 * b["stabs"].x + 0.2 * b["saws"].x + 0.45 * b["pad"].x + 0.3 * b["keys"].x +
            0.25 * b["arp"].x + 0.3 * b["lead"].x + 0.5 * b["echo"].x + 0.2 * b["fx"].x)
    wet = sy.convolve(send, room)
    out = dry + 0.4 * wet * pump
    # the stop and the rests: the band lets go and the room falls silent
    gate = np.ones(n)
    quiet = [(song.at(STOP_BEAT) + int(0.2 * RATE), int(0.12 * RATE), song.at(STOP_BEAT + 1))]
    quiet += [(song.at(r), int(0.08 * RATE), song.at(r + 1)) for r in RESTS]
    for start, fade, end in quiet:
        gate[start:start + fade] = np.linspace(1.0, 0.0, fade) ** 2
        gate[start + fade:end] = 0.0
    out *= gate[:, None]
    out = sy.master(out, peak=0.84)
    fade = int(1.2 * RATE)
    out[-fade:] *= np.linspace(1.0, 0.0, fade)[:, None] ** 1.5
    return out


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "starfall.wav"
    n = sy.write_wav(out, render())
    print(f"wrote {out}: {n / RATE:.2f} s, first beat at sample {TIMING.first_sample}")


if __name__ == "__main__":
    main()
