#!/bin/bash
# First start: the Settings dialog opens by itself; an English (United
# States) system set to Tokyo's time zone starts at Tokyo, the zone's city
# (place_by_name.sh tests a country and zone that agree); the latitude
# track bar follows the keyboard; "Simulate date && time" enables the day and time
# controls, whose ends show the right calendar moments; Slovenian chosen and
# left with Esc changes nothing, chosen and closed with Close it switches the
# language at once and is saved at exit.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/dialog_helpers.bash"

# Wine takes the country from the Unix locale, which it must find.
umbrant_compile_locale en_US || { echo "cannot compile locale en_US"; exit 77; }
unset LC_ALL LC_CTYPE LC_MESSAGES LANGUAGE
export LANG=en_US.UTF-8 TZ=Asia/Tokyo

e2e_registry_reset
e2e_registry_set Language 0
e2e_desktop
e2e_launch "$E2E_EXE"
e2e_check "the Settings dialog opens by itself on the first start" dlg_wait Settings 30
e2e_check "the guessed place is Tokyo (got '$(dlg_text Settings 255)')" [ "$(dlg_text Settings 255)" = Tokyo ]
e2e_check "at 35.69 N, 139.69 E (got $(dlg_text Settings 224), $(dlg_text Settings 248))" \
    [ "$(dlg_state Settings 223)/$(dlg_text Settings 224)/$(dlg_text Settings 248)" = 36/35.69/139.69 ]
e2e_check "the small size is chosen" [ "$(dlg_state Settings 221)$(dlg_state Settings 222)" = 10 ]
e2e_check "English is the chosen language" [ "$(dlg_text Settings 220)" = English ]
for id in 226 227 228 229; do
    e2e_check "control $id is disabled while the simulation is off" dlg_disabled Settings $id
done

# The language list has the focus; past the size, the moon face's box and
# the place box the latitude track bar.
dlg_keys Tab Tab Tab Tab Right Right Right
e2e_check "three steps right give 39 degrees" [ "$(dlg_state Settings 223)/$(dlg_text Settings 224)" = 39/39 ]
dlg_keys Home
e2e_check "Home gives -90 degrees" [ "$(dlg_text Settings 224)" = -90 ]

dlg_click Settings 225
e2e_check "the simulate box is checked" [ "$(dlg_state Settings 225)" = 1 ]
for id in 226 227 228 229; do
    e2e_check "control $id is enabled with the simulation on" dlg_enabled Settings $id
done

year=$(date -u +%Y)
days_in_year=$(date -u -d "$year-12-31" +%j)
# Tab from the check box to the day track bar, two more to the time track bar.
dlg_keys Tab Home Tab Tab Home
e2e_check "day 0 at time 0 is 1 January, 00:00:00" \
    [ "$(dlg_text Settings 227) $(dlg_text Settings 229)" = "$year-01-01 00:00:00" ]
dlg_keys End
e2e_check "time 1440 is 24:00:00 of the day the track bar points at" \
    [ "$(dlg_text Settings 227) $(dlg_text Settings 229)" = "$year-01-01 24:00:00" ]
dlg_keys Home shift+Tab shift+Tab End
if [ "$days_in_year" = 365 ]; then expected="$((year + 1))-01-01"; else expected="$year-12-31"; fi
e2e_check "day 365 of a year of $days_in_year days is $expected" [ "$(dlg_text Settings 227)" = "$expected" ]

# Back past the exact-sun box, the place box and the moon face's box to the language list: Slovenian, then Esc,
# which keeps English.
dlg_keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Down
e2e_check "the list shows Slovenian by its own name" [ "$(dlg_text Settings 220)" = "Slovenščina" ]
dlg_keys Escape
e2e_check "Esc ends the first-start dialog" dlg_wait_gone Settings
E2E_WINDOW=$(e2e_wait_window Umbrant 20) || e2e_fail "the gadget window appears after the first-start dialog"
e2e_check "the gadget window takes its small size" e2e_wait_size 262 262
e2e_check "after Esc the settings button opens the English dialog" dlg_open_settings Settings
e2e_check "English is still chosen" [ "$(dlg_text Settings 220)" = English ]

# The list has the focus again: Slovenian, then Enter for Close.
dlg_keys Down Return
e2e_check "Close ends the dialog" dlg_wait_gone Settings

# The language is in force at once: the dialog opens in Slovenian.
e2e_check "the settings button opens the Slovenian dialog" dlg_open_settings Nastavitve
e2e_check "Slovenian letters show as written" dlg_shows Nastavitve "Simuliraj datum in čas"
e2e_check "the dialog shows the settings chosen before" [ "$(dlg_text Nastavitve 224)" = -90 ]
echo "screenshot: $(e2e_screenshot settings-slovenian)"
dlg_keys Escape
e2e_check "Esc ends the dialog" dlg_wait_gone Nastavitve

# Close button: 16 pixels square, 30 pixels left of the right edge.
e2e_geometry "$E2E_WINDOW"
e2e_click $((E2E_X + E2E_WIDTH - 22)) $((E2E_Y + 21))
e2e_check "the program ends by its close button" e2e_wait_exit 10
e2e_check "the language is saved at exit" [ "$(e2e_registry_get Language)" = 4096 ]
e2e_check "the latitude is saved at exit" [ "$(e2e_registry_get GeoLatitude)" = -90 ]
e2e_check "the simulation is saved at exit" \
    [ "$(e2e_registry_get IsSimulateDateTime)/$(e2e_registry_get SimulatedDayOfYear)" = 1/365 ]
e2e_finish
