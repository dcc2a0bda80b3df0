#!/bin/bash
# Paints the dial pictures that the README shows, with umbrant-render under
# Wine, into tools/render/pictures/ and the moonlit ones into docs/ (needs
# the Windows flavour built).
set -e
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine-env.sh"
umbrant_ensure_display
umbrant_ensure_prefix
render=$UMBRANT_WIN_BUILD/app/umbrant-render.exe
[ -x "$render" ] || { echo "build the $UMBRANT_WINE_ARCH flavour first: tools/build.sh $UMBRANT_WINE_ARCH" >&2; exit 1; }
out=$here/pictures
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

picture() {
    local name=$1
    shift
    "$UMBRANT_WINE" "$render" "$@" -o "$tmp/$name.bmp"
    convert "$tmp/$name.bmp" -strip "$out/$name.png"
}
picture summer-morning-45n --lat 45 --day 172 --time 9:30
picture winter-afternoon-45n --lat 45 --day 355 --time 14:00 --small
picture summer-morning-35s --lat -35 --day 355 --time 8:30 --small
picture equator-noon --lat 0 --day 80 --time 11:30 --small
picture night-sl --lat 46 --day 20 --time 21:00 --small --lang sl
# The same moment in Madrid by the model and by the ephemeris.
picture madrid-model --lat 40.4 --day 46 --time 12:00 --small
picture madrid-exact --lat 40.4 --day 46 --time 12:00 --small --exact --lon -3.7 --year 2026 --zone 60
# Date lines and clock hours in Ljubljana at 15:00 on the June solstice,
# in both languages at 100 and 200 %.
for scale in 100 200; do
    for lang in eng:en slo:sl; do
        picture "lines-${lang%:*}-$scale" --lat 46.05 --day 172 --time 15:00 --exact --lon 14.51 --year 2026 --zone 60 \
            --date-lines --clock-hours --lang "${lang#*:}" --scale "$((scale / 100))"
    done
done
# The moonlit face at Ljubljana by a waxing crescent (22 January 2026,
# 19:00) and by the full moon (23 December 2026, 23:00), the date lines'
# labels in both languages, at 100 and 200 %.
for moon in crescent:22:19:00 full:357:23:00; do
    IFS=: read -r phase day hour minute <<< "$moon"
    for scale in 100 200; do
        for lang in eng:en slo:sl; do
            out=$here/../../docs picture "moon-$phase-${lang%:*}-$scale" --lat 46.05 --day "$day" --time "$hour:$minute" \
                --exact --lon 14.51 --year 2026 --zone 60 --moon-face --date-lines --lang "${lang#*:}" \
                --scale "$((scale / 100))"
        done
    done
done
echo "pictures in $out and docs/"
