#!/bin/bash
# Dragging the dial: the window follows the mouse keeping the grabbed point,
# lets the desktop through while it is dragged and is opaque again after the
# release; where it stood before the desktop shows, also under its new frame
# band, not a stale copy of the gadget.
. "$(dirname "$0")/lib.sh" "$1"

e2e_registry_summer_noon
e2e_start
e2e_check "the fade-in ends" e2e_wait_settled
x0=$E2E_X
y0=$E2E_Y
grab_x=$((x0 + 60))
grab_y=$((y0 + 200))
e2e_press_and_drag $grab_x $grab_y 25 16 6
e2e_check "the window follows the mouse, keeping the grabbed point" e2e_wait_place $((x0 + 150)) $((y0 + 96))
e2e_check "the drag's fade ends" e2e_wait_settled
shot=$(e2e_screenshot dragging)
e2e_rgb "$shot" $((E2E_X + 40)) $((E2E_Y + 60))
echo "card while dragged: $E2E_R $E2E_G $E2E_B"
e2e_check "the card lets the desktop through while dragged" e2e_within "$E2E_R" 151 234
xdotool mouseup 1
e2e_check "the release is drawn" e2e_wait_changed "$shot"
e2e_check "the fade back ends" e2e_wait_settled
shot=$(e2e_screenshot released)
e2e_rgb "$shot" $((E2E_X + 40)) $((E2E_Y + 60))
e2e_check "the card is opaque after the release" [ "$E2E_G" -ge 240 ]

# Uncovered part of the old place: exactly the desktop.
e2e_check "the old place shows the desktop" \
    [ "$(e2e_pixel "$shot" $((x0 + 20)) $((y0 + 20)))" = "$(e2e_desktop_pixel $((x0 + 20)) $((y0 + 20)))" ]
# The new band over what was the old window: the darkened desktop (blue there).
e2e_rgb "$shot" $((E2E_X + 3)) $((y0 + 250))
echo "new band over the old place: $E2E_R $E2E_G $E2E_B"
e2e_check "the band over the old place shows the desktop, not the old card" [ $((E2E_B - E2E_R)) -gt 80 ]
e2e_finish
