#!/usr/bin/env bash
# Installs, with apt-get, whatever is missing of what a use of the repository needs:
#   scripts/install-deps.sh play   building and playing the game
#   scripts/install-deps.sh        that, and the tests, fuzzers and benchmarks
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
  libmad0-dev libvorbis-dev libfftw3-dev
)
if [ "${1:-all}" != play ]; then
  packages+=(
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool x11-utils imagemagick sox libsox-fmt-mp3 lame vorbis-tools
    desktop-file-utils appstream time python3 libxtst6
    clang libclang-rt-14-dev
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
