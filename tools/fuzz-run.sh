#!/bin/sh
# Runs one fuzz target for a bounded time from its seed folder, quietly:
#   fuzz-run.sh TARGET SEED_FOLDER SECONDS
# The inputs it finds go to a working corpus beside the target, never into
# the seed folder; a crash, a hang or a broken rule fails the run, prints
# the end of the log and the input, which belongs into the seed folder.
target=$1 seeds=$2 seconds=$3
work=$target.corpus
mkdir -p "$work"
log=$target.log
if "$target" "$work" "$seeds" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$target-" -print_final_stats=1 >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units' "$log"
    echo "$(basename "$target"): no fault in $seconds s"
    exit 0
fi
tail -n 40 "$log"
for input in "$target"-crash-* "$target"-timeout-* "$target"-oom-* "$target"-leak-*; do
    [ -e "$input" ] && echo "failing input: $input (keep it as a seed in $seeds)"
done
exit 1
