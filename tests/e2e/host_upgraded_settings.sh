#!/bin/bash
# An upgrade from a version that kept the settings for the whole machine:
# with none of the user's own, the gadget starts with the machine's (the big
# dial, no first-start dialog), keeps every one of them for the user when it
# ends, and leaves the machine's key as it was.
. "$(dirname "$0")/lib.sh" "$1"

machine=(Language=4096 IsBigClock=1 GeoLatitude=-10.5 IsSimulateDateTime=1 SimulatedDayOfYear=172
    SimulatedTimeOfDay=43200 GeoLongitude=20 IsExactSun=1)
e2e_registry_reset
for pair in "${machine[@]}"; do
    e2e_reg add "$E2E_MACHINE_SETTINGS_KEY" /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f >/dev/null
done
before=$(e2e_reg query "$E2E_MACHINE_SETTINGS_KEY")
e2e_start
e2e_check "the machine's big size is in force" e2e_wait_size 462 462
e2e_check "the fade-in ends" e2e_wait_settled
e2e_check "no first-start dialog opens" e2e_not e2e_window_shown '(Settings|Nastavitve)'

e2e_glide $((E2E_X + E2E_WIDTH - 22)) $((E2E_Y + 21))
xdotool click 1
e2e_check "a click on the close button ends the program" e2e_wait_exit 10
for pair in "${machine[@]}"; do
    e2e_check "${pair%%=*} is kept for the user as ${pair#*=}" [ "$(e2e_registry_get "${pair%%=*}")" = "${pair#*=}" ]
done
e2e_check "the machine's key is not written" [ "$(e2e_reg query "$E2E_MACHINE_SETTINGS_KEY")" = "$before" ]
e2e_registry_reset
e2e_finish
