#!/bin/bash
# A copy of the program whose icon, cursor and close button strip cannot be
# found still starts, composes its frame over the desktop and ends by a click
# where the close button would be.
. "$(dirname "$0")/lib.sh" "$1"

# Resource names are stored as upper-case UTF-16 text: change one letter each.
damaged=$E2E_ARTIFACTS/Umbrant-damaged.exe
perl -pe 's/B\0U\0T\0T\0O\0N\0C\0L\0O\0S\0E\0/B\0U\0T\0T\0O\0N\0C\0L\0O\0S\0X\0/g;
          s/A\0P\0P\0I\0C\0O\0N\0/A\0P\0P\0I\0C\0O\0X\0/g;
          s/L\0I\0N\0K\0C\0U\0R\0S\0O\0R\0/L\0I\0N\0K\0C\0U\0R\0S\0O\0X\0/g' "$E2E_EXE" > "$damaged"
e2e_check "the copy lost its resources" [ -n "$(cmp -l "$damaged" "$E2E_EXE" | head -1)" ]
E2E_EXE=$damaged

e2e_registry_summer_noon
e2e_start
e2e_check "the window takes its size" e2e_wait_size 262 262
e2e_check "the fade-in ends" e2e_wait_settled
shot=$(e2e_screenshot started)
close_x=$((E2E_X + E2E_WIDTH - 22))
button_y=$((E2E_Y + 21))
e2e_rgb "$shot" "$close_x" "$button_y"
e2e_check "no close button is drawn" [ "$E2E_G" -gt 240 ]
e2e_rgb "$shot" $((E2E_X + 7)) $((E2E_Y + 130))
e2e_check "the card is composed" [ "$E2E_G" -gt 240 ]
e2e_rgb "$shot" $((E2E_X + 5)) $((E2E_Y + 130))
e2e_check "the band shows the desktop" [ $((E2E_R - E2E_G)) -gt 60 ]
e2e_glide "$close_x" "$button_y"
xdotool click 1
e2e_check "a click where the close button would be ends the program" e2e_wait_exit 10
e2e_finish
