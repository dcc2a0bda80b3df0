#!/bin/bash
# The buttons: hovering the settings button shows its hover frame and the tool
# tip "Settings"; a press on the close button taken off before the release
# keeps the program; a click on it ends the program, which then has written
# all ten settings: those stored before the start as the program writes them
# (so that a value left alone shows), the others anew.
. "$(dirname "$0")/lib.sh" "$1"

# A summer noon at 46 N, small, each value stored as the program would not
# write it; what it writes back.
stored=(Language=8192 IsBigClock=-2 GeoLatitude=46.0 IsSimulateDateTime=7 SimulatedDayOfYear=0172
    SimulatedTimeOfDay=043200)
written=(Language=0 IsBigClock=0 GeoLatitude=46 IsSimulateDateTime=1 SimulatedDayOfYear=172
    SimulatedTimeOfDay=43200)
e2e_registry_reset
for pair in "${stored[@]}"; do e2e_registry_set "${pair%%=*}" "${pair#*=}"; done
e2e_start
e2e_check "the fade-in ends" e2e_wait_settled
settings_x=$((E2E_X + E2E_WIDTH - 40))
close_x=$((E2E_X + E2E_WIDTH - 22))
button_y=$((E2E_Y + 21))

e2e_glide $settings_x $button_y
e2e_check "a tool tip shows at once" e2e_wait_popup
e2e_check "the hover is drawn" e2e_wait_settled
shot=$(e2e_screenshot hover)
e2e_rgb "$shot" $((settings_x - 7)) $((button_y - 7))
e2e_check "the settings button shows its dark hover frame" e2e_within "$E2E_G" 41 99
read -r _ tip_width tip_height tip_x tip_y <<< "$(e2e_popups | head -1)"
echo "tool tip ${tip_width}x${tip_height} at $tip_x,$tip_y"
convert "$shot" -crop "${tip_width}x${tip_height}+$tip_x+$tip_y" "$E2E_ARTIFACTS/tooltip-settings.png"
echo "tool tip picture: $E2E_ARTIFACTS/tooltip-settings.png"

# Press on close, slide off, release: nothing happens.
e2e_glide $close_x $button_y
e2e_check "the hover moves to the close button" e2e_wait_changed "$shot"
e2e_check "the close button's hover is drawn" e2e_wait_settled
shot=$(e2e_screenshot hover-close)
xdotool mousedown 1
e2e_check "the press is drawn" e2e_wait_changed "$shot"
e2e_check "the pressed picture stays" e2e_wait_settled
shot=$(e2e_screenshot pressed)
e2e_rgb "$shot" $((close_x - 7)) $((button_y - 7))
e2e_check "the pressed close button shows its mid-grey frame" e2e_within "$E2E_G" 171 199
e2e_glide $((E2E_X + 120)) $((E2E_Y + 60))
xdotool mouseup 1
e2e_check "the picture settles after the release" e2e_wait_settled
e2e_check "the program keeps running" e2e_running
e2e_geometry "$E2E_WINDOW"
e2e_check "the window stays where it was" [ "$E2E_X,$E2E_Y" = "$(((1280 - 262) / 2)),$(((1024 - 262) / 2))" ]
shot=$(e2e_screenshot released)
e2e_rgb "$shot" $((close_x - 7)) $((button_y - 7))
e2e_check "the close button is back to its normal frame" e2e_within "$E2E_G" 197 215

e2e_glide $close_x $button_y
xdotool click 1
e2e_check "a click on the close button ends the program" e2e_wait_exit 10
for name in "${E2E_SETTINGS[@]}"; do
    value=$(e2e_registry_get "$name")
    echo "$name = $value"
    e2e_check "$name is saved at exit" [ -n "$value" ]
done
for pair in "${written[@]}"; do
    e2e_check "${pair%%=*} is written as ${pair#*=}" [ "$(e2e_registry_get "${pair%%=*}")" = "${pair#*=}" ]
done
e2e_finish
