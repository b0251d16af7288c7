#!/usr/bin/env bash
# Configures and builds the game, the step-file converter and the tests into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEDOV_TESTS=ON "$@" > /dev/null
cmake --build build -j"$(nproc)"
