#!/usr/bin/env bash
# What the game costs the machine, read from outside the process: its CPU
# time in /proc over 10 s as a share of one core, in the real window (Xvfb),
# idle on the title screen, while a song plays (the demo song's medium
# chart, untouched by the player), and idle on the song list of 10,000
# songs in 300 packs, a song row lit with its banner and preview.
# usage: bench/cpu_share.sh [GAME_BINARY] [SECONDS]
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
GAME=$(realpath "${1:-$ROOT/build/zedov}")
SECONDS_MEASURED=${2:-10}
source "$ROOT/tests/e2e/xsession.sh"
SHOTS=${CPU_SHOTS:-$ROOT/build/cpu-shots}  # what was on screen while measured
mkdir -p "$SHOTS"
WORK=$(mktemp -d)
trap 'stop_all; rm -rf "$WORK"' EXIT
cp -r "$ROOT/Media" "$WORK/"
mkdir "$WORK/Music"
cp "$ROOT/Music/First Steps.mp3" "$ROOT/Music/First Steps.mp3.tq" "$WORK/Music/"

# Clock ticks of user and system time the process has used so far.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }

# share LABEL: the process's CPU time over the next SECONDS_MEASURED seconds, in % of one core.
share() {
  local hz before after t0 t1
  hz=$(getconf CLK_TCK)
  before=$(cpu_ticks) t0=$(date +%s.%N)
  sleep "$SECONDS_MEASURED"
  after=$(cpu_ticks) t1=$(date +%s.%N)
  awk -v a="$after" -v b="$before" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v l="$1" \
    'BEGIN { printf "%s: %.1f %% of one core over %.1f s\n", l, 100 * (a - b) / hz / (t1 - t0), t1 - t0 }'
}

start_display
start_game "$GAME" "$WORK"
pointer 630 470
sleep 1
share "title screen, idle"
shot title
xdotool key Down; sleep 0.25
xdotool key Return; sleep 0.25   # Play
xdotool key Return; sleep 0.25   # First Steps
xdotool key Down; sleep 0.1; xdotool key Down; sleep 0.25
xdotool key Return               # play medium
sleep 2
share "playing a song (nothing pressed)"
shot playing

kill "$GAME_PID" 2> /dev/null; wait "$GAME_PID" 2> /dev/null
python3 - "$WORK/Music" << 'PY'
import os, sys
for n in range(10000):
    folder = os.path.join(sys.argv[1], "Pack %d" % (n % 300), "Song %d" % n)
    os.makedirs(folder)
    open(os.path.join(folder, "music.ogg"), "w").close()
    with open(os.path.join(folder, "steps.ssc"), "w") as f:
        f.write("#TITLE:Song %d;\n#ARTIST:Someone;\n#BPMS:0=%d;\n#NOTEDATA:;\n#STEPSTYPE:dance-single;\n#METER:%d;\n#NOTES:\n0000\n;\n" % (n, 80 + n % 120, n % 12))
PY
start_game "$GAME" "$WORK"
click 320 215                    # Play: the packs
click 320 95                     # the first pack
pointer 320 135                  # a song lit: its preview tries and fails (no music), its banner is looked for
sleep 2
share "song list of 10,000 songs, idle"
shot song-list
