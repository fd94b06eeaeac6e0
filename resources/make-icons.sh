#!/usr/bin/env bash
# Regenerates the desktop icon, hicolor/NxN/apps/trivel.png in the usual sizes,
# from icon.svg, the drawing trivel.ico is made from, drawn at each size. The
# build does not run this: the generated files are committed.
# Needs: rsvg-convert (librsvg2-bin), ImageMagick 6 `convert`.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for size in 16 32 48 64 128 256; do
  out="$here/hicolor/${size}x${size}/apps/trivel.png"
  mkdir -p "$(dirname "$out")"
  rsvg-convert -w "$size" -h "$size" "$here/icon.svg" | convert - -strip "PNG32:$out"
done
echo "wrote $here/hicolor/*/apps/trivel.png"
