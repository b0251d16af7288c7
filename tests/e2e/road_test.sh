#!/usr/bin/env bash
# The road of one song, driven as a player would in a real window: title, Play,
# a song list that scrolls, the difficulty select, "create new step chart",
# "Accept", "play medium" played by a scripted player at the chart's note
# times, the results and the score file; then "import step chart" of a .sm
# file and its hard chart played; then the pause: Escape, "Resume game",
# Escape, "Exit", and the exit code.
set -uo pipefail
GAME=$1
SOURCE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/xsession.sh"
start_workspace road
MUSIC=$WORK/Music

# Nine songs, so that the list scrolls; the one played sorts last.
# A held tone with no beat, so the chart maker keeps the values typed. Ogg
# audio in a file named .mp3 plays as what it holds (an MP3's frames would
# shimmer on a pure sine like a beat).
sox -n -r 44100 -c 2 "$WORK/song.ogg" synth 9 sine 330 vol 0.2 2> /dev/null
cp "$WORK/song.ogg" "$MUSIC/zz Road.mp3" || fail "sox failed"
for i in 1 2 3 4 5 6 7 8; do cp "$MUSIC/zz Road.mp3" "$MUSIC/a0$i.MP3"; done
SONG="$MUSIC/zz Road.mp3"

# A StepMania file for the import: 120 BPM, beat 0 at 500 ms, an easy block and
# a hard block of one measure of quarter notes after a measure of rest.
cat > "$MUSIC/road.sm" <<'SM'
#TITLE:Road;
#OFFSET:-0.500;
#BPMS:0.000=120.000;
#STOPS:;
#NOTES:
     dance-single:
     test:
     Easy:
     1:
     0,0,0,0,0:
0000
0000
0000
0000
,
1000
0000
0001
0000
;
#NOTES:
     dance-single:
     test:
     Hard:
     5:
     0,0,0,0,0:
0000
0000
0000
0000
,
1000
0100
0010
0001
,
1001
0110
1000
0001
,
0100
0010
1000
0001
;
SM

# A player in step scores 72% or more even if every press is only GOOD (within
# 199 ms); out of step, presses find no arrow and it falls towards 0%. The
# thresholds leave room for a loaded machine's late frames.

# score_of DIFFICULTY: the best on that line of the score file.
score_of() { sed -n "$(($1 + 1))p" "$SONG.score"; }

# play_and_wait DIFFICULTY Y [PAUSE_AT_MS PAUSE_FOR_MS]: clicks the row at Y, plays
# the chart (pausing with Escape and resuming if asked), waits for the results.
play_and_wait() {
  pointer 320 "$2"
  sleep 0.2
  local start
  start=$(date +%s.%N)
  xdotool click 1
  pointer 320 115  # on "Resume game" for the pause; nothing to click there while playing
  # The song starts one or two frames after the press.
  python3 "$HERE/xplay.py" --until=9000 "$SONG.tq" "$1" "$start" 30 "${@:3}" || fail "player failed"
  pointer 600 300
  sleep 3
}

start_display
start_game "$GAME" "$WORK"
click 320 215                    # Play
shot songs-top
click 320 375                    # down
click 320 375                    # down: songs 2..8, the last row is zz Road
shot songs-scrolled
[ "$(brightness songs-scrolled 40 40 560 30)" != "$(brightness songs-top 40 40 560 30)" ] ||
  fail "no up control after scrolling"
click 320 335                    # zz Road
shot difficulty-empty
click 320 95                     # create new step chart
for _ in 1 2 3 4 5; do click 537 135 0.1; done   # 115 -> 120 BPM
shot generator
click 320 375                    # Accept
[ -f "$SONG.tq" ] || fail "no chart written"
for tag in beginner easy medium hard challenge; do
  grep -q "^<start$tag>\$" "$SONG.tq" || fail "chart has no $tag section"
done
medium=$(awk '/^<startmedium>/{f=1;next} f&&/^<stop>/{exit} f' "$SONG.tq" | head -8 | tr '\n' ' ')
[[ "$medium" == *" 3075 0 ---- "*" 3575 0 ---- " ]] || fail "medium times at 120 BPM are wrong: $medium"
shot difficulty-full
play_and_wait 2 175              # play medium
shot results-medium
[ -f "$SONG.score" ] || fail "no score file after the song"
[ "$(wc -l < "$SONG.score")" = "5" ] || fail "the score file is not five lines"
best=$(score_of 2)
[ "$best" -ge 60 ] || fail "medium scored $best%: the arrows are out of step with the music"
click 550 435                    # Back to the difficulty select

click 320 375                    # import step chart
shot import-list
click 320 95                     # road.sm: the song has a chart, so first a question
shot replace-question
click 220 255                    # Replace
[ -f "$SONG.score.old" ] || fail "the old chart's bests were not kept as .score.old"
grep -q "^<starteasy>\$" "$SONG.tq" && grep -q "^<starthard>\$" "$SONG.tq" || fail "import wrote no easy and hard"
grep -q "^<startmedium>" "$SONG.tq" && fail "the import kept the old medium section"
hard=$(awk '/^<starthard>/{f=1;next} f&&/^<stop>/{exit} f' "$SONG.tq" | head -4 | tr '\n' ' ')
[ "$hard" = "0 2500 0 ----4 " ] || fail "first hard note is '$hard', want column 0 at 2500 ms, on a beat"
# Play hard (rows: easy 95, hard 135), pausing 4.25 s in for 1.5 s: after
# "Resume game" the music and the arrows go on together.
play_and_wait 3 135 4250 1500
shot results-hard
best=$(score_of 3)
[ "$best" -ge 50 ] || fail "hard scored $best%: out of step after the pause?"
[ "$(sed -n 3p "$SONG.score.old")" -ge 60 ] || fail "the old chart's medium best was lost"
[ "$(score_of 2)" = "-1" ] || fail "the new chart kept a medium best"

# The pause, on the results screen.
shot before-pause
key Escape
sleep 1.2
shot paused
[ "$(brightness paused 40 300 560 100)" -gt "$(brightness before-pause 40 300 560 100)" ] ||
  fail "the overlay did not lighten the picture"
pointer 320 115
sleep 0.3
shot resume-hovered
[ "$(brightness resume-hovered 180 108 280 15)" -gt "$(brightness paused 180 108 280 15)" ] ||
  fail "Resume game does not light up under the pointer"
click 320 115 1.2                # Resume game
pointer 600 300
sleep 0.2
shot resumed
[ "$(brightness resumed 200 90 240 180)" = "$(brightness before-pause 200 90 240 180)" ] ||
  fail "the results screen did not come back after Resume game"
key Escape
sleep 1.2
click 320 165                    # Exit
wait_exit 10
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE after Exit"
echo "road test passed"
