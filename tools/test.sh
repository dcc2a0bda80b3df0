#!/bin/bash
# Installs what is missing, builds every flavour and runs every test: the
# native unit tests (sanitized) and, under Wine on a virtual display, the
# Windows-side unit tests and the end-to-end tests. Exits non-zero when a
# test fails.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
. "$root/tools/wine-env.sh"
"$root/tools/build.sh" native
"$root/tools/build.sh" win32
[ "$UMBRANT_WINE_ARCH" = win64 ] && "$root/tools/build.sh" win64
if [ "$UMBRANT_WINE_ARCH" = win32 ]; then
    echo "testing the 32-bit product, build/win32, under 32-bit Wine"
else
    echo "testing the 64-bit twin, build/win64: this machine does not run 32-bit code"
fi
status=0
# The native tests share nothing, so they run side by side (the fuzz
# targets take most of their time). The tests under Wine run side by side in
# lanes, each with an X display and Wine prefixes of its own, made by its
# first test (tools/wine-env.sh); the reproducible build runs beside them.
(cd "$UMBRANT_BUILD/native" && ctest --output-on-failure --timeout 900 -j "$(nproc)" "$@") || status=1
lanes=$(grep -o '"id"' "$UMBRANT_WIN_BUILD/lanes.json" | wc -l)
(cd "$UMBRANT_WIN_BUILD" && ctest --output-on-failure --timeout 900 -j $((lanes + 1)) "$@") || status=1
# Where the 64-bit twin ran the tests, still check the 32-bit product.
if [ "$UMBRANT_WINE_ARCH" = win64 ]; then
    (cd "$UMBRANT_BUILD/win32" && ctest --output-on-failure -R 'system_dlls_only|reproducible_build') || status=1
fi
if [ $status = 0 ]; then echo "all tests passed"; else echo "TESTS FAILED" >&2; fi
exit $status
