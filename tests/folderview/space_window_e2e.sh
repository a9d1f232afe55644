#!/usr/bin/env bash
# The real program on a loop-mounted ext4 in a private mount namespace: a snapshot recorded two
# days ago by vollmark-drives --scan --record shows at once when "Що займає місце..." opens from
# the keyboard; F5 scans the drive afresh and the rows show what grew since; Return goes into a
# folder and Backspace back out; a second scan cancelled with Escape records nothing; a screen
# reader reads all of it on the AT-SPI bus; Escape then closes the window. With
# VOLLMARK_SCREENSHOT=FILE it also saves the window after the scan (QT_SCALE_FACTOR=2 with
# VOLLMARK_SCREEN=2048x1536 for the 200 % one).
# Usage: space_window_e2e.sh <path to vollmark> <path to vollmark-drives>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../app/x_session.bash"
python=/usr/bin/python3
need_tools Xvfb openbox wmctrl xdotool dbus-run-session unshare mkfs.ext4 fallocate
need_libfaketime
need_atspi
enter_private_mounts bus "$@"
program=$1
drives_tool=$2

open_mounted_work_folder 200m
export XDG_STATE_HOME=$work/state TZ=UTC

start_x_session
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
# The pictures show a plain mount point; the namespace is private, so /mnt is the test's alone.
ext=$work/ext
[[ -n ${VOLLMARK_SCREENSHOT:-} && -d /mnt ]] && ext=/mnt && mounts+=(/mnt)
mkdir -p "$ext" "$work/config/vollmark"
printf '[warnings]\non=false\n' >"$work/config/vollmark/vollmark.ini"
truncate -s 96M "$work/ext.img" && mkfs.ext4 -q -F -m 0 -N 90000 "$work/ext.img" ||
    fail "mkfs.ext4 failed"
mount -o loop "$work/ext.img" "$ext" || skip "no loop device for an ext4 image"

# Photos in two years, logs that grow, and 80,000 small files to make a scan take a while.
"$python" - "$ext" <<'PY' || fail "cannot build the tree"
import os, sys
root = sys.argv[1]
for path, megabytes in (("photos/2025/a.raw", 9), ("photos/2026/b.raw", 7), ("logs/app.log", 5)):
    os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
    with open(os.path.join(root, path), "wb") as f:
        f.write(b"x" * (megabytes << 20))
for m in range(200):
    folder = os.path.join(root, "src", f"m{m:03}")
    os.makedirs(folder)
    for n in range(400):
        open(os.path.join(folder, f"f{n}"), "w").close()
PY
sync
LD_PRELOAD=$libfaketime FAKETIME="@$(date -u -d '2 days ago' '+%Y-%m-%d %H:%M:%S')" \
    "$drives_tool" --scan "$ext" --record >/dev/null || fail "vollmark-drives --record failed"
fallocate -l 6M "$ext/logs/rotated.log" || fail "cannot grow the logs"
snapshots() {
    "$python" -c 'import sqlite3, sys; print(sqlite3.connect(sys.argv[1]).execute(
        "SELECT count(*) FROM snapshots").fetchone()[0])' "$XDG_STATE_HOME/vollmark/history.sqlite"
}

read -r letter row < <("$drives_tool" --json | "$python" -c '
import json, sys
report = json.load(sys.stdin)
for d in report["drives"]:
    if d.get("mountPoint") == sys.argv[1]:
        print(d["letter"], report["entries"].index(d["letter"]))' "$ext")
[[ -n ${letter:-} ]] || fail "the ext4 image has no letter"

"$program" >"$work/program.log" 2>&1 &
pids+=($!)
main_window "${pids[-1]}" >/dev/null || fail "no main window: $(cat "$work/program.log")"
# From the menu's end, Up three times reaches the space item, above the warnings switch and
# the log-in item.
xdotool search --sync --name '^Vollmark - Total' windowfocus --sync \
    key --repeat $((row + 1)) --delay 50 Down key Menu sleep 0.3 key Up Up Up Return ||
    fail "cannot reach the menu"
title="Що займає місце на $letter:"
space_window=$(timeout 20 xdotool search --sync --name "^$title" | head -n1)
[[ -n $space_window ]] || fail "no space window: $(cat "$work/program.log")"
read_window() {
    "$python" "$here/read_space_window.py" "$title" "$1" ||
        fail "$2: $(cat "$work/program.log")"
}

read_window 'window["rows"][0][0] == "photos" and "Знімок 2 дн. тому; раніших знімків для порівняння немає" in window["labels"]' \
    "the recorded snapshot is not shown at once"
xdotool windowfocus --sync "$space_window" key F5
read_window '"Знімок щойно, порівняно зі знімком 2 дн. тому" in window["labels"] and any(
    name == "logs" and "зміна +6" in description for name, description in window["rows"])' \
    "the rescan does not show what grew"
