#!/usr/bin/env bash
# Checks the include rules of the layers and prints every include that breaks them:
#   charts/  the file formats: includes only charts/
#   kit/     the interface kit: includes only kit/
#   game/    gameplay: kit/, charts/ and game/
#   screens/ the menus and the screen ids with the selection they share: kit/, charts/, game/, screens/
#   app/     includes everything; nothing includes app/
# Every file in the folders and their sub-folders counts, and so does every
# include of ours, in quotes or angle brackets, by path or relative to the file.
# The build holds the same rules at link time (one library per layer).
#   usage: scripts/check-layers.sh [TREE]   (default: this repository)
set -uo pipefail
cd "${1:-$(dirname "$0")/..}" || exit 2
root=$PWD
layers="charts kit game screens app"
allowed() {  # folder, folder of the included file
  case "$1" in
    charts) [[ $2 == charts ]] ;;
    kit) [[ $2 == kit ]] ;;
    game) [[ $2 == kit || $2 == charts || $2 == game ]] ;;
    screens) [[ $2 == kit || $2 == charts || $2 == game || $2 == screens ]] ;;
    app) true ;;
  esac
}
# The layer an include lands in, or nothing when it is not ours (SDL, the library).
layer_of() {  # including file, included path, quote or angle bracket
  local path=$2
  if [[ ${path%%/*} != "$path" && " $layers " == *" ${path%%/*} "* ]]; then
    echo "${path%%/*}"
    return
  fi
  [[ $3 == '"' ]] || return
  local resolved
  resolved=$(realpath -m "$(dirname "$1")/$path")
  [[ $resolved == "$root"/* && -e $resolved ]] || return
  resolved=${resolved#"$root"/}
  [[ " $layers " == *" ${resolved%%/*} "* ]] && echo "${resolved%%/*}"
}
broken=0
for folder in $layers; do
  [[ -d $folder ]] || continue
  while IFS= read -r -d '' file; do
    while IFS= read -r line; do
      [[ $line =~ include[[:space:]]*([<\"])([^>\"]*) ]] || continue
      included=${BASH_REMATCH[2]}
      target=$(layer_of "$file" "$included" "${BASH_REMATCH[1]}")
      if [[ -n $target ]] && ! allowed "$folder" "$target"; then
        echo "$file: includes $included"
        broken=1
      fi
    done < <(grep -E '^\s*#\s*include\s*[<"]' "$file")
  done < <(find "$folder" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
done
if [[ $broken == 0 ]]; then echo "layers: every include keeps the rules"; fi
exit $broken
