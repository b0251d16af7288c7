#!/usr/bin/env bash
# Makes the desktop icon from the game's own up-arrow note (ImageMagick).
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 64 128; do
  convert Media/Game/arrows.png -crop 70x70+140+210 +repage -resize "${size}x${size}" \
    -define png:exclude-chunks=date,time "packaging/zedov-$size.png"
done
