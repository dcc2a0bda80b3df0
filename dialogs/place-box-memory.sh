#!/bin/bash
# Figures of the place box's memory under Wine, not a test:
#   dialogs/place-box-memory.sh build/win32
# the gadget's working set, its private resident memory and its data size
# at rest, after Settings was opened and closed, with Settings open again
# and the place box listing places (the gazetteer unpacked), and at rest
# once it has closed.
. "$(dirname "$0")/../tests/e2e/lib.sh" "$1"
. "$(dirname "$0")/../tests/e2e/dialog_helpers.bash"
# Seconds for the gadget to settle after a change.
settle=3
# Ids of the place box and its list.
PLACE=255 LIST=256

# A field of /proc/pid/status in kB; the resident set is what Windows calls
# the working set.
status_kb() { awk -v field="$2:" '$1 == field { print $2 }' "/proc/$1/status"; }
figures() {
    echo "$1: working set $(status_kb "$E2E_PID" VmRSS) kB, private resident $(status_kb "$E2E_PID" RssAnon) kB," \
        "data $(status_kb "$E2E_PID" VmData) kB"
}

e2e_registry_reset
e2e_registry_set GeoLatitude 46
e2e_start
sleep "$settle"
figures "at rest"
# Once without typing, for what Settings itself leaves (the common
# controls, the dialog's fonts), then with the place box's list.
dlg_open_settings Settings || e2e_fail "Settings opens"
dlg_keys Escape
dlg_wait_gone Settings || e2e_fail "Settings closes"
sleep "$settle"
figures "Settings opened and closed without typing"
dlg_open_settings Settings || e2e_fail "Settings opens again"
dlg_click Settings $PLACE
xdotool type --delay 60 mari
dlg_eventually eval '[ "$(dlg_state Settings $LIST)" = 10 ]' || e2e_fail "the place box lists places"
figures "Settings open, places listed"
dlg_keys Escape Escape
dlg_wait_gone Settings || e2e_fail "Settings closes again"
sleep "$settle"
figures "Settings closed"
e2e_stop
