#!/usr/bin/env bash
# Choosing among songs in a real window: a pack song's banner shows beside
# its tempo, length and numbers once its row is lit; F2 sorts by tempo, so
# the 90 BPM song comes before the 180 BPM one; F3 marks a favourite, which
# the Favourites row holds after a restart; and a song added to the pack
# while the game runs is in the list on the next visit.
set -uo pipefail
GAME=$1
SOURCE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/xsession.sh"
start_workspace song-choice
PACK="$WORK/Music/Pack"
mkdir -p "$PACK/Fast" "$PACK/Slow"
sox -n -r 44100 -c 2 "$PACK/Slow/slow.ogg" synth 75 sine 330 vol 0.1 2> /dev/null || fail "sox failed"
cp "$PACK/Slow/slow.ogg" "$PACK/Fast/fast.ogg"
# A red banner of 256 x 80 (PNG), as packs ship them.
python3 - "$PACK/Slow/slow-bn.png" << 'PY'
import struct, sys, zlib
w, h = 256, 80
rows = b"".join(b"\0" + bytes([230, 30, 30]) * w for _ in range(h))
chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
open(sys.argv[1], "wb").write(png + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
PY
# step_file TITLE BPM METER...: a .ssc with a dance-single chart of each meter.
step_file() {
  printf '#VERSION:0.83;\n#TITLE:%s;\n#ARTIST:%s Band;\n#BANNER:%s-bn.png;\n#BPMS:0.000=%s;\n' "$1" "$1" "$1" "$2"
  shift 2
  for meter in "$@"; do printf '#NOTEDATA:;\n#STEPSTYPE:dance-single;\n#METER:%s;\n#NOTES:\n0000\n;\n' "$meter"; done
}
step_file Slow 90 2 7 > "$PACK/Slow/slow.ssc"
step_file Fast 180 9 > "$PACK/Fast/fast.ssc"
red() { read -r r g b <<< "$(pixel "$1" 60 438)"; [ "$r" -gt 180 ] && [ "$g" -lt 90 ]; }

start_display
start_game "$GAME" "$WORK"
click 320 215                    # Play
click 320 95                     # Pack: Fast, then Slow, by name
pointer 320 135
sleep 0.8
shot slow-lit
red slow-lit || fail "no banner beside the lit pack song"
pointer 320 95
sleep 0.8
shot fast-lit
red fast-lit && fail "a banner beside the song without one"
key F2; sleep 0.2; key F2; sleep 0.3  # by artist, by tempo
grep -q "^song_order = tempo" "$WORK/zedov.conf" || fail "the order is not kept in zedov.conf"
pointer 320 96
sleep 0.8
shot by-tempo
red by-tempo || fail "sorted by tempo, the 90 BPM song is not first"
key F3; sleep 0.3                # the lit song, Slow, a favourite
grep -qx "Pack/Slow/slow.ogg" "$WORK/favourites" || fail "no favourites file with the song"
mkdir "$PACK/Added" && cp "$PACK/Fast/fast.ogg" "$PACK/Added/added.ogg"
click 550 435                    # Back to the packs
click 550 435                    # Back to the title
click 320 215                    # Play: the next visit
grep -q "^Pack/Added" "$WORK/songs.cache" || fail "the song added while the game runs is not listed"
python3 "$E2E_HERE/xclose.py" "$WID"
wait_exit 10

start_game "$GAME" "$WORK"       # a restart
click 320 215                    # Play
shot restarted
click 320 95                     # Favourites, above the pack
pointer 320 96
sleep 0.8
shot favourites
red favourites || fail "the favourite did not survive the restart"
python3 "$E2E_HERE/xclose.py" "$WID"
wait_exit 10
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE"
echo "song choice test passed"
