#!/bin/bash
# Checks that the folders include only their own layer or the ones below:
#   common < platform < raster < settings, places < install, gadget < dial < app
# (settings and places share a layer, as do install and gadget, and neither
# of a pair includes the other; tools/ and tests/ may include anything). Prints every include that runs upward or
# sideways and exits 1 when there is one.
root=$(cd "$(dirname "$0")/.." && pwd)
declare -A rank=([common]=0 [platform]=1 [raster]=2 [settings]=3 [places]=3 [install]=4 [gadget]=4 [dial]=5 [app]=6)
status=0
cd "$root" || exit 2
for folder in "${!rank[@]}"; do
    for file in $(git ls-files "$folder" | grep -E '\.(cpp|h)$'); do
        while IFS= read -r target; do
            [ -n "${rank[$target]}" ] || continue
            if [ "$target" != "$folder" ] && [ "${rank[$target]}" -ge "${rank[$folder]}" ]; then
                echo "$file includes $target/"
                status=1
            fi
        done < <(sed -n 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\)/.*|\1|p' "$file")
    done
done
[ $status = 0 ] && echo "no include runs upward or sideways"
exit $status
