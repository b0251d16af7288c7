#!/usr/bin/env bash
# The game on a big screen: window_scale = 3 in zedov.conf would not fit the
# 1920 x 1080 desktop, so the window is 1280 x 960 (said on standard error),
# every game pixel a sharp 2 x 2 block, and the pointer lands
# where the player points: "Credits" clicked at twice its place opens the credits.
# With fullscreen = 1 the desktop's resolution shows the frame at the largest
# whole scale, centred with black borders.
set -uo pipefail
GAME=$1
SOURCE=$2
source "$(dirname "$0")/xsession.sh"
start_workspace scale
printf '# a laptop panel\nwindow_scale = 3\n' > "$WORK/zedov.conf"

# sharp NAME: the screenshot is made of whole 2 x 2 blocks (no blur, no stray rows).
sharp() {
  convert "$SHOTS/$1.png" -sample 50% -sample 200% "$SHOTS/$1-blocks.png"
  [ "$(compare -metric AE "$SHOTS/$1.png" "$SHOTS/$1-blocks.png" null: 2>&1)" = "0" ]
}

start_display 1920x1080
start_game "$GAME" "$WORK" 2> "$WORK/stderr"
geometry=$(xdotool getwindowgeometry "$WID" | grep Geometry | awk '{print $2}')
[ "$geometry" = "1280x960" ] || fail "window is $geometry, not 1280x960"
grep -q "window_scale 3 .* larger than the 1920 x 1080 desktop; using 2" "$WORK/stderr" ||
  fail "no word of the scale that did not fit: $(cat "$WORK/stderr")"

pointer 1200 800
sleep 0.3
shot title
sharp title || fail "the title is not made of sharp 2 x 2 blocks"
# The pointer at twice the place of "Credits" lights it.
pointer 640 510
sleep 0.3
shot credits-hovered
[ "$(brightness title 80 490 400 40)" -lt "$(brightness credits-hovered 80 490 400 40)" ] ||
  fail "Credits does not light up under the pointer at twice its place"
click 640 510
shot credits
sharp credits || fail "the credits are not made of sharp 2 x 2 blocks"
[ "$(brightness credits 200 390 880 60)" != "$(brightness title 200 390 880 60)" ] || fail "no credits text"
click 1100 870  # "Back" at twice its place
shot back-to-title
[ "$(brightness back-to-title 360 80 560 260)" = "$(brightness title 360 80 560 260)" ] ||
  fail "Back did not return to the title"

python3 "$(dirname "$0")/xclose.py" "$WID"
wait_exit 10
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE after closing the window"

# Full screen: the desktop's 1920 x 1080 at scale 2, the frame centred at (320, 60) with black borders.
printf 'fullscreen = 1\n' > "$WORK/zedov.conf"
start_game "$GAME" "$WORK"
geometry=$(xdotool getwindowgeometry "$WID" | grep Geometry | awk '{print $2}')
[ "$geometry" = "1920x1080" ] || fail "full screen is $geometry, not 1920x1080"
pointer 960 570  # the middle of "Credits" at (320, 255)
sleep 0.3
import -window root "$SHOTS/full-screen.png"  # SDL shows full screen in a window of its own
[ "$(brightness full-screen 0 0 300 1080)" = "0" ] || fail "the left border is not black"
[ "$(brightness full-screen 0 0 1920 50)" = "0" ] || fail "the top border is not black"
[ "$(pixel full-screen 320 60)" = "$(pixel title 0 0)" ] || fail "the frame does not start at (320, 60)"
[ "$(brightness full-screen 400 550 800 40)" = "$(brightness credits-hovered 80 490 800 40)" ] ||
  fail "Credits does not light up under the pointer in full screen"
python3 "$(dirname "$0")/xclose.py" "$WID"
wait_exit 10
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE after closing the full screen"
echo "scale test passed"
