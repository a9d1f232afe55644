#!/usr/bin/env bash
# vollmark-drives --png writes the list as a PNG one row wide (369 pixels) and whole rows
# high, with no display, under the name given byte for byte; a file it cannot write is an
# error with exit code 1 and no other output, and leaves no partial file; a bad option is
# one line on standard error and exit code 2.
# Usage: drives_png_test.sh <path to vollmark-drives>
set -uo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

env -u DISPLAY "$tool" --json --png "$work/list.png" >"$work/out.json" || fail "exit code $?"
grep -q '"caption": "Vollmark - Total: ' "$work/out.json" || fail "no caption in the report"
[[ $(od -An -tx1 -N8 "$work/list.png" | tr -d ' \n') == 89504e470d0a1a0a ]] || fail "not a PNG"
width=$((16#$(od -An -tx1 -j16 -N4 "$work/list.png" | tr -d ' \n')))
height=$((16#$(od -An -tx1 -j20 -N4 "$work/list.png" | tr -d ' \n')))
echo "picture: ${width}x${height}"
[[ $width == 369 ]] || fail "width $width"
((height >= 108)) || fail "height $height"

"$tool" --png "$work/missing/list.png" >"$work/out" 2>"$work/err"
code=$?
[[ $code == 1 ]] || fail "unwritable file gave exit code $code"
grep -q "cannot write" "$work/err" || fail "no error text: $(cat "$work/err")"
[[ ! -s "$work/out" ]] || fail "a failed picture still printed the report"

mkdir "$work/taken.png"
"$tool" --png "$work/taken.png" >/dev/null 2>&1 && fail "a folder was taken for the picture"
[[ -d "$work/taken.png" ]] || fail "the folder in the way was replaced"

"$tool" --png "$work/a"$'\xff'".png" >/dev/null || fail "name with byte 0xFF"
"$tool" --png "$work/a"$'\xfe'".png" >/dev/null || fail "name with byte 0xFE"
[[ -f "$work/a"$'\xff'".png" && -f "$work/a"$'\xfe'".png" ]] || fail "names not kept byte for byte"
leftovers=$(find "$work" -name '.*' -type f)
[[ -z $leftovers ]] || fail "temporary files left: $leftovers"
"$tool" --unit byte >"$work/out" 2>"$work/err"
code=$?
[[ $code == 2 ]] || fail "a bad value gave exit code $code"
[[ ! -s "$work/out" && $(wc -l <"$work/err") == 1 ]] || fail "not one line: $(cat "$work/err")"
grep -q -- "--unit" "$work/err" || fail "the error does not name the option"
echo PASS
