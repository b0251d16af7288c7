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
# The shipped songs go only into a fresh Music/: a song the player deleted
# stays deleted, and no chart or score of theirs is ever overwritten.
if [ ! -e "$home/Music" ]; then
  mkdir -p "$home/Music"
  for f in "$data/Music/"*; do
    [ -e "$f" ] || continue
    [ -e "$home/Music/$(basename "$f")" ] || cp -p "$f" "$home/Music/"
  done
fi
cd "$home"
exec "$game" "$@"
