#!/bin/bash
# Regenerates the dial's bitmaps in resources/: the numerals are set in DejaVu
# Sans Condensed Bold by ImageMagick at four times the size and reduced, so
# that their edges are anti-aliased; dial-images turns them into 16 greys and
# draws the two gnomon rods.
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
font=/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf
[ -f "$font" ] || { echo "missing $font (fonts-dejavu-core)" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

g++ -O2 -Wall -Wextra -o "$tmp/dial-images" "$here/DialImages.cpp"

# Numeral n in column n & 7, row n >> 3 of 32 x 32 cells, centred on its cell.
args=()
for n in $(seq 0 23); do
    dx=$(( ((n & 7) * 32 + 16 - 128) * 4 ))
    dy=$(( ((n >> 3) * 32 + 16 - 48) * 4 + 4 ))
    args+=(-annotate "$(printf '%+d%+d' $dx $dy)" "$n")
done
convert -size 1024x384 xc:white -font "$font" -pointsize 90 -kerning -7 -fill black -gravity center \
    "${args[@]}" -filter box -resize 256x96 -colorspace Gray -depth 8 "$tmp/numerals.pgm"

"$tmp/dial-images" "$tmp/numerals.pgm" "$root/resources"
echo "wrote $root/resources/NumbersImage.bmp RodBigImage.bmp RodSmallImage.bmp"
