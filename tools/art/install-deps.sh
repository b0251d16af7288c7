#!/bin/sh
# Installs the Debian packages the art, song and chart generators use.
set -e
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
$SUDO apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    python3 python3-numpy python3-scipy python3-pil fonts-dejavu-core \
    lame sox libsox-fmt-mp3 madplay imagemagick
