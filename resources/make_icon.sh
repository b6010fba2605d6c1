#!/bin/sh
# Draws qvs.ico, a hard disk seen from the front, with ImageMagick. Each size is drawn at its own
# scale (not scaled down from 256) so that the small images stay crisp.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for s in 16 32 48 128 256; do
  # Coordinates on a 256 grid, scaled to the image size.
  k() { awk -v v="$1" -v s="$s" 'BEGIN { printf "%.2f", v * s / 256 }'; }
  stroke=$(awk -v s="$s" 'BEGIN { w = s / 32; if (w < 1) w = 1; printf "%.2f", w }')
  convert -size "${s}x${s}" xc:none \
    -fill '#5b6470' -stroke '#2b3038' -strokewidth "$stroke" \
    -draw "roundrectangle $(k 16),$(k 56) $(k 240),$(k 200) $(k 28),$(k 28)" \
    -fill '#c9ced6' -stroke none \
    -draw "roundrectangle $(k 30),$(k 68) $(k 226),$(k 142) $(k 18),$(k 18)" \
    -fill '#3a414b' \
    -draw "rectangle $(k 30),$(k 154) $(k 226),$(k 186)" \
    -fill '#38d66b' \
    -draw "rectangle $(k 184),$(k 162) $(k 214),$(k 178)" \
    "$tmp/$s.png"
done
convert -depth 8 "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$tmp/128.png" "$tmp/256.png" qvs.ico
