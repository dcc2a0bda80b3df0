#!/bin/bash
# At night the face is black, the hour lines dark grey, the numerals lighter,
# and a white text stands in the middle: the morning text before 15:00, the
# evening text after, in English and in Slovenian. On the moonlit face the
# moon lights it while it is up, and stands small at the rim in its direction.
. "$(dirname "$0")/dial_lib.bash" "$1"

# The white text's pixels: count and bounding box "n x0 y0 x1 y1".
text_box() {
    dial_pixels "$1" | awk '$3 >= 230 && $4 >= 230 && $5 >= 230 {
            if (!n++) { x0 = x1 = $1; y0 = y1 = $2 }
            if ($1 < x0) x0 = $1; if ($1 > x1) x1 = $1; if ($2 < y0) y0 = $2; if ($2 > y1) y1 = $2 }
        END { print n + 0, x0, y0, x1, y1 }'
}
between() { [ "$1" -ge "$2" ] && [ "$1" -le "$3" ]; }

dial_render evening_en --lat 45 --day 172 --time 23:00
dial_render evening_sl --lat 45 --day 172 --time 23:00 --lang sl
dial_render morning_en --lat 45 --day 355 --time 5:30
dial_render morning_sl --lat 45 --day 355 --time 5:30 --lang sl
dial_render evening_small --lat 45 --day 172 --time 23:00 --small

read -r r g b < <(dial_pixel evening_en 3 3)
dial_check "face black ($r $g $b)" [ "$r$g$b" = 000 ]
# The noon line runs down from the centre between 0.3 and 0.4 of the width,
# half over each of two columns: silver 192 blended half into white, negated
# and dimmed by 0.7 gives 23.
read -r r g b < <(dial_pixel evening_en 225 380)
read -r r2 g2 b2 < <(dial_pixel evening_en 226 380)
line=$(( r > r2 ? r : r2 ))
dial_check "noon line dark grey ($line)" between "$line" 15 50
# Numeral 12 below the line's end: dark grey ink negated, lighter than the lines.
ink=$(dial_pixels evening_en | awk '$1 >= 210 && $1 <= 240 && $2 >= 400 && $2 <= 430 && $3 > m { m = $3 } END { print m + 0 }')
dial_check "numeral 12 lighter than the lines ($ink)" between "$ink" 100 170

for name in evening_en evening_sl morning_en morning_sl; do
    read -r n x0 y0 x1 y1 < <(text_box $name)
    eval "${name}_box='$n $x0 $y0 $x1 $y1'; ${name}_width=$((x1 - x0))"
    dial_check "$name: white text centred ($n pixels, $x0,$y0 .. $x1,$y1)" \
        eval "[ $n -gt 150 ] && between $(( (x0 + x1) / 2 )) 215 235 && between $(( (y0 + y1) / 2 )) 215 235"
done
# "Evening time." is wider than "Večer.", "Morning time." than "Jutro."
dial_check "Slovenian evening text is the shorter one ($evening_en_width / $evening_sl_width)" \
    [ "$evening_sl_width" -lt $(( evening_en_width * 2 / 3 )) ]
dial_check "Slovenian morning text is the shorter one ($morning_en_width / $morning_sl_width)" \
    [ "$morning_sl_width" -lt $(( morning_en_width * 2 / 3 )) ]
dial_check "morning and evening texts differ" \
    eval '[ "$morning_en_box" != "$evening_en_box" ] || ! cmp -s "$DIAL_OUT/morning_en.bmp" "$DIAL_OUT/evening_en.bmp"'
read -r n x0 y0 x1 y1 < <(text_box evening_small)
dial_check "small dial: text centred ($n pixels, $x0,$y0 .. $x1,$y1)" \
    eval "[ $n -gt 100 ] && between $(( (x0 + x1) / 2 )) 115 135 && between $(( (y0 + y1) / 2 )) 115 135"
# The full moon of 3 January 2026 over Ljubljana, in the east-south-east;
# on 10 January it has set and not yet risen at 21:00.
SUN=$DIAL_WIN_BUILD/../native/tools/sun/umbrant-sun
if [ -x "$SUN" ]; then
    ljubljana=(--lat 46.05 --exact --lon 14.51 --year 2026 --zone 60 --moon-face)
    dial_render moonlit --day 3 --time 22:00 "${ljubljana[@]}"
    dial_render moon_down --day 10 --time 21:00 "${ljubljana[@]}"
    read -r r g b < <(dial_pixel moonlit 3 3)
    dial_check "moonlit face blue-grey ($r $g $b)" eval "[ $b -gt $r ] && between $b 100 200"
    read -r n < <(text_box moonlit)
    dial_check "no night text by moonlight ($n white pixels)" [ "$n" = 0 ]
    # The moon's pale disc: where it stands from the gnomon's foot, against
    # the moon's azimuth (screen angles: 0 right, 90 down; west to the right,
    # south up).
    read -r count angle < <(dial_pixels moonlit | awk '$3 >= 230 && $5 >= 200 && $5 < 230 {
            sx += $1 - 225; sy += $2 - 225; n++ }
        END { if (n == 0) print 0, 0; else printf "%d %.1f\n", n, atan2(sy, sx) * 180 / 3.14159265 }')
    azimuth=$("$SUN" --moon --lat 46.05 --lon 14.51 --year 2026 --day 3 --time 22:00 --zone 60 | awk '{ print $3 }')
    expected=$(awk -v a="$azimuth" 'BEGIN { r = a * 3.14159265 / 180; printf "%.1f", atan2(cos(r), -sin(r)) * 180 / 3.14159265 }')
    dial_check "the moon at the rim at $angle degrees, azimuth $azimuth gives $expected ($count pixels)" \
        eval "[ $count -gt 100 ] && dial_angles_close $angle $expected 2"
    read -r r g b < <(dial_pixel moon_down 3 3)
    dial_check "with the moon down the night face is black ($r $g $b)" [ "$r$g$b" = 000 ]
    read -r n x0 y0 x1 y1 < <(text_box moon_down)
    dial_check "and has its text ($n pixels)" [ "$n" -gt 150 ]
fi
dial_finish
