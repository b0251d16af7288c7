#!/usr/bin/env bash
# The `zedov` command's shipped songs, over three releases of a fake install:
# the first start copies them, a song the player deleted stays deleted, a
# player's file is never overwritten, and a new release brings its new song.
set -uo pipefail
SOURCE=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
ROOT=$WORK/usr
SHIPPED=$ROOT/share/games/zedov/Music
mkdir -p "$ROOT/bin" "$ROOT/lib/games/zedov" "$SHIPPED" "$ROOT/share/games/zedov/Media"
cp "$SOURCE/packaging/zedov.sh" "$ROOT/bin/zedov"
printf '#!/bin/sh\nexit 0\n' > "$ROOT/lib/games/zedov/zedov"
chmod +x "$ROOT/bin/zedov" "$ROOT/lib/games/zedov/zedov"
export HOME=$WORK/home XDG_DATA_HOME=
MUSIC=$HOME/.local/share/zedov/Music
for f in "A.mp3" "A.mp3.tq" "A.sm" "B.ogg" "B.ssc"; do echo "shipped $f" > "$SHIPPED/$f"; done

"$ROOT/bin/zedov" || fail "first start failed"
for f in "A.mp3" "A.mp3.tq" "A.sm" "B.ogg" "B.ssc"; do [ -f "$MUSIC/$f" ] || fail "$f not copied"; done
rm "$MUSIC/B.ogg" "$MUSIC/B.ssc"          # the player deletes a song
echo "mine" > "$MUSIC/A.mp3.tq"           # and makes a chart of their own
mkdir -p "$SHIPPED/Pack/S" && echo "shipped" > "$SHIPPED/Pack/S/s.ogg"   # the next release: a pack
echo "shipped C" > "$SHIPPED/C.mp3"                                      # and a song
echo "mine" > "$MUSIC/C.mp3"                                             # of a name the player has
"$ROOT/bin/zedov" || fail "second start failed"
[ ! -e "$MUSIC/B.ogg" ] || fail "a deleted song came back"
[ "$(cat "$MUSIC/A.mp3.tq")" = "mine" ] || fail "the player's chart was overwritten"
[ "$(cat "$MUSIC/C.mp3")" = "mine" ] || fail "the player's song was overwritten"
[ -f "$MUSIC/Pack/S/s.ogg" ] || fail "the new pack did not come"
rm -r "$MUSIC/Pack"
"$ROOT/bin/zedov" || fail "third start failed"
[ ! -e "$MUSIC/Pack" ] || fail "a deleted pack came back"

# A folder from before the record: the songs it holds count as offered, the rest come.
rm "$HOME/.local/share/zedov/offered-songs" "$MUSIC/A.mp3"
"$ROOT/bin/zedov" || fail "start without a record failed"
[ -f "$MUSIC/A.mp3" ] && [ -f "$MUSIC/B.ogg" ] || fail "songs not offered before were not copied"
[ "$(cat "$MUSIC/A.mp3.tq")" = "mine" ] || fail "the player's chart was overwritten"
echo "launcher test passed"
