"""Instruments, effects and the mixing desk shared by the makers of the songs
after "First Steps" (make_tide.py, make_starfall.py).

Every sound is computed here from oscillators, noise with fixed seeds and
filters; nothing is sampled.  A Song places sounds on beats through its Timing
(timing.py), so tempo changes and stops move the music and the steps alike.
"""
import wave

import numpy as np
from scipy import signal

from timing import RATE


# --- helpers ------------------------------------------------------------------------
def midi_hz(m):
    return 440.0 * 2.0 ** ((m - 69) / 12.0)


def secs(n):
    return np.arange(n) / RATE


def env_adsr(n, a, d, s, r, hold):
    """Attack/decay/sustain/release; times in seconds; the release starts at hold."""
    t = secs(n)
    e = np.where(t < a, t / max(a, 1e-6), s + (1 - s) * np.exp(-(t - a) / max(d, 1e-6)))
    rel = np.clip(1.0 - (t - hold) / max(r, 1e-6), 0.0, 1.0)
    return e * np.where(t > hold, rel, 1.0)


def fade_in(x, seconds):
    n = min(len(x), max(1, int(seconds * RATE)))
    x = x.copy()
    x[:n] *= np.linspace(0.0, 1.0, n)
    return x


def lowpass(x, cutoff, order=2):
    b, a = signal.butter(order, min(cutoff, RATE * 0.45) / (RATE / 2), "low")
    return signal.lfilter(b, a, x, axis=0)


def highpass(x, cutoff, order=2):
    b, a = signal.butter(order, cutoff / (RATE / 2), "high")
    return signal.lfilter(b, a, x, axis=0)


def bandpass(x, lo, hi, order=2):
    b, a = signal.butter(order, [lo / (RATE / 2), min(hi, RATE * 0.45) / (RATE / 2)], "band")
    return signal.lfilter(b, a, x, axis=0)


