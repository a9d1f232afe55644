#!/usr/bin/env bash
# A volume that arrives or leaves while vollmark.exe runs gets its row or loses it: a drive
# letter is added to (then taken from) the prefix and WM_DEVICECHANGE broadcast, as Windows
# does for a USB stick; wine raises no such message for a letter made by hand, so
# send-device-change.exe sends it (wine passes the volume record on to other processes, and
# lists a letter the moment its link is in dosdevices). The window fits its height to the rows.
# Usage: wine_device_change_e2e.sh <vollmark.exe> <send-device-change.exe>
set -uo pipefail
here=$(dirname "$0")
source "$here/../app/x_session.bash"
source "$here/wine_session.bash"
program=$1
sender=$2
start_wine_session

start_program "$work/program.log" "$program"
window=$(main_window "$program_pid") || fail "no main window: $(cat "$work/program.log")"
before=$(client_height_of "$window")
echo "client height with the prefix's drives: $before"

wait_for_height() { # wanted, what
    for _ in $(seq 100); do
        [[ $(client_height_of "$window") == "$1" ]] && return 0
        sleep 0.1
    done
    fail "$2: client height $(client_height_of "$window"), expected $1"
}

mkdir -p "$work/stick"
[[ -e $WINEPREFIX/dosdevices/s: ]] && fail "the prefix already has a drive S:"
ln -s "$work/stick" "$WINEPREFIX/dosdevices/s:"
"$wine" "$sender" arrival S || fail "the arrival was not broadcast"
wait_for_height $((before + 54)) "after S: arrived"
echo "S: arrived: one row more"

rm "$WINEPREFIX/dosdevices/s:"
"$wine" "$sender" removal S || fail "the removal was not broadcast"
wait_for_height "$before" "after S: left"
echo "S: left: the row is gone"

wmctrl -i -c "$window"
wait_for_end "$program_pid" 20 || fail "program still running after its window was closed"
[[ $exit_code == 0 ]] || fail "exit code $exit_code: $(cat "$work/program.log")"
echo "PASS"
