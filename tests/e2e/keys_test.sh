#!/usr/bin/env bash
# The menus without a mouse: from the title through the song list and the
# difficulty select to the demo song's medium chart with the arrow keys and
# Enter alone; the scripted player plays it to the end, the results show and
# the score file is written. The pointer rests in one place all along.
set -uo pipefail
GAME=$1
SOURCE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/xsession.sh"
start_workspace keys
cp "$SOURCE/Music/First Steps.mp3" "$SOURCE/Music/First Steps.mp3.tq" "$WORK/Music/"
SONG="$WORK/Music/First Steps.mp3"

# press KEY: a key tapped as xdotool taps it, then a few frames' time.
press() { xdotool key "$1"; sleep 0.25; }

start_display
start_game "$GAME" "$WORK"
pointer 630 470  # over the window, on no button; it does not move again
sleep 0.3
shot title
press Down
shot title-focused
[ "$(brightness title-focused 40 205 200 20)" -gt "$(brightness title 40 205 200 20)" ] ||
  fail "Down did not focus Play"
press Return                     # Play; a new screen puts the focus on its first button
shot songs
press Return                     # First Steps, the first row
shot difficulties
press Down
press Down                       # play medium, the third row
shot medium-focused
[ "$(brightness medium-focused 40 165 200 20)" -gt "$(brightness difficulties 40 165 200 20)" ] ||
  fail "the focus is not on play medium"
start=$(date +%s.%N)
xdotool key Return               # play medium
python3 "$HERE/xplay.py" --until=95000 "$SONG.tq" 2 "$start" 30 || fail "player failed"
# The music ends about a second after the last note, later on a busy machine.
for _ in $(seq 150); do [ -f "$SONG.score" ] && break; sleep 0.1; done
sleep 0.5
shot results
[ -f "$SONG.score" ] || fail "no score file after the song"
best=$(sed -n 3p "$SONG.score")
[ "$best" -ge 60 ] || fail "medium scored $best%: the keys did not reach the song in step"
[ "$(brightness results 200 90 240 180)" != "$(brightness difficulties 200 90 240 180)" ] ||
  fail "no results shown"

python3 "$HERE/xclose.py" "$WID"
wait_exit 10
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE after closing the window"
echo "keys test passed"
