#!/usr/bin/python3
"""Synthesises "Soft Tide" (90 BPM, F major) to a WAV file.

    /usr/bin/python3 tools/art/make_tide.py out.wav

A soft electric piano, a round bass, a breathy flute with the tune, bells,
strings in the choruses, and brushed, quiet drums.  Beat 0 (a kick and a rim
click, after silence) starts at TIMING.first_sample of the WAV; the last bar
rests on its fourth beat so the final chord starts clean.
"""
import os
import sys

import numpy as np

sys.dont_write_bytecode = True  # keep tools/art free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import synth as sy  # noqa: E402
from tide import (BAR_CHORDS, BARS, CHORD, FINAL_BEAT, FINAL_CHORD, SEED, TAIL_SECONDS,  # noqa: E402
                  TIMING, section_of, tune)
from timing import RATE  # noqa: E402


def render():
    song = sy.Song(TIMING, FINAL_BEAT, TAIL_SECONDS, SEED)
    rng = song.rng
    beat_n = lambda beat, beats: song.length(beat, beats)  # noqa: E731

    k = sy.kick(top=110.0, bottom=46.0, sweep=0.04, length=0.45, decay=0.2, click=0.35, drive=1.3)
    k = sy.lowpass(k, 2500.0)
    sn = sy.lowpass(sy.snare(rng, tone=180.0, length=0.35, noise_decay=0.11, lo=900.0, hi=6000.0, tone_mix=0.3), 7000.0)
    rims = [sy.rim(rng) for _ in range(3)]
    shakers = [sy.shaker(rng) for _ in range(4)]
    open_hat = sy.lowpass(sy.hat(rng, open_=True), 9000.0)
    cym = sy.lowpass(sy.crash(rng, 3.5), 7000.0)

    def ep_chord(notes, beat, beats, gain, bright=1.0, spread=0.0):
        n = beat_n(beat, beats)
        for i, m in enumerate(notes):
            x = song.cached(("ep", m, n, bright), lambda: sy.epiano(m, n, rng, bright))
            pan = -0.35 + 0.7 * i / max(1, len(notes) - 1)
            song.add("keys", x, beat + spread * i, gain / len(notes) ** 0.5, pan)

    def bass(m, beat, beats, gain=0.42):
        n = beat_n(beat, beats)
        song.add("bass", song.cached(("bass", m, n), lambda: sy.soft_bass(m, n)), beat, gain)

    for bar in range(BARS):
        sec = section_of(bar)
        b0 = bar * 4
        notes, root = CHORD[BAR_CHORDS[bar]]
        last_bar = bar == BARS - 1
        # --- drums ---
        if sec == "intro":
            song.add("drums", k, b0, 0.95)
            for bt in range(4):
                song.add("drums", rims[bt % 3], b0 + bt, 0.32 if bt else 0.45, 0.15)
            if bar == 1:
                for e in range(8):
                    song.add("drums", shakers[e % 4], b0 + e / 2, 0.07 if e % 2 == 0 else 0.11, -0.35)
        else:
            busy = sec in ("chorus", "chorus2")
            kicks = (0, 2, 2.5) if busy else (0, 2.5)
            if last_bar:
                kicks = (0,)
            for kb in kicks:
                song.add("drums", k, b0 + kb, 0.9 if kb == 0 else 0.75)
            for bt in (1, 3):
                if last_bar and bt == 3:
                    continue
                if busy:
                    song.add("drums", sn, b0 + bt, 0.42, 0.1)
                else:
                    song.add("drums", rims[bt % 3], b0 + bt, 0.38, 0.15)
            for e in range(8 if not last_bar else 5):
                song.add("drums", shakers[e % 4], b0 + e / 2, 0.1 if e % 2 == 0 else 0.17, -0.35)
            if busy:
                song.add("drums", open_hat, b0 + 3.5, 0.08, 0.4)
            if bar in (10, 22):
                song.add("drums", cym, b0, 0.22, 0.3)
        # --- bass ---
        if sec != "intro":
            if last_bar:
                bass(root, b0, 2.5)
            elif sec in ("chorus", "chorus2"):
                for bb, ln, iv in ((0, 1.5, 0), (1.5, .5, 0), (2, 1, 7), (3, .5, 12), (3.5, .5, 7)):
                    bass(root + iv, b0 + bb, ln * 0.95)
            else:
                for bb, ln, iv in ((0, 2.5, 0), (2.5, 1, 0), (3.5, .5, 7)):
                    bass(root + iv, b0 + bb, ln * 0.95)
        # --- electric piano ---
        if sec == "intro":
            arp = list(notes) + [notes[-1] + 3 if bar == 0 else notes[-1] + 5] + list(notes[::-1][:3])
            for e, m in enumerate(arp):
                n = beat_n(b0 + e / 2, 4 - e / 2)
                song.add("keys", song.cached(("ep", m, n, 0.8), lambda: sy.epiano(m, n, rng, 0.8)),
                         b0 + e / 2, 0.22, -0.4 + 0.1 * e)
        elif last_bar:
            ep_chord(notes, b0, 2.75, 0.36, spread=0.04)
        elif sec in ("chorus", "chorus2"):
            ep_chord(notes, b0, 1.5, 0.4)
            ep_chord(notes, b0 + 1.5, 1, 0.26, 0.7)
            ep_chord(notes, b0 + 2.5, 1.5, 0.32, 0.8)
        else:
            ep_chord(notes, b0, 2.5, 0.38)
            ep_chord(notes, b0 + 2.5, 1.5, 0.26, 0.7)
        # --- strings in the choruses and the outro ---
        if sec in ("chorus", "chorus2", "outro"):
            n = beat_n(b0, 3.9 if not last_bar else 2.7)
            pad = sy.string_pad([m + 12 for m in notes[1:]], n, rng, attack=0.5, release=0.5)
            song.add("pad", pad, b0, 0.22)

    # --- the tune: flute, with bells over it in the second half ---
    for beat, ln, m in tune():
        n = beat_n(beat, ln * 0.97)
        fl = song.cached(("fl", m, n), lambda: sy.flute(m, n, rng))
        song.add("lead", fl, beat, 0.3, 0.05)
        if beat < FINAL_BEAT - 4:
            song.add("echo", fl, beat + 0.75, 0.09, -0.6)
        if section_of(int(beat // 4)) in ("verse2", "chorus2", "end") or beat >= FINAL_BEAT:
            nb = int(1.6 * RATE)
            song.add("keys", song.cached(("bell", m, nb), lambda: sy.bell(m + 12, nb)), beat, 0.07, 0.3)

    # --- the final chord ---
    notes, root = FINAL_CHORD
    song.add("drums", k, FINAL_BEAT, 0.95)
    song.add("drums", cym, FINAL_BEAT, 0.25, 0.3)
    nf = int(TAIL_SECONDS * RATE)
    for i, m in enumerate(notes):
        song.add("keys", sy.epiano(m, nf, rng), FINAL_BEAT + 0.03 * i, 0.4 / len(notes) ** 0.5, -0.35 + 0.175 * i)
    song.add("bass", sy.soft_bass(root, nf), FINAL_BEAT, 0.5)
    song.add("pad", sy.string_pad([m + 12 for m in notes[1:]], nf, rng, attack=0.3, release=2.0), FINAL_BEAT, 0.2)
    return mix(song)


def mix(song):
    b = song.buses
    hall = sy.reverb_ir(2.6, 0.55, SEED + 1, bright=5000.0)
    wet_send = (0.12 * b["drums"].x + 0.22 * b["keys"].x + 0.3 * b["pad"].x +
                0.35 * b["lead"].x + 0.5 * b["echo"].x)
    # the rest before the final chord stays quiet: the room is gated for that beat
    gate = np.ones(song.n)
    rest_from, rest_to = song.at(FINAL_BEAT - 1.25), song.at(FINAL_BEAT)
    gate[rest_from:rest_to] = np.linspace(1.0, 0.0, rest_to - rest_from) ** 2
    wet = sy.convolve(wet_send, hall) * gate[:, None]
    dry = (b["drums"].x + sy.peaking(sy.highpass(b["keys"].x, 110.0), 280.0, -3.5, 0.9) + b["pad"].x +
           sy.highpass(b["bass"].x, 30.0) + b["lead"].x + b["echo"].x)
    out = sy.master(dry + 0.45 * wet, peak=0.84)
    fade = int(1.5 * RATE)
    out[-fade:] *= np.linspace(1.0, 0.0, fade)[:, None] ** 1.5
    return out


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "soft_tide.wav"
    n = sy.write_wav(out, render())
    print(f"wrote {out}: {n / RATE:.2f} s, first beat at sample {TIMING.first_sample}")


if __name__ == "__main__":
    main()
