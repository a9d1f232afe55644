#!/usr/bin/env bash
# vollmark.exe under wine on a real X display: the main window maps with the caption
# vollmark-drives.exe reports for the prefix's drives (fixed, optical, network, removable and
# wine's own), one row for each of its entries, pixel for pixel what vollmark-drives.exe --png
# draws for them, and closing it the way the title bar's close button does ends the process
# with exit code 0.
# Usage: wine_window_e2e.sh <vollmark.exe> <vollmark-drives.exe>
set -uo pipefail
here=$(dirname "$0")
source "$here/../app/x_session.bash"
source "$here/wine_session.bash"
program=$1
drives_tool=$2
start_wine_session

report() { # file: the caption, then the number of rows, then the drive letters
    drives_json >"$1" || fail "vollmark-drives.exe --json: exit code $?"
    python3 -c 'import json, sys
report = json.load(open(sys.argv[1]))
print(report["caption"], len(report["entries"]), "".join(d["letter"] for d in report["drives"]), sep="\n")' "$1"
}
mapfile -t before < <(report "$work/before.json")
echo "report: ${before[1]} rows, drives ${before[2]}, caption '${before[0]}'"
for letter in C L M N R Z; do
    [[ ${before[2]} == *$letter* ]] || fail "drive $letter: missing from the report"
done

# The rows are compared in terabytes, the figures the drives' other users change least; the
# choice goes where the program looks for it, the user's roaming folder.
settings=$(roaming_folder)/vollmark/vollmark.ini
[[ $settings == /*/vollmark/vollmark.ini ]] || fail "no roaming folder in the prefix"
mkdir -p "$(dirname "$settings")"
printf '[units]\r\ndisplay=tera\r\n' >"$settings"

start_program "$work/program.log" "$program"
window=$(main_window "$program_pid") ||
    fail "no window with the summary caption: $(cat "$work/program.log"); windows: $(wmctrl -l)"
mapfile -t after < <(report "$work/after.json")
title=$(caption_of "$window")
echo "caption: $title"
[[ $title == "${before[0]}" || $title == "${after[0]}" ]] ||
    fail "caption '$title', the report says '${before[0]}', then '${after[0]}'"

width=$(xwininfo -id "$window" | awk '/^ *Width:/ {print $2}')
height=$(client_height_of "$window")
echo "client size: ${width}x${height}"
[[ $width == 369 ]] || fail "client width $width, expected 369"
((height == before[1] * 54)) || fail "client height $height, expected ${before[1]} rows of 54"

wait_for_tool_picture "the rows" --unit tera
echo "the rows are pixel for pixel those of vollmark-drives.exe --png --unit tera"

wmctrl -i -c "$window"
wait_for_end "$program_pid" 20 || fail "program still running after its window was closed"
[[ $exit_code == 0 ]] || fail "exit code $exit_code: $(cat "$work/program.log")"
echo "PASS"
