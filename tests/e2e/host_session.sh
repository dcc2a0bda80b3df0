#!/bin/bash
# A user session: a stray stored language (8192) still gives the first-start
# dialog, in a known language that is saved with the size when the dialog
# closes; Big chosen there leaves the gadget centred; a second start ends,
# leaves one gadget and brings it, minimised, back to the front; a logoff
# while Settings is open keeps the change just made and the window's place.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/dialog_helpers.bash"

e2e_registry_summer_noon
e2e_reg delete "$E2E_SETTINGS_KEY" /v IsBigClock /f >/dev/null
e2e_registry_set Language 8192
e2e_start
e2e_check "the first-start dialog opens despite the stray language" dlg_wait Settings 30
dlg_click Settings 222
dlg_click Settings 1
e2e_check "Close ends the dialog" dlg_wait_gone Settings
e2e_check "the gadget takes its big size" e2e_wait_size 462 462
e2e_check "the big gadget is centred ($E2E_X,$E2E_Y)" [ "$E2E_X,$E2E_Y" = "$(((1280 - 462) / 2)),$(((1024 - 462) / 2))" ]
language=$(e2e_registry_get Language)
e2e_check "a known language is saved when the dialog closes ($language)" [ "$language" = 0 ]
e2e_check "the size is saved when the dialog closes" [ "$(e2e_registry_get IsBigClock)" = 1 ]

e2e_check "the gadget can be minimised" [ "$(dlg_window_state Umbrant minimise | cut -d' ' -f1)" = 1 ]
"$UMBRANT_WINE" "$E2E_EXE" > "$E2E_ARTIFACTS/second.log" 2>&1 &
second=$!
for _ in $(seq 200); do kill -0 $second 2>/dev/null || break; sleep 0.1; done
e2e_check "a second start ends by itself" eval '! kill -0 $second 2>/dev/null'
windows=$(xdotool search --onlyvisible --name '^Umbrant$' 2>/dev/null | wc -l)
e2e_check "one gadget window is left ($windows)" [ "$windows" = 1 ]
e2e_check "the second start restores the gadget and brings it to the front" \
    e2e_poll 10 eval '[ "$(dlg_window_state Umbrant)" = "0 1" ]'

# The language list has the focus; four tabs reach the latitude track bar.
e2e_check "the settings button opens Settings" dlg_open_settings Settings
dlg_keys Tab Tab Tab Tab Right
e2e_check "the latitude goes to 47" [ "$(dlg_state Settings 223)" = 47 ]
# A place stored meanwhile is not where the gadget stands.
e2e_registry_set WindowLeft 5
e2e_registry_set WindowTop 5
"$UMBRANT_WINE" wineboot --end-session > "$E2E_ARTIFACTS/wineboot.log" 2>&1
e2e_check "the logoff ends the gadget" e2e_wait_exit 20
latitude=$(e2e_registry_get GeoLatitude)
e2e_check "the latitude set just before the logoff is kept ($latitude)" [ "$latitude" = 47 ]
e2e_check "the first start's size is kept" [ "$(e2e_registry_get IsBigClock)" = 1 ]
e2e_check "the window's place is saved at the logoff" \
    [ "$(e2e_registry_get WindowLeft),$(e2e_registry_get WindowTop)" = "$(((1280 - 462) / 2)),$(((1024 - 462) / 2))" ]
e2e_finish
