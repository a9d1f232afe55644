#!/usr/bin/env bash
# The committed pictures under resources/art are byte for byte what vollmark-artgen draws now,
# so a change to the drawing code cannot ship without the files it should have produced.
# Usage: artwork_test.sh <path to vollmark-artgen> <resources/art folder>
set -uo pipefail
artgen=$1
committed=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$artgen" "$work" || { echo "FAIL: vollmark-artgen ended with exit code $?"; exit 1; }

status=0
for file in "$committed"/*; do
    name=${file##*/}
    [[ $name == README.md ]] && continue
    if [[ ! -f $work/$name ]]; then
        echo "FAIL: $name is committed but no longer drawn"
        status=1
    elif ! cmp -s "$file" "$work/$name"; then
        echo "FAIL: $name differs from what vollmark-artgen draws (see resources/art/README.md)"
        status=1
    fi
done
for file in "$work"/*; do
    name=${file##*/}
    [[ -f $committed/$name ]] || { echo "FAIL: $name is drawn but not committed"; status=1; }
done
((status == 0)) && echo PASS
exit $status
