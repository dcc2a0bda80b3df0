#!/bin/bash
# Runs a Windows program under Wine with the project's prefix and display.
# CTest uses it as the emulator of the cross-compiled test executables:
#   wine-run.sh win32|win64 program.exe [arguments]
export UMBRANT_WINE_ARCH=$1
shift
. "$(dirname "$0")/wine-env.sh"
umbrant_ensure_display || exit 1
umbrant_ensure_prefix
umbrant_start_desktop
# The host's own dial moment, for the test that compares the real clock path
# under Wine with the host clock: UTC day of year and seconds, minus the
# standard-time bias (the smaller of the January and July offsets).
umbrant_offset_minutes() { local z; z=$(date -d "$1" +%z); echo $(( ${z:0:1}1 * (10#${z:1:2} * 60 + 10#${z:3:2}) )); }
jan=$(umbrant_offset_minutes "$(date +%Y)-01-01"); jul=$(umbrant_offset_minutes "$(date +%Y)-07-01")
std=$(( jan < jul ? jan : jul ))
read -r doy h m s <<< "$(date -u '+%-j %-H %-M %-S')"
export UMBRANT_HOST_MOMENT=$(( doy * 86400 + h * 3600 + m * 60 + s + std * 60 ))
exec "$UMBRANT_WINE" "$@"
