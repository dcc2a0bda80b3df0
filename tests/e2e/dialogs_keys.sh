#!/bin/bash
# Return and Esc close Settings, opened from its button, from every kind of
# control, as in any dialog: after Tab and Down to Big (the gadget grows)
# Return closes it and Big is saved; Esc closes it from the language list, a
# size button, a track bar, a degree box and a check box; About closes by
# Return and by Esc.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/dialog_helpers.bash"

e2e_registry_summer_noon 0
e2e_start
e2e_check "the gadget window takes its small size" e2e_wait_size 262 262

e2e_check "the settings button opens Settings" dlg_open_settings Settings
dlg_keys Tab Down
e2e_check "Down on the size buttons gives the big window" e2e_wait_size 462 462
dlg_keys Return
e2e_check "Return ends Settings after the gadget grew" dlg_wait_gone Settings
e2e_check "Big is saved when Settings closes" [ "$(e2e_registry_get IsBigClock)" = 1 ]

# From the list (the first focus), a size button, the latitude track bar,
# its degree box and the simulate box.
for tabs in "" "Tab" "Tab Tab" "Tab Tab Tab" "Tab Tab Tab Tab"; do
    e2e_check "the settings button opens Settings again" dlg_open_settings Settings
    dlg_keys $tabs Escape
    e2e_check "Esc ends Settings after '$tabs'" dlg_wait_gone Settings
done

e2e_check "the settings button opens Settings for About" dlg_open_settings Settings
dlg_click Settings 240
e2e_check "About opens" dlg_wait About 10
dlg_keys Return
e2e_check "Return ends About" dlg_wait_gone About
dlg_click Settings 240
e2e_check "About opens again" dlg_wait About 10
dlg_keys Escape
e2e_check "Esc ends About" dlg_wait_gone About
dlg_keys Escape
e2e_check "Esc ends Settings after About" dlg_wait_gone Settings
e2e_finish
