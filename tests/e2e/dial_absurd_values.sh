#!/bin/bash
# Stored settings that the Settings dialog never writes still paint a frame:
# huge or undefined latitudes, days and times far out of range; and just
# after sunrise, when the shadow is thousands of pixels long, the frame is
# very dark and the long band is drawn.
. "$(dirname "$0")/dial_lib.bash" "$1"

i=0
for args in "--lat 1e30" "--lat -1e30" "--lat nan" "--lat inf" "--lat 1e30 --time 43200" "--day -5" \
            "--day 99999" "--time -1" "--day 2147483647 --time 86400" "--day -2147483647 --time -86400"; do
    i=$((i + 1))
    dial_render absurd$i $args
    dial_render absurd${i}_small $args --small
    echo "ok: painted $args"
done

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
