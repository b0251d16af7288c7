#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks into build-bench/ with the
# game's own build type (RelWithDebInfo, -O2; -O3 makes the overlay's blur
# several times slower with this compiler) and prints the table of figures,
# then the whole-program start-up and memory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEDOV_BENCH=ON -DZEDOV_TESTS=OFF > /dev/null
cmake --build build-bench -j"$(nproc)"
export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-dummy} SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
build-bench/bench/zedov_bench --benchmark_repetitions="${REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true --benchmark_out=build-bench/figures.json \
  --benchmark_out_format=json "$@"
# The heaviest play frame with our sheet blit against SDL's, from the same run.
python3 - build-bench/figures.json <<'EOF_RATIO'
import json, sys
times = {b["run_name"]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
         if b.get("aggregate_name") == "median"}
ours, sdl = times.get("BM_HeaviestPlayFrame"), times.get("BM_HeaviestPlayFrameBySdlBlit")
if ours and sdl:
    print(f"heaviest play frame: {ours:.0f} us with our sheet blit, {sdl:.0f} us with SDL's: {sdl / ours:.2f} x faster")
EOF_RATIO
bench/startup.sh build-bench
