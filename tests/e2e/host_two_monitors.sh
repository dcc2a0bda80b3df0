#!/bin/bash
# Two monitors: a gadget left on the second one starts there again; with the
# second one unplugged it starts centred on the first one's work area (a
# panel takes 60 pixels at its bottom).
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/display_helpers.bash"

# The primary monitor 1280 x 1024 and a second one, 1024 x 768, left of it
# and 256 pixels higher: Wine puts the second at (-1024, -256).
PRIMARY=1280x1024+1024+256
SECOND=1024x768+0+0
# From Wine's coordinates to the X server's.
X_OFFSET=1024
Y_OFFSET=256

display_start $PRIMARY $SECOND || e2e_fail "an X server with two monitors"
display_set_dpi 96
e2e_on_exit display_stop
e2e_registry_summer_noon
e2e_registry_set WindowLeft -800
e2e_registry_set WindowTop -100
e2e_start
e2e_wait_size 262 262 || e2e_fail "the small gadget's size"
e2e_check "a gadget left on the second monitor starts there" e2e_wait_place $((X_OFFSET - 800)) $((Y_OFFSET - 100))
e2e_stop

display_set_monitors $PRIMARY
display_set_work_area $X_OFFSET $Y_OFFSET 1280 964
e2e_start
e2e_wait_size 262 262 || e2e_fail "the small gadget's size"
# With one monitor Wine places its windows at X coordinates as they are:
# the place the gadget stores as it closes tells where Wine put it.
e2e_geometry "$E2E_WINDOW"
e2e_glide $((E2E_X + E2E_WIDTH - 22)) $((E2E_Y + 21))
xdotool click 1
e2e_check "the close button ends the program" e2e_wait_exit 10
stored=$(e2e_registry_get WindowLeft),$(e2e_registry_get WindowTop)
e2e_check "with the second monitor gone it starts centred on the first's work area (at $stored)" \
    [ "$stored" = 509,351 ]
e2e_finish
