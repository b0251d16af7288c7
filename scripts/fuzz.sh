#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang and runs each one for a
# bounded time; a crash, a sanitizer report or a broken property fails.
#
#   scripts/fuzz.sh [seconds] [harness...]     (default 60 s each, every harness)
#
# Harnesses: chart_difficulties chart_section best_scores step_import settings_file music_decode.
# Build folder: $ZEDOV_FUZZ_BUILD, default build-fuzz/. The corpus grown by
# earlier runs is kept in it; the seeds are read afresh from fuzz/corpus/,
# Music/ and the shared StepMania files beside the repository.
# Inputs that once broke a harness live in fuzz/regressions/<harness>/ and
# are replayed before each run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-60}
[ $# -gt 0 ] && shift
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(chart_difficulties chart_section best_scores step_import settings_file music_decode)
dir=${ZEDOV_FUZZ_BUILD:-build-fuzz}
case $dir in /*) ;; *) dir=$root/$dir ;; esac

command -v clang++ > /dev/null || { echo "fuzz.sh: clang++ is missing (apt-get install clang)" >&2; exit 1; }
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DZEDOV_FUZZ=ON -DZEDOV_TESTS=OFF > /dev/null
fi
cmake --build "$dir" --target fuzzers -j"$(nproc)"

# Seeds of one harness, gathered into a fresh folder.
seed() {
  local into=$1; shift
  local f
  for f in "$@"; do [ -f "$f" ] && cp "$f" "$into/"; done
  return 0
}

failed=()
for name in "${harnesses[@]}"; do
  bin=$dir/fuzz/fuzz_$name
  [ -x "$bin" ] || { echo "fuzz.sh: no harness $name" >&2; exit 1; }
  seeds=$dir/seeds/$name
  work=$dir/corpus/$name
  rm -rf "$seeds"
  mkdir -p "$seeds" "$work" "$dir/artifacts"
  case $name in
    chart_difficulties|chart_section)
      seed "$seeds" fuzz/corpus/chart/* Music/*.tq; max_len=20000 ;;
    best_scores)
      seed "$seeds" fuzz/corpus/scores/* Music/*.score; max_len=512 ;;
    step_import)
      [ -d "$root/../shared/testdata" ] || echo "fuzz.sh: ../shared/testdata/ is not beside this clone: step_import seeds from this repository's step files alone"
      seed "$seeds" fuzz/corpus/step/* tests/data/sm/*.sm tests/data/ssc/*.ssc Music/*.sm \
        "$root"/../shared/testdata/sm/*.sm "$root"/../shared/testdata/ssc/*.ssc; max_len=40000 ;;
    settings_file)
      seed "$seeds" fuzz/corpus/settings/*; max_len=8192 ;;
    music_decode)
      seed "$seeds" fuzz/corpus/music/*; max_len=16384 ;;
  esac

  regressions=(fuzz/regressions/"$name"/*)
  if [ -e "${regressions[0]}" ]; then
    echo "== $name: replaying ${#regressions[@]} regression inputs"
    "$bin" "${regressions[@]}" > "$dir/$name.replay.log" 2>&1 ||
      { tail -30 "$dir/$name.replay.log"; failed+=("$name"); continue; }
  fi

  echo "== $name: fuzzing for ${seconds} s"
  if "$bin" "$work" "$seeds" -max_total_time="$seconds" -max_len="$max_len" -timeout=20 \
       -rss_limit_mb=2048 -use_value_profile=1 -print_final_stats=1 \
       -artifact_prefix="$dir/artifacts/$name-" > "$dir/$name.log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$dir/$name.log" || true
  else
    tail -40 "$dir/$name.log"
    echo "fuzz.sh: $name failed; the input is in $dir/artifacts/" >&2
    failed+=("$name")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: failed: ${failed[*]}" >&2
  exit 1
fi
