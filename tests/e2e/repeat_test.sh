#!/usr/bin/env bash
# Held keys with the X server's auto-repeat on, as on every desktop: the
# generator's first-beat delay held at Left for 3 s speeds up and moves by
# far more than 500 ms. The rows are reached with J, bound to the down lane,
# which works the menus as Down does.
set -uo pipefail
GAME=$1
SOURCE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/xsession.sh"
start_workspace repeat
cp "$SOURCE/Music/First Steps.mp3" "$WORK/Music/"
CHART="$WORK/Music/First Steps.mp3.tq"
echo "key_down = j" > "$WORK/zedov.conf"

start_display
python3 -c 'import sys; sys.path.insert(0, "'"$HERE"'"); import ctypes, xtest; x11, _, d = xtest.open_xtest(); x11.XAutoRepeatOn.argtypes = [ctypes.c_void_p]; x11.XAutoRepeatOn(d); x11.XFlush(d)' ||
  fail "cannot turn the auto-repeat on"
start_game "$GAME" "$WORK"
click 320 215                    # Play
click 320 95                     # First Steps
click 320 95                     # create new step chart: the song has none
pointer 630 470                  # on no button; it does not move again
sleep 0.3
for _ in 1 2; do xdotool key j; sleep 0.2; done  # the tempo, then the delay
shot delay-focused
key Left 3                       # held, repeated by the server
for _ in 1 2 3; do xdotool key j; sleep 0.2; done  # the beats, "Arrows", then Accept
xdotool key Return
sleep 0.5
[ -f "$CHART" ] || fail "no chart written"
first=$(tr ' ' '\n' < "$CHART" | grep -A2 -x '<startmedium>' | sed -n 3p)
[ -n "$first" ] || fail "no medium notes in the chart"
[ $((3075 - first)) -ge 500 ] || fail "the held Left moved the delay from 3075 only to $first ms"
python3 "$HERE/xclose.py" "$WID"
wait_exit 10
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE"
echo "repeat test passed: Left held 3 s moved the delay from 3075 to $first ms"
