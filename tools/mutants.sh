#!/bin/bash
# Makes each slip of tools/mutants.txt in turn in a scratch copy of the
# sources, builds the native unit and oracle tests and runs them: prints the
# slips the tests let through and the share they catch.
#
#   tools/mutants.sh [-l LIST] [-t SECONDS] [PATTERN]
#
# -l LIST     the slips (default tools/mutants.txt): one a line, tab-separated
#             file, text, replacement ("\n" stands for a line break); blank
#             lines and lines starting with # are skipped
# -t SECONDS  the most one slip's tests may run (default 300); longer counts
#             as caught, as a hang is a failure
# PATTERN     only the slips whose line contains it (grep -F)
#
# UMBRANT_MUTANTS_TREE picks the sources to copy (default: this tree), and
# UMBRANT_MUTANTS_DIR the scratch folder (default build/mutants). The copy in
# DIR/src and the build in DIR/build persist, so that each slip recompiles one
# object file (ccache brings back the unchanged one) and relinks the tests.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/tools/mutants.txt
limit=300
while getopts "l:t:" option; do
    case $option in
        l) list=$OPTARG ;;
        t) limit=$OPTARG ;;
        *) sed -n '6,14p' "$0" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
pattern=${1:-}
tree=$(cd "${UMBRANT_MUTANTS_TREE:-$root}" && pwd)
work=${UMBRANT_MUTANTS_DIR:-$root/build/mutants}
src=$work/src
build=$work/build
log=$work/log
mkdir -p "$src" "$build" "$log"

# With ccache, a slip undone brings its file's object back from the cache.
if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
    export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$work}
fi

# The copy takes every source file of the tree (git's list, or every file
# outside build folders and .git), rewriting only those that differ, so that
# unchanged files keep their times and stay built.
sources() {
    if [ "$(git -C "$tree" rev-parse --show-toplevel 2>/dev/null)" = "$tree" ]; then
        git -C "$tree" ls-files -co --exclude-standard
    else
        (cd "$tree" && find . -path ./.git -prune -o -path './build*' -prune -o -type f -print | sed 's|^\./||')
    fi
}
sources | while IFS= read -r file; do
    [ -f "$tree/$file" ] || continue
    if ! cmp -s "$tree/$file" "$src/$file"; then
        mkdir -p "$(dirname "$src/$file")"
        cp "$tree/$file" "$src/$file"
    fi
done

targets=(umbrant_tests)
build_tests() {
    nice cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" -- --no-print-directory -s
}
run_tests() {
    local t
    for t in "${targets[@]}"; do
        timeout "$limit" nice "$build/$t" --gtest_brief=1 --gtest_fail_fast || return 1
    done
}

if [ ! -f "$build/Makefile" ]; then
    cmake -S "$src" -B "$build" >"$log/configure.txt" 2>&1 || { cat "$log/configure.txt"; exit 1; }
fi
grep -q '^umbrant_oracle_tests:' "$build/Makefile" && targets+=(umbrant_oracle_tests)
echo "building the tests of the unchanged copy..."
if ! build_tests >"$log/unchanged.txt" 2>&1 || ! run_tests >>"$log/unchanged.txt" 2>&1; then
    echo "the unchanged copy fails its build or tests: see $log/unchanged.txt" >&2
    exit 1
fi

# Literal text and replacement in perl, through the environment: no quoting.
count_in() {
    SLIP_TEXT=$2 perl -0777 -ne 'my $n = () = /\Q$ENV{SLIP_TEXT}\E/g; print $n' "$1"
}
replace_in() {
    SLIP_TEXT=$2 SLIP_NEW=$3 perl -0777 -pi -e 's/\Q$ENV{SLIP_TEXT}\E/$ENV{SLIP_NEW}/' "$1"
}
unescape() {
    printf '%s' "${1//\\n/$'\n'}"
}

caught=0 survived=0 broken=0 number=0
let_through=() unusable=()
while IFS= read -r line || [ -n "$line" ]; do
    case $line in '' | '#'*) continue ;; esac
    [ -n "$pattern" ] && [[ $line != *"$pattern"* ]] && continue
    number=$((number + 1))
    IFS=$'\t' read -r file text replacement <<<"$line"
    text=$(unescape "$text")
    replacement=$(unescape "${replacement:-}")
    name="$file: '$text' -> '$replacement'"
    target=$src/$file
    if [ ! -f "$target" ] || [ "$(count_in "$target" "$text")" != 1 ]; then
        echo "BROKEN   $name (the text must occur exactly once)"
        broken=$((broken + 1)) unusable+=("$name")
        continue
    fi
    cp -p "$target" "$work/original"
    replace_in "$target" "$text" "$replacement"
    out=$log/slip-$number.txt
    if ! build_tests >"$out" 2>&1; then
        echo "BROKEN   $name (does not build: $out)"
        broken=$((broken + 1)) unusable+=("$name")
    elif run_tests >>"$out" 2>&1; then
        echo "PASSED   $name"
        survived=$((survived + 1)) let_through+=("$name")
    else
        echo "caught   $name"
        caught=$((caught + 1))
    fi
    # The original back, newer than the slip's object, so that it is rebuilt.
    cp "$work/original" "$target"
    touch "$target"
done <"$list"

build_tests >/dev/null 2>&1
total=$((caught + survived))
echo
echo "Slips the tests let through ($survived):"
for name in "${let_through[@]}"; do echo "  $name"; done
if [ "$broken" -gt 0 ]; then
    echo "Slips that could not be made ($broken):"
    for name in "${unusable[@]}"; do echo "  $name"; done
fi
if [ "$total" -gt 0 ]; then
    echo "Caught $caught of $total slips: $((100 * caught / total)) %"
fi
[ "$survived" -eq 0 ] && [ "$broken" -eq 0 ]
