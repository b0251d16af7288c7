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
build-bench/bench/zedov_bench --benchmark_repetitions="${REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true "$@"
bench/startup.sh build-bench
