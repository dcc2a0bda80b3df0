#!/bin/bash
# Regenerates the dial's bitmaps in resources/ at 100, 150 and 200 %: the
# numerals are set in DejaVu Sans Condensed Bold by ImageMagick at four times
# the size and reduced, so that their edges are anti-aliased; dial-images
# turns them into 16 greys and draws the two gnomon rods at the same scale.
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
font=/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf
[ -f "$font" ] || { echo "missing $font (fonts-dejavu-core)" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

g++ -O2 -Wall -Wextra -o "$tmp/dial-images" "$here/DialImages.cpp"

supersample=4  # the numerals are set this many times larger, then reduced
for percent in 100 150 200; do
    cell=$(( 32 * percent / 100 ))  # numeral n sits in column n & 7, row n >> 3
    args=()
    for n in $(seq 0 23); do
        # Offsets from the picture's centre to the cell's, at the larger size;
        # the numerals stand a 32nd of a cell lower.
        dx=$(( ((n & 7) * 2 - 7) * cell * supersample / 2 ))
        dy=$(( ((n >> 3) - 1) * cell * supersample + cell * supersample / 32 ))
        args+=(-annotate "$(printf '%+d%+d' $dx $dy)" "$n")
    done
    big="$(( 8 * cell * supersample ))x$(( 3 * cell * supersample ))"
    convert -size "$big" xc:white -font "$font" -pointsize "$(( 90 * percent / 100 ))" \
        -kerning "$(awk "BEGIN { print -7 * $percent / 100 }")" -fill black -gravity center \
        "${args[@]}" -filter box -resize "$(( 8 * cell ))x$(( 3 * cell ))" -colorspace Gray -depth 8 \
        "$tmp/numerals$percent.pgm"
    "$tmp/dial-images" "$tmp/numerals$percent.pgm" "$root/resources" "$percent"
done
echo "wrote NumbersImage, RodBigImage and RodSmallImage at 100, 150 and 200 % into $root/resources"
