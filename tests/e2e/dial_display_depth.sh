#!/bin/bash
# On a display of 16 bits per pixel the painted dial is dithered to the
# levels it can show (multiples of 8, and 255); deeper displays get the
# frame unchanged.
. "$(dirname "$0")/dial_lib.bash" "$1"

dial_render deep --lat 45 --day 172 --time 10:00 --depth 32
dial_render depth16 --lat 45 --day 172 --time 10:00 --depth 16
off=$(dial_pixels depth16 | awk '{ for (i = 3; i <= 5; i++) if ($i % 8 && $i != 255) n++ } END { print n + 0 }')
dial_check "16 bits: every channel a multiple of 8 or 255 ($off others)" [ "$off" = 0 ]
odd=$(dial_pixels deep | awk '{ for (i = 3; i <= 5; i++) if ($i % 8 && $i != 255) n++ } END { print n + 0 }')
dial_check "32 bits: the frame keeps its levels ($odd channels between)" [ "$odd" -gt 1000 ]
dial_finish
