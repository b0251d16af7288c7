#!/usr/bin/python3
"""Synthesises the demo song "First Steps" (120 BPM, A minor) to a WAV file.

    /usr/bin/python3 tools/art/make_song.py out.wav

The first beat (the first kick) starts exactly at FIRST_BEAT_SAMPLE of the WAV;
every later beat is BEAT_SAMPLES further on.  make_chart.py reads the same
constants from song.py, so the steps stay on the music.
"""
import os
import sys
import wave

import numpy as np
from scipy import signal

sys.dont_write_bytecode = True  # keep tools/art free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from song import (BARS, BEAT_SAMPLES, CHORDS, FIRST_BEAT_SAMPLE, RATE, ROOTS,  # noqa: E402
                  TAIL_SECONDS, phrase_of, section_of)

rng = np.random.default_rng(120)
TOTAL = FIRST_BEAT_SAMPLE + BARS * 4 * BEAT_SAMPLES + int(TAIL_SECONDS * RATE)
L = np.zeros(TOTAL)
R = np.zeros(TOTAL)


def beat_pos(beat):
    return FIRST_BEAT_SAMPLE + int(round(beat * BEAT_SAMPLES))


def midi_hz(m):
    return 440.0 * 2.0 ** ((m - 69) / 12.0)


def add(sig, beat, gain=1.0, pan=0.0):
    """Mix a mono signal in at a beat; pan -1 (left) .. 1 (right)."""
    p = beat_pos(beat)
    n = min(len(sig), TOTAL - p)
    if n <= 0:
        return
    gl = gain * np.sqrt(0.5 * (1.0 - pan))
    gr = gain * np.sqrt(0.5 * (1.0 + pan))
    L[p:p + n] += gl * sig[:n]
    R[p:p + n] += gr * sig[:n]


def env_adsr(n, a, d, s, r, hold):
    """Attack/decay/sustain/release envelope; times in seconds, hold = note length."""
    t = np.arange(n) / RATE
    e = np.where(t < a, t / max(a, 1e-6), s + (1 - s) * np.exp(-(t - a) / max(d, 1e-6)))
    rel = np.clip(1.0 - (t - hold) / max(r, 1e-6), 0.0, 1.0)
    return e * np.where(t > hold, rel, 1.0)


def onepole_lp(x, cutoff):
    a = np.exp(-2 * np.pi * cutoff / RATE)
    return signal.lfilter([1 - a], [1, -a], x)


def highpass(x, cutoff):
    b, a = signal.butter(2, cutoff / (RATE / 2), "high")
    return signal.lfilter(b, a, x)


def bandpass(x, lo, hi):
    b, a = signal.butter(2, [lo / (RATE / 2), hi / (RATE / 2)], "band")
    return signal.lfilter(b, a, x)


def saw(freq, n, phase=0.0):
    t = np.arange(n) / RATE
    return 2.0 * ((freq * t + phase) % 1.0) - 1.0


# --- instruments -------------------------------------------------------------------
def kick():
    n = int(0.35 * RATE)
    t = np.arange(n) / RATE
    f = 45 + 85 * np.exp(-t / 0.035)
    ph = 2 * np.pi * np.cumsum(f) / RATE
    body = np.sin(ph) * np.exp(-t / 0.16)
    click = np.exp(-t / 0.002) * 0.6
    return np.tanh(1.6 * (body + click))


def snare():
    n = int(0.25 * RATE)
    t = np.arange(n) / RATE
    noise = bandpass(rng.standard_normal(n), 1200, 7000) * np.exp(-t / 0.07)
    tone = np.sin(2 * np.pi * 185 * t) * np.exp(-t / 0.05)
    return 0.55 * noise + 0.45 * tone


def hat(open_=False):
    n = int((0.25 if open_ else 0.06) * RATE)
    t = np.arange(n) / RATE
    x = highpass(rng.standard_normal(n), 7000)
    return x * np.exp(-t / (0.09 if open_ else 0.018))


def bass_note(m, beats):
    n = int(beats * BEAT_SAMPLES)
    f = midi_hz(m)
    x = 0.6 * saw(f, n) + 0.4 * np.sin(2 * np.pi * f * np.arange(n) / RATE)
    x = onepole_lp(onepole_lp(x, 420), 900)
    return x * env_adsr(n, 0.004, 0.12, 0.55, 0.03, n / RATE - 0.03)


