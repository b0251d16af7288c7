#!/bin/sh
# Builds the songs and their steps:
#   Music/First Steps.mp3      synthesised by make_song.py, encoded by lame
#   Music/First Steps.mp3.tq   the game's chart   } both from make_chart.py
#   Music/First Steps.sm       a StepMania file   }
#   Music/Soft Tide.*          make_tide.py, lame, make_steps.py tide
#   Music/Starfall.*           make_starfall.py, lame, make_steps.py starfall
# Then checks them (check_songs.py): the steps in time, and where SDL_mixer's
# headers are installed, each MP3 heard on the beats the steps say.
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
py=/usr/bin/python3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# -t: no Info frame (libmad would play it as a frame of silence); CBR 128 kbit/s;
# only an ID3v1 tag, at the end of the file, where it cannot upset a decoder.
encode() {
    lame --quiet -t -b 128 --noreplaygain --id3v1-only \
        --tt "$2" --ta "Zedov team" --tc "CC BY-SA 4.0" \
        "$1" "$root/Music/$2.mp3"
}

mkdir -p "$root/Music"
"$py" "$here/make_song.py" "$tmp/first_steps.wav"
encode "$tmp/first_steps.wav" "First Steps"
"$py" "$here/make_chart.py" "$root/Music"

"$py" "$here/make_tide.py" "$tmp/soft_tide.wav"
encode "$tmp/soft_tide.wav" "Soft Tide"
"$py" "$here/make_steps.py" tide "$root/Music"

"$py" "$here/make_starfall.py" "$tmp/starfall.wav"
encode "$tmp/starfall.wav" "Starfall"
"$py" "$here/make_steps.py" starfall "$root/Music"

# The charts against the StepMania files, and the MP3s heard through SDL_mixer.
"$py" "$here/check_songs.py"
