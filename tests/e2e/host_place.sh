#!/bin/bash
# The gadget's place: it starts at the stored place; a drag, a close and a
# start bring it back to where it was dragged; a stored place on no screen
# shows it wholly on the screen.
. "$(dirname "$0")/lib.sh" "$1"

# Waits until the stored place is $1,$2; 1 when it is not.
wait_stored() {
    local stored
    for _ in $(seq 100); do
        stored=$(e2e_registry_get WindowLeft),$(e2e_registry_get WindowTop)
        [ "$stored" = "$1,$2" ] && return 0
        sleep 0.1
    done
    echo "got $stored"
    return 1
}

e2e_registry_summer_noon
e2e_registry_set WindowLeft 300
e2e_registry_set WindowTop 200
e2e_start
e2e_wait_size 262 262 || e2e_fail "the small gadget's size"
e2e_check "the gadget starts at the stored place" e2e_wait_place 300 200

e2e_press_and_drag $((E2E_X + 60)) $((E2E_Y + 200)) 25 16 6
e2e_check "the window follows the mouse" e2e_wait_place 450 296
xdotool mouseup 1
e2e_check "the place is stored when the drag ends" wait_stored 450 296
e2e_glide $((E2E_X + E2E_WIDTH - 22)) $((E2E_Y + 21))
xdotool click 1
e2e_check "the close button ends the program" e2e_wait_exit 10
e2e_stop

e2e_start
e2e_wait_size 262 262 || e2e_fail "the small gadget's size"
e2e_check "a start after the drag comes back to the same place" e2e_wait_place 450 296
e2e_stop

e2e_registry_set WindowLeft 5000
e2e_registry_set WindowTop -3000
e2e_start
e2e_wait_size 262 262 || e2e_fail "the small gadget's size"
e2e_check "a place on no screen gives the gadget centred on the screen" e2e_wait_place 509 381
e2e_finish
