#!/usr/bin/env bash
# The song clock follows the sound card. The game's audio goes through SDL's
# disk driver into a FIFO read by an emulated card (xaudio.py), whose player
# presses each note 30 ms after its click is played. A card that holds three
# buffers (a pipe shrunk to 4 KiB), then one that holds 420 ms (the system's
# 64 KiB pipe), each first at the nominal rate, then 6 % fast and stalling
# 400 ms and later 250 ms in the song: every press judged, each play's spread
# at most 5 ms, the means within 5 ms on every card. The fast play's results
# then adjust the audio offset by its mean, saved with zedov.conf's comment
# kept, and the play after that has the mean less the adjustment.
#
# The emulated card sleeps between its reads: one that spins at real-time
# priority takes a core of a two-core machine, and the game's presses then
# come late. AUDIO_CLOCK_SPREAD_MS and AUDIO_CLOCK_MEANS_MS loosen the limits
# on a machine busy with other work; every play's figures are printed. A
# clock that does not follow the card misses them by tens of ms.
set -uo pipefail
SPREAD_MS=${AUDIO_CLOCK_SPREAD_MS:-5}
MEANS_MS=${AUDIO_CLOCK_MEANS_MS:-5}
GAME=$1
SOURCE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/xsession.sh"
start_workspace audio-clock
CHART=$WORK/Music/Clicks.ogg.tq
python3 - "$WORK/clicks.wav" << 'PY'
import math, struct, sys, wave
rate, notes = 44100, [2500 + 397 * i for i in range(40)]
samples = [0] * (rate * 20)
for ms in notes:
    first = ms * rate // 1000
    for i in range(rate // 100):
        samples[first + i] = int(20000 * math.exp(-i / 200) * math.sin(2 * math.pi * 1000 * i / rate))
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1), out.setsampwidth(2), out.setframerate(rate)
    out.writeframes(struct.pack(f"<{len(samples)}h", *samples))
PY
sox "$WORK/clicks.wav" -C 8 -c 2 "$WORK/Music/Clicks.ogg" || fail "sox failed"
{
  echo "<startmedium>"
  for i in $(seq 0 39); do printf '%d\n%d\n0\n----\n' $((i % 4)) $((2500 + 397 * i)); done
  echo "<stop>"
} > "$CHART"
mkfifo "$WORK/card"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$WORK/card SDL_DISKAUDIODELAY=0
realtime=""
chrt -f 10 true 2> /dev/null && realtime="chrt -f 10"

# play CARD_ARGS...: a session on a card; the song played once, or twice with the offset adjusted between.
lines() { grep -c '^Zedov: "' "$WORK/stdout.txt"; }
wait_line() {
  for _ in $(seq 300); do [ "$(lines)" -ge "$1" ] && return 0; sleep 0.1; done
  fail "no line on standard output after play $1"
}
session() {
  local adjust=$1
  shift
  start_display
  $realtime python3 "$HERE/xaudio.py" "$WORK/card" "$CHART" 2 30 "$@" &
  CARD_PID=$!
  : > "$WORK/stdout.txt"
  start_game "$GAME" "$WORK" >> "$WORK/stdout.txt"
  pointer 630 470
  sleep 0.3
  for k in Down Return Return; do xdotool key "$k"; sleep 0.3; done  # Play, the song: "play medium" is lit
  kill -USR1 "$CARD_PID"
  xdotool key Return
  wait_line 1
  sleep 0.5
  if [ "$adjust" = adjust ]; then
    shot results
    click 160 440 0.5  # Adjust offset
    shot adjusted
    kill -USR1 "$CARD_PID"
    click 390 440  # Play again
    wait_line 2
  fi
  python3 "$HERE/xclose.py" "$WID"
  wait_exit 10
  wait "$CARD_PID" 2> /dev/null
  kill "$XVFB_PID" 2> /dev/null
  grep '^Zedov: "' "$WORK/stdout.txt" >> "$WORK/plays.txt"
}
# check PLAYS_FILE: the three plays on one card, the adjustment between the last two.
check() {
  means=()
  while read -r line; do
    [[ $line =~ $re ]] || fail "not a play's line: $line"
    [ "${BASH_REMATCH[3]}" = 40 ] || fail "${BASH_REMATCH[3]} presses judged, not 40: $line"
    awk -v sd="${BASH_REMATCH[2]}" -v most="$SPREAD_MS" 'BEGIN { exit !(sd <= most) }' || fail "spread over $SPREAD_MS ms: $line"
    means+=("${BASH_REMATCH[1]}")
  done < "$1"
  [ "${#means[@]}" = 3 ] || fail "${#means[@]} plays, not 3"
  awk -v a="${means[0]}" -v b="${means[1]}" -v most="$MEANS_MS" 'BEGIN { exit !((a - b) ^ 2 <= most ^ 2) }' || fail "the fast card moved the mean"
  saved=$(sed -n 's/^audio_offset_ms = \([-0-9]*\)  # my card$/\1/p' "$WORK/zedov.conf")
  [ -n "$saved" ] || fail "zedov.conf lost the offset's line or its comment: $(cat "$WORK/zedov.conf")"
  [ "$(head -n 1 "$WORK/zedov.conf")" = "# the offset, by hand" ] || fail "the comment went"
  awk -v m="${means[1]}" -v s="$saved" 'BEGIN { exit !((m - s) ^ 2 <= 36) }' || fail "saved $saved, the mean was ${means[1]}"
  awk -v a="${means[1]}" -v b="${means[2]}" -v s="$saved" -v most="$MEANS_MS" 'BEGIN { exit !((a - s - b) ^ 2 <= most ^ 2) }' ||
    fail "after adjusting by $saved the mean went from ${means[1]} to ${means[2]}"
  firstMeans+=("${means[0]}")
}
re='^Zedov: "Clicks" medium: [0-9]+%, [0-9]+ perfect, [0-9]+ good, [0-9]+ boo; timing mean ([-+][0-9]+\.[0-9]) ms, sd ([0-9]+\.[0-9]) ms over ([0-9]+) presses$'
firstMeans=()
for pipe in 4096 0; do
  export XAUDIO_PIPE=$pipe
  printf '# the offset, by hand\naudio_offset_ms = 0  # my card\n' > "$WORK/zedov.conf"
  : > "$WORK/plays.txt"
  session once 1.0
  session adjust 1.06 12:150:400 26:200:250
  echo "a card with a pipe of $pipe bytes (0: the system's):"
  cat "$WORK/plays.txt"
  check "$WORK/plays.txt"
done
awk -v a="${firstMeans[0]}" -v b="${firstMeans[1]}" -v most="$MEANS_MS" 'BEGIN { exit !((a - b) ^ 2 <= most ^ 2) }' ||
  fail "the deep card moved the mean: ${firstMeans[*]}"
echo "audio clock test passed"
