#!/usr/bin/env bash
# Starts the real program on a private X server with its own session and accessibility bus,
# reads the drive list as a screen reader would and checks every drive row against
# vollmark-drives --json for the same mounts.
# Usage: accessibility_e2e.sh <path to vollmark> <path to vollmark-drives>
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3
for tool in Xvfb dbus-run-session xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[[ -x /usr/libexec/at-spi-bus-launcher ]] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
"$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    { echo "SKIP: python3-gi or gir1.2-atspi-2.0 is not installed"; exit 77; }

# A session bus of its own, on which the accessibility bus is started on demand.
if [[ ${1:-} != --inside ]]; then
    exec dbus-run-session -- bash "$0" --inside "$@"
fi
program=$2
drives_tool=$3

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

"$drives_tool" --json >"$work/drives.json" || fail "vollmark-drives --json failed"
"$program" >"$work/program.log" 2>&1 &
pids+=($!)

# The first Down selects the first row; the second moves to the second row.
select_next="xdotool search --sync --name '^Vollmark - Total' windowfocus --sync key Down key Down"
"$python" "$here/read_drive_list.py" "$work/drives.json" "$select_next" ||
    fail "$(cat "$work/program.log")"
echo "PASS"
