#!/bin/sh
# The command players type. The game reads Media/ and writes charts and scores
# into Music/ beside its working directory, so it runs in a folder of the
# player's own: made on the first start, with the shipped songs copied in.
set -e
here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
data="$prefix/share/games/zedov"
game="$prefix/lib/games/zedov/zedov"
home="${XDG_DATA_HOME:-$HOME/.local/share}/zedov"

mkdir -p "$home"
# The pictures are linked, so an updated package brings new ones; a Media/
# folder the player made is left alone.
if [ -L "$home/Media" ] || [ ! -e "$home/Media" ]; then
  ln -sfn "$data/Media" "$home/Media"
fi
# Each shipped song is offered once: copied in when the player has not been
# offered it before (an upgrade brings its new songs), never again after that
# (a song the player deleted stays deleted), and never over a file of theirs.
# The record lists the songs offered, a name per line. A Music/ from before the
# record was kept counts the shipped songs it holds as offered.
record="$home/offered-songs"
if [ ! -e "$record" ] && [ -d "$home/Music" ]; then
  for song in "$data/Music/"*.mp3 "$data/Music/"*.ogg "$data/Music/"*/; do
    name=$(basename "$song")
    if [ -e "$song" ] && [ -e "$home/Music/$name" ]; then printf '%s\n' "$name" >> "$record"; fi
  done
fi
mkdir -p "$home/Music"
touch "$record"
offer() {  # a shipped file or folder, copied unless the player has one of that name
  if [ -e "$1" ] && [ ! -e "$home/Music/$(basename "$1")" ]; then cp -Rp "$1" "$home/Music/"; fi
}
for song in "$data/Music/"*.mp3 "$data/Music/"*.ogg "$data/Music/"*/; do
  [ -e "$song" ] || continue
  name=$(basename "$song")
  if grep -qxF -- "$name" "$record"; then continue; fi
  base=${name%.*}
  offer "$data/Music/$name"
  offer "$data/Music/$name.tq"
  offer "$data/Music/$base.sm"
  offer "$data/Music/$base.ssc"
  printf '%s\n' "$name" >> "$record"
done
cd "$home"
exec "$game" "$@"
