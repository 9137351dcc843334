#!/usr/bin/env bash
# Renders data/icons/quotewell.svg to the PNG sizes a desktop icon theme looks for, laid out as
# hicolor/<size>x<size>/apps/quotewell.png so the tree installs as it stands. Needs ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
svg="$root/data/icons/quotewell.svg"
for size in 16 32 48 64 128 256; do
  dir="$root/data/icons/hicolor/${size}x${size}/apps"
  mkdir -p "$dir"
  # Render large and scale down: small sizes come out smoother than a direct low-density render.
  convert -background none -density 384 "$svg" -resize "${size}x${size}" \
    -define png:exclude-chunks=date,time -strip "PNG32:$dir/quotewell.png"
  echo "${dir#"$root/"}/quotewell.png"
done
