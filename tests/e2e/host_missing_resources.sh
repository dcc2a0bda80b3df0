#!/bin/bash
# A copy of the program whose icon, cursor and close button strip cannot be
# found, and whose place table is damaged, still starts, composes its frame
# over the desktop, says in Settings that places are unavailable and ends by
# a click where the close button would be.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/dialog_helpers.bash"

# Resource names are stored as upper-case UTF-16 text: change one letter each.
damaged=$E2E_ARTIFACTS/Umbrant-damaged.exe
perl -pe 's/B\0U\0T\0T\0O\0N\0C\0L\0O\0S\0E\0/B\0U\0T\0T\0O\0N\0C\0L\0O\0S\0X\0/g;
          s/A\0P\0P\0I\0C\0O\0N\0/A\0P\0P\0I\0C\0O\0X\0/g;
          s/L\0I\0N\0K\0C\0U\0R\0S\0O\0R\0/L\0I\0N\0K\0C\0U\0R\0S\0O\0X\0/g' "$E2E_EXE" > "$damaged"
e2e_check "the copy lost its resources" [ -n "$(cmp -l "$damaged" "$E2E_EXE" | head -1)" ]
# A byte of the place table's packed records changed: the table is the magic
# followed by its format version, the reader's own copy of the magic by the
# zero that ends it.
table=$(LC_ALL=C grep -obUaP 'UMBPLACE[\x01-\xff]\x00\x00\x00' "$damaged" | head -1 | cut -d: -f1)
e2e_check "the copy holds a place table" [ -n "$table" ]
# The byte's place in the table: past the 56-byte header (the magic and 12
# words, places/PlaceTable.h), 1000 bytes into the packed records.
packed_byte=$((56 + 1000))
printf '\377' | dd of="$damaged" bs=1 seek=$((table + packed_byte)) conv=notrunc 2>/dev/null
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

# Ids of the place box and its list.
PLACE=255 LIST=256
dlg_open_settings Settings
dlg_click Settings $PLACE
xdotool type --delay 60 lju
e2e_check "the place list says places are unavailable (got '$(dlg_text Settings $LIST)')" \
    dlg_eventually eval '[ "$(dlg_text Settings $LIST)" = "Places are unavailable: their table is damaged" ]'
dlg_keys Down Return
e2e_check "Return chooses nothing: the box keeps the text (got '$(dlg_text Settings $PLACE)')" \
    [ "$(dlg_text Settings $PLACE)" = lju ]
dlg_keys Escape
e2e_check "Esc closes Settings" dlg_wait_gone Settings
e2e_glide "$close_x" "$button_y"
xdotool click 1
e2e_check "a click where the close button would be ends the program" e2e_wait_exit 10
e2e_finish
