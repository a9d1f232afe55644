#!/usr/bin/env bash
# Warnings that never wait for a painted row, through a real notification server (dunst on a
# session bus of its own) about a loop-mounted ext4 in a private mount namespace:
# - a minimized window warns once when the drive fills to 97 %, naming the folder that grew
#   since the day-old snapshot;
# - with the window closed, vollmark-drives --record (what the timer runs) warns once with the
#   same words, again
#   not at the next recording, and a window started afterwards does not warn for the same
#   crossing; with the window's warnings switched off the recording warns nobody;
# - without a server, or without a session bus, the recording still records, says so in one
#   line and ends as it always did.
# Each part has a state folder of its own, so that no warning memory carries over.
# Usage: timer_warnings_e2e.sh <path to vollmark> <path to vollmark-drives>
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../app/x_session.bash"
source "$here/dunst_session.bash"
source "$here/grown_snapshots.bash"
need_tools Xvfb openbox wmctrl xprop xdotool dbus-run-session dbus-send dunst dunstctl unshare \
    mkfs.ext4 fallocate python3
need_libfaketime
enter_private_mounts bus "$@"
program=$1
drives_tool=$2

open_mounted_work_folder 160m
export TZ=UTC

start_x_session
start_dunst

mkdir -p "$work/ext"
truncate -s 64M "$work/ext.img" && mkfs.ext4 -q -F -m 0 -L Vorrat "$work/ext.img" ||
    fail "mkfs.ext4 failed"
mount -o loop "$work/ext.img" "$work/ext" || skip "no loop device for an ext4 image"
# The letter and the label the row shows, from the tool.
{ read -r letter; read -r label; } < <("$drives_tool" --json | python3 -c '
import json, sys
for d in json.load(sys.stdin)["drives"]:
    if d.get("mountPoint") == sys.argv[1]:
        print(d["letter"], d["label"], sep="\n")' "$work/ext")
[[ -n ${letter:-} ]] || fail "the ext4 image has no letter"

fill_to_free() {
    local permille=$1 avail blocks size
    read -r avail blocks size < <(stat -f -c '%a %b %S' "$work/ext")
    local target=$((blocks * permille / 1000))
    if ((avail > target)); then
        fallocate -l $(((avail - target) * size)) "$work/ext/fill.$RANDOM$RANDOM" ||
            fail "cannot fill the drive"
    fi
    sync -f "$work/ext"
}
empty_drive() { rm -f "$work/ext"/fill.*; sync -f "$work/ext"; }

notices() {
    dunstctl history | python3 -c '
import json, sys
for n in json.load(sys.stdin)["data"][0]:
    if sys.argv[1] + ":" in n["summary"]["data"]:
        print(n["summary"]["data"] + " | " + n["body"]["data"].replace("\n", " / "))' "$letter"
}
count_notices() { notices | wc -l; }
# Polls for `expected` notices; with `hold`, keeps checking that long that no more come (two
# scans of the window: a notice not there by then would be late).
expect_notices() {
    local expected=$1 hold=$2 what=$3 count deadline
    # By the clock, not by turns: on a loaded machine each look at dunst's history takes a
    # while of its own.
    deadline=$((SECONDS + 15))
    while count=$(count_notices) && ((count < expected && SECONDS < deadline)); do sleep 0.1; done
    deadline=$((SECONDS + hold))
    while ((count <= expected && SECONDS < deadline)); do
        sleep 0.1
        count=$(count_notices)
    done
    ((count == expected)) || fail "$what: $count notices, expected $expected: $(notices)"
    echo "$what: $count notices"
}

use_state() { export XDG_STATE_HOME=$work/state-$1; }
start_window() {
    "$program" >>"$work/program.log" 2>&1 &
    window_pid=$!
    pids+=("$window_pid")
    window=$(main_window "$window_pid") || fail "no main window: $(cat "$work/program.log")"
}
stop_window() {
    kill "$window_pid"
    wait_for_end "$window_pid" 10 || fail "the window did not end"
}
record() { "$drives_tool" --record 2>>"$work/record.log"; }

# A minimized window paints nothing, and warns all the same.
use_state minimized
record_grown_snapshots "$work/ext"
start_window
xdotool windowminimize "$window"
for _ in $(seq 50); do
    xprop -id "$window" WM_STATE | grep -q Iconic && break
    sleep 0.1
done
xprop -id "$window" WM_STATE | grep -q Iconic || fail "the window was not minimized"
fill_to_free 30
expect_notices 1 11 "minimized window, filled to 97 %"
window_notice=$(notices)
grew_line_in "$window_notice" "$work/ext" ||
    fail "the window's notice does not name the folder that grew: $window_notice"
stop_window
empty_drive

# The timer with the window closed, then the window for the same crossing.
use_state timer
record_grown_snapshots "$work/ext"
fill_to_free 30
record || fail "vollmark-drives --record failed: $(cat "$work/record.log")"
expect_notices 2 1 "timer, filled to 97 %"
newest=$(notices | head -n1)
[[ $newest == "Мало місця на диску $letter: $label | Вільно: "* ]] || fail "the timer's notice does not name the drive: $(notices)"
# The same words as the window's, figures included: the drive is filled the same way.
[[ $newest == "$window_notice" ]] || fail "the timer's notice differs from the window's: $newest"
echo "timer's notice: $newest"
record || fail "vollmark-drives --record failed again"
expect_notices 2 1 "timer again"
start_window
expect_notices 2 11 "window after the timer"
stop_window
empty_drive

use_state off
mkdir -p "$XDG_CONFIG_HOME/vollmark"
printf '[warnings]\non=false\n' >"$XDG_CONFIG_HOME/vollmark/vollmark.ini"
fill_to_free 30
record || fail "vollmark-drives --record with warnings off failed"
expect_notices 2 1 "timer, warnings off"
rm "$XDG_CONFIG_HOME/vollmark/vollmark.ini"
empty_drive

# No server: dunst gone, and the bus cannot start another without a display. Then no bus.
kill "$dunst_pid"
for _ in $(seq 50); do dunst_up || break; sleep 0.1; done
fill_to_free 30
samples() {
    "$drives_tool" --history --json | python3 -c '
import json, sys
for d in json.load(sys.stdin)["drives"]:
    if d.get("mountPoint") == sys.argv[1]:
        print(d["forecast"]["samples"])' "$work/ext"
}
use_state no-server
"$drives_tool" --record 2>"$work/no-server.err"
code=$?
((code == 0)) || fail "the recording without a server ended with $code: $(cat "$work/no-server.err")"
(($(wc -l <"$work/no-server.err") == 1)) && grep -q "cannot show a notification" "$work/no-server.err" ||
    fail "not one line of the missing server: $(cat "$work/no-server.err")"
echo "no server: $(cat "$work/no-server.err")"
[[ $(samples) == 1 ]] || fail "the recording without a server kept no sample"

use_state no-bus
env -u DBUS_SESSION_BUS_ADDRESS -u DISPLAY "$drives_tool" --record 2>"$work/no-bus.err"
code=$?
((code == 0)) || fail "the recording without a bus ended with $code: $(cat "$work/no-bus.err")"
grep -q "cannot show a notification" "$work/no-bus.err" ||
    fail "no word of the missing bus: $(cat "$work/no-bus.err")"
echo "no bus: $(cat "$work/no-bus.err")"
[[ $(samples) == 1 ]] || fail "the recording without a bus kept no sample"
empty_drive

kill -0 "${pids[0]}" 2>/dev/null || fail "Xvfb ended"
echo "PASS"
