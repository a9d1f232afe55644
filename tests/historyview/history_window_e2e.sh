#!/usr/bin/env bash
# The real program shows a week of history that vollmark-drives --record wrote under faketime
# for a loop-mounted ext4 in a private mount namespace: the history window opens from the
# keyboard (Menu, then the item above the last one), a screen reader finds the chart's
# summary on the AT-SPI bus, the window marks the drive absent once it is unmounted, and
# Escape closes the window. With VOLLMARK_SCREENSHOT=FILE it
# also saves the window as a picture (QT_SCALE_FACTOR=2 for the 200 % one).
# Usage: history_window_e2e.sh <path to vollmark> <path to vollmark-drives>
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

open_mounted_work_folder 160m
export XDG_STATE_HOME=$work/state TZ=UTC

start_x_session
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
mkdir -p "$work/ext" "$work/config/vollmark"
# No notices: this is about the history window.
printf '[warnings]\non=false\n' >"$work/config/vollmark/vollmark.ini"
truncate -s 64M "$work/ext.img" && mkfs.ext4 -q -F -m 0 "$work/ext.img" || fail "mkfs.ext4 failed"
mount -o loop "$work/ext.img" "$work/ext" || skip "no loop device for an ext4 image"

# A week, a sample every two hours, the drive filling from 20 % to 60 % used.
now=$(date +%s)
for step in $(seq 84 -1 0); do
    read -r avail blocks size < <(stat -f -c '%a %b %S' "$work/ext")
    target=$((blocks * (400 + 400 * step / 84) / 1000))
    ((avail > target)) && fallocate -l $(((avail - target) * size)) "$work/ext/fill.$step"
    LD_PRELOAD=$libfaketime FAKETIME="@$(date -u -d "@$((now - step * 7200))" '+%Y-%m-%d %H:%M:%S')" \
        "$drives_tool" --record || fail "vollmark-drives --record failed"
done

# The row of the drive: after the two summary rows, in the order of the entries.
read -r letter row < <("$drives_tool" --json | "$python" -c '
import json, sys
report = json.load(sys.stdin)
for d in report["drives"]:
    if d.get("mountPoint") == sys.argv[1]:
        print(d["letter"], report["entries"].index(d["letter"]))' "$work/ext")
[[ -n ${letter:-} ]] || fail "the ext4 image has no letter"

"$program" >"$work/program.log" 2>&1 &
pids+=($!)
main_window "${pids[-1]}" >/dev/null || fail "no main window: $(cat "$work/program.log")"
# The first Down selects the first row; from the menu's end, Up four times reaches the
# history item, above the space item, the warnings switch and the log-in item.
xdotool search --sync --name '^Vollmark - Total' windowfocus --sync \
    key --repeat $((row + 1)) --delay 50 Down key Menu sleep 0.3 key Up Up Up Up Return ||
    fail "cannot reach the menu"
history_window=$(timeout 20 xdotool search --sync --name "^Історія диска $letter:" | head -n1)
[[ -n $history_window ]] || fail "no history window: $(cat "$work/program.log")"
"$python" "$here/read_history_window.py" "Історія диска $letter:" ||
    fail "$(cat "$work/program.log")"
if [[ -n ${VOLLMARK_SCREENSHOT:-} ]]; then
    sleep 0.5
    import -window "$history_window" "$VOLLMARK_SCREENSHOT" || fail "no screenshot"
fi
# The drive goes away while its history is open: the window keeps the history and says so.
umount "$work/ext" || fail "cannot unmount the ext4 image"
for _ in $(seq 50); do
    wmctrl -l | grep -q "Історія диска $letter:.*(відсутній)" && break
    sleep 0.1
done
wmctrl -l | grep -q "Історія диска $letter:.*(відсутній)" ||
    fail "the history window does not show the drive as absent: $(wmctrl -l)"
xdotool windowfocus --sync "$history_window" key Escape
for _ in $(seq 50); do
    wmctrl -l | grep -q "Історія диска $letter:" || break
    sleep 0.1
done
wmctrl -l | grep -q "Історія диска $letter:" && fail "Escape left the history window open"
echo "PASS"
