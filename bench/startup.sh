#!/usr/bin/env bash
# Whole-process figures: start-up to the first flipped frame (median of runs)
# and peak memory of a short run on the title screen. Headless.
# usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
RUNS=${2:-11}
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
shim=$(mktemp -d)/first_flip.so
trap 'rm -rf "$(dirname "$shim")"' EXIT
cc -O2 -shared -fPIC $(pkg-config --cflags sdl) bench/first_flip.c -o "$shim" -ldl

times=()
for _ in $(seq "$RUNS"); do
  t=$(LD_PRELOAD=$shim "$BUILD/zedov" 2>&1 | sed -n 's/^first flip after \([0-9.]*\) ms$/\1/p')
  times+=("$t")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (RUNS + 1) / 2 ))p")
echo "start-up to first flipped frame: median $median ms over $RUNS runs (min $(printf '%s\n' "${times[@]}" | sort -n | head -1) ms)"

# SDL turns SIGINT into a quit request, so the game ends normally; time reports
# the largest resident size of the processes it waited for.
peak=$( { /usr/bin/time -v timeout -s INT 3 "$BUILD/zedov" > /dev/null; } 2>&1 |
  sed -n 's/.*Maximum resident set size (kbytes): //p' || true)
echo "peak memory over 3 s on the title screen: $((peak / 1024)) MB ($peak kB)"
