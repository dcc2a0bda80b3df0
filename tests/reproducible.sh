#!/bin/bash
# The product built again from a copy of the sources in a folder of another
# name and depth, without a compiler cache, must give the same bytes as the
# build tree's own: no time stamp and no build path may reach the executable.
# Only the executable is built, every object compiled here from the copy.
# usage: reproducible.sh source-dir toolchain-file-name build-dir executable
src=$1 toolchain=$2 build=$3 first=$4
work=$build/reproducible
folder=$work/second-folder/sources-of-umbrant
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
rm -rf "$work"
mkdir -p "$folder"
tar -C "$src" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$folder" -xf - || exit 1
log=$folder-build.log
if ! { cmake -S "$folder" -B "$folder/build" -DCMAKE_TOOLCHAIN_FILE="$folder/cmake/$toolchain" &&
    nice cmake --build "$folder/build" --target Umbrant -j "$(nproc)"; } >"$log" 2>&1; then
    cat "$log"
    exit 1
fi
second=$folder/build/${first#"$build"/}
if cmp -s "$first" "$second"; then
    echo "the same bytes from both folders: $(sha256sum < "$first" | cut -d' ' -f1)"
    rm -rf "$work"
    exit 0
fi
echo "$first and $second differ; first differing bytes (offset, octal values):"
cmp -l "$first" "$second" | head -20
echo "texts in one only:"
diff <(strings -a "$first") <(strings -a "$second") | head -20
exit 1
