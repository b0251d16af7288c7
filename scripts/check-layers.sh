#!/usr/bin/env bash
# Checks the include rules of the layers and prints every include that breaks them:
#   charts/  the file formats: includes only charts/
#   kit/     the interface kit: includes only kit/
#   game/    gameplay: kit/, charts/ and game/
#   screens/ the menus: kit/, charts/, game/, screens/ and app/screen_state.h (the screen ids and the selection)
#   app/     includes everything
set -uo pipefail
cd "$(dirname "$0")/.."
allowed() {  # folder, included path
  case "$1" in
    charts) [[ $2 == charts/* ]] ;;
    kit) [[ $2 == kit/* ]] ;;
    game) [[ $2 == kit/* || $2 == charts/* || $2 == game/* ]] ;;
    screens) [[ $2 == kit/* || $2 == charts/* || $2 == game/* || $2 == screens/* || $2 == app/screen_state.h ]] ;;
    app) true ;;
  esac
}
broken=0
for folder in charts kit game screens app; do
  for file in "$folder"/*.h "$folder"/*.cpp; do
    [[ -e $file ]] || continue
    while IFS= read -r line; do
      included=${line#*\"}
      included=${included%%\"*}
      if ! allowed "$folder" "$included"; then
        echo "$file: includes $included"
        broken=1
      fi
    done < <(grep -E '^\s*#\s*include\s+"' "$file")
  done
done
if [[ $broken == 0 ]]; then echo "layers: every include keeps the rules"; fi
exit $broken
