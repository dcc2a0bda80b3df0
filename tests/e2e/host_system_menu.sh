#!/bin/bash
# The system menu (Alt+Space) is the trimmed one: it opens with the home
# page entry chosen, the next entry opens the About dialog, and the entry
# before the first one (the last) closes the program.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/dialog_helpers.bash"

open_menu() {
    e2e_click $((E2E_X + 60)) $((E2E_Y + 200))
    xdotool key alt+space
    e2e_check "Alt+Space opens the system menu" e2e_wait_popup
}

e2e_registry_summer_noon
e2e_registry_set Language 0
e2e_start
e2e_check "the fade-in ends" e2e_wait_settled
open_menu
echo "menu: $(e2e_popups | head -1) screenshot: $(e2e_screenshot menu)"
xdotool key Down Return
e2e_check "the second entry opens the About dialog" dlg_wait About 10
dlg_click About 1
e2e_check "its Ok button closes the About dialog" dlg_wait_gone About
open_menu
xdotool key Up Return
e2e_check "the last entry closes the program" e2e_wait_exit 10
e2e_finish
