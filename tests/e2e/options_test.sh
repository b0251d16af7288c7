#!/usr/bin/env bash
# The options by keys alone: from the title to Options, the audio offset and
# the scroll speed stepped with Right, the left lane bound to A, Back; zedov.conf then holds the new
# values on the lines where they stood or at its end, and its comments and
# unknown lines byte for byte. Then a calibration, tapped 40 ms late by a
# precise scripted player, proposes about 40 ms and Enter saves it.
set -uo pipefail
GAME=$1
SOURCE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/xsession.sh"
start_workspace options
CONF="$WORK/zedov.conf"
printf '# my laptop, by hand\n\naudio_offset_ms   =  10   # PulseAudio\nmy_own_key = kept\n' > "$CONF"
[ "$E2E_SCALE" = 1 ] || printf 'window_scale = %s\n' "$E2E_SCALE" >> "$CONF"

press() { xdotool key "$1"; sleep 0.15; }

start_display
start_game "$GAME" "$WORK"
pointer 630 470  # on no button; it does not move again
sleep 0.3
press Down; press Down; press Down; press Return  # Play, Credits, Options
shot options
press Right; press Right; press Right            # audio offset 10 -> 13
press Down; press Down; press Down; press Down    # Calibrate, audio buffer, visual offset, scroll speed
press Right; press Right; press Right; press Right  # 1.00x -> 2.00x
press Down; press Return; press a                # the left lane's key: A
shot options-changed
press Up; press Up; press Up; press Up; press Up; press Up  # up from the first row wraps to Back
press Return
sleep 0.3
shot title
got=$(cat "$CONF")
[ "$(head -n 4 "$CONF")" = "$(printf '# my laptop, by hand\n\naudio_offset_ms   =  13   # PulseAudio\nmy_own_key = kept')" ] ||
  fail "zedov.conf lost its lines or did not change in place: $got"
grep -qx 'scroll_speed = 2.00' "$CONF" || fail "no scroll_speed = 2.00 at the end: $got"
grep -qx 'key_left = a' "$CONF" || fail "no key_left = a at the end: $got"

# The calibration: Options, Calibrate, and the player's Enter starts the clicks.
press Down; press Down; press Return  # back on the title the focus is on Play: Options
press Down; press Return                         # Calibrate
shot calibration
python3 "$HERE/xtap.py" 40 || fail "the tapping player failed"
sleep 0.5
shot proposal
press Return  # Use this offset
sleep 0.5
offset=$(sed -n 's/^audio_offset_ms *= *\([-0-9]*\).*/\1/p' "$CONF")
[ -n "$offset" ] && [ "$offset" -ge 20 ] && [ "$offset" -le 60 ] || fail "the calibration saved ${offset:-nothing}, not about 40"
echo "calibration tapped 40 ms late saved $offset ms"
[ "$(head -n 2 "$CONF")" = "$(printf '# my laptop, by hand\n')" ] || fail "the comment went"

python3 "$HERE/xclose.py" "$WID"
wait_exit 10
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE after closing the window"
echo "options test passed"
