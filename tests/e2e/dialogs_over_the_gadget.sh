#!/bin/bash
# The Settings dialog over a running gadget: the dial follows the latitude
# track bar while the dialog is open; Big resizes the window keeping its
# top-left corner and stays after Esc; Esc keeps the language, Close applies
# it at once (the settings button's tool tip, "Nastavitve" or the narrower
# "Settings"); About opens over Settings and returns to it, the gadget still
# disabled under them; the links hand
# their addresses to the shell's "open" and keep their dialogs open. In a zone
# with daylight saving the simulated summer noon shows as 13:00.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/dialog_helpers.bash"
export TZ=Europe/Ljubljana

# Stub handlers of the link schemes append the address they get to a file;
# the prefix's own handlers are put back at the end.
links=$WINEPREFIX/drive_c/umbrant-links.txt
schemes=(http https mailto)
restore_handlers() {
    for scheme in "${schemes[@]}"; do
        e2e_reg delete "HKCR\\$scheme" /f >/dev/null
        [ -f "$WINEPREFIX/drive_c/umbrant-$scheme.reg" ] && e2e_reg import "C:\\umbrant-$scheme.reg" >/dev/null
        rm -f "$WINEPREFIX/drive_c/umbrant-$scheme.reg"
    done
}
e2e_on_exit restore_handlers
e2e_desktop
for scheme in "${schemes[@]}"; do
    rm -f "$WINEPREFIX/drive_c/umbrant-$scheme.reg"
    e2e_reg export "HKCR\\$scheme" "C:\\umbrant-$scheme.reg" >/dev/null
    e2e_reg add "HKCR\\$scheme" /v "URL Protocol" /d "" /f >/dev/null
    e2e_reg add "HKCR\\$scheme\\shell\\open\\command" /ve \
        /d "C:\\windows\\system32\\cmd.exe /c echo %1>>C:\\umbrant-links.txt" /f >/dev/null
done
rm -f "$links"
# Width of the settings button's tool tip, with no dialog open, as
# E2E_TIP_WIDTH; the mouse then leaves the gadget.
tip_width() {
    e2e_settings_tip_width
    e2e_glide $((E2E_X + E2E_WIDTH / 2)) $((E2E_Y + E2E_HEIGHT + 40)) 0.5
}
# Whether the stub got exactly this address as its last one.
opened() { [ -f "$links" ] && [ "$(tail -1 "$links" | tr -d '\r ')" = "$1" ]; }

e2e_registry_summer_noon 0
e2e_registry_set Language 4096
e2e_start
e2e_check "the gadget window takes its small size" e2e_wait_size 262 262

dlg_drag_gadget_to_corner
left=$E2E_X top=$E2E_Y
tip_width
slovenian_tip=$E2E_TIP_WIDTH
e2e_check "the Slovenian tool tip shows" [ -n "$slovenian_tip" ]

e2e_check "the settings button opens the Slovenian dialog" dlg_open_settings Nastavitve
e2e_check "day 172 at 12:00 standard time is 22 June, 13:00 summer time" \
    [ "$(dlg_text Nastavitve 227 | cut -c5-) $(dlg_text Nastavitve 229)" = "-06-22 13:00:00" ]
before=$(e2e_screenshot latitude-46)
dlg_keys Tab Tab Tab Tab Left Left Left Left Left Left Left Left Left Left
e2e_check "ten steps left give 36 degrees" [ "$(dlg_text Nastavitve 224)" = 36 ]
e2e_check "the dial is drawn anew" e2e_wait_changed "$before"
e2e_check "the new dial settles" e2e_wait_settled
after=$(e2e_screenshot latitude-36)
for shot in "$before" "$after"; do convert "$shot" -crop "262x262+$left+$top" +repage "${shot%.png}-dial.png"; done
changed=$(compare -metric AE -fuzz 10% "${before%.png}-dial.png" "${after%.png}-dial.png" null: 2>&1)
e2e_check "the dial follows the latitude while the dialog is open ($changed pixels changed)" [ "${changed%.*}" -gt 200 ]

dlg_click Nastavitve 222
e2e_check "Big gives the big window" e2e_wait_size 462 462
e2e_check "the top-left corner stays where it was" [ "$E2E_X/$E2E_Y" = "$left/$top" ]

# Open the language list, step up to English, and leave with Esc.
dlg_click Nastavitve 220
dlg_keys Up Return
e2e_check "English is chosen in the list" [ "$(dlg_text Nastavitve 220)" = English ]
dlg_keys Escape
e2e_check "Esc ends the dialog" dlg_wait_gone Nastavitve
e2e_geometry "$E2E_WINDOW"
e2e_check "the window stays big after Esc" [ "$E2E_WIDTH" = 462 ]
tip_width
e2e_check "the tool tip stays Slovenian after Esc" [ "$E2E_TIP_WIDTH" = "$slovenian_tip" ]
e2e_check "the dialog opens in Slovenian again" dlg_open_settings Nastavitve
e2e_check "the language list still shows Slovenian" [ "$(dlg_text Nastavitve 220)" = "Slovenščina" ]

dlg_click Nastavitve 240
e2e_check "About opens" dlg_wait About 10
e2e_check "the Settings dialog stays open under it" dlg_probe Nastavitve >/dev/null
echo "screenshot: $(e2e_screenshot about-over-settings)"
e2e_check "About names the version" dlg_shows About "Verzija $(cat "$E2E_WIN_BUILD/version.txt")"

dlg_click About 241
e2e_check "the mail link opens a mail to the author" dlg_eventually opened mailto:matevz@tavrelon.com
e2e_check "About stays open after a link" dlg_probe About >/dev/null
dlg_click About 242
e2e_check "the home-page link opens the home page" dlg_eventually opened http://www.tavrelon.com/umbrant/
# The started handler may have taken the keyboard: Ok by the mouse.
dlg_click About 1
e2e_check "Ok ends About" dlg_wait_gone About
e2e_check "Settings is shown again" dlg_probe Nastavitve >/dev/null
e2e_geometry "$E2E_WINDOW"
e2e_click $((E2E_X + E2E_WIDTH - 22)) $((E2E_Y + 21))
e2e_check "the gadget stays disabled under Settings: its close button does nothing" \
    eval 'e2e_running && dlg_probe Nastavitve >/dev/null'

dlg_click Nastavitve 245
e2e_check "the article link opens the article" dlg_eventually opened https://en.wikipedia.org/wiki/Sundial
e2e_check "Settings stays open after the link" dlg_probe Nastavitve >/dev/null
dlg_click Nastavitve 220
dlg_keys Up Return
dlg_click Nastavitve 1
e2e_check "Close ends the dialog" dlg_wait_gone Nastavitve
tip_width
english_tip=$E2E_TIP_WIDTH
echo "settings tool tip: Slovenian $slovenian_tip, English $english_tip pixels wide"
e2e_check "English chosen with Close switches the tool tip at once" [ "${english_tip:-0}" -gt 0 -a "${english_tip:-0}" -lt "$slovenian_tip" ]

e2e_geometry "$E2E_WINDOW"
e2e_click $((E2E_X + E2E_WIDTH - 22)) $((E2E_Y + 21))
e2e_check "the program ends by its close button" e2e_wait_exit 10
e2e_check "English is saved at exit" [ "$(e2e_registry_get Language)" = 0 ]
e2e_check "the big size is saved" [ "$(e2e_registry_get IsBigClock)" = 1 ]
e2e_check "the latitude is saved" [ "$(e2e_registry_get GeoLatitude)" = 36 ]
e2e_finish
