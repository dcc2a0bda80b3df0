#!/bin/bash
# The date lines from the Settings dialog: the check box, ticked by its
# mnemonic, draws them on the dial at once, and Close saves it. The moon
# face's check box shows the stored setting and Close saves it changed.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/dialog_helpers.bash"

# A summer noon at 46 N on the big dial, where the lines cross the face.
e2e_registry_summer_noon 1
e2e_registry_set IsMoonFace 1
e2e_start
dlg_drag_gadget_to_corner
e2e_check "the settings button opens the dialog" dlg_open_settings Settings
e2e_check "the date lines are off" [ "$(dlg_state Settings 259)" = 0 ]
e2e_check "the moon face is on, as stored" [ "$(dlg_state Settings 263)" = 1 ]
dlg_keys alt+m
e2e_check "Alt+M unticks the moon face" dlg_eventually eval '[ "$(dlg_state Settings 263)" = 0 ]'

plain=$(dial_shot plain)
dlg_keys alt+d
e2e_check "Alt+D ticks the date lines" dlg_eventually eval '[ "$(dlg_state Settings 259)" = 1 ]'
changed=$(dial_changed_from "$plain" 500)
e2e_check "the date lines are drawn at once ($changed pixels changed)" [ "$changed" -gt 500 ]
dlg_keys Return
e2e_check "Return ends the dialog" dlg_wait_gone Settings
e2e_check "the date lines are saved when the dialog closes" [ "$(e2e_registry_get IsDateLines)" = 1 ]
e2e_check "the moon face is saved off" [ "$(e2e_registry_get IsMoonFace)" = 0 ]
e2e_finish
