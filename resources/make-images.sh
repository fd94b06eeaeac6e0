#!/usr/bin/env bash
# Regenerates portrait.bmp (120 x 166, 24-bit) and trivel.ico (32 x 32, 256 colours)
# from portrait.svg. The build does not run this: the generated files are committed.
# Needs: rsvg-convert (librsvg2-bin), ImageMagick 6 `convert`, python3.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Window picture: plain BMP3 (BITMAPINFOHEADER, bottom-up, 24-bit, BI_RGB), no alpha.
rsvg-convert -w 120 -h 166 "$here/portrait.svg" -o "$tmp/portrait.png"
convert "$tmp/portrait.png" -background black -alpha remove -alpha off \
  -type TrueColor -compress None BMP3:"$here/portrait.bmp"

# Icon: the same bust, drawn bolder so that it still reads at 32 px.
cat > "$tmp/icon.svg" <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 64 64">
  <defs>
    <linearGradient id="s" x1="0" y1="0" x2="1" y2="0.2">
      <stop offset="0" stop-color="#faf6ec"/>
      <stop offset="0.55" stop-color="#d8cfbd"/>
      <stop offset="1" stop-color="#8a8272"/>
    </linearGradient>
    <linearGradient id="d" x1="0" y1="0" x2="1" y2="0.2">
      <stop offset="0" stop-color="#b9b09e"/>
      <stop offset="1" stop-color="#6a6357"/>
    </linearGradient>
  </defs>
  <g stroke="#24211c" stroke-width="2.5" stroke-linejoin="round">
    <path d="M4,63 C5,54 12,50 22,48 L42,48 C52,50 59,54 60,63 Z" fill="url(#s)"/>
    <path d="M15,32 C10,24 10,12 17,7 C22,3 42,3 47,7 C54,12 54,24 49,32 Z" fill="url(#d)"/>
    <path d="M16,26 C14,38 18,52 32,60 C46,52 50,38 48,26 C44,36 38,39 32,39 C26,39 20,36 16,26 Z" fill="url(#d)"/>
  </g>
  <path d="M20,16 C22,12 42,12 44,16 L45,28 C44,35 38,40 32,40 C26,40 20,35 19,28 Z" fill="url(#s)"/>
  <g fill="url(#s)" stroke="#4d473d" stroke-width="0.9">
    <circle cx="20" cy="11" r="4"/><circle cx="27" cy="8" r="4"/><circle cx="34" cy="7.5" r="4"/>
    <circle cx="41" cy="9" r="4"/><circle cx="46" cy="14" r="3.6"/><circle cx="17" cy="17" r="3.6"/>
    <circle cx="47" cy="21" r="3.4"/><circle cx="16" cy="24" r="3.4"/>
    <circle cx="19" cy="33" r="3.6"/><circle cx="45" cy="33" r="3.6"/>
    <circle cx="22" cy="41" r="4"/><circle cx="29" cy="43" r="4"/><circle cx="36" cy="43" r="4"/><circle cx="42" cy="41" r="4"/>
    <circle cx="26" cy="50" r="4"/><circle cx="33" cy="51" r="4"/><circle cx="39" cy="49" r="3.6"/>
    <circle cx="31" cy="57" r="3.4"/>
  </g>
  <g fill="none" stroke="#3a352d" stroke-linecap="round">
    <path d="M22,21 C24,19 28,19 30,21" stroke-width="2"/>
    <path d="M34,21 C36,19 40,19 42,21" stroke-width="2"/>
    <path d="M33,22 L35,30 L32,31" stroke-width="2"/>
  </g>
  <ellipse cx="26" cy="24" rx="3" ry="1.6" fill="#f4efe4"/>
  <ellipse cx="38" cy="24" rx="3" ry="1.6" fill="#b0a794"/>
  <path d="M32,32 C27,31 23,33 21,37 C25,35 29,35 32,35 C35,35 39,35 43,37 C41,33 37,31 32,32 Z"
        fill="url(#s)" stroke="#3a352d" stroke-width="1.4"/>
</svg>
EOF
rsvg-convert -w 32 -h 32 "$tmp/icon.svg" -o "$tmp/icon.png"
# Half-transparent edges are flattened onto the outline colour, then reduced to
# 255 colours; index 0 stays for the transparent pixels.
convert "$tmp/icon.png" -background '#24211c' -alpha remove -alpha off \
  +dither -colors 255 -depth 8 rgb:"$tmp/icon.rgb"
convert "$tmp/icon.png" -alpha extract -depth 8 gray:"$tmp/icon.alpha"
python3 "$here/make_icon.py" "$tmp/icon.rgb" "$tmp/icon.alpha" "$here/trivel.ico"

echo "wrote $here/portrait.bmp and $here/trivel.ico"
