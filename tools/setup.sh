#!/bin/sh
# Installs everything the build and the tests need on Debian 12. Idempotent:
# does nothing when every package is already present. Must run as root.
set -e
PACKAGES="g++ cmake make g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools \
wine wine32:i386 wine64 xvfb xdotool x11-xkb-utils xkb-data imagemagick x11-utils googletest libgtest-dev \
libbenchmark-dev libnova-dev \
python3 clang libclang-rt-14-dev locales zopfli libz-mingw-w64-dev zlib1g-dev"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" != 0 ]; then
    if command -v sudo >/dev/null; then exec sudo "$0" "$@"; fi
    echo "setup: missing packages:$missing (run as root)" >&2
    exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null
apt-get install -y -qq --no-install-recommends $missing >/dev/null
