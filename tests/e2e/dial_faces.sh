#!/bin/bash
# The dial's markings and gnomon for special latitudes: none at the equator,
# where the gnomon lies flat, a standing gnomon at the poles, and a southern
# dial that mirrors the northern one.
. "$(dirname "$0")/dial_lib.bash" "$1"

# Rows of column $2 that show the brown gnomon.
rod_rows() {
    dial_pixels "$1" | awk -v x="$2" '$1 == x && $3 - $5 > 30 { n++ } END { print n + 0 }'
}
# The darkest channel value of the rows from $2 down.
darkest_below() {
    dial_pixels "$1" | awk -v y="$2" 'BEGIN { m = 255 } $2 >= y && $3 < m { m = $3 } END { print m }'
}

dial_render equator --lat 0 --day 172 --time 12:00
rows=$(rod_rows equator 225)
dial_check "equator: flat gnomon 137 rows long ($rows)" e2e_within "$rows" 136 138
darkest=$(darkest_below equator 375)
dial_check "equator: no hour lines or numerals below the shadow (darkest $darkest)" [ "$darkest" -ge 250 ]

for pole in 90 -90; do
    # Midsummer at each pole.
    dial_render pole$pole --lat $pole --day $([ $pole = 90 ] && echo 172 || echo 355) --time 12:00
    rows=$(rod_rows pole$pole 225)
    dial_check "latitude $pole: the gnomon stands upright, only its ends show ($rows rows)" \
        e2e_within "$rows" 15 24
done

# Angles (degrees, 0 = right, 90 = down) of the hour lines where they cross
# the circle of radius 0.35 W in a night picture: the centres of the runs of
# half-degree steps that are lighter than the black face.
line_angles() {
    dial_pixels "$1" | awk '
        { dx = $1 - 225; dy = $2 - 225; r = sqrt(dx * dx + dy * dy)
          if (r >= 154 && r <= 162) { b = int((atan2(dy, dx) * 180 / 3.14159265 + 180) * 2); sum[b] += $3; n[b]++ } }
        END {
            for (b = 0; b <= 720; b++) {
                lit = n[b] && sum[b] / n[b] > 4
                if (lit && !run) start = b
                if (!lit && run) printf "%.1f\n", (start + b - 1) / 4 - 180
                run = lit
            }
        }'
}
# The model's 33 line angles (umbrant-sun's table, from the noon line) all
# lie within 1.5 degrees of a painted line, and there are no others.
lines_match() {
    awk 'NR == FNR { a = $2 + 90; if (a > 180) a -= 360; model[++nm] = a; next } { seen[++ns] = $1 }
        END {
            if (nm != 33 || ns != 33) exit 1
            for (i = 1; i <= nm; i++) {
                found = 0
                for (j = 1; j <= ns; j++) {
                    d = model[i] - seen[j]; if (d > 180) d -= 360; if (d < -180) d += 360
                    if (d < 1.5 && d > -1.5) found = 1
                }
                if (!found) exit 1
            }
        }' "$1" "$2"
}
SUN=$DIAL_WIN_BUILD/../native/tools/sun/umbrant-sun
if [ -x "$SUN" ]; then
    for lat in 45 -45 70; do
        # At 1:00 on the shortest day: night even at 70 N.
        dial_render lines$lat --lat $lat --day $([ $lat = -45 ] && echo 172 || echo 355) --time 1:00
        line_angles lines$lat > "$DIAL_OUT/lines$lat.painted"
        "$SUN" --lat $lat --lines > "$DIAL_OUT/lines$lat.model"
        dial_check "latitude $lat: the painted hour lines lie where the model puts them" \
            lines_match "$DIAL_OUT/lines$lat.model" "$DIAL_OUT/lines$lat.painted"
    done
fi
dial_finish
