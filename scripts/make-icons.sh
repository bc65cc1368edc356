#!/usr/bin/env bash
# Renders the PNG icons beside assets/orvel.svg (48 and 256 pixels, for desktops and software
# centres that take no SVG). Run it after a change to the SVG and commit the pictures.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh librsvg2-bin
for size in 48 256; do
  rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio assets/orvel.svg -o "assets/orvel-$size.png"
  echo "assets/orvel-$size.png"
done
