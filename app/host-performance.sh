#!/bin/bash
# Figures of the running gadget under Wine, not a test:
#   app/host-performance.sh build/win32 [seconds] [lines]
# the composition times of the big dial (host_compose_bench), the time from
# the start of Umbrant.exe to its window on the screen, and for the big dial
# left idle with the real clock at a local summer noon (46 degrees in the
# hemisphere where it is summer, a time zone whose noon is now) and the mouse
# resting on it: the processor time of the gadget and of its Wine server as
# a share of one core (the server's also after the gadget ended, with only
# Wine's own processes left, and the difference), the working set, and in a
# second run, traced, the timer messages and the composed frames per minute.
# With "lines" the idle dial draws the date lines and the clock's hours.
. "$(dirname "$0")/../tests/e2e/lib.sh" "$1"
seconds=${2:-120}
lines=$([ "${3:-}" = lines ] && echo 1 || echo 0)
# Before the figures are taken the fade-in ends and the start settles.
settle=5

"$UMBRANT_WINE" "$E2E_WIN_BUILD/app/host_compose_bench.exe" | tr -d '\r'

# Local standard time is noon when the zone is this far east of UTC.
now_minutes=$((10#$(date -u +%H) * 60 + 10#$(date -u +%M)))
east=$(((12 * 60 - now_minutes + 36 * 60) % (24 * 60) - 12 * 60))
sign=-
[ "$east" -lt 0 ] && { sign=+; east=$((-east)); }
export TZ=$(printf 'NOON%s%02d:%02d' "$sign" $((east / 60)) $((east % 60)))
month=$((10#$(date -u +%m)))
latitude=46
[ "$month" -lt 4 ] || [ "$month" -gt 9 ] && latitude=-46
echo "idle scenario: real clock, big dial, latitude $latitude, date and clock lines $lines, TZ=$TZ (local $(date +%H:%M) on $(date +%F))"

idle_settings() {
    e2e_registry_reset
    e2e_registry_set IsBigClock 1
    e2e_registry_set GeoLatitude "$latitude"
    e2e_registry_set IsSimulateDateTime 0
    e2e_registry_set IsDateLines "$lines"
    e2e_registry_set HourLines "$lines"
}

# Processor time of a process, all its threads, in nanoseconds (the
# scheduler's own account: clock ticks of 10 ms are too coarse for a gadget
# that runs a few milliseconds a minute).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%d\n", t }'; }
# A field of /proc/pid/status in kB; the resident set is what Windows calls
# the working set.
status_kb() { awk -v field="$2:" '$1 == field { print $2 }' "/proc/$1/status"; }

# A console program that waits on an empty pipe keeps Wine's own processes
# and the server up once the gadget has ended; it starts first, so that its own start-up
# falls outside the gadget's figures.
holder_pipe=$E2E_ARTIFACTS/holder.pipe
mkfifo "$holder_pipe"
( exec 3<>"$holder_pipe"; exec "$UMBRANT_WINE" cmd /k <&3 >/dev/null 2>&1 ) &
holder=$!

idle_settings
e2e_desktop
started=$(date +%s%N)
e2e_start
shown=$(date +%s%N)
echo "start of Umbrant.exe to its window shown: $(((shown - started) / 1000000)) ms (Wine start-up included)"

prefix_inode=$(printf '%x' "$(stat -c %i "$WINEPREFIX")")
server=
for pid in $(pgrep -f wineserver); do
    readlink "/proc/$pid/cwd" | grep -q -- "-$prefix_inode\$" && server=$pid
done
# The mouse rests on the dial, as it is often left.
e2e_move $((E2E_X + E2E_WIDTH / 2)) $((E2E_Y + E2E_HEIGHT / 2))
sleep "$settle"
gadget_before=$(cpu_ns "$E2E_PID")
server_before=$([ -n "$server" ] && cpu_ns "$server" || echo 0)
sleep "$seconds"
gadget_after=$(cpu_ns "$E2E_PID")
server_after=$([ -n "$server" ] && cpu_ns "$server" || echo 0)
working_set=$(status_kb "$E2E_PID" VmRSS)
peak_working_set=$(status_kb "$E2E_PID" VmHWM)
server_with=$((server_after - server_before))
awk -v g=$((gadget_after - gadget_before)) -v s="$server_with" -v t="$seconds" \
    'BEGIN { printf "idle gadget over %d s: %.1f ms processor time (%.4f %% of one core), Wine server %.1f ms (%.3f %%)\n",
             t, g / 1e6, 1e-7 * g / t, s / 1e6, 1e-7 * s / t }'
echo "working set: ${working_set} kB (peak ${peak_working_set} kB)"
kill "$E2E_PID"
wait "$E2E_PID" 2>/dev/null
sleep "$settle"
server_before=$([ -n "$server" ] && cpu_ns "$server" || echo 0)
sleep "$seconds"
server_after=$([ -n "$server" ] && cpu_ns "$server" || echo 0)
# Wine's server wakes every 16 ms for as long as any Wine process runs (it
# keeps the shared clock page current), so only the difference is the
# gadget's; that tick alone varies by a few hundredths of a percent.
awk -v s=$((server_after - server_before)) -v w="$server_with" -v t="$seconds" \
    'BEGIN { printf "Wine server without the gadget over %d s: %.1f ms (%.3f %%); with the gadget minus without: %.3f %%\n",
             t, s / 1e6, 1e-7 * s / t, 1e-7 * (w - s) / t }'
e2e_stop
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null

# The second run traces every window procedure call and the calls of BitBlt;
# a composed frame ends in one BitBlt of the whole window from the origin of
# the composition (the background copies come from screen positions).
relay_key='HKCU\Software\Wine\Debug'
e2e_reg add "$relay_key" /v RelayInclude /d gdi32.BitBlt /f >/dev/null
idle_settings
log=$E2E_ARTIFACTS/wine.log
WINEDEBUG=+relay e2e_start
sleep "$settle"
from=$(wc -l < "$log")
sleep "$seconds"
to=$(wc -l < "$log")
size=$(printf '%08x,%08x' "$E2E_WIDTH" "$E2E_HEIGHT")
sed -n "$((from + 1)),${to}p" "$log" | awk -v size="$size" -v t="$seconds" '
    /Call window proc .*msg=WM_TIMER/ { timers++ }
    /Call gdi32\.BitBlt\(/ && index($0, "00000000,00000000," size ",") && index($0, ",00000000,00000000,00cc0020)") { frames++ }
    END { printf "idle gadget per minute: %.1f timer messages, %.1f composed frames\n", timers * 60 / t, frames * 60 / t }'
e2e_stop
e2e_reg delete "$relay_key" /v RelayInclude /f >/dev/null
