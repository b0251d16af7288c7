#!/usr/bin/env bash
# The Debian package as a player meets it: built with CPack, unpacked into a
# throw-away root, started through the `zedov` command with HOME in a scratch
# folder. The per-user folder is made with the demo song, a score lands there,
# and a second start keeps the player's files.
set -uo pipefail
GAME=$1
SOURCE=$2
BUILD=$(dirname "$GAME")
source "$(dirname "$0")/xsession.sh"
SHOTS=$PWD/e2e-shots/package
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
WORK=$(mktemp -d)
trap 'stop_all; rm -rf "$WORK"' EXIT

(cd "$BUILD" && cpack --config CPackConfig.cmake -G DEB -B "$WORK/pkg" > "$WORK/cpack.log" 2>&1) ||
  fail "cpack failed: $(tail -5 "$WORK/cpack.log")"
deb=$(ls "$WORK"/pkg/zedov_*.deb) || fail "no .deb made"
info=$(dpkg-deb -I "$deb")
[[ "$info" == *"Depends:"*"libsdl-mixer1.2"* ]] || fail "the package does not depend on SDL_mixer"
dpkg-deb -x "$deb" "$WORK/root"
desktop-file-validate "$WORK/root/usr/share/applications/zedov.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$WORK"/root/usr/share/metainfo/*.metainfo.xml > "$WORK/as.log" ||
  fail "metainfo invalid: $(cat "$WORK/as.log")"

# The step-file converter comes as a command beside the game, using the packaged demo step file.
"$WORK/root/usr/bin/zedov-import" --help | grep -qF "STEPFILE [CHART.tq]" || fail "zedov-import --help shows no usage"
"$WORK/root/usr/bin/zedov-import" "$WORK/root/usr/share/games/zedov/Music/First Steps.sm" "$WORK/demo.tq" ||
  fail "zedov-import failed on the demo step file"
cmp -s "$WORK/demo.tq" "$WORK/root/usr/share/games/zedov/Music/First Steps.mp3.tq" ||
  fail "zedov-import did not give the shipped chart"
if "$WORK/root/usr/bin/zedov-import" "$WORK/missing.sm" "$WORK/demo.tq" 2> "$WORK/err.log"; then
  fail "zedov-import succeeded on a missing file"
fi
[ "$(wc -l < "$WORK/err.log")" = 1 ] || fail "zedov-import said more than one line: $(cat "$WORK/err.log")"
cmp -s "$WORK/demo.tq" "$WORK/root/usr/share/games/zedov/Music/First Steps.mp3.tq" ||
  fail "a failed zedov-import touched the chart"

export HOME=$WORK/home
unset XDG_DATA_HOME
mkdir -p "$HOME"
PLAYER=$HOME/.local/share/zedov
start_display

# First start: the folder is made, the demo song copied, the pictures linked.
start_game "$WORK/root/usr/bin/zedov" "$HOME"
for song in "First Steps" "Soft Tide" "Starfall"; do
  for f in "$song.mp3" "$song.mp3.tq" "$song.sm"; do
    [ -f "$PLAYER/Music/$f" ] || fail "$f not copied into $PLAYER/Music"
  done
done
[ -L "$PLAYER/Media" ] || fail "Media is not linked"
shot first-start
click 320 215            # Play: the three shipped songs, and no fourth row
shot shipped-songs
# A row's panel (about 40) is far brighter than the backdrop where no row is (about 23).
for r in 0 1 2; do
  [ "$(brightness shipped-songs 40 $((88 + 40 * r)) 560 14)" -ge 32 ] || fail "no song in row $r of the shipped list"
done
[ "$(brightness shipped-songs 40 208 560 14)" -lt 32 ] || fail "a fourth row in the shipped list"
python3 "$E2E_HERE/xclose.py" "$WID"
wait_exit 10
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE"

# The player's own files: a changed demo chart and a short song with one note.
echo "<startmedium> 1 300 0 ---- <stop>" > "$PLAYER/Music/First Steps.mp3.tq"
sox -n -r 44100 -c 2 "$WORK/short.wav" synth 1.5 sine 440 vol 0.3 2> /dev/null
lame --quiet "$WORK/short.wav" "$PLAYER/Music/Short.mp3" || fail "lame failed"
printf '<startmedium>\n2\n500\n0\n----\n<stop>\n' > "$PLAYER/Music/Short.mp3.tq"

start_game "$WORK/root/usr/bin/zedov" "$HOME"
[ "$(cat "$PLAYER/Music/First Steps.mp3.tq")" = "<startmedium> 1 300 0 ---- <stop>" ] ||
  fail "the second start overwrote the player's chart"
click 320 215            # Play
shot song-list
[ "$(brightness song-list 40 128 560 14)" != "$(brightness song-list 40 328 560 14)" ] ||
  fail "no second song row in the list"
click 320 135            # Short (after First Steps)
click 320 95             # play medium
sleep 4                  # 1.5 s of music, then the results write the score
shot results
[ -f "$PLAYER/Music/Short.mp3.score" ] || fail "no score file in $PLAYER/Music"
[ "$(wc -l < "$PLAYER/Music/Short.mp3.score")" = "5" ] || fail "score file is not five lines"
python3 "$E2E_HERE/xclose.py" "$WID"
wait_exit 10
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE"
echo "package test passed"
