#!/bin/bash
# Stored settings in force at start: IsBigClock 1 gives the 462 x 462 window,
# centred; Language 4096 gives the Slovenian tool tip, wider than the English
# one ("Nastavitve" against "Settings").
. "$(dirname "$0")/lib.sh" "$1"

# Width of the settings button's tool tip once the fade-in has ended.
tip_width() {
    e2e_check "the fade-in ends" e2e_wait_settled
    e2e_glide $((E2E_X + E2E_WIDTH - 40)) $((E2E_Y + 21))
    e2e_wait_popup >/dev/null
    tip=$(e2e_popups | head -1 | cut -d' ' -f2)
}

e2e_registry_summer_noon 1
e2e_registry_set Language 0
e2e_start
e2e_check "IsBigClock 1 gives the big window" e2e_wait_size 462 462
e2e_check "the big window is centred" [ "$E2E_X,$E2E_Y" = "$(((1280 - 462) / 2)),$(((1024 - 462) / 2))" ]
tip_width
english=$tip
e2e_screenshot english-tip >/dev/null
e2e_stop

e2e_registry_summer_noon 0
e2e_registry_set Language 4096
e2e_start
tip_width
slovenian=$tip
echo "settings tool tip: English $english, Slovenian $slovenian pixels wide"
echo "screenshot: $(e2e_screenshot slovenian-tip)"
e2e_check "the English tool tip shows" [ -n "$english" ]
e2e_check "the Slovenian tool tip shows" [ -n "$slovenian" ]
e2e_check "the Slovenian tool tip is the longer text" [ "$slovenian" -gt "$english" ]
e2e_stop
e2e_check "the language stays Slovenian" [ "$(e2e_registry_get Language)" = 4096 ]
e2e_finish
