#!/usr/bin/env bash
# Installs what building and playing need and is missing, builds the game
# alone (not its tests), and starts it beside its Media/ and Music/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh play
# A first configure leaves the tests out (GoogleTest need not be there); a
# build folder that scripts/test.sh made keeps them, and only the game is built.
tests=()
[ -f build/CMakeCache.txt ] || tests=(-DZEDOV_TESTS=OFF)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${tests[@]}" > /dev/null
cmake --build build --target zedov -j"$(nproc)"
exec ./build/zedov
