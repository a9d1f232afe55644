#!/usr/bin/env bash
# Starts the real program on a private X server with its own session and accessibility bus,
# reads the drive list as a screen reader would and checks every drive row against
# vollmark-drives --json for the same mounts.
# Usage: accessibility_e2e.sh <path to vollmark> <path to vollmark-drives>
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/x_session.bash"
python=/usr/bin/python3
need_tools Xvfb openbox wmctrl dbus-run-session xdotool
need_atspi

# A session bus of its own, on which the accessibility bus is started on demand.
if [[ ${1:-} != --inside ]]; then
    exec dbus-run-session -- bash "$0" --inside "$@"
fi
program=$2
drives_tool=$3

open_work_folder
start_x_session
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

"$drives_tool" --json >"$work/drives.json" || fail "vollmark-drives --json failed"
"$program" >"$work/program.log" 2>&1 &
pids+=($!)

# The first Down selects the first row; the second moves to the second row.
select_next="xdotool search --sync --name '^Vollmark - Total' windowfocus --sync key Down key Down"
"$python" "$here/read_drive_list.py" "$work/drives.json" "$select_next" ||
    fail "$(cat "$work/program.log")"
echo "PASS"
