#!/usr/bin/env bash
# check-layers.sh FOLDER...: the folders of src/, the top layer first. A file may include from its
# own folder and from the folders after it, never from one before it.
set -euo pipefail
cd "$(dirname "$0")/../src"
layers=("$@") found=0
for folder in $(find . -name '*.h' -o -name '*.cpp' | xargs -n1 dirname | sort -u | cut -c3-); do
    [[ " ${layers[*]} " == *" $folder "* ]] || { echo "layers: src/$folder/ has no layer" >&2; found=1; }
done
for ((i = 1; i < ${#layers[@]}; ++i)); do
    for above in "${layers[@]:0:i}"; do
        if grep -n "^#include \"$above/" "${layers[i]}"/*.{h,cpp} 2>/dev/null; then
            echo "layers: src/${layers[i]}/ includes from src/$above/, a layer above it" >&2
            found=1
        fi
    done
done
[ $found = 0 ] && echo "layers: every include in src/ goes down"
