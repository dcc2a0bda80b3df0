#!/bin/bash
# Makes a release of the committed sources: builds the 32-bit product afresh
# into build/release/win32 and writes build/release/Umbrant-VERSION.zip
# (Umbrant.exe and README.txt for Windows users), a copy of Umbrant.exe and
# SHA256SUMS of both. Two releases of one commit are the same bytes, whatever
# folder and time they are made in.
#   tools/release.sh [--dirty]   # --dirty: build uncommitted changes as well
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
case $1 in
    "") dirty=no ;;
    --dirty) dirty=yes ;;
    *) echo "usage: $0 [--dirty]" >&2; exit 2 ;;
esac
"$root/tools/setup.sh"

changes=$(git -C "$root" status --porcelain)
if [ -n "$changes" ]; then
    if [ $dirty = no ]; then
        echo "release: the tree has uncommitted changes; commit them, or pass --dirty to build them anyway:" >&2
        echo "$changes" >&2
        exit 1
    fi
    echo "release: building uncommitted changes (--dirty): no commit builds these bytes" >&2
fi
# Where a time is needed, the commit's (zip entries; see reproducible-builds.org).
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}

out=${UMBRANT_BUILD:-$root/build}/release
build=$out/win32
rm -rf "$out"
mkdir -p "$out"
# Every object compiled here, none taken from a compiler cache.
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
nice cmake --build "$build" --target Umbrant -j "$(nproc)" -- --no-print-directory -s
version=$(cat "$build/version.txt")
zip=Umbrant-$version.zip

cp "$build/app/Umbrant.exe" "$out/Umbrant.exe"
# Notepad reads UTF-8 by its byte-order mark; Windows line ends.
{
    printf '\357\273\277'
    sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/tools/release/README.txt"
} > "$build/README.txt"

# The entries in a fixed order with fixed times and modes; the times are
# UTC, whatever the zone of the machine.
python3 - "$out/$zip" "$SOURCE_DATE_EPOCH" "$build/README.txt" "$out/Umbrant.exe" <<'PYTHON'
import os, sys, time, zipfile
archive, epoch, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
stamp = time.gmtime(max(epoch, 315532800))[:6]  # the format starts in 1980
with zipfile.ZipFile(archive, "w") as out:
    for path in files:
        entry = zipfile.ZipInfo(os.path.basename(path), stamp)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.create_system = 3
        mode = 0o100755 if path.endswith(".exe") else 0o100644  # runnable under Wine once unpacked
        entry.external_attr = mode << 16
        with open(path, "rb") as data:
            out.writestr(entry, data.read(), compresslevel=9)
PYTHON
(cd "$out" && sha256sum "$zip" Umbrant.exe > SHA256SUMS)
echo "release $version of $(git -C "$root" rev-parse --short HEAD)$([ -n "$changes" ] && echo ' with uncommitted changes'):"
(cd "$out" && ls -l "$zip" Umbrant.exe && cat SHA256SUMS)
