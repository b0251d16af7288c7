#!/bin/sh
# Redraws every picture under Media/ (see README.md).
set -e
here=$(cd "$(dirname "$0")" && pwd)
/usr/bin/python3 "$here/make_art.py" "$here/../.."
