#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the sanitizer build of
# the unit tests and the program, each fuzzer for a minute, then the unit tests
# and the scripted runs of the real game (ctest).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-layers.sh
scripts/build.sh
scripts/sanitize.sh
scripts/fuzz.sh "${ZEDOV_FUZZ_SECONDS:-60}"
cd build
ctest --output-on-failure