[[ $(snapshots) == 2 ]] || fail "the scan was not recorded: $(snapshots) snapshots"
if [[ -n ${VOLLMARK_SCREENSHOT:-} ]]; then
    xdotool windowfocus --sync "$space_window" key Down
    sleep 0.5
    import -window "$space_window" "$VOLLMARK_SCREENSHOT" || fail "no screenshot"
fi

# Into the biggest folder by the keyboard and back out onto it.
xdotool windowfocus --sync "$space_window" key Home Return
read_window 'window["path"] == "'"$ext/photos"'" and [r[0] for r in window["rows"]][:2] == ["2025", "2026"]' \
    "Return did not go into photos"
xdotool key BackSpace
read_window 'window["path"] == "'"$ext"'" and window["selected"] == "photos"' \
    "Backspace did not come back onto photos"

# The growth map beside the rows: a tile for each row, read with its size and change. A click
# selects the tile's row and gives the map the keyboard, the pointer resting on a tile names it,
# a double click goes in, Backspace comes back out onto it, the arrows move from tile to tile
# with the row in step and Return goes in from the map. The bus gives places in the window's own
# pixels, which the pointer's are QT_SCALE_FACTOR times.
read_window '[t[0] for t in window["tiles"]] == [r[0] for r in window["rows"]] and any(
    t[0] == "logs" and "зміна +6" in t[1] for t in window["tiles"])' "the map does not show the rows"
tile_centre() {
    "$python" "$here/read_space_window.py" "$title" "any(t[0] == '$1' for t in window['tiles'])" |
        "$python" -c 'import json, sys
x, y, w, h = next(t[2] for t in json.load(sys.stdin)["tiles"] if t[0] == sys.argv[1])
scale = float(sys.argv[2])
print(round((x + w / 2) * scale), round((y + h / 2) * scale))' "$1" "${QT_SCALE_FACTOR:-1}"
}
logs=$(tile_centre logs) || fail "the logs tile has no place"
xdotool mousemove $logs sleep 0.2 mousemove_relative 3 3
read_window 'any(text.startswith("logs\n11") and "зміна +6" in text
    for text in window["tooltips"])' "resting on the logs tile does not name it"
xdotool click 1
read_window 'window["selected"] == "logs" and window["focused"] == "logs"' \
    "a click on the logs tile does not select its row"
xdotool mousemove $(tile_centre photos) click --repeat 2 --delay 80 1
read_window 'window["path"] == "'"$ext/photos"'"' "a double click on a tile does not go in"
xdotool key BackSpace
read_window 'window["path"] == "'"$ext"'" and window["current"] == "photos"' \
    "Backspace on the map does not come back onto photos"
xdotool key Down
read_window 'window["selected"] == "logs" and window["focused"] == "logs"' \
    "Down on the map does not reach the tile below photos"
xdotool key Up Return
read_window 'window["path"] == "'"$ext/photos"'"' "Return on the map does not go in"
xdotool key alt+Up
read_window 'window["path"] == "'"$ext"'"' "Alt+Up on the map does not go up"

# A scan stopped at once leaves the history as it was and the window open.
xdotool key F5 Escape
read_window '"Сканування скасовано" in window["labels"]' "the scan was not cancelled"
sleep 1
[[ $(snapshots) == 2 ]] || fail "a cancelled scan was recorded: $(snapshots) snapshots"
xdotool key Escape
for _ in $(seq 50); do
    wmctrl -l | grep -q "$title" || break
    sleep 0.1
done
wmctrl -l | grep -q "$title" && fail "Escape left the space window open"
kill -0 "${pids[-1]}" || fail "the program ended with the window"
echo "PASS"
