# Shared helpers of the dial picture tests: sourced by tests/e2e/dial_*.sh,
# which get the Windows build dir as their first argument. They paint dial
# frames with umbrant-render (the gadget's own painting code and real GDI
# under Wine) and measure the pictures with ImageMagick and awk.
#
#   . "$(dirname "$0")/dial_lib.bash" "$1"
#   dial_render name --lat 45 --day 172 --time 9:00   # $DIAL_OUT/name.bmp
#   dial_check "what" command...                      # a failure is reported
#   dial_finish                                       # exit 1 after any failure
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1"
DIAL_WIN_BUILD=$E2E_WIN_BUILD
DIAL_RENDER=$DIAL_WIN_BUILD/app/umbrant-render.exe
DIAL_OUT=$E2E_ARTIFACTS
DIAL_FAILED=0
[ -x "$DIAL_RENDER" ] || { echo "no $DIAL_RENDER"; exit 77; }

# Paints $DIAL_OUT/$1.bmp; fails the test when the tool fails or hangs.
dial_render() {
    local name=$1
    shift
    if ! timeout 60 "$UMBRANT_WINE" "$DIAL_RENDER" "$@" -o "$DIAL_OUT/$name.bmp" ||
        [ ! -s "$DIAL_OUT/$name.bmp" ]; then
        echo "FAIL: umbrant-render $* did not paint a picture"
        exit 1
    fi
}

# Records a failed check with the picture to look at; the script goes on.
dial_check() {
    e2e_verdict "$@" && return 0
    echo "pictures: $DIAL_OUT"
    DIAL_FAILED=1
}

dial_finish() { exit $DIAL_FAILED; }

# Every pixel of a picture as "x y r g b" lines, row by row; from the raw
# bytes, which ImageMagick writes many times faster than its text listing.
dial_pixels() {
    local file=$DIAL_OUT/$1.bmp
    convert "$file" -depth 8 rgb:- | od -An -v -tu1 -w3 |
        awk -v width="$(identify -format %w "$file")" '{ print (NR - 1) % width, int((NR - 1) / width), $1, $2, $3 }'
}

# "r g b" of one pixel.
dial_pixel() {
    convert "$DIAL_OUT/$1.bmp" -depth 8 -crop "1x1+$2+$3" txt:- |
        awk -F'[ ,:()]+' 'NR > 1 { print $3, $4, $5 }'
}

# Direction in degrees (0 = right, 90 = down the screen) and count of the
# dark grey pixels (the shadow, not the brown gnomon) between radius $2 and
# $3 around the centre of a picture $4 pixels wide.
dial_shadow_direction() {
    dial_pixels "$1" | awk -v r0="$2" -v r1="$3" -v c="$(( $4 / 2 ))" '
        function max(a, b) { return a > b ? a : b }
        function min(a, b) { return a < b ? a : b }
        {
            dx = $1 - c; dy = $2 - c; r = sqrt(dx * dx + dy * dy)
            hi = max($3, max($4, $5)); lo = min($3, min($4, $5))
            if (r >= r0 && r <= r1 && hi < 80 && hi - lo < 12) { sx += dx; sy += dy; n++ }
        }
        END { if (n == 0) print "none", 0; else printf "%.1f %d\n", atan2(sy, sx) * 180 / 3.14159265, n }'
}

# Whether two angles in degrees lie within $3 degrees of each other.
dial_angles_close() {
    awk -v a="$1" -v b="$2" -v tol="$3" 'BEGIN {
        d = a - b; while (d > 180) d -= 360; while (d < -180) d += 360
        exit !(d <= tol && d >= -tol) }'
}
