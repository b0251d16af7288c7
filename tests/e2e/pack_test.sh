#!/usr/bin/env bash
# A song pack dropped into Music/ as players get them, in a real window: two
# packs of song folders, each an OGG with a .ssc step file. Typing finds the
# pack's songs; the pack's row opens it, a song is chosen and its chart is made from the .ssc
# beside the music; the scripted player plays medium, and the score lands
# beside the music too.
set -uo pipefail
GAME=$1
SOURCE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/xsession.sh"
start_workspace pack
PACK="$WORK/Music/Road Pack"
mkdir -p "$PACK/First" "$PACK/Second" "$WORK/Music/Alpha/Song"
sox -n -r 44100 -c 2 "$PACK/First/first.ogg" synth 6 sine 330 vol 0.2 2> /dev/null || fail "sox failed"
cp "$PACK/First/first.ogg" "$PACK/Second/second.ogg"
cp "$PACK/First/first.ogg" "$WORK/Music/Alpha/Song/a.ogg"  # a pack listed before the one played

# step_file TITLE MUSIC: 120 BPM, beat 0 at 500 ms, a medium chart of a measure of rest and a measure of quarter notes.
step_file() {
  printf '#VERSION:0.83;\n#TITLE:%s;\n#MUSIC:%s;\n#OFFSET:-0.500;\n#BPMS:0.000=120.000;\n' "$1" "$2"
  printf '#NOTEDATA:;\n#STEPSTYPE:dance-single;\n#DIFFICULTY:Medium;\n#METER:3;\n#NOTES:\n'
  printf '0000\n0000\n0000\n0000\n,\n1000\n0100\n0010\n0001\n;\n'
}
step_file "Pack Song One" first.ogg > "$PACK/First/first.ssc"
step_file "Pack Song Two" second.ogg > "$PACK/Second/second.ssc"
SONG="$PACK/First/first.ogg"

start_display
start_game "$GAME" "$WORK"
click 320 215                    # Play
shot packs
pointer 600 300
xdotool type --delay 60 road     # the search: Road Pack's songs, flat
sleep 0.3
shot searched
# The first row's label, longer than "Alpha (1 song)", reaches further left.
[ "$(brightness searched 180 88 60 14)" -gt "$(brightness packs 180 88 60 14)" ] ||
  fail "the search does not list Road Pack's songs"
for _ in 1 2 3 4; do xdotool key BackSpace; sleep 0.1; done
click 320 135                    # Road Pack, after Alpha
shot pack-open
click 320 95                     # Pack Song One
[ -f "$SONG.tq" ] || fail "no chart made beside the music"
grep -q "^<startmedium>\$" "$SONG.tq" || fail "the chart made has no medium section"
shot difficulty
pointer 320 95
sleep 0.2
start=$(date +%s.%N)
xdotool click 1                  # play medium, the one row
pointer 600 300
python3 "$HERE/xplay.py" --until=6000 "$SONG.tq" 2 "$start" 30 || fail "player failed"
for _ in $(seq 100); do [ -f "$SONG.score" ] && break; sleep 0.1; done  # the results come when the music ends
shot results
[ -f "$SONG.score" ] || fail "no score file beside the music"
best=$(sed -n 3p "$SONG.score")
[ "$best" -ge 60 ] || fail "medium scored $best%: the pack song's arrows are out of step"
ls "$WORK/Music" | grep -qv -e '^Road Pack$' -e '^Alpha$' && fail "something was written into Music/ itself"
python3 "$E2E_HERE/xclose.py" "$WID"
wait_exit 10
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE"
echo "pack test passed"