def resonant_lowpass(x, cutoffs, q, block=128):
    """RBJ low-pass whose cutoff follows a curve (one value per sample), updated every block."""
    y = np.zeros_like(x)
    zi = np.zeros(2)
    for i in range(0, len(x), block):
        fc = float(np.clip(cutoffs[min(i + block // 2, len(x) - 1)], 20.0, RATE * 0.45))
        w = 2 * np.pi * fc / RATE
        alpha = np.sin(w) / (2 * q)
        cw = np.cos(w)
        b = np.array([(1 - cw) / 2, 1 - cw, (1 - cw) / 2])
        a = np.array([1 + alpha, -2 * cw, 1 - alpha])
        y[i:i + block], zi = signal.lfilter(b / a[0], a / a[0], x[i:i + block], zi=zi)
    return y


def peaking(x, freq, gain_db, q=1.0):
    """RBJ peaking EQ, for shaping a bus."""
    A = 10 ** (gain_db / 40)
    w = 2 * np.pi * freq / RATE
    alpha = np.sin(w) / (2 * q)
    b = np.array([1 + alpha * A, -2 * np.cos(w), 1 - alpha * A])
    a = np.array([1 + alpha / A, -2 * np.cos(w), 1 - alpha / A])
    return signal.lfilter(b / a[0], a / a[0], x, axis=0)


# --- oscillators (band-limited with PolyBLEP) --------------------------------------------
def _phase(freq, n, phase0):
    f = np.broadcast_to(np.asarray(freq, dtype=np.float64), (n,))
    dt = f / RATE
    ph = (phase0 + np.cumsum(dt) - dt) % 1.0
    return ph, dt


def _blep(ph, dt):
    c = np.zeros_like(ph)
    lo = ph < dt
    t = ph[lo] / dt[lo]
    c[lo] = t + t - t * t - 1.0
    hi = ph > 1.0 - dt
    t = (ph[hi] - 1.0) / dt[hi]
    c[hi] = t * t + t + t + 1.0
    return c


def saw(freq, n, phase0=0.0):
    ph, dt = _phase(freq, n, phase0)
    return 2.0 * ph - 1.0 - _blep(ph, dt)


def pulse(freq, n, width=0.5, phase0=0.0):
    ph, dt = _phase(freq, n, phase0)
    y = np.where(ph < width, 1.0, -1.0)
    y += _blep(ph, dt)
    y -= _blep((ph + 1.0 - width) % 1.0, dt)
    return y


def sine(freq, n, phase0=0.0):
    ph, _ = _phase(freq, n, phase0)
    return np.sin(2 * np.pi * ph)


def triangle(freq, n, phase0=0.0):
    ph, _ = _phase(freq, n, phase0)
    return 4.0 * np.abs(ph - 0.5) - 1.0


# --- the desk -----------------------------------------------------------------------------
class Bus:
    def __init__(self, n):
        self.x = np.zeros((n, 2))


class Song:
    """A stereo mix laid out on a Timing; buses are summed, some through a reverb."""

    def __init__(self, timing, last_beat, tail_seconds, seed):
        self.timing = timing
        self.n = timing.sample(last_beat) + int(tail_seconds * RATE)
        self.buses = {}
        self.rng = np.random.default_rng(seed)
        self.cache = {}

    def bus(self, name):
        if name not in self.buses:
            self.buses[name] = Bus(self.n)
        return self.buses[name]

    def at(self, beat):
        return self.timing.sample(beat)

    def length(self, beat, beats):
        """Samples from a beat to beats later (a stop in between counts)."""
        return self.timing.sample(beat + beats) - self.timing.sample(beat)

    def add(self, bus, sig, beat, gain=1.0, pan=0.0, offset=0):
        """Mixes a mono or stereo signal in at a beat; pan -1 (left) .. 1 (right)."""
        p = self.at(beat) + offset
        n = min(len(sig), self.n - p)
        if n <= 0:
            return
        x = self.bus(bus).x
        if sig.ndim == 1:
            x[p:p + n, 0] += gain * np.sqrt(0.5 * (1.0 - pan)) * sig[:n]
            x[p:p + n, 1] += gain * np.sqrt(0.5 * (1.0 + pan)) * sig[:n]
        else:
            x[p:p + n] += gain * sig[:n]

    def cached(self, key, make):
        if key not in self.cache:
            self.cache[key] = make()
        return self.cache[key]


def reverb_ir(seconds, decay, seed, bright=6000.0, predelay=0.012):
    """A stereo room: decaying noise, darker as it fades, a little different per side."""
    rng = np.random.default_rng(seed)
    n = int(seconds * RATE)
    t = secs(n)
    out = np.zeros((n, 2))
    for ch in range(2):
        noise = rng.standard_normal(n)
        lo = lowpass(noise, 1200.0)
        mid = bandpass(noise, 1200.0, bright)
        hi = highpass(noise, bright)
        x = (lo * np.exp(-t / (decay * 1.15)) + mid * np.exp(-t / decay) + 0.5 * hi * np.exp(-t / (decay * 0.45)))
        x *= np.clip(t / 0.004, 0.0, 1.0)
        out[:, ch] = x
    pd = int(predelay * RATE)
    out = np.concatenate([np.zeros((pd, 2)), out])
    return out / np.sqrt(np.sum(out ** 2) / 2)


def convolve(x, ir):
    y = np.zeros((len(x), 2))
    for ch in range(2):
        y[:, ch] = signal.fftconvolve(x[:, ch], ir[:, ch])[:len(x)]
    return y


def duck(n, starts, depth, release):
    """A gain curve that dips at each start (sample) and recovers: the pump of a side chain."""
    g = np.ones(n)
    t = secs(int(release * 6 * RATE))
    shape = 1.0 - depth * np.exp(-t / release)
    attack = int(0.004 * RATE)
    shape[:attack] = 1.0 - depth * np.linspace(0, 1, attack)
    for s in starts:
        m = min(len(shape), n - s)
        if m > 0:
            g[s:s + m] = np.minimum(g[s:s + m], shape[:m])
    return g


def master(x, peak=0.84):
    """Takes out DC and rumble, rounds off the peaks, and sets the peak level."""
    x = highpass(x, 22.0)
    x = np.tanh(1.1 * x) / np.tanh(1.1)
    return x / np.max(np.abs(x)) * peak


def write_wav(path, x):
    pcm = np.round(np.clip(x, -1.0, 1.0) * 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm.tobytes())
    return len(pcm)


# --- drums ------------------------------------------------------------------------------
def kick(top=130.0, bottom=48.0, sweep=0.035, length=0.4, decay=0.18, click=0.5, drive=1.6):
    n = int(length * RATE)
    t = secs(n)
    f = bottom + (top - bottom) * np.exp(-t / sweep)
    body = np.sin(2 * np.pi * np.cumsum(f) / RATE) * np.exp(-t / decay)
    c = click * np.exp(-t / 0.0018)
    x = np.tanh(drive * (body + c)) / np.tanh(drive)
    return x * np.clip((length - t) / 0.02, 0.0, 1.0)


def snare(rng, tone=190.0, length=0.28, noise_decay=0.08, lo=1500.0, hi=8000.0, tone_mix=0.4):
    n = int(length * RATE)
    t = secs(n)
    noise = bandpass(rng.standard_normal(n), lo, hi) * np.exp(-t / noise_decay)
    noise /= np.max(np.abs(noise))
    f = tone * (1.0 + 0.6 * np.exp(-t / 0.01))
    body = np.sin(2 * np.pi * np.cumsum(f) / RATE) * np.exp(-t / 0.045)
    return (1 - tone_mix) * noise + tone_mix * body


def clap(rng, length=0.35):
    """Three quick bursts and a short tail, band-passed round 1.2 kHz."""
    n = int(length * RATE)
    t = secs(n)
    e = np.zeros(n)
    for k, at in enumerate((0.0, 0.011, 0.022)):
        tt = np.clip(t - at, 0, None)
        e = np.maximum(e, (t >= at) * np.exp(-tt / (0.006 if k < 2 else 0.09)))
    x = bandpass(rng.standard_normal(n), 800.0, 5200.0) * e
    x = peaking(x, 1250.0, 6.0, 1.2)
    return x / np.max(np.abs(x))


def rim(rng):
    n = int(0.09 * RATE)
    t = secs(n)
    tone = np.sin(2 * np.pi * 1750 * t) * np.exp(-t / 0.012) + 0.6 * np.sin(2 * np.pi * 520 * t) * np.exp(-t / 0.02)
    x = tone + 0.5 * highpass(rng.standard_normal(n), 3000.0) * np.exp(-t / 0.004)
    x = lowpass(x * np.clip(t / 0.0003, 0, 1), 9000.0)
    return x / np.max(np.abs(x))


def metal_noise(rng, n):
    """Six detuned square waves (the classic cymbal recipe) plus a little noise."""
    x = np.zeros(n)
    for f in (205.3, 304.4, 369.6, 522.7, 540.0, 800.0):
        x += pulse(f * 1.7, n, 0.5, rng.uniform())
    return x / 6 + 0.3 * rng.standard_normal(n)


def hat(rng, length=0.05, decay=0.014, open_=False):
    n = int((0.4 if open_ else length) * RATE)
    t = secs(n)
    x = highpass(bandpass(metal_noise(rng, n), 6000.0, 16000.0), 7000.0)
    x *= np.exp(-t / (0.12 if open_ else decay))
    return x / np.max(np.abs(x))


def shaker(rng, length=0.12):
    n = int(length * RATE)
    t = secs(n)
    e = np.clip(t / 0.02, 0, 1) * np.exp(-np.clip(t - 0.02, 0, None) / 0.03)
    x = bandpass(rng.standard_normal(n), 4500.0, 11000.0) * e
    return x / np.max(np.abs(x))


def crash(rng, length=2.5):
    n = int(length * RATE)
    t = secs(n)
    x = highpass(metal_noise(rng, n) + 0.8 * rng.standard_normal(n), 3500.0)
    x = x * (0.35 * np.exp(-t / 0.08) + 0.65 * np.exp(-t / 0.8))
    return x / np.max(np.abs(x))


def riser(rng, n, lo=300.0, hi=9000.0):
    """Noise whose band climbs and swells over n samples."""
    x = rng.standard_normal(n)
    curve = lo * (hi / lo) ** (np.arange(n) / n)
    y = resonant_lowpass(x, curve, 2.5)
    y = highpass(y, lo * 0.7)
    ramp = (np.arange(n) / n) ** 2
    return y / np.max(np.abs(y)) * ramp


# --- tuned instruments ----------------------------------------------------------------
def epiano(m, n, rng, bright=1.0):
    """Two-operator FM, the bell of a tine at the attack, a body that mellows."""
    f = midi_hz(m)
    t = secs(n)
    index = bright * (1.6 * np.exp(-t / 0.35) + 0.25)
    mod = np.sin(2 * np.pi * f * t + rng.uniform(0, 2 * np.pi))
    body = np.sin(2 * np.pi * f * t + index * mod)
    tine = np.sin(2 * np.pi * f * 14.0 * t) * np.exp(-t / 0.012) * 0.18 * bright
    x = body + tine
    amp = np.exp(-t / (2.8 - 0.012 * (m - 48)))  # higher notes die sooner
    x *= amp * np.clip(t / 0.002, 0, 1)
    # the key lets go: a quick release at the end of the note
    x *= np.clip((n / RATE - t) / 0.08, 0.0, 1.0)
    return x


def flute(m, n, rng, vibrato=0.006):
    """A soft, breathy lead: sine and a little second harmonic, slow vibrato, breath."""
    f = midi_hz(m)
    t = secs(n)
    vib = 1.0 + vibrato * np.sin(2 * np.pi * 5.0 * t) * np.clip((t - 0.2) / 0.3, 0, 1)
    ph = np.cumsum(f * vib) / RATE
    x = np.sin(2 * np.pi * ph) + 0.22 * np.sin(4 * np.pi * ph) + 0.06 * np.sin(6 * np.pi * ph)
    breath = bandpass(rng.standard_normal(n), f * 1.5, min(f * 6, 16000.0)) * 0.1
    x = x + breath
    return x * env_adsr(n, 0.05, 0.3, 0.75, 0.12, n / RATE - 0.12)


def bell(m, n, index=1.3):
    """FM bell: inharmonic ratio 3.5, the index fading with the sound."""
    f = midi_hz(m)
    t = secs(n)
    ix = index * np.exp(-t / 0.4)
    x = np.sin(2 * np.pi * f * t + ix * np.sin(2 * np.pi * 3.5 * f * t))
    x = lowpass(x, 7000.0)
    return x * np.exp(-t / 1.1) * np.clip(t / 0.001, 0, 1) * np.clip((n / RATE - t) / 0.05, 0, 1)


def soft_bass(m, n):
    """Round bass: sine, a touch of triangle and saturation, plucked."""
    f = midi_hz(m)
    t = secs(n)
    x = np.sin(2 * np.pi * f * t) + 0.25 * triangle(f, n, 0.25)
    x = np.tanh(1.4 * x) / np.tanh(1.4)
    return x * env_adsr(n, 0.006, 0.5, 0.55, 0.06, n / RATE - 0.06)


def string_pad(notes, n, rng, attack=0.6, release=0.8, cutoff=2400.0):
    """Warm pad: per note three detuned pulse waves, low-passed, slow to swell."""
    x = np.zeros(n)
    for m in notes:
        for det in (-0.07, 0.0, 0.07):
            x += pulse(midi_hz(m + det), n, 0.42, rng.uniform())
    x = lowpass(lowpass(x, cutoff), cutoff * 1.6) / (3 * len(notes))
    return x * env_adsr(n, attack, 1.0, 0.85, release, n / RATE - release)


def supersaw(notes, n, rng, cutoff=5200.0, attack=0.01, release=0.12):
    """Seven detuned saws per note, spread left and right: a stereo chord."""
    out = np.zeros((n, 2))
    dets = (-0.19, -0.11, -0.04, 0.0, 0.04, 0.11, 0.19)
    for m in notes:
        for i, det in enumerate(dets):
            s = saw(midi_hz(m + det), n, rng.uniform())
            pan = (i - 3) / 3.0 * 0.8
            out[:, 0] += np.sqrt(0.5 * (1 - pan)) * s
            out[:, 1] += np.sqrt(0.5 * (1 + pan)) * s
    out = lowpass(out, cutoff) / (len(dets) * len(notes)) * 2.0
    return out * env_adsr(n, attack, 0.4, 0.8, release, n / RATE - release)[:, None]


def saw_lead(m, n, rng, cutoff=4200.0, vibrato=0.005):
    f = midi_hz(m)
    t = secs(n)
    vib = 1.0 + vibrato * np.sin(2 * np.pi * 5.8 * t) * np.clip((t - 0.12) / 0.2, 0, 1)
    x = 0.5 * saw(f * vib * 1.004, n, rng.uniform()) + 0.5 * saw(f * vib * 0.996, n, rng.uniform())
    x += 0.35 * pulse(f * vib / 2, n, 0.5, rng.uniform())
    cut = cutoff * (0.55 + 0.45 * np.exp(-t / 0.25))
    x = resonant_lowpass(x, cut, 1.1)
    return x * env_adsr(n, 0.006, 0.25, 0.7, 0.05, n / RATE - 0.05)


def acid_pluck(m, n, rng, top=3800.0, base=500.0, decay=0.09, q=3.0, width=0.5):
    """A pulse through a resonant low-pass that snaps shut: the arpeggio."""
    f = midi_hz(m)
    t = secs(n)
    x = pulse(f, n, width, rng.uniform())
    cut = base + top * np.exp(-t / decay)
    x = resonant_lowpass(x, cut, q)
    return x * np.exp(-t / (decay * 2.5)) * np.clip((n / RATE - t) / 0.01, 0, 1)


def drive_bass(m, n, rng, top=1800.0, base=220.0, decay=0.07):
    """Two saws an octave apart with a sub sine, a filter that opens on every note."""
    f = midi_hz(m)
    t = secs(n)
    x = saw(f, n, rng.uniform()) + 0.4 * saw(2 * f * 1.003, n, rng.uniform())
    cut = base + top * np.exp(-t / decay)
    x = resonant_lowpass(x, cut, 1.8)
    x = 0.7 * x + 0.6 * np.sin(2 * np.pi * f * t)
    x = np.tanh(1.5 * x) / np.tanh(1.5)
    return x * env_adsr(n, 0.003, 0.2, 0.8, 0.02, n / RATE - 0.02)
