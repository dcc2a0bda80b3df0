#!/bin/bash
# The shadow in painted dials points where the sun model puts the gnomon's
# shadow (umbrant-sun), in both hemispheres, for both sizes, morning and
# afternoon; and where the exact sun puts it, far from the zone's meridian;
# on the moonlit face by night, where the moon puts it.
. "$(dirname "$0")/dial_lib.bash" "$1"
SUN=$DIAL_WIN_BUILD/../native/tools/sun/umbrant-sun
[ -x "$SUN" ] || { echo "no $SUN (build the native flavour)"; exit 77; }

# Mean width in pixels the shadow band must have between the foot and the
# tip; the moon's, softer and paler, keeps a dark core only about two wide.
MIN_SHADOW_WIDTH=3
MIN_MOON_SHADOW_WIDTH=1

check_moment() {
    local lat=$1 day=$2 time=$3 size=450 small=() name
    shift 3
    [ "$1" = small ] && { size=250; small=(--small); shift; }
    # The rest chooses the sun, for both tools alike.
    local sun=("$@")
    name=shadow_${lat}_${day}_${time/:/}_$size${sun:+_exact}
    # The moon's shadow is the tip umbrant-sun --moon --shadow gives; the
    # render takes the rest with --moon-face.
    local tool=("${sun[@]}") render=("${sun[@]}") width=$MIN_SHADOW_WIDTH
    if [ "$1" = --moon ]; then
        width=$MIN_MOON_SHADOW_WIDTH
        name=${name}_moon
        render=(--moon-face --exact "${sun[@]:1}")
        tool+=(--shadow)
    fi
    read -r u v < <("$SUN" --lat "$lat" --day "$day" --time "$time" "${small[@]}" "${tool[@]}" |
        awk '$1 == "u:" { u = $2 } $1 == "v:" { v = $2 } $1 == "tip:" { u = $2; v = $3 } END { print u, v }')
    # Expected: towards the tip at (u, -v) on the screen; measured between
    # the foot's cap and the tip, or the whole-hour lines' ends where the
    # dark grey numerals begin.
    read -r expected reach < <(awk -v u="$u" -v v="$v" -v s=$size 'BEGIN {
        len = sqrt(u * u + v * v); r1 = len - 8; if (r1 > s * 0.38) r1 = s * 0.38
        printf "%.1f %d\n", atan2(-v, u) * 180 / 3.14159265, r1 }')
    dial_render "$name" --lat "$lat" --day "$day" --time "$time" "${small[@]}" "${render[@]}"
    read -r measured count < <(dial_shadow_direction "$name" 20 "$reach" $size)
    # A shadow band is several pixels wide all along: a missing one ("none")
    # or a few stray dark pixels do not give a direction.
    dial_check "lat $lat day $day $time ($size): shadow at $measured degrees, model $expected ($count pixels)" \
        eval "[ $count -ge $(( (reach - 20) * width )) ] && dial_angles_close $measured $expected 3"
}

check_moment 45 172 8:00
check_moment 45 172 10:30
check_moment 45 172 14:30
check_moment 45 172 17:30
check_moment 45 355 10:00 small
check_moment -35 355 9:00
check_moment -35 355 15:00
check_moment 60 80 11:00
check_moment 10 172 16:00 small
check_moment 40.4 46 12:00 small --exact --lon -3.7 --year 2026 --zone 60
check_moment -33.9 355 16:30 --exact --lon 151.2 --year 2026 --zone 600
# The full moon of 3 January 2026 high over Ljubljana, and Sydney's low in
# the north-west before dawn.
check_moment 46.05 3 22:00 --moon --lon 14.51 --year 2026 --zone 60
check_moment -33.87 4 4:00 small --moon --lon 151.21 --year 2026 --zone 600
dial_finish
