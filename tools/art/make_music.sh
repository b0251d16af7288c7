#!/bin/sh
# Builds the demo song and its steps:
#   Music/First Steps.mp3      synthesised by make_song.py, encoded by lame
#   Music/First Steps.mp3.tq   the game's chart   } both from make_chart.py
#   Music/First Steps.sm       a StepMania file   }
# Then, where SDL_mixer's headers are installed, plays the MP3 through SDL_mixer
# (mixer_probe.c) and checks that the first kick is heard where the charts say.
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
py=/usr/bin/python3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

mkdir -p "$root/Music"
"$py" "$here/make_song.py" "$tmp/first_steps.wav"
# -t: no Info frame (libmad would play it as a frame of silence); CBR 128 kbit/s;
# only an ID3v1 tag, at the end of the file, where it cannot upset a decoder.
lame --quiet -t -b 128 --noreplaygain --id3v1-only \
    --tt "First Steps" --ta "Zedov team" --tc "CC BY-SA 4.0" \
    "$tmp/first_steps.wav" "$root/Music/First Steps.mp3"
"$py" "$here/make_chart.py" "$root/Music"

if pkg-config --exists sdl SDL_mixer 2>/dev/null; then
    cc -O2 -o "$tmp/mixer_probe" "$here/mixer_probe.c" $(pkg-config --cflags --libs sdl SDL_mixer)
    heard=$(SDL_AUDIODRIVER=dummy "$tmp/mixer_probe" "$root/Music/First Steps.mp3" | sed -n 's/.* first \([0-9]*\) .*/\1/p')
    want=$("$py" -c "import sys; sys.path.insert(0, '$here'); import song; print(song.FIRST_BEAT_SAMPLE + song.DECODER_DELAY_SAMPLES)")
    echo "first kick heard at sample $heard through SDL_mixer; charts assume $want"
    if [ "$heard" -lt $((want - 44)) ] || [ "$heard" -gt $((want + 44)) ]; then
        echo "the charts are out of step with the MP3: fix DECODER_DELAY_SAMPLES in song.py" >&2
        exit 1
    fi
else
    echo "SDL_mixer headers not found: skipped checking the MP3's timing"
fi
