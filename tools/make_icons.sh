#!/usr/bin/env bash
# Writes the program's icon: packaging/icons/vernoli.svg and the PNG sizes beside it, drawn from the
# same shapes with ImageMagick's convert. Run it once after changing a shape and commit the files.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"

# A sun over a drop of water above a green field, on a blue rounded square (256 x 256).
background="8,8 248,248 44,44"
field="M8,184 Q128,150 248,184 L248,204 Q248,248 204,248 L52,248 Q8,248 8,204 Z"
drop="M170,66 C192,102 208,122 208,146 C208,170 191,184 170,184 C149,184 132,170 132,146 C132,122 148,102 170,66 Z"
rays=$(awk 'function r(x) { return int(x + 1000.5) - 1000 }
  BEGIN { for (i = 0; i < 8; i++) { a = i * 3.14159265 / 4; c = cos(a); s = sin(a);
  printf "%d,%d %d,%d;", r(88 + 46 * c), r(84 + 46 * s), r(88 + 62 * c), r(84 + 62 * s) } }')

{
  echo '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">'
  echo '  <title>Vernoli</title>'
  read -r x0 y0 x1 y1 r _ <<<"${background//,/ }"
  echo "  <rect x=\"$x0\" y=\"$y0\" width=\"$((x1 - x0))\" height=\"$((y1 - y0))\" rx=\"$r\" fill=\"#2f6fb3\"/>"
  echo "  <path d=\"$field\" fill=\"#4e9a3a\"/>"
  echo '  <circle cx="88" cy="84" r="34" fill="#ffc933"/>'
  echo '  <g stroke="#ffc933" stroke-width="10" stroke-linecap="round">'
  IFS=';' read -ra lines <<<"$rays"
  for line in "${lines[@]}"; do
    read -r a b <<<"$line"
    echo "    <line x1=\"${a%,*}\" y1=\"${a#*,}\" x2=\"${b%,*}\" y2=\"${b#*,}\"/>"
  done
  echo '  </g>'
  echo "  <path d=\"$drop\" fill=\"#9fd3ff\" stroke=\"#ffffff\" stroke-width=\"6\"/>"
  echo '</svg>'
} > vernoli.svg

draw=(-fill '#2f6fb3' -draw "roundrectangle $background"
      -fill '#4e9a3a' -draw "path '$field'"
      -fill '#ffc933' -draw "circle 88,84 122,84"
      -stroke '#ffc933' -strokewidth 10)
IFS=';' read -ra lines <<<"$rays"
for line in "${lines[@]}"; do draw+=(-draw "line ${line/ /,}"); done
draw+=(-fill '#9fd3ff' -stroke '#ffffff' -strokewidth 6 -draw "path '$drop'")

convert -size 256x256 xc:none "${draw[@]}" -strip vernoli-256.png
for size in 16 24 32 48 64 128; do
  convert vernoli-256.png -resize "${size}x${size}" -strip "vernoli-$size.png"
done
