#!/bin/sh
# Builds the songs and their steps:
#   Music/First Steps.mp3      synthesised by make_song.py, encoded by lame
#   Music/First Steps.mp3.tq   the game's chart   } both from make_chart.py
#   Music/First Steps.sm       a StepMania file   }
#   Music/Soft Tide.*          make_tide.py, lame, make_steps.py tide
#   Music/Starfall.*           make_starfall.py, lame, make_steps.py starfall
# Then, where SDL_mixer's headers are installed, plays each MP3 through SDL_mixer
# (mixer_probe.c) and checks that its first beat is heard where the charts say.
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

if pkg-config --exists sdl SDL_mixer 2>/dev/null; then
    cc -O2 -o "$tmp/mixer_probe" "$here/mixer_probe.c" $(pkg-config --cflags --libs sdl SDL_mixer)
    # the sample at which each song's charts put its first beat
    first() {
        "$py" -c "import sys; sys.dont_write_bytecode = True; sys.path.insert(0, '$here'); $1"
    }
    first_steps=$(first "import song; print(song.FIRST_BEAT_SAMPLE + song.DECODER_DELAY_SAMPLES)")
    tide=$(first "import tide, timing; print(tide.TIMING.first_sample + timing.DECODER_DELAY_SAMPLES)")
    starfall=$(first "import starfall, timing; print(starfall.TIMING.first_sample + timing.DECODER_DELAY_SAMPLES)")
    for pair in "First Steps:$first_steps" "Soft Tide:$tide" "Starfall:$starfall"; do
        title=${pair%%:*}
        want=${pair##*:}
        heard=$(SDL_AUDIODRIVER=dummy "$tmp/mixer_probe" "$root/Music/$title.mp3" | sed -n 's/.* first \([0-9]*\) .*/\1/p')
        echo "$title: first beat heard at sample $heard through SDL_mixer; charts assume $want"
        if [ "$heard" -lt $((want - 44)) ] || [ "$heard" -gt $((want + 44)) ]; then
            echo "the charts are out of step with the MP3: fix DECODER_DELAY_SAMPLES in song.py and timing.py" >&2
            exit 1
        fi
    done
else
    echo "SDL_mixer headers not found: skipped checking the MP3s' timing"
fi
