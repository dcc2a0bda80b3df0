#!/bin/bash
# The tip over the dial: a rest of the mouse on the dial shows the place, the
# day's sun in the clock's local time (summer time included) and the sun now,
# in the language in force; a rest on a button shows the button's tip only;
# the tip goes when the mouse leaves the dial.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/dialog_helpers.bash"
# Central European summer time: the zone's meridian (15 E) is the longitude.
export TZ=Europe/Ljubljana

# Starts the gadget on 22 June at noon at 46 N with the NAME=VALUE settings
# of $1 (Language=0 for English), rests the mouse on the dial and checks the
# tip's lines against the patterns that follow (at 15 E the sun rises at
# 4:09 standard time, 5:09 summer time, and the sun's 11:58 is an hour and
# two minutes behind the summer clock).
check_tip() {
    e2e_registry_summer_noon
    local setting
    for setting in $1; do
        e2e_registry_set "${setting%%=*}" "${setting#*=}"
    done
    shift
    e2e_start
    dlg_rest_on_dial
    dlg_tip_lines | tee -a "$E2E_ARTIFACTS/tips.txt"
    local pattern
    for pattern in "$@"; do
        e2e_check "the tip says $pattern" dlg_tip_says "$pattern"
    done
}

check_tip Language=0 '^46\.00°, 15\.00°$' '^Sunrise: 5:0[89]$' '^Solar noon: 13:0[1-3]$' '^Sunset: 20:5[3-5]$' \
    '^Day length: 15:4[4-6]$' '^Sun altitude: 67\.[0-9]°$' '^Azimuth: 17[5-9]\.[0-9]°$' \
    '^Sun time: 11:5[7-9] (6[1-3] min behind the clock)$' '^Dawn 4:3[012], dusk 21:3[234]$' \
    '^Moon: [a-z ]*, [0-9]* % lit; [a-z ]*[0-9:]*, [a-z ]*[0-9:]*$'

# Off the dial, in the window's top-left corner (the tip hangs below the
# mouse), the tip goes.
e2e_glide $((E2E_X + 3)) $((E2E_Y + 3))
e2e_check "the tip goes when the mouse leaves the dial" e2e_poll 10 e2e_not dlg_tip_says .
# A rest on the settings button brings its own tip, not the dial's.
e2e_glide $((E2E_X + E2E_WIDTH - 40)) $((E2E_Y + 21)) 2
e2e_check "the button's tip shows" dlg_tip_says '^Settings$'
e2e_check "the dial's tip does not" e2e_not dlg_tip_says Sunrise
e2e_stop

check_tip Language=4096 '^Vzhod sonca: 5:0[89]$' '^Pravi poldan: 13:0[1-3]$' '^Višina sonca: 67[.,][0-9]°$' \
    '^Sončni čas: 11:5[7-9] (6[1-3] min za uro)$' '^Svitanje 4:3[012], mrak 21:3[234]$' \
    '^Luna: [a-zčšž ]*, osvetljena [0-9]* %; [a-z ]*[0-9:]*, [a-z ]*[0-9:]*$'
e2e_stop

# The date Settings shows is the tip's day: day 87 of 2026 is 29 March, the
# first day of summer time, at Ljubljana 6:48, 13:07 and 19:26 (28 March
# would give 5:50, 12:07 and 18:25); a minute either way for other years.
check_tip "Language=0 IsExactSun=1 GeoLatitude=46.05 GeoLongitude=14.51 SimulatedDayOfYear=87" \
    '^Sunrise: 6:4[7-9]$' '^Solar noon: 13:0[6-8]$' '^Sunset: 19:2[5-7]$'
e2e_stop

# Tromsø on 25 July (day 205): up since the day before, the sun sets after
# midnight, and the tip says that it does not rise.
TZ=Europe/Oslo check_tip "Language=0 IsExactSun=1 GeoLatitude=69.65 GeoLongitude=18.96 SimulatedDayOfYear=205" \
    '^The sun does not rise today$' '^Solar noon: 12:5[01]$' '^Sunset: 0:3[7-9]$' '^Day length: 23:4[6-8]$'
e2e_finish
