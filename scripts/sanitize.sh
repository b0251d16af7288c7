#!/usr/bin/env bash
# Builds the game and its unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every unit test headless (the road of one
# song among them), then starts the real program headless and quits it with
# SIGTERM, which SDL turns into the window's close event. Any sanitizer
# report, leaks included, fails the run.
#
#   scripts/sanitize.sh [build-dir] [gtest filter]   (default build-asan/, every test)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
dir=${1:-build-asan}
filter=${2:-*}
case $dir in /*) ;; *) dir=$root/$dir ;; esac

# -O1 keeps the stacks exact and builds faster than -O2; Ninja when there is one.
generator=()
[ ! -f "$dir/CMakeCache.txt" ] && command -v ninja > /dev/null && generator=(-G Ninja)
cmake -S . -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DZEDOV_SANITIZE=ON -DZEDOV_TESTS=ON > /dev/null
cmake --build "$dir" -j"$(nproc)" --target zedov_charts_tests zedov_kit_tests zedov_game_tests \
  zedov_screens_tests zedov_app_tests zedov

supp=$root/tests/sanitizer-suppressions.txt
# Full stacks: the system libraries are built without frame pointers, and a
# leak is only recognisable by the game's frame that called into them.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:fast_unwind_on_malloc=0:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1:print_suppressions=0"
export LSAN_OPTIONS="suppressions=$supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

echo "== unit tests under ASan and UBSan"
for layer in charts kit game screens app; do
  log=$dir/sanitize-$layer-tests.log
  if ! "$dir/tests/zedov_${layer}_tests" --gtest_filter="$filter" > "$log" 2>&1; then
    grep -E '^\[  FAILED|ERROR: |runtime error|SUMMARY' "$log" | head -40 || true
    echo "sanitize.sh: the $layer tests failed under the sanitizers; see $log" >&2
    exit 1
  fi
  grep -E '^\[  (PASSED|SKIPPED) ' "$log" || true
done

echo "== the program: start, run headless, quit"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
ln -s "$root/Media" "$scratch/Media"
mkdir "$scratch/Music"
cp Music/*.mp3 Music/*.tq "$scratch/Music/" 2>/dev/null || true
(cd "$scratch" && exec "$dir/zedov") > "$dir/sanitize-program.log" 2>&1 &
pid=$!
sleep 5
kill -TERM "$pid" 2>/dev/null || true
status=0
wait "$pid" || status=$?
if [ "$status" -ne 0 ] || grep -qE 'ERROR: |runtime error' "$dir/sanitize-program.log"; then
  cat "$dir/sanitize-program.log" | head -60
  echo "sanitize.sh: the program ended with $status or a sanitizer report" >&2
  exit 1
fi
echo "clean"
