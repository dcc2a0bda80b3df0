#!/bin/bash
# Paints every dial of moments.txt with umbrant-render under Wine and checks
# that each picture is byte for byte the one recorded for the flavour that
# runs (reference-win32.sha256 or reference-win64.sha256: the two builds'
# maths libraries differ in the last bit here and there), so that any change
# of the painting shows up. --update records the pictures as
# they are now; --keep DIR leaves the BMP files there to look at.
#   tools/render/compare.sh [--update] [--keep DIR] [windows-build-dir]
set -e
here=$(cd "$(dirname "$0")" && pwd)
update=0 keep=
while [ $# -gt 0 ]; do
    case $1 in
        --update) update=1 ;;
        --keep) keep=$2; shift ;;
        *) break ;;
    esac
    shift
done
. "$here/../wine-env.sh"
build=${1:-$UMBRANT_WIN_BUILD}
reference=$here/reference-$UMBRANT_WINE_ARCH.sha256
render=$build/app/umbrant-render.exe
[ -x "$render" ] || { echo "no $render: build it first (tools/build.sh $UMBRANT_WINE_ARCH)" >&2; exit 1; }
umbrant_ensure_display
umbrant_ensure_prefix
out=${keep:-$(mktemp -d)}
mkdir -p "$out"
[ -n "$keep" ] || trap 'rm -rf "$out"' EXIT

sums=$out/sums
: > "$sums"
while read -r name options; do
    case $name in '' | '#'*) continue ;; esac
    # shellcheck disable=SC2086  # the options are words of their own
    "$UMBRANT_WINE" "$render" $options -o "$out/$name.bmp"
    (cd "$out" && sha256sum "$name.bmp") >> "$sums"
done < "$here/moments.txt"

if [ $update = 1 ]; then
    cp "$sums" "$reference"
    echo "recorded $(wc -l < "$sums") pictures in $reference"
    exit 0
fi
changed=$(diff <(sort -k2 "$reference") <(sort -k2 "$sums") | awk '/^>/ { print $3 }')
total=$(wc -l < "$sums")
if [ -n "$changed" ]; then
    echo "pictures that changed (painted into ${keep:-a temporary folder; use --keep DIR to see them}):"
    echo "$changed" | sed 's/^/  /'
    exit 1
fi
echo "all $total pictures byte-identical"
