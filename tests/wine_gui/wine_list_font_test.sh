#!/usr/bin/env bash
# The list under wine is drawn in the face, size and weight of the Linux rows: the ink widths of
# the local summary row's labels ("Total", "Free", "Used") in the picture that
# vollmark-drives.exe --png draws agree within a pixel with those of the Linux renderer's. What
# is left between the two is the platforms' font engines: under wine whole-pixel hinting with
# hardly any grey edge, on Linux FreeType's slight hinting with grey edges, which moves an edge of
# a word by a pixel at most.
# Usage: wine_list_font_test.sh <emulator> <wine prefix> <vollmark-drives.exe> <Linux vollmark-drives>
set -uo pipefail
here=$(dirname "$0")
source "$here/../app/x_session.bash"
emulator=$1
prefix=$2
windows_tool=$3
linux_tool=$4
[[ -x $linux_tool ]] || skip "no Linux vollmark-drives at $linux_tool (cmake --build --preset ci)"
need_tools convert
open_work_folder

"$linux_tool" --unit giga --png "$work/linux.png" >/dev/null ||
    fail "vollmark-drives --png: exit code $?"
# Z: is the Unix root.
"$emulator" "$prefix" "$windows_tool" --unit giga --png "Z:$(tr / '\\' <<<"$work/wine.png")" \
    >/dev/null || fail "vollmark-drives.exe --png: exit code $?"

# The width from the first to the last column of the label column's text line starting at `top`
# in which a pixel is darker than the row's light background.
ink_width() { # picture, top
    convert "$1" -crop 50x15+21+"$2" +repage -colorspace gray -depth 8 txt:- |
        awk -F'[,:]' 'NR > 1 { split($0, value, "gray\\(")
                             if (value[2] + 0 < 200) { if (min == "" || $1 < min) min = $1
                                                       if ($1 > max) max = $1 } }
                      END { print min == "" ? 0 : max - min + 1 }'
}

for line in "Total 5" "Free 20" "Used 35"; do
    read -r label top <<<"$line"
    linux=$(ink_width "$work/linux.png" "$top")
    wine=$(ink_width "$work/wine.png" "$top")
    echo "$label: $wine pixels wide under wine, $linux on Linux"
    ((linux > 0)) || fail "$label: no text in the Linux picture"
    ((wine - linux <= 1 && linux - wine <= 1)) || fail "$label: the faces differ"
done
echo "PASS"
