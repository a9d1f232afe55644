#!/usr/bin/env bash
# The context menu and what it leads to, under wine: Shift+F10 and the right button open the
# menu; choosing terabytes in its options rescans, so the rows are what vollmark-drives.exe
# --png --unit tera draws, and the choice goes to vollmark.ini in the user's roaming folder;
# the information window opens for the selected drive and refills for another; at the next
# start the choice comes back.
# Usage: wine_menu_e2e.sh <vollmark.exe> <vollmark-drives.exe>
set -uo pipefail
here=$(dirname "$0")
source "$here/../app/x_session.bash"
source "$here/wine_session.bash"
program=$1
drives_tool=$2
start_wine_session
settings=$(roaming_folder)/vollmark/vollmark.ini
[[ $settings == /*/vollmark/vollmark.ini ]] || fail "no roaming folder in the prefix"
rm -f "$settings"

start_main_window
shown_windows >"$work/shown"
xdotool key shift+F10
wait_for_menu "Shift+F10"
close_menu
echo "Shift+F10 opens the menu"

# Options > Display format > Terabytes: the figures the drives' other users change least.
xdotool key shift+F10
wait_for_menu "Shift+F10"
# The current row at the start is a summary row, so the menu has no drive information item and
# Options is its second. Each key after the one before has been handled: a submenu opens some
# time after its Right.
xdotool key --delay 200 Down Down Right Down Down Right Down Down Down Return
wait_for_tool_picture "after choosing terabytes" --unit tera
echo "terabytes chosen: the rows are the tool's for --unit tera"
for _ in $(seq 50); do [[ -s $settings ]] && break; sleep 0.1; done
grep -q '^display=tera' "$settings" || fail "the choice is not in $settings: $(cat "$settings" 2>&1)"
echo "settings: $(tr -d '\r' <"$settings" | tr '\n' ' ')"

eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 100)) $((Y + 2 * 54 + 27)) click 1 click 3
wait_for_menu "the right button"
close_menu
echo "the right button opens the menu"

info_window() {
    info=$(wait_for_window "Informations du disque|Drive information" 50) ||
        fail "the information window did not open: $(wmctrl -l)"
}

# The first drive's row is the third; its information, then the next drive's. A click selects
# a row, which the tool's pictures never show: this comes after the comparisons.
xdotool mousemove $((X + 100)) $((Y + 2 * 54 + 27)) click 1 click 3
wait_for_menu "the right button"
xdotool key Down Return
info_window
window_picture "$info" "$work/info1.png"
wmctrl -i -c "$info"
for _ in $(seq 50); do wmctrl -l | grep -Eq "Informations du disque|Drive information" || break; sleep 0.1; done
xdotool mousemove $((X + 100)) $((Y + 3 * 54 + 27)) click 1 click 3
wait_for_menu "the right button"
xdotool key Down Return
info_window
window_picture "$info" "$work/info2.png"
differing=$(differing_pixels "$work/info1.png" "$work/info2.png")
((differing > 0)) || fail "the information window shows the same for two drives"
echo "information window: opened, refilled for the next drive ($differing pixels changed)"

wmctrl -i -c "$window"
wait_for_end "$program_pid" 20 || fail "program still running after its window was closed"
[[ $exit_code == 0 ]] || fail "exit code $exit_code: $(cat "$work/program.log")"

start_main_window
wait_for_tool_picture "after a new start" --unit tera
echo "next start: terabytes again"
wmctrl -i -c "$window"
wait_for_end "$program_pid" 20 || fail "program still running after its window was closed"
[[ $exit_code == 0 ]] || fail "exit code $exit_code at the second start"
echo "PASS"
