#!/bin/bash
# Checks that the folders include only their own layer or the ones below:
#   common < platform < raster < sun, places, text < settings < install, gadget
#   < dialogs < dial < app
# (folders of one layer never include each other; tools/ and tests/ may
# include anything). Prints every include that runs upward or
# sideways and exits 1 when there is one.
root=$(cd "$(dirname "$0")/.." && pwd)
declare -A rank=([common]=0 [platform]=1 [raster]=2 [sun]=3 [places]=3 [text]=3 [settings]=4 [install]=5 [gadget]=5
                 [dialogs]=6 [dial]=7 [app]=8)
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
