#!/bin/bash
# The exact sun from the Settings dialog: the check box enables the longitude
# track bar and, like the longitude, moves the dial's shadow at once; a
# latitude and a longitude typed to the hundredth of a degree are in force as
# typed, a wrong text is not; all reach the registry when the dialog closes.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/dialog_helpers.bash"

# Selects all of box $1 of Settings and types $2 into it, key by key.
type_into() {
    dlg_click Settings "$1"
    dlg_keys End shift+Home
    xdotool type --delay 100 "$2"
}
# The text of box $1 of Settings, with a point for the decimal separator.
box_text() { dlg_text Settings "$1" | tr , .; }
# Whether stored setting $1 lies within a thousandth of $2; else says what it got.
stored_near() {
    local stored
    stored=$(e2e_registry_get "$1")
    awk -v a="$stored" -v b="$2" 'BEGIN { d = a - b; exit !(a != "" && d < 0.001 && d > -0.001) }' && return 0
    echo "$1 is $stored, not $2"
    return 1
}

# A summer noon at 46 N and a longitude 40 degrees west of the zone (UTC)
# that the model does not use: the exact sun stands there in mid-morning.
e2e_registry_summer_noon 0
e2e_registry_set GeoLongitude -40
e2e_start
dlg_drag_gadget_to_corner
e2e_check "the settings button opens the dialog" dlg_open_settings Settings
e2e_check "the exact sun is off" [ "$(dlg_state Settings 239)" = 0 ]
e2e_check "the longitude shows -40 and is disabled" eval '[ "$(dlg_text Settings 248)" = -40 ] && dlg_disabled Settings 247'

model=$(dial_shot model)
dlg_click Settings 239
e2e_check "the check box enables the longitude" dlg_eventually dlg_enabled Settings 247
changed=$(dial_changed_from "$model" 200)
e2e_check "the exact sun moves the shadow at once ($changed pixels changed)" [ "$changed" -gt 200 ]

exact=$(dial_shot exact)
# The check box has the focus; the track bar is the next stop.
dlg_keys Tab Right Right Right Right Right Right Right Right Right Right
e2e_check "ten steps right give -30 degrees" [ "$(dlg_text Settings 248)" = -30 ]
changed=$(dial_changed_from "$exact" 100)
e2e_check "the longitude moves the shadow at once ($changed pixels changed)" [ "$changed" -gt 100 ]

typed=$(dial_shot typed)
type_into 248 14.51
e2e_check "the longitude box keeps 14.51 as typed, its track bar at 15" \
    dlg_eventually eval '[ "$(dlg_state Settings 247)/$(dlg_text Settings 248)" = 15/14.51 ]'
changed=$(dial_changed_from "$typed" 100)
e2e_check "the typed longitude moves the shadow at once ($changed pixels changed)" [ "$changed" -gt 100 ]
type_into 224 46.05
e2e_check "the latitude box keeps 46.05 as typed, its track bar at 46" \
    dlg_eventually eval '[ "$(dlg_state Settings 223)/$(dlg_text Settings 224)" = 46/46.05 ]'
# Left and typed into again: the typing now begins from 46.05.
dlg_keys Tab
type_into 224 a4
e2e_check "a wrong latitude stays in its box and moves nothing" \
    dlg_eventually eval '[ "$(dlg_state Settings 223)/$(dlg_text Settings 224)" = 46/a4 ]'
dlg_keys Tab
e2e_check "leaving the box shows the latitude in force again" \
    dlg_eventually eval '[ "$(dlg_state Settings 223)/$(box_text 224)" = 46/46.05 ]'

dlg_click Settings 1
e2e_check "Close ends the dialog" dlg_wait_gone Settings
e2e_check "the exact sun is saved when the dialog closes" [ "$(e2e_registry_get IsExactSun)" = 1 ]
e2e_check "the typed latitude is saved when the dialog closes" stored_near GeoLatitude 46.05
e2e_check "the typed longitude is saved when the dialog closes" stored_near GeoLongitude 14.51
e2e_finish
