#!/usr/bin/env bash
# The space window under wine: chosen from the context menu of the first drive's row, it opens
# on that drive, a Windows drive known by its root path alone, scans it through the Windows
# walker and keeps the scan as a snapshot in the history under the user's local application
# data; closing the program while the window is open ends it cleanly.
# Usage: wine_space_e2e.sh <vollmark.exe>
set -uo pipefail
here=$(dirname "$0")
source "$here/../app/x_session.bash"
source "$here/wine_session.bash"
program=$1
need_tools sqlite3
start_wine_session
local_folder=$("$wine" cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
history=$("$wine" winepath -u "$local_folder" 2>/dev/null | tr -d '\r')/vollmark/history.sqlite
[[ $history == /*/vollmark/history.sqlite ]] || fail "no local application data folder in the prefix"
rm -f "$history"

# The whole-drive snapshots of C: the history holds; the file may be locked for a moment.
snapshots_of_c() {
    sqlite3 "file:$history?mode=ro" "select count(*) from snapshots join drives
        on drives.id = snapshots.drive where drives.letter = 'C' and snapshots.root = ''" 2>/dev/null
}

start_main_window
shown_windows >"$work/shown"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The first drive's row is the third. The added items close the menu: from its end, Up reaches
# "Start at login", the warnings, then this window's item.
xdotool mousemove $((X + 100)) $((Y + 2 * 54 + 27)) click 1 click 3
wait_for_menu "the right button"
xdotool key --delay 200 Up Up Up Return
space=$(wait_for_window "What takes the space on C:|Ce qui occupe l'espace sur C:" 100) ||
    fail "the space window did not open on C:: $(wmctrl -l)"
echo "space window: $(caption_of "$space")"

count=0
for _ in $(seq 300); do
    count=$(snapshots_of_c) && ((count > 0)) && break
    sleep 0.2
done
((count > 0)) || fail "no snapshot of the drive was recorded: $(cat "$work/program.log")"
folders=$(sqlite3 "file:$history?mode=ro" 'select count(*) from snapshot_folders')
((folders > 1)) || fail "the snapshot holds no folder of the drive ($folders rows)"
echo "scan recorded: $count snapshot, $folders folders"

wmctrl -i -c "$window"
wait_for_end "$program_pid" 30 || fail "program still running after its window was closed"
[[ $exit_code == 0 ]] || fail "exit code $exit_code: $(cat "$work/program.log")"
echo "PASS"
