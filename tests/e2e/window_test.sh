#!/usr/bin/env bash
# The real game in a virtual X display: the window "Zedov" at 640 x 480 with
# backdrop, title, buttons that light under the pointer, the game's pointer
# and the border; the credits and back; closing the window ends it with 0.
set -uo pipefail
GAME=$1
SOURCE=$2
source "$(dirname "$0")/xsession.sh"
start_workspace window

start_display
start_game "$GAME" "$WORK"
geometry=$(xdotool getwindowgeometry "$WID" | grep Geometry | awk '{print $2}')
[ "$geometry" = "$(scaled 640)x$(scaled 480)" ] || fail "window is $geometry, not $(scaled 640)x$(scaled 480)"

pointer 600 400
sleep 0.3
shot title
pointer 320 215
sleep 0.3
shot play-hovered
# The "Play" panel lights under the pointer; "Credits" stays as it was.
[ "$(brightness title 40 205 200 20)" -lt "$(brightness play-hovered 40 205 200 20)" ] ||
  fail "Play does not light up under the pointer"
[ "$(brightness title 40 245 200 20)" = "$(brightness play-hovered 40 245 200 20)" ] ||
  fail "Credits changed when the pointer was on Play"
# The game's own pointer moved with the mouse.
[ "$(pixel title 600 400)" != "$(pixel play-hovered 600 400)" ] || fail "no pointer drawn at 600,400"
# The border is the topmost layer at the window's edge.
border=$(convert "$SOURCE/Media/Kelvane/Border.png" -format '%[fx:int(255*p{0,0}.r)] %[fx:int(255*p{0,0}.g)] %[fx:int(255*p{0,0}.b)]' info:)
[ "$(pixel title 0 0)" = "$border" ] || fail "border pixel is $(pixel title 0 0), want $border"

click 320 255
shot credits
[ "$(brightness credits 100 195 440 30)" != "$(brightness title 100 195 440 30)" ] || fail "no credits text"
click 550 435
shot back-to-title
[ "$(brightness back-to-title 180 40 280 130)" = "$(brightness title 180 40 280 130)" ] ||
  fail "Back did not return to the title"

python3 "$(dirname "$0")/xclose.py" "$WID"
wait_exit 10
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE after closing the window"
echo "window test passed"
