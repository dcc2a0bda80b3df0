#!/bin/bash
# Installs what is missing, builds Umbrant.exe and runs it under Wine: on the
# user's display when DISPLAY is set, otherwise on a virtual display, where
# the first start's Settings dialog and then the gadget over a desktop
# picture are saved as screenshots and their paths printed.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
# A Wine prefix of its own: the gadget's settings stay apart from the tests'.
export WINEPREFIX=${WINEPREFIX:-${UMBRANT_BUILD:-$root/build}/wineprefix-run}
. "$root/tools/wine-env.sh"
"$root/tools/build.sh" "$UMBRANT_WINE_ARCH"
exe=$UMBRANT_WIN_BUILD/app/Umbrant.exe
umbrant_ensure_prefix
if [ -n "$DISPLAY" ]; then
    exec "$UMBRANT_WINE" "$exe" "$@"
fi
umbrant_ensure_display
# Without a display: a desktop picture of our own (a sky over a field), the
# first start's Settings dialog when it comes, then the gadget once it closes.
build=${UMBRANT_BUILD:-$root/build}
desktop=$build/run-desktop.png
[ -f "$desktop" ] || convert -size 1280x1024 gradient:'#5d8fd0'-'#cfe3f5' \
    \( -size 1280x300 gradient:'#6f9c45'-'#3f6b2a' \) -gravity south -composite "$desktop"
display -immutable -borderwidth 0 -geometry +0+0 "$desktop" 2>/dev/null &
picture=$!
"$UMBRANT_WINE" "$exe" "$@" &
pid=$!
trap 'kill $pid $picture 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
# Prints the id of the first visible window titled like one of the arguments
# within $1 tenths of a second.
wait_window() {
    local tenths=$1 name id
    shift
    for _ in $(seq "$tenths"); do
        for name in "$@"; do
            id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -1)
            [ -n "$id" ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}
if dialog=$(wait_window 300 Settings Nastavitve); then
    sleep 1  # the dialog paints its controls after it maps
    import -window root "$build/umbrant-first-start.png"
    echo "screenshot: $build/umbrant-first-start.png"
    xdotool windowfocus "$dialog" key Escape 2>/dev/null
    while xdotool search --onlyvisible --name '^(Settings|Nastavitve)$' >/dev/null 2>&1; do sleep 0.1; done
fi
wait_window 100 Umbrant >/dev/null
sleep 1  # the gadget fades in
import -window root "$build/umbrant-screenshot.png"
echo "screenshot: $build/umbrant-screenshot.png"
