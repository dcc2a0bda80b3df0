#!/bin/bash
# Stored settings in force at start: IsBigClock 1 gives the 462 x 462 window,
# centred; Language 4096 gives the Slovenian tool tip, wider than the English
# one ("Nastavitve" against "Settings").
. "$(dirname "$0")/lib.sh" "$1"

e2e_registry_summer_noon 1
e2e_registry_set Language 0
e2e_start
e2e_check "IsBigClock 1 gives the big window" e2e_wait_size 462 462
e2e_check "the big window is centred" [ "$E2E_X,$E2E_Y" = "$(((1280 - 462) / 2)),$(((1024 - 462) / 2))" ]
e2e_settings_tip_width
english=$E2E_TIP_WIDTH
e2e_screenshot english-tip >/dev/null
e2e_stop

e2e_registry_summer_noon 0
e2e_registry_set Language 4096
e2e_start
e2e_settings_tip_width
slovenian=$E2E_TIP_WIDTH
echo "settings tool tip: English $english, Slovenian $slovenian pixels wide"
echo "screenshot: $(e2e_screenshot slovenian-tip)"
e2e_check "the English tool tip shows" [ -n "$english" ]
e2e_check "the Slovenian tool tip shows" [ -n "$slovenian" ]
e2e_check "the Slovenian tool tip is the longer text" [ "$slovenian" -gt "$english" ]
e2e_stop
e2e_check "the language stays Slovenian" [ "$(e2e_registry_get Language)" = 4096 ]
e2e_finish
