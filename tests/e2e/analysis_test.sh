#!/usr/bin/env bash
# The chart generator listening to a song in a real window: a drum song at
# 127.35 BPM with its first beat 3034 ms into the sound (no lead-in); "create
# new step chart" fills the values from the music while the window runs, "Accept"
# writes arrows on the music's grid (the MP3's 51 ms of encoder and decoder
# delay included), and a scripted player plays "medium" in step. (A short
# song, as the other scripted runs play.)
set -uo pipefail
GAME=$1
SOURCE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/xsession.sh"
start_workspace analysis
SONG="$WORK/Music/Drums.mp3"

python3 - "$WORK/drums.wav" <<'PY' || fail "no song made"
import array, math, random, sys, wave
rate, bpm, first, seconds = 44100, 127.35, 3.034, 12
out = array.array("h", [0]) * (rate * seconds)
random.seed(7)
beat = 60 / bpm
for k in range(int((seconds - first - 0.5) / beat)):
    at = int(round((first + k * beat) * rate))
    for i in range(int(0.15 * rate)):  # kick, then snare, in turn
        t = i / rate
        x = math.sin(2 * math.pi * (50 * t + 2 * (1 - math.exp(-t * 30)))) * math.exp(-t * 14) if k % 2 == 0 \
            else random.uniform(-1, 1) * math.exp(-t * 25)
        out[at + i] = max(-32000, min(32000, out[at + i] + int(20000 * x)))
w = wave.open(sys.argv[1], "wb")
w.setnchannels(1), w.setsampwidth(2), w.setframerate(rate)
w.writeframes(out.tobytes())
PY
lame --quiet "$WORK/drums.wav" "$SONG" || fail "lame failed"

start_display
start_game "$GAME" "$WORK"
click 320 215                    # Play
click 320 95                     # Drums
click 320 95                     # create new step chart
shot listening
sleep 5
shot found
click 320 375                    # Accept
[ -f "$SONG.tq" ] || fail "no chart written"
python3 - "$SONG.tq" <<'PY' || fail "the medium arrows are off the music's grid"
import sys
words = open(sys.argv[1]).read().split()
i = words.index("<startmedium>") + 1
times = []
while words[i] != "<stop>":
    times.append(int(words[i + 1]))
    i += 4
period, first = 60000 / 127.35, 3034 + 2257 * 1000 / 44100
assert len(times) > 10, len(times)
for t in times:
    off = (t - first) % (period / 4)
    assert min(off, period / 4 - off) <= 10, t
PY
pointer 320 175
sleep 0.2
start=$(date +%s.%N)
xdotool click 1                  # play medium
pointer 320 115
python3 "$HERE/xplay.py" --until=11500 "$SONG.tq" 2 "$start" 30 || fail "player failed"
pointer 600 300
sleep 6
shot results
best=$(sed -n 3p "$SONG.score")
[ "$best" -ge 90 ] || fail "medium scored $best%: the arrows are out of step"
echo "analysis test passed ($best%)"
