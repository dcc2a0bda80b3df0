#!/bin/bash
# A dial painted at twice the size is the same picture drawn finer: shrunk by
# half it matches the dial at its natural size closely, and it is sharper
# than that dial enlarged (its high-pass energy, the mean response of a
# Laplacian, is well above that of a bilinear enlargement).
. "$(dirname "$0")/dial_lib.bash" "$1"

# Root mean square difference (0 ... 1) the halved picture may have: GDI's
# own stretching of the gnomon and the blur's sharp core differ a little.
MOST_DIFFERENCE=0.05
# How much more edge energy the picture drawn at size must have.
LEAST_SHARPNESS_RATIO=1.5

dial_render natural --lat 45 --day 172 --time 9:30
dial_render double --lat 45 --day 172 --time 9:30 --scale 2
size=$(identify -format '%wx%h' "$DIAL_OUT/double.bmp")
dial_check "--scale 2 paints the big dial 900 pixels wide ($size)" [ "$size" = 900x900 ]

convert "$DIAL_OUT/double.bmp" -filter Box -resize 50% "$DIAL_OUT/halved.png"
difference=$(compare -metric RMSE "$DIAL_OUT/halved.png" "$DIAL_OUT/natural.bmp" null: 2>&1 | sed -E 's/.*\((.*)\)/\1/')
dial_check "halved it matches the natural size (difference $difference)" \
    awk -v d="$difference" -v most=$MOST_DIFFERENCE 'BEGIN { exit !(d != "" && d <= most) }'

convert "$DIAL_OUT/natural.bmp" -filter Triangle -resize 200% "$DIAL_OUT/enlarged.png"
energy() { convert "$1" -colorspace gray -morphology Convolve Laplacian:0 -format '%[fx:mean]' info:; }
drawn=$(energy "$DIAL_OUT/double.bmp")
enlarged=$(energy "$DIAL_OUT/enlarged.png")
dial_check "drawn at size it is sharper than enlarged (edge energy $drawn against $enlarged)" \
    awk -v a="$drawn" -v b="$enlarged" -v ratio=$LEAST_SHARPNESS_RATIO 'BEGIN { exit !(a >= ratio * b) }'
dial_finish
