#!/bin/sh
# Draws qvs.ico, a hard disk seen from the front, with ImageMagick. Each size is drawn at its own
# scale (not scaled down from 256) so that the small images stay crisp.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for s in 16 20 24 32 40 48 128 256; do
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
# 20, 24 and 40 are the notification area's sizes at 125, 150 and 250 % (and 32 at 200 %): the
# shell then never stretches a smaller image up. Up to 32 as bitmaps, the larger sizes as PNG (Windows Vista and later read them), which keeps
# the program small.
python3 - "$tmp" <<'PY'
import struct, subprocess, sys
tmp = sys.argv[1]

def bitmap_entry(size):
    # The icon form of a 32-bit bitmap: its header with a doubled height, the pixels bottom-up,
    # then an all-zero mask (the alpha channel decides).
    rgba = subprocess.run(["convert", f"{tmp}/{size}.png", "-depth", "8", "RGBA:-"],
                          check=True, capture_output=True).stdout
    rows = [rgba[y * size * 4:(y + 1) * size * 4] for y in range(size)]
    pixels = b"".join(bytes(b for i in range(0, len(r), 4) for b in (r[i + 2], r[i + 1], r[i], r[i + 3]))
                      for r in reversed(rows))
    mask = bytes(((size + 31) // 32 * 4) * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    return header + pixels + mask

images = [(size, bitmap_entry(size)) for size in (16, 20, 24, 32)]
for size in (40, 48, 128, 256):
    # 8-bit RGBA, the one PNG form every icon reader takes.
    images.append((size, subprocess.run(["convert", f"{tmp}/{size}.png", "-depth", "8", "-define",
                                         "png:exclude-chunks=date,time", "PNG32:-"],
                                        check=True, capture_output=True).stdout))
offset = 6 + 16 * len(images)
directory, data = b"", b""
for size, image in images:
    directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
    offset += len(image)
    data += image
with open("qvs.ico", "wb") as f:
    f.write(struct.pack("<HHH", 0, 1, len(images)) + directory + data)
PY
