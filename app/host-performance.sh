#!/bin/bash
# Figures of the running gadget under Wine, not a test:
#   app/host-performance.sh build/win64 [seconds]
# the composition times of the big dial (host_compose_bench), the time from
# the start of Umbrant.exe to its window on the screen, and the processor
# time the idle gadget and the Wine server take over a minute.
. "$(dirname "$0")/../tests/e2e/lib.sh" "$1"
seconds=${2:-60}

"$UMBRANT_WINE" "$E2E_WIN_BUILD/app/host_compose_bench.exe" | tr -d '\r'

e2e_registry_summer_noon 1
e2e_desktop
started=$(date +%s%N)
e2e_start
shown=$(date +%s%N)
echo "start of Umbrant.exe to its window shown: $(((shown - started) / 1000000)) ms (Wine start-up included)"

# utime + stime of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
prefix_inode=$(printf '%x' "$(stat -c %i "$WINEPREFIX")")
server=
for pid in $(pgrep -f wineserver); do
    readlink "/proc/$pid/cwd" | grep -q -- "-$prefix_inode\$" && server=$pid
done
sleep 5
gadget_before=$(cpu_ticks "$E2E_PID")
server_before=$([ -n "$server" ] && cpu_ticks "$server" || echo 0)
sleep "$seconds"
gadget_after=$(cpu_ticks "$E2E_PID")
server_after=$([ -n "$server" ] && cpu_ticks "$server" || echo 0)
hz=$(getconf CLK_TCK)
awk -v g=$((gadget_after - gadget_before)) -v s=$((server_after - server_before)) -v hz="$hz" -v t="$seconds" \
    'BEGIN { printf "idle gadget over %d s: %.2f s processor time (%.2f %% of one core), Wine server %.2f s (%.2f %%)\n",
             t, g / hz, 100 * g / hz / t, s / hz, 100 * s / hz / t }'
e2e_stop
