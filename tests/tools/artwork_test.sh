#!/usr/bin/env bash
# The committed pictures (resources/art, and the desktop icons under packaging/icons) are byte
# for byte what vollmark-artgen draws now, so a change to the drawing code cannot ship without
# the files it should have produced.
# Usage: artwork_test.sh <path to vollmark-artgen> <resources/art folder> <packaging/icons folder>
set -uo pipefail
artgen=$1
committed_art=$2
committed_icons=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/art" "$work/icons"

"$artgen" "$work/art" "$work/icons" || { echo "FAIL: vollmark-artgen ended with exit code $?"; exit 1; }

status=0
diff -rq -x README.md "$committed_art" "$work/art" || status=1
diff -rq "$committed_icons" "$work/icons" || status=1
((status == 0)) && echo PASS || echo "FAIL: committed artwork differs from what vollmark-artgen draws (see resources/art/README.md)"
exit $status
