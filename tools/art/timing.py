"""A song's tempo map, as a StepMania file states it: an offset, tempo changes
and stops.  The song makers place every sound with it and the step maker times
every arrow with it, so the music and the steps cannot drift apart.

Beat 0 is heard at FIRST_BEAT_MS of the MP3 as the game plays it: the WAV puts
it at first_beat_sample, and lame plus libmad (SDL_mixer) add
DECODER_DELAY_SAMPLES in front (see README.md, "The song's timing").  A stop
holds the song for its seconds right after its beat: a note on the beat is due
as the stop begins, the next beat comes one stop later.
"""
import math

RATE = 44100
# lame -t (no Info frame) adds 576 samples, libmad 529 more; measured with
# mixer_probe.c and checked again by make_music.sh after every encode.
DECODER_DELAY_SAMPLES = 1105
SAME_BEAT = 1e-6     # the game's importer takes beats this close as one


def first_beat_sample(heard):
    """The WAV sample for beat 0 so that it is heard `heard` seconds into the MP3."""
    return round(float(heard) * RATE) - DECODER_DELAY_SAMPLES


class Timing:
    """bpms: [(beat, tempo)], the first at beat 0; stops: [(beat, seconds)].

    Values are kept as the numbers the StepMania file prints, so that the
    arithmetic below is the importer's (charts/step_file_timing.cpp), operation
    for operation in IEEE doubles, and gives its milliseconds exactly."""

    def __init__(self, heard, bpms, stops=()):
        """heard: when beat 0 is heard, in seconds, as the text the StepMania file gives."""
        self.heard = heard
        self.first_sample = first_beat_sample(heard)
        self.offset = -float(heard)
        self.bpms = [(float(b), float(t)) for b, t in bpms]
        self.stops = [(float(b), float(s)) for b, s in stops]
        assert self.bpms and self.bpms[0][0] == 0.0
        assert all(self.bpms[i][0] < self.bpms[i + 1][0] for i in range(len(self.bpms) - 1))
        # seconds from beat 0 to each tempo change, summed as the importer does
        self.change_seconds = [0.0]
        for i in range(1, len(self.bpms)):
            prev = self.bpms[i - 1]
            self.change_seconds.append(self.change_seconds[-1] + (self.bpms[i][0] - prev[0]) * 60 / prev[1])
        self.stop_before = []
        stopped = 0.0
        for _, seconds in self.stops:
            self.stop_before.append(stopped)
            stopped += seconds
        self.stopped_total = stopped

    # --- the StepMania file's lines ---------------------------------------------------
    def sm_offset(self):
        return "-" + self.heard

    def sm_bpms(self):
        return ",".join(f"{b:.3f}={t:.3f}" for b, t in self.bpms)

    def sm_stops(self):
        return ",".join(f"{b:.3f}={s:.3f}" for b, s in self.stops)

    def check_printed(self):
        """The printed values are the values used: nothing is lost to rounding."""
        assert float(self.sm_offset()) == self.offset
        for b, t in self.bpms:
            assert float(f"{b:.3f}") == b and float(f"{t:.3f}") == t
        for b, s in self.stops:
            assert float(f"{b:.3f}") == b and float(f"{s:.3f}") == s

    # --- beats to time -----------------------------------------------------------------
    def tempo_seconds(self, beat):
        i = 0
        while i + 1 < len(self.bpms) and self.bpms[i + 1][0] <= beat:
            i += 1
        b, t = self.bpms[i]
        return self.change_seconds[i] + (beat - b) * 60 / t

    def stopped_seconds(self, beat):
        """Seconds of the stops before the beat; a stop on the beat itself is not yet counted."""
        for i, (b, _) in enumerate(self.stops):
            if not (b < beat - SAME_BEAT):
                return self.stop_before[i]
        return self.stopped_total

    def seconds(self, beat):
        """Seconds from beat 0 (of the song's own time, stops included)."""
        return self.tempo_seconds(beat) + self.stopped_seconds(beat)

    def ms(self, beat):
        """The chart time of a note on this beat, as the game's importer rounds it."""
        x = (self.tempo_seconds(beat) + self.stopped_seconds(beat) - self.offset) * 1000
        r = math.floor(x)
        if x - r >= 0.5:
            r += 1
        # a value within a hair of half a millisecond could round either way
        # in another order of operations: keep clear of it
        assert abs(abs(x - math.floor(x)) - 0.5) > 1e-6, (beat, x)
        return int(r)

    def sample(self, beat):
        """The WAV sample at which a sound on this beat starts."""
        return self.first_sample + int(round(self.seconds(beat) * RATE))

    def beat_seconds(self, beat):
        """The length of one beat at this beat's tempo."""
        i = 0
        while i + 1 < len(self.bpms) and self.bpms[i + 1][0] <= beat:
            i += 1
        return 60.0 / self.bpms[i][1]

    def stop_at(self, beat):
        """Seconds of a stop on this beat, or 0."""
        for b, s in self.stops:
            if abs(b - beat) < SAME_BEAT:
                return s
        return 0.0
