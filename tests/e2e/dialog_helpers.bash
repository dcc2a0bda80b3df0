# Helpers of the dialog end-to-end tests, sourced after lib.sh: they read a
# dialog's controls through the dialog_probe tool (see DialogProbe.cpp) and
# press its keys and links like a person would.
DLG_PROBE=$E2E_WIN_BUILD/dialogs/dialog_probe.exe
[ -f "$DLG_PROBE" ] || { echo "no $DLG_PROBE"; exit 77; }
export TZ=UTC

# The probe's lines for the visible dialog titled $1; fails when there is none.
dlg_probe() {
    local out
    out=$("$UMBRANT_WINE" "$DLG_PROBE" "$1" 2>/dev/null) || return 1
    printf '%s\n' "$out" | tr -d '\r'
}

# "<minimised> <foreground>" of the top-level window titled $1, minimised
# first when $2 is "minimise".
dlg_window_state() {
    "$UMBRANT_WINE" "$DLG_PROBE" -window "$@" 2>/dev/null | tr -d '\r' | cut -d' ' -f2-
}

# The lines of the tool tips that show; with "-tipfit" each tip's line
# "tipfit <width> <longest line>" instead (see DialogProbe.cpp).
dlg_tip_lines() { "$UMBRANT_WINE" "$DLG_PROBE" "${1:--tip}" 2>/dev/null | tr -d '\r'; }
# Whether a line of the tips that show matches the pattern $1.
dlg_tip_says() { dlg_tip_lines | grep -q -- "$1"; }

# Rests the mouse on the gadget's dial once its picture has settled and
# checks that a tip shows; $1 says where, for the check's message.
dlg_rest_on_dial() {
    e2e_check "the gadget's picture settles" e2e_wait_settled
    e2e_glide $((E2E_X + E2E_WIDTH / 2 - 30)) $((E2E_Y + E2E_HEIGHT / 2 + 20))
    e2e_check "a tip shows after a rest on the dial${1:+ $1}" e2e_poll 10 dlg_tip_says .
}

# Waits up to $2 seconds (default 20) for the dialog titled $1.
dlg_wait() {
    for _ in $(seq $((${2:-20} * 4))); do
        dlg_probe "$1" >/dev/null && return 0
        sleep 0.25
    done
    return 1
}

# Waits up to 10 seconds until no dialog titled $1 is shown, then until the
# gadget window answers. Without a window manager Wine waits up to 2 seconds
# for a hidden window to be withdrawn, and input that arrives meanwhile is
# lost; the thread that waits is the gadget window's, whose dialogs they are,
# and it answers only once it is done. Before the gadget window exists (the
# first start's dialog) nothing takes input until it shows.
dlg_wait_gone() {
    for _ in $(seq 40); do
        if ! dlg_probe "$1" >/dev/null; then
            "$UMBRANT_WINE" "$DLG_PROBE" -answers Umbrant >/dev/null 2>&1
            [ $? != 2 ] && return 0
            echo "the gadget window does not answer"
            return 1
        fi
        sleep 0.25
    done
    return 1
}

# One control's line of the dialog $1: id $2.
dlg_line() { dlg_probe "$1" | awk -v id="$2" '$1 == id { print; exit }'; }
# Its text, its state (check state or track-bar position) and whether it is enabled.
dlg_text() { dlg_line "$1" "$2" | cut -d' ' -f9-; }
dlg_state() { dlg_line "$1" "$2" | cut -d' ' -f4; }
dlg_enabled() { [ "$(dlg_line "$1" "$2" | cut -d' ' -f3)" = 1 ]; }
dlg_disabled() { [ "$(dlg_line "$1" "$2" | cut -d' ' -f3)" = 0 ]; }
# Whether some control of dialog $1 shows exactly the text $2.
dlg_shows() { dlg_probe "$1" | cut -d' ' -f9- | grep -qxF "$2"; }

# Clicks the middle of control $2 of dialog $1.
dlg_click() {
    local l t r b
    read -r l t r b <<< "$(dlg_line "$1" "$2" | cut -d' ' -f5-8)"
    [ -n "$b" ] || return 1
    e2e_click $(((l + r) / 2)) $(((t + b) / 2))
}

# Keys pressed on whatever has the keyboard focus, then a pause: callers
# read the dialog right after, and nothing outside Wine shows that it has
# handled the last key.
dlg_keys() { xdotool key --delay 60 "$@"; sleep 0.5; }

# Polls "$@" for up to 5 seconds.
dlg_eventually() {
    for _ in $(seq 20); do
        "$@" && return 0
        sleep 0.25
    done
    return 1
}

# The settings button of the gadget window, 16 pixels square, 48 pixels left
# of the right edge and 13 below the top.
dlg_open_settings() {
    e2e_geometry "$E2E_WINDOW"
    e2e_click $((E2E_X + E2E_WIDTH - 40)) $((E2E_Y + 21))
    dlg_wait "$1" 10
}

# Drags the gadget to the top-left corner, out from under the centred
# dialogs, and checks that it got there.
dlg_drag_gadget_to_corner() {
    local grab_x=$((E2E_X + 40)) grab_y=$((E2E_Y + 130)) corner=40
    xdotool mousemove $grab_x $grab_y mousedown 1
    for step in $(seq 16); do
        xdotool mousemove $((grab_x - step * (E2E_X - corner) / 16)) $((grab_y - step * (E2E_Y - corner) / 16))
        sleep 0.1
    done
    # A rest before the release, so that Wine has seen the last motion.
    sleep 0.3
    xdotool mouseup 1
    e2e_wait_place $corner $corner >/dev/null
    echo "gadget dragged to $E2E_X,$E2E_Y"
    e2e_check "the gadget is dragged to the top-left corner" \
        [ "$E2E_X" -ge 0 -a "$E2E_X" -lt 100 -a "$E2E_Y" -ge 0 -a "$E2E_Y" -lt 100 ]
    e2e_check "the gadget's picture settles after the drag" e2e_wait_settled
}

# The dial part of a new screenshot, named $1; prints its file.
dial_shot() {
    local shot
    shot=$(e2e_screenshot "$1")
    convert "$shot" -crop "${E2E_WIDTH}x$E2E_HEIGHT+$E2E_X+$E2E_Y" +repage "${shot%.png}-dial.png"
    echo "${shot%.png}-dial.png"
}
# Waits up to 5 seconds for the dial to differ from picture $1 in more than
# $2 pixels; prints the last count.
dial_changed_from() {
    local count
    for _ in $(seq 10); do
        sleep 0.5
        count=$(compare -metric AE -fuzz 10% "$1" "$(dial_shot changed)" null: 2>&1)
        [ "${count%.*}" -gt "$2" ] && break
    done
    echo "${count%.*}"
}