def pad_chord(notes, beats):
    n = int(beats * BEAT_SAMPLES)
    x = np.zeros(n)
    for m in notes:
        for det in (-0.08, 0.0, 0.08):
            x += saw(midi_hz(m + det), n, phase=rng.uniform())
    x = onepole_lp(onepole_lp(x, 1100), 1800) / (3 * len(notes))
    return x * env_adsr(n, 0.25, 0.6, 0.8, 0.4, n / RATE - 0.4)


def lead_note(m, beats):
    n = int(beats * BEAT_SAMPLES)
    t = np.arange(n) / RATE
    vib = 1.0 + 0.004 * np.sin(2 * np.pi * 5.5 * t) * np.clip((t - 0.15) / 0.2, 0, 1)
    ph = np.cumsum(midi_hz(m) * vib) / RATE
    x = np.where((ph % 1.0) < 0.35, 1.0, -1.0) * 0.6 + 0.4 * np.sin(2 * np.pi * ph)
    x = onepole_lp(x, 2600)
    return x * env_adsr(n, 0.008, 0.18, 0.6, 0.06, n / RATE - 0.06)


def pluck(m, beats):
    n = int(beats * BEAT_SAMPLES)
    t = np.arange(n) / RATE
    x = saw(midi_hz(m), n)
    x = onepole_lp(x, 3000) * np.exp(-t / 0.08)
    return x


def render():
    k, s = kick(), snare()
    hc, ho = hat(), hat(open_=True)
    busy = ("chorus", "chorus2", "verse2")
    for bar in range(BARS + 1):
        sec, first = section_of(bar)
        b0 = bar * 4
        chord, root = CHORDS[(bar - 2) % 4], ROOTS[(bar - 2) % 4]
        if sec == "end":
            add(k, b0, 0.9)
            add(pad_chord(CHORDS[0], 6), b0, 0.5)
            add(bass_note(ROOTS[0], 3), b0, 0.5)
            add(lead_note(69, 3), b0, 0.25)
            break
        # kick on every beat (the breakdown keeps only beats 1 and 3)
        for bt in range(4):
            if sec != "break" or bt in (0, 2):
                add(k, b0 + bt, 0.9)
        # hats on the off-beats; more in the busy parts
        for e in range(8):
            if e % 2 == 1:
                add(ho if (sec in ("chorus", "chorus2") and e == 7) else hc, b0 + e / 2, 0.22, 0.3)
            elif sec in busy:
                add(hc, b0 + e / 2, 0.1, 0.3)
        if sec in busy:
            for e in range(16):
                if e % 2 == 1:
                    add(hc, b0 + e / 4, 0.06, -0.3)
        if sec == "intro":
            continue
        if sec != "break":
            add(s, b0 + 1, 0.45, -0.1)
            add(s, b0 + 3, 0.45, -0.1)
            # bass: eighths, octave jumps on some off-beats
            for e in range(8):
                m = root + (12 if e in (2, 5, 7) else 0)
                add(bass_note(m, 0.45), b0 + e / 2, 0.55)
        add(pad_chord(chord, 4), b0, 0.32 if sec != "break" else 0.45)
        # melody, one 4-bar phrase at a time
        phrase = phrase_of(bar)
        if phrase:
            for (pb, ln, m) in phrase:
                add(lead_note(m, ln * 0.95), b0 + pb, 0.30)
                add(lead_note(m, ln * 0.95), b0 + pb + 0.75, 0.09, -0.6)  # echo
                add(lead_note(m, ln * 0.95), b0 + pb + 1.5, 0.05, 0.6)
        if sec in ("chorus", "chorus2"):
            for e in range(16):
                m = chord[e % 3] + 12 + (12 if (e // 3) % 2 else 0)
                add(pluck(m, 0.24), b0 + e / 4, 0.07, -0.5 if e % 2 else 0.5)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "first_steps.wav"
    render()
    mix = np.stack([L, R], axis=1)
    mix = signal.lfilter(*signal.butter(2, 20 / (RATE / 2), "high"), mix, axis=0)  # no DC
    mix = np.tanh(1.2 * mix) / np.tanh(1.2)
    peak = np.max(np.abs(mix))
    mix = mix / peak * 0.89
    # a short fade at the very end
    fade = int(1.0 * RATE)
    mix[-fade:] *= np.linspace(1.0, 0.0, fade)[:, None]
    pcm = np.round(mix * 32767).astype("<i2")
    with wave.open(out, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm.tobytes())
    print(f"wrote {out}: {len(pcm) / RATE:.2f} s, first beat at sample {FIRST_BEAT_SAMPLE}")


if __name__ == "__main__":
    main()
