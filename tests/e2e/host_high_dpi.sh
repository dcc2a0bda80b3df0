#!/bin/bash
# At 192 dpi the gadget is drawn at twice its size: the small one is 524
# pixels wide, and its frame band shows the desktop behind it pixel for
# pixel (colour edges of the desktop picture fall where they lie). A big
# gadget left wholly on the screen at 120 dpi (579 pixels at 509,381) starts
# wholly on it at 168 dpi, where it is 810 pixels wide. The tip over the
# dial, whose font grows with the DPI, breaks none of its lines at 192 dpi in
# Slovenian and 168 dpi in English.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/display_helpers.bash"
. "$(dirname "$0")/dialog_helpers.bash"

# Rests the mouse on the dial and checks that the tip is as wide as its
# longest line; $1 names the DPI.
check_tip_unbroken() {
    local width longest
    dlg_rest_on_dial "at $1 dpi"
    read -r _ width longest <<< "$(dlg_tip_lines -tipfit | head -1)"
    e2e_check "the tip at $1 dpi is as wide as its longest line ($width for $longest pixels)" \
        [ "$width" -ge "$longest" ]
}

display_start 1280x1024+0+0 || e2e_fail "an X server of its own"
e2e_on_exit display_stop
display_set_dpi 192
e2e_registry_summer_noon
e2e_registry_set Language 4096
# The left band over the desktop picture's edge from yellow to red at x 160,
# the right band over its edge from red to blue at y 512.
e2e_registry_set WindowLeft 155
e2e_registry_set WindowTop 200
e2e_start
e2e_check "the small gadget is 524 pixels wide at 192 dpi" e2e_wait_size 524 524
e2e_geometry "$E2E_WINDOW"
e2e_check "it starts at its stored place" [ "$E2E_X,$E2E_Y" = 155,200 ]
shot=$(e2e_screenshot high-dpi)
e2e_rgb "$shot" 159 400
yellow_g=$E2E_G
e2e_rgb "$shot" 160 400
red_g=$E2E_G
e2e_check "the left band is yellow up to x 159 ($yellow_g) and red from 160 ($red_g)" \
    [ $((yellow_g - red_g)) -gt 60 ]
e2e_rgb "$shot" 673 511
e2e_check "the right band is red at y 511 ($E2E_R $E2E_G $E2E_B)" [ $((E2E_R - E2E_B)) -gt 40 ]
e2e_rgb "$shot" 673 512
e2e_check "the right band is blue from y 512 ($E2E_R $E2E_G $E2E_B)" [ $((E2E_B - E2E_R)) -gt 40 ]
check_tip_unbroken 192
e2e_stop

display_set_dpi 168
e2e_registry_summer_noon 1
e2e_registry_set Language 0
e2e_registry_set WindowLeft 509
e2e_registry_set WindowTop 381
e2e_start
e2e_check "the big gadget is 810 pixels wide at 168 dpi" e2e_wait_size 810 810
e2e_geometry "$E2E_WINDOW"
e2e_check "it starts wholly on the screen (at $E2E_X,$E2E_Y)" \
    [ "$E2E_X" -ge 0 -a "$E2E_Y" -ge 0 -a $((E2E_X + 810)) -le 1280 -a $((E2E_Y + 810)) -le 1024 ]
e2e_check "it moved the least to get there" [ "$E2E_X,$E2E_Y" = 470,214 ]
check_tip_unbroken 168
e2e_finish
