#!/bin/bash
# Pictures of the gadget and its dialogs at 96, 144 and 192 dpi, in English
# and Slovenian, into docs/ (or the folder given): each taken on an X server
# and Wine prefix of its own, the first start's Settings dialog, the same
# with the list of places "mari" names open, About over it, and the gadget
# once Settings closes; then, at 96 dpi, the big dial on a summer noon with
# the tip that a rest of the mouse on it brings, in both languages
# (tip-eng.png, tip-slo.png). With --tip only those two.
#   tools/screenshots.sh [--tip] [folder]
root=$(cd "$(dirname "$0")/.." && pwd)
only_tip=
[ "$1" = --tip ] && { only_tip=1; shift; }
out=$(mkdir -p "${1:-$root/docs}" && cd "${1:-$root/docs}" && pwd)
export UMBRANT_BUILD=${UMBRANT_BUILD:-$root/build}
. "$root/tools/wine-env.sh"
set -- "$UMBRANT_BUILD/$UMBRANT_WINE_ARCH"
. "$root/tests/e2e/lib.sh" "$1"
. "$root/tests/e2e/dialog_helpers.bash"
. "$root/tests/e2e/display_helpers.bash"

# The X window of the visible dialog titled $1 cut out of a screenshot into
# $2 (without a window manager Wine's X window holds what Wine draws).
shoot_dialog() {
    local E2E_X E2E_Y E2E_WIDTH E2E_HEIGHT
    e2e_geometry "$(e2e_wait_window "$1" 10)"
    convert "$(e2e_screenshot "$1")" -crop "${E2E_WIDTH}x$E2E_HEIGHT+$E2E_X+$E2E_Y" +repage "$2"
}

# The gadget with the tip over its dial, in the language of stored value $1,
# cut out with a margin into $2.
shoot_tip() {
    local -x TZ=Europe/Ljubljana
    local margin=16 tip_width tip_height tip_x tip_y left top right bottom
    e2e_registry_summer_noon 1
    e2e_registry_set Language "$1"
    e2e_start
    dlg_rest_on_dial
    read -r _ tip_width tip_height tip_x tip_y <<< "$(e2e_popups | head -1)"
    left=$((E2E_X < tip_x ? E2E_X : tip_x))
    top=$((E2E_Y < tip_y ? E2E_Y : tip_y))
    right=$((E2E_X + E2E_WIDTH > tip_x + tip_width ? E2E_X + E2E_WIDTH : tip_x + tip_width))
    bottom=$((E2E_Y + E2E_HEIGHT > tip_y + tip_height ? E2E_Y + E2E_HEIGHT : tip_y + tip_height))
    convert "$(e2e_screenshot tip)" \
        -crop "$((right - left + 2 * margin))x$((bottom - top + 2 * margin))+$((left - margin))+$((top - margin))" \
        +repage "$2"
    e2e_stop
}

display_start 1280x1024+0+0 || { echo "no X server of its own"; exit 1; }
e2e_on_exit display_stop
e2e_desktop
[ -n "$only_tip" ] && dpis=() || dpis=(96 144 192)
for dpi in "${dpis[@]}"; do
    display_set_dpi $dpi
    for language in eng slo; do
        e2e_registry_reset
        if [ $language = eng ]; then
            e2e_registry_set Language 0
            settings=Settings
        else
            e2e_registry_set Language 4096
            settings=Nastavitve
        fi
        e2e_launch "$E2E_EXE"
        dlg_wait $settings 30 || { echo "no $settings dialog at $dpi dpi"; exit 1; }
        shoot_dialog $settings "$out/settings-$language-$dpi.png"
        dlg_click $settings 255
        xdotool key --delay 60 ctrl+a BackSpace
        xdotool type --delay 60 mari
        dlg_eventually eval "[ \"\$(dlg_state $settings 256)\" = 10 ]" || { echo "no places listed at $dpi dpi"; exit 1; }
        shoot_dialog $settings "$out/settings-places-$language-$dpi.png"
        dlg_keys Escape
        dlg_click $settings 240
        dlg_wait About 10 || { echo "no About dialog at $dpi dpi"; exit 1; }
        shoot_dialog About "$out/about-$language-$dpi.png"
        dlg_click About 1
        dlg_wait_gone About
        if [ $language = eng ]; then
            dlg_keys Escape
            dlg_wait_gone $settings
            E2E_WINDOW=$(e2e_wait_window Umbrant 30)
            e2e_geometry "$E2E_WINDOW"
            margin=16
            convert "$(e2e_screenshot gadget)" \
                -crop "$((E2E_WIDTH + 2 * margin))x$((E2E_HEIGHT + 2 * margin))+$((E2E_X - margin))+$((E2E_Y - margin))" \
                +repage "$out/gadget-$dpi.png"
        fi
        e2e_stop
    done
done
display_set_dpi 96
shoot_tip 0 "$out/tip-eng.png"
shoot_tip 4096 "$out/tip-slo.png"
echo "pictures: $out"
