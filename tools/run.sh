#!/bin/bash
# Installs what is missing, builds Umbrant.exe and runs it under Wine: on the
# user's display when DISPLAY is set, otherwise on a virtual display for a few
# seconds, after which a screenshot is saved and its path printed.
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
shot=$UMBRANT_BUILD/umbrant-screenshot.png
"$UMBRANT_WINE" "$exe" "$@" &
pid=$!
sleep 6
import -window root "$shot"
kill $pid 2>/dev/null || true
wineserver -k 2>/dev/null || true
echo "screenshot: $shot"
