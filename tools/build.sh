#!/bin/bash
# Configures and builds one flavour: "native" (platform-free code, unit tests,
# benchmarks, tools), "win32" (the product, Umbrant.exe, and its Windows-side
# tests) or "win64" (the same sources for 64-bit Windows).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=$1
case $flavour in
    native) args=() ;;
    win32) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
    win64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake") ;;
    *) echo "usage: $0 native|win32|win64" >&2; exit 2 ;;
esac
dir=${UMBRANT_BUILD:-$root/build}/$flavour
if [ ! -f "$dir/Makefile" ]; then
    cmake -S "$root" -B "$dir" "${args[@]}" >/dev/null
fi
cmake --build "$dir" -j "$(nproc)" -- --no-print-directory -s
