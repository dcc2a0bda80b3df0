#!/bin/bash
# Two builds of the product from copies of the sources in two folders of
# different names, one after the other, must give the same bytes: no time
# stamp and no build path may reach the executable. Only the executable is
# built, and without a compiler cache, so that every object is compiled here
# from its own folder.
# usage: reproducible.sh source-dir toolchain-file-name work-dir
src=$1 toolchain=$2 work=$3/reproducible
folders=("$work/a/umbrant" "$work/second-folder/sources-of-umbrant")
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
rm -rf "$work"
for folder in "${folders[@]}"; do
    mkdir -p "$folder"
    tar -C "$src" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$folder" -xf - || exit 1
    log=$folder-build.log
    if ! { cmake -S "$folder" -B "$folder/build" -DCMAKE_TOOLCHAIN_FILE="$folder/cmake/$toolchain" &&
        nice cmake --build "$folder/build" --target Umbrant -j "$(nproc)"; } >"$log" 2>&1; then
        cat "$log"
        exit 1
    fi
done
first=${folders[0]}/build/app/Umbrant.exe second=${folders[1]}/build/app/Umbrant.exe
if cmp -s "$first" "$second"; then
    echo "the same bytes from both folders: $(sha256sum < "$first" | cut -d' ' -f1)"
    rm -rf "$work"
    exit 0
fi
echo "the builds in $work differ; first differing bytes (offset, octal values):"
cmp -l "$first" "$second" | head -20
echo "texts in one only:"
diff <(strings -a "$first") <(strings -a "$second") | head -20
exit 1
