#!/usr/bin/env bash
# The layer check passes on this tree, passes on allowed includes, and fails on
# each kind of breach planted in a made-up tree: an angle-bracket include, a
# file in a sub-folder, a relative path, and an include of the app.
#   usage: tests/layers_test.sh SOURCE_DIR
set -uo pipefail
check=$1/scripts/check-layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failed=0
expect() {  # status wanted, what
  "$check" "$tree" > "$tree.out" 2>&1
  local status=$?
  if [[ $status != "$1" ]]; then
    echo "FAILED: $2 (status $status, wanted $1):"
    cat "$tree.out"
    failed=1
  fi
  rm -f "$tree.out"
}
"$check" "$1" || { echo "FAILED: this tree breaks the layers"; failed=1; }
mkdir -p "$tree"/{charts,kit/sub,game,screens,app}
for f in charts/chart_file.h kit/font.h game/play.h screens/title.h screens/screen_state.h app/main_loop.h; do
  echo '#pragma once' > "$tree/$f"
done
printf '#include <SDL.h>\n#include <string>\n#include "kit/font.h"\n#include "charts/chart_file.h"\n' > "$tree/game/ok.cpp"
printf '#include "game/play.h"\n#include <screens/title.h>\n#include "screen_state.h"\n' > "$tree/screens/ok.cpp"
printf '#include "screens/title.h"\n#include "../game/play.h"\n' > "$tree/app/ok.cpp"
expect 0 "allowed includes"
plant() {  # file, include line, what
  printf '%s\n' "$2" > "$tree/$1"
  expect 1 "$3"
  rm "$tree/$1"
}
plant kit/breach.cpp '#include <game/play.h>' "an angle-bracket include upward"
plant kit/sub/breach.h '#include "game/play.h"' "a file in a sub-folder"
plant charts/breach.cpp '#include "../kit/font.h"' "a relative include upward"
plant charts/breach.cpp '#  include "kit/font.h"' "charts using the kit"
plant game/breach.cpp '#include "screens/screen_state.h"' "the game reaching for the screens"
plant screens/breach.cpp '#include <app/main_loop.h>' "a screen including the app"
[[ $failed == 0 ]] && echo "layer check: passes this tree and the allowed includes, catches every planted breach"
exit $failed
