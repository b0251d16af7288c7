#!/usr/bin/env bash
# Mines and rolls in the real window. A 9 s chart of taps, a roll and three
# mines, played three times by a scripted player on time: avoiding the mines
# and tapping the roll every 200 ms scores 100 %; stepping on the mines costs
# points (and no BOO); holding the roll without tapping drops it (one BOO).
# The results show MINES HIT for a chart with mines; the last run colours
# the arrows by beat (screenshots to look at).
set -uo pipefail
GAME=$1
SOURCE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/xsession.sh"
start_workspace mines
sox -n -r 44100 -c 2 "$WORK/song.wav" synth 9 sine 330 vol 0.2 2> /dev/null
lame --quiet "$WORK/song.wav" "$WORK/Music/Mines.mp3" || fail "lame failed"
CHART=$WORK/Music/Mines.mp3.tq
# Left taps every 500 ms from 2.5 s; a down roll from 4 s to 6 s; mines up and right.
{
  echo "<startmedium>"
  for t in 2500 3000 3500 4000 4500 5000 5500 6000 6500 7000; do printf '0\n%d\n0\n----%s\n' $t $((t % 1000 ? 16 : 4)); done
  printf '1\n4000\n2000\n----4r\n'
  printf '<stop>\n<mines>\n2\n3250\n0\n----\n3\n3750\n0\n----\n2\n5250\n0\n----\n<stop>\n'
} > "$CHART"

start_display
# play ROLL MINES: one run of the game; prints the line the game gives at the results.
play() {
  start_game "$GAME" "$WORK" > "$WORK/stdout.txt"
  pointer 630 470
  sleep 0.3
  for k in Down Return Return; do xdotool key "$k"; sleep 0.3; done  # Play, the song: "play medium" is lit
  shot "$1-$2-difficulty"
  (sleep 2.7; shot "$1-$2-playing") &
  python3 "$HERE/xmines.py" "$CHART" 2 "$1" "$2" || fail "player failed"
  for _ in $(seq 100); do grep -q '^Zedov: ' "$WORK/stdout.txt" && break; sleep 0.1; done
  sleep 0.5
  shot "$1-$2"
  [ "$(brightness "$1-$2" 450 135 165 21)" -gt 8 ] || fail "no MINES HIT row"
  kill "$GAME_PID" 2> /dev/null
  wait "$GAME_PID" 2> /dev/null
  GAME_PID=""
  grep '^Zedov: ' "$WORK/stdout.txt" || fail "no line on standard output after the song"
}
line=$(play tap avoid)
echo "$line"
[[ $line == *' medium: 100%, 11 perfect, 0 good, 0 boo;'* ]] || fail "avoiding the mines and tapping the roll is not 100 %"
line=$(play tap step)
echo "$line"
[[ $line =~ \ medium:\ ([0-9]+)%,\ [0-9]+\ perfect,\ [0-9]+\ good,\ 0\ boo\; ]] || fail "stepping on mines gave a BOO"
[ "${BASH_REMATCH[1]}" -lt 90 ] || fail "three mines stepped on cost no points"
echo "arrow_colours = beat" > "$WORK/zedov.conf"  # whole beats red, the half beats (written as sixteenths) yellow
line=$(play hold avoid)
echo "$line"
[[ $line == *' 1 boo;'* ]] || fail "a roll held without tapping was kept"
echo "mines test passed"
