#!/bin/bash
# umbrant-render refuses every value outside the range the Settings dialog
# reaches, with status 2 and a message naming the option and its range, and
# paints nothing; and just after sunrise, when the shadow is thousands of
# pixels long, the frame is very dark and the long band is drawn.
. "$(dirname "$0")/dial_lib.bash" "$1"

# Each row: the arguments, then the message's start.
while IFS='|' read -r args message; do
    rm -f "$DIAL_OUT/refused.bmp"
    # shellcheck disable=SC2086 # the arguments split on purpose
    said=$(timeout 60 "$UMBRANT_WINE" "$DIAL_RENDER" $args -o "$DIAL_OUT/refused.bmp" 2>&1 >/dev/null)
    status=$?
    said=$(printf '%s' "$said" | tr -d '\r' | grep '^umbrant-render:')
    dial_check "$args: status 2 (got $status), no picture, says '$message' (said '$said')" \
        eval '[ "$status" = 2 ] && [ ! -e "$DIAL_OUT/refused.bmp" ] && [[ $said == "umbrant-render: $message"* ]]'
done <<'ROWS'
--lat 100|--lat must be a number from -90 to 90: 100
--lat nan|--lat must be a number from -90 to 90: nan
--lat 1e30|--lat must be a number from -90 to 90: 1e30
--day 400|--day must be a whole number from 1 to 366: 400
--day 0|--day must be a whole number from 1 to 366: 0
--time 25:00|--time must be a time from 00:00 to 24:00
--time -1|--time must be a time from 00:00 to 24:00
--exact --lon 200|--lon must be a number from -180 to 180: 200
--depth 7|--depth must be one of 8, 15, 16, 24, 32: 7
--lang de|--lang must be one of en, sl: de
--frames -5|--frames must be a whole number from 1 to 100000: -5
--scale 0|--scale must be a number from 1 to 3: 0
ROWS
# The ends of the ranges paint.
dial_render ends --lat -90 --day 366 --time 24:00
dial_render ends_small --lat 90 --day 1 --time 0 --small

SUN=$DIAL_WIN_BUILD/../native/tools/sun/umbrant-sun
if [ -x "$SUN" ]; then
    # The first minute of the day with the sun up at 45 N in June.
    for minute in $(seq 200 400); do
        time=$(printf '%d:%02d' $((minute / 60)) $((minute % 60)))
        "$SUN" --lat 45 --day 172 --time "$time" | grep -q '^day: 1' && break
    done
    dial_render sunrise --lat 45 --day 172 --time "$time"
    read -r r g b < <(dial_pixel sunrise 3 3)
    dial_check "sunrise at $time: face very dark ($r $g $b)" e2e_within "$r" 30 64
    black=$(dial_pixels sunrise | awk '$3 + $4 + $5 <= 30 { n++ } END { print n + 0 }')
    dial_check "sunrise at $time: long shadow band ($black black pixels)" [ "$black" -gt 1500 ]
fi
dial_finish
