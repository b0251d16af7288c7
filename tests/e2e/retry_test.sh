#!/usr/bin/env bash
# Retrying a song, driven as a player would in a real window: a chart whose
# first note comes at 60 ms (so the music waits for the arrow to rise), played
# a moment, paused with Escape, "Restart song" by Down and Enter, played to
# the end by a scripted player; then "Play again" on the results, played again.
set -uo pipefail
GAME=$1
SOURCE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/xsession.sh"
start_workspace retry
SONG="$WORK/Music/Retry.mp3"
sox -n -r 44100 -c 2 "$WORK/song.wav" synth 6 sine 330 vol 0.2 2> /dev/null
lame --quiet "$WORK/song.wav" "$SONG" || fail "lame failed"
# Medium: ten taps every 500 ms from 60 ms on.
{
  echo "<startmedium>"
  for i in 0 1 2 3 4 5 6 7 8 9; do printf '%d\n%d\n0\n----\n' $((i % 4)) $((60 + 500 * i)); done
  echo "<stop>"
} > "$SONG.tq"
LEAD=$((2150 - 60 + 30))  # the rest of the first arrow's rise, and a frame or two to start

# play_from START: the scripted player from the moment the song was started, then the results.
play_from() {
  python3 "$HERE/xplay.py" --until=6000 "$SONG.tq" 2 "$1" "$LEAD" || fail "player failed"
  sleep 4
}

start_display
start_game "$GAME" "$WORK"
click 320 215                    # Play
click 320 95                     # Retry
click 320 95 1                   # play medium
shot lead-in
key Escape
sleep 0.8
key Down
shot pause-menu
start=$(date +%s.%N)
key Return                       # Restart song
pointer 600 300
play_from "$start"
shot results
[ -f "$SONG.score" ] || fail "no score file after the restarted song"
first=$(sed -n 3p "$SONG.score")
echo "restarted song: $first%"
[ "$first" -ge 90 ] || fail "the restarted song scored $first%: the lead-in or the restart is out of step"
before=$(stat -c %Y.%N "$SONG.score")
sleep 1
pointer 390 435
start=$(date +%s.%N)
xdotool click 1                  # Play again
pointer 600 300
play_from "$start"
shot results-again
[ "$(stat -c %Y.%N "$SONG.score")" != "$before" ] || fail "Play again did not play the song to its results"
again=$(sed -n 3p "$SONG.score")
echo "played again: best $again%"
[ "$again" -ge "$first" ] || fail "the best fell after Play again"
echo "retry test passed"
