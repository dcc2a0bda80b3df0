#!/bin/bash
# Return and Esc close Settings, opened from its button, from every kind of
# control, as in any dialog: after Tab and Down to Big (the gadget grows)
# Return closes it and Big is saved; Esc closes it from the language list, a
# size button, the check boxes, a track bar and a degree box; About closes by
# Return and by Esc. Under a locale with a decimal comma the latitude box
# takes 46,5 and shows it so; 100 typed and left puts 46,5 back.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/dialog_helpers.bash"
# Wine has its own locale data; the shell, which may not, need not hear of it.
{ export LC_ALL=sl_SI.UTF-8; } 2>/dev/null

e2e_registry_summer_noon 0
e2e_registry_set Language 0
e2e_start
e2e_check "the gadget window takes its small size" e2e_wait_size 262 262

e2e_check "the settings button opens Settings" dlg_open_settings Settings
dlg_keys Tab Down
e2e_check "Down on the size buttons gives the big window" e2e_wait_size 462 462
dlg_keys Return
e2e_check "Return ends Settings after the gadget grew" dlg_wait_gone Settings
e2e_check "Big is saved when Settings closes" [ "$(e2e_registry_get IsBigClock)" = 1 ]

e2e_check "the settings button opens Settings for the latitude" dlg_open_settings Settings
dlg_keys Tab Tab Tab Tab Tab
xdotool type --delay 60 "46,5"
dlg_keys Tab
e2e_check "the latitude box takes 46,5 and shows it with the comma" [ "$(dlg_text Settings 224)" = "46,5" ]
dlg_keys shift+Tab
xdotool type --delay 60 "100"
dlg_keys Tab
e2e_check "100 left in the latitude box puts 46,5 back" [ "$(dlg_text Settings 224)" = "46,5" ]
dlg_keys Escape
e2e_check "Esc ends Settings after the degree box" dlg_wait_gone Settings
latitude=$(e2e_registry_get GeoLatitude)
e2e_check "the latitude before 100 is saved (got $latitude)" awk -v v="$latitude" 'BEGIN { exit !(v > 46.49 && v < 46.51) }'

# From the list (the first focus), a size button, the moon face's box, the
# place box (its list closed), the latitude track bar, its degree box and the
# exact-sun box.
for tabs in "" "Tab" "Tab Tab" "Tab Tab Tab" "Tab Tab Tab Tab" "Tab Tab Tab Tab Tab" "Tab Tab Tab Tab Tab Tab"; do
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
