#!/usr/bin/env bash
# Regenerates portrait.bmp (120 x 166, 24-bit) from portrait.svg and trivel.ico
# from icon.svg. The build does not run this: the generated files are committed.
# Needs: rsvg-convert (librsvg2-bin), ImageMagick 6 `convert`, python3.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Window picture: plain BMP3 (BITMAPINFOHEADER, bottom-up, 24-bit, BI_RGB), no alpha.
rsvg-convert -w 120 -h 166 "$here/portrait.svg" -o "$tmp/portrait.png"
convert "$tmp/portrait.png" -background black -alpha remove -alpha off \
  -type TrueColor -compress None BMP3:"$here/portrait.bmp"

# Icon: the same bust as icon.svg draws it, bolder so that it still reads at
# 16 px, drawn at each size: a 256-colour 32 px image for old systems, 32-bit
# images with alpha, and a PNG image for 256 px.
rsvg-convert -w 32 -h 32 "$here/icon.svg" -o "$tmp/icon.png"
# Half-transparent edges are flattened onto the outline colour, then reduced to
# 255 colours; index 0 stays for the transparent pixels.
convert "$tmp/icon.png" -background '#24211c' -alpha remove -alpha off \
  +dither -colors 255 -depth 8 rgb:"$tmp/icon.rgb"
convert "$tmp/icon.png" -alpha extract -depth 8 gray:"$tmp/icon.alpha"
images=()
for size in 16 20 24 32 40 48 64; do
  rsvg-convert -w "$size" -h "$size" "$here/icon.svg" | convert - -depth 8 rgba:"$tmp/icon-$size.rgba"
  images+=("$size:$tmp/icon-$size.rgba")
done
rsvg-convert -w 256 -h 256 "$here/icon.svg" | convert - -strip PNG32:"$tmp/icon-256.png"
python3 "$here/make_icon.py" "$here/trivel.ico" "$tmp/icon.rgb" "$tmp/icon.alpha" "${images[@]}" "$tmp/icon-256.png"

echo "wrote $here/portrait.bmp and $here/trivel.ico"
