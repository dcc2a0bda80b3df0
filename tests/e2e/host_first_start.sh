#!/bin/bash
# First start with -1 stored as the size, as a user or an administrator may
# store it to have Settings open again (dialogs_first_start.sh starts with
# nothing stored): the Settings dialog opens during start-up;
# once it is closed the gadget stands centred at 262 x 262, its frame band
# shows the desktop darkened with rounded inner corners and the dial shows the
# shadow of a simulated summer noon. A second start fades in over the desktop.
. "$(dirname "$0")/lib.sh" "$1"

e2e_registry_summer_noon
e2e_registry_set IsBigClock -1
e2e_registry_set Language 0
e2e_start
e2e_check "the Settings dialog opens on the first start" e2e_wait_window Settings 30 >/dev/null
xdotool key Return
e2e_check "Return closes the dialog" e2e_wait_window_gone Settings
e2e_check "the gadget takes its small size once the dialog is closed" e2e_wait_size 262 262
e2e_check "the window is centred on the screen" [ "$E2E_X,$E2E_Y" = "$(((1280 - 262) / 2)),$(((1024 - 262) / 2))" ]
e2e_check "the gadget's picture settles" e2e_wait_settled
shot=$(e2e_screenshot small)

# The band: the desktop, darker than the picture itself, toward the inside.
read -r dr dg db <<< "$(e2e_desktop_pixel $((E2E_X + 5)) $((E2E_Y + 130)))"
e2e_rgb "$shot" $((E2E_X + 5)) $((E2E_Y + 130))
echo "band $E2E_R $E2E_G $E2E_B over desktop $dr $dg $db"
e2e_check "the frame band shows the desktop" [ $((E2E_R - E2E_G)) -gt 60 ]
e2e_check "the frame band darkens the desktop" [ "$E2E_R" -le $((dr - 15)) ]
e2e_rgb "$shot" $((E2E_X + 7)) $((E2E_Y + 7))
e2e_check "the band's inner corner is rounded" [ "$E2E_G" -lt 200 ]
e2e_rgb "$shot" $((E2E_X + 7)) $((E2E_Y + 130))
e2e_check "the card starts right after the band" [ "$E2E_G" -gt 240 ]

# The shadow: dark grey pixels under the gnomon foot at the centre.
dark=$(convert "$shot" -crop 60x100+$((E2E_X + 101))+$((E2E_Y + 131)) +repage -colorspace gray \
    -threshold 18% -negate -format '%[fx:round(mean*w*h)]' info:)
echo "dark pixels under the gnomon: $dark"
e2e_check "the dial shows the noon shadow" [ "$dark" -gt 40 ]
e2e_glide $((E2E_X + E2E_WIDTH - 22)) $((E2E_Y + 21))
xdotool click 1
e2e_check "the close button ends the program" e2e_wait_exit 10
e2e_check "the size chosen in the dialog is saved" [ "$(e2e_registry_get IsBigClock)" = 0 ]

# Second start: the stored size skips the dialog, and the card fades in: the
# first picture taken as soon as the window shows is not yet the white card.
e2e_launch "$E2E_EXE"
E2E_WINDOW=$(e2e_poll 30 eval 'xdotool search --onlyvisible --name "^Umbrant\$" 2>/dev/null | head -1 | grep .') ||
    e2e_fail "the gadget window appears"
early=$(e2e_screenshot fade-early)
e2e_geometry "$E2E_WINDOW"
e2e_check "the fade-in ends" e2e_wait_settled
late=$(e2e_screenshot fade-late)
e2e_geometry "$E2E_WINDOW"
e2e_rgb "$early" $((E2E_X + 40)) $((E2E_Y + 60))
early_g=$E2E_G
e2e_check "just after the window appeared the card is not yet white ($E2E_R $E2E_G $E2E_B)" [ "$early_g" -lt 240 ]
e2e_rgb "$late" $((E2E_X + 40)) $((E2E_Y + 60))
e2e_check "the card is opaque once the fade-in ends" [ "$E2E_G" -ge 240 ]
e2e_finish
