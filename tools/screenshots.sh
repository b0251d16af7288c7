#!/usr/bin/env bash
# Screenshots of every screen of the real game in a virtual X display, for
# looking at the whole: title, credits, song list, difficulty select, play (the
# demo song, stepped by the scripted player: holds, rating words, counters),
# the pause overlay, the generator, the import list and the results.
# usage: tools/screenshots.sh [GAME] [OUT_DIR]
set -uo pipefail
cd "$(dirname "$0")/.."
SOURCE=$PWD
GAME=$(readlink -f "${1:-build/zedov}")
SHOTS=$(mkdir -p "${2:-build/screenshots}" && cd "${2:-build/screenshots}" && pwd)
source tests/e2e/xsession.sh
WORK=$(mktemp -d)
trap 'stop_all; rm -rf "$WORK"' EXIT
cp -r Media "$WORK/"
mkdir "$WORK/Music"
cp Music/*.mp3 Music/*.tq Music/*.sm "$WORK/Music/"  # the shipped songs
# A short second song with one medium note, for the results.
sox -n -r 44100 -c 2 "$WORK/short.wav" synth 2 sine 440 vol 0.2 2> /dev/null
lame --quiet "$WORK/short.wav" "$WORK/Music/Short Song.mp3"
printf '<startmedium>\n1\n1000\n0\n----\n<stop>\n' > "$WORK/Music/Short Song.mp3.tq"

start_display
start_game "$GAME" "$WORK"
pointer 320 215; sleep 0.3; shot title
click 320 255; shot credits
click 550 435
click 320 215; pointer 320 135; sleep 0.2; shot song-select
click 320 95; pointer 600 300; sleep 0.2; shot difficulty-select
pointer 320 175; sleep 0.2       # play medium
start=$(date +%s.%N)
xdotool click 1
pointer 320 115
python3 tests/e2e/xplay.py "$WORK/Music/First Steps.mp3.tq" 2 "$start" 30 > /dev/null &
player=$!
sleep 13.3; shot play
key Escape; sleep 1.2; shot pause
kill "$player" 2> /dev/null
click 320 115 1.2               # Resume game
click 550 435                   # Back to the difficulty select
click 320 335; shot generator   # create new step chart (five rows shown)
click 550 435
click 320 375; shot import-list # import step chart
click 550 435
click 550 435                   # back to the song list
click 320 135                   # Short Song
click 320 95 3.5                # play medium; the song ends
shot results
python3 tests/e2e/xclose.py "$WID"
wait_exit 10
echo "screenshots in $SHOTS"
