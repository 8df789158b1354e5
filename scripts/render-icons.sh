#!/usr/bin/env bash
# Renders the program's icon, resources/icons/zephirax.svg, into the PNG sizes
# committed beside it. Needs ImageMagick; run it after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"

for size in 16 32 48 64 128 256; do
  convert -background none -density 384 zephirax.svg -resize "${size}x${size}" -strip \
    "PNG32:zephirax-${size}.png"
done
