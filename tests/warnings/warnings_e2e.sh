#!/usr/bin/env bash
# The real window warns through a real notification server (dunst on a session bus of its
# own) about a loop-mounted ext4 in a private mount namespace: once when it fills to 97 %,
# not again for less than another 1 %, again after it recovers and fills once more, naming the
# folder that grew since the day-old snapshot; never with warnings off or the drive muted; the
# notice's "don't warn" button mutes the drive, its "what takes the space" opens the folder
# window on the drive;
# "filling fast" from a history that vollmark-drives --record wrote under faketime over a day
# and a half; and without a server the window goes on.
# The window runs under libfaketime reading its offset from a file, so the test can move
# its clock past the ten minutes between two warnings of a drive.
# Usage: warnings_e2e.sh <path to vollmark> <path to vollmark-drives>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../app/x_session.bash"
source "$here/dunst_session.bash"
source "$here/grown_snapshots.bash"
need_tools Xvfb openbox wmctrl xprop dbus-run-session dunst dunstctl faketime unshare mkfs.ext4 \
    fallocate python3
need_libfaketime
enter_private_mounts bus "$@"
program=$1
drives_tool=$2

open_mounted_work_folder 160m
export XDG_STATE_HOME=$work/state TZ=UTC

start_x_session
start_dunst

mkdir -p "$work/ext"
truncate -s 64M "$work/ext.img" && mkfs.ext4 -q -F -m 0 -L Vorrat "$work/ext.img" ||
    fail "mkfs.ext4 failed"
mount -o loop "$work/ext.img" "$work/ext" || skip "no loop device for an ext4 image"

# The letter, the label the row shows and the warnings' name of the drive, from the tool.
{ read -r letter; read -r label; read -r drive_id; } < <("$drives_tool" --json | python3 -c '
import json, sys
for d in json.load(sys.stdin)["drives"]:
    if d.get("mountPoint") == sys.argv[1]:
        print(d["letter"], d["label"], "%08X %s" % (int(d["serial"]), d["mountPoint"]), sep="\n")
' "$work/ext")
[[ -n ${letter:-} ]] || fail "the ext4 image has no letter"
echo "the ext4 image is $letter: ($drive_id)"

# Fills the drive to leave `permille` thousandths of it free, in whole blocks.
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

# Notices in dunst's history that name the drive's letter, and their summaries.
notices() {
    dunstctl history | python3 -c '
import json, sys
for n in json.load(sys.stdin)["data"][0]:
    text = n["summary"]["data"] + " | " + n["body"]["data"].replace("\n", " / ")
    if sys.argv[1] + ":" in n["summary"]["data"]:
        print(text)' "$letter"
}
count_notices() { notices | wc -l; }

# Polls for `expected` notices, for one repaint of the list and dunst's second with room for
# a loaded machine; with `hold`, keeps checking for that long that no more come (two
# repaints: a notice that is not there by then would be late).
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

clock=$work/clock
echo "+0" >"$clock"
start_window() {
    FAKETIME_TIMESTAMP_FILE=$clock FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
        LD_PRELOAD=$libfaketime "$program" >>"$work/program.log" 2>&1 &
    window_pid=$!
    pids+=("$window_pid")
    main_window "$window_pid" >/dev/null || fail "no main window: $(cat "$work/program.log")"
}
stop_window() {
    kill "$window_pid"
    wait_for_end "$window_pid" 10 || fail "the window did not end"
}
settings=$work/config/vollmark/vollmark.ini
write_settings() { mkdir -p "$(dirname "$settings")" && printf '%s\n' "$@" >"$settings"; }

record_grown_snapshots "$work/ext"
start_window
fill_to_free 30
expect_notices 1 0 "filled to 97 %"
notices | grep -qF "$letter: $label" || fail "the notice does not name the drive: $(notices)"
grew_line_in "$(notices)" "$work/ext" || fail "the notice does not name the folder that grew: $(notices)"
echo "first notice: $(notices)"
# Past the spacing, so that only the per-cent step holds the next one back.
echo "+11m" >"$clock"
fill_to_free 23
expect_notices 1 11 "filled by less than another 1 %"
empty_drive
# Long enough for two repaints to see the drive recovered.
sleep 11
fill_to_free 30
expect_notices 2 0 "recovered and filled again"
stop_window
empty_drive

write_settings "[warnings]" "on=false"
start_window
fill_to_free 30
expect_notices 2 11 "warnings off"
stop_window
empty_drive

write_settings "[warnings]" "muted=$drive_id"
start_window
fill_to_free 30
expect_notices 2 11 "drive muted"
stop_window
empty_drive
rm -f "$settings"

# The notice's own buttons: a dunst that keeps notices on screen, and whose menu (its dmenu
# command) picks the button `$1`; what the menu listed is kept in $work/menu.
start_dunst_pressing() {
    kill "$dunst_pid"
    wait "$dunst_pid" 2>/dev/null
    printf '#!/bin/sh\ntee "%s" | grep ",%s]$"\n' "$work/menu" "$1" >"$work/pick-$1"
    chmod +x "$work/pick-$1"
    printf '[global]\n    dmenu = %s\n[urgency_normal]\n    timeout = 0\n' "$work/pick-$1" \
        >"$work/dunstrc-$1"
    start_dunst "$work/dunstrc-$1"
}
# Presses that button on the one notice on screen.
press_notice() {
    for _ in $(seq 150); do
        (($(dunstctl count displayed) == 1)) && break
        sleep 0.1
    done
    (($(dunstctl count displayed) == 1)) || fail "no notice on screen to press"
    dunstctl context
}

# What was warned is kept in the history file, and no window saw the drive recover with
# warnings off or the drive muted: each part from here on has a history of its own.
export XDG_STATE_HOME=$work/state-mute
# "Don't warn for this drive": the window keeps the drive in its settings. The menu lists the
# notice's buttons, "what takes the space" among them.
start_dunst_pressing mute
start_window
fill_to_free 30
press_notice
for _ in $(seq 50); do
    grep -qF "muted=$drive_id" "$settings" 2>/dev/null && break
    sleep 0.1
done
grep -qF "muted=$drive_id" "$settings" || fail "the mute button left the settings without the drive"
echo "mute button: the settings keep $drive_id"
grep -F 'Що займає місце...' "$work/menu" | grep -q ',space]$' ||
    fail "the notice offers no \"Що займає місце...\": $(cat "$work/menu")"
stop_window
empty_drive
rm -f "$settings"

# "What takes the space": the folder window opens on the warned drive, among all the others.
export XDG_STATE_HOME=$work/state-space
start_dunst_pressing space
start_window
fill_to_free 30
press_notice
space_title="Що займає місце на $letter: $label"
for _ in $(seq 100); do
    space_window=$(wmctrl -l | awk -v title="$space_title" 'index($0, title) {print $1; exit}')
    [[ -n $space_window ]] && break
    sleep 0.1
done
[[ -n $space_window && $(caption_of "$space_window") == "$space_title" ]] ||
    fail "the space button opened no window on $letter:: $(wmctrl -l)"
echo "space button: $(caption_of "$space_window")"
stop_window
empty_drive
kill "$dunst_pid"
wait "$dunst_pid" 2>/dev/null
start_dunst "$work/dunstrc"

# A day and a half of history, a sample every half hour, the drive filling steadily from 10 %
# to 70 % used: full in about 18 h.
# Recorded with the window's warnings off, so that the recordings themselves warn nobody.
export XDG_STATE_HOME=$work/state-filling
write_settings "[warnings]" "on=false"
now=$(date +%s)
for step in $(seq 72 -1 0); do
    fill_to_free $((300 + 600 * step / 72))
    LD_PRELOAD=$libfaketime FAKETIME="@$(date -u -d "@$((now - step * 1800))" '+%Y-%m-%d %H:%M:%S')" \
        "$drives_tool" --record || fail "vollmark-drives --record failed"
done
"$drives_tool" --history --json | python3 -c '
import json, sys
for d in json.load(sys.stdin)["drives"]:
    if d.get("mountPoint") == sys.argv[1]:
        print("forecast of the prepared history:", d["forecast"])' "$work/ext"
rm -f "$settings"
echo "+0" >"$clock"
start_window
# A dunst of its own since the mute button: its history starts empty.
expect_notices 1 0 "filling fast"
# dunst lists the newest first; the window speaks its own Ukrainian in this locale.
newest=$(notices | head -n1)
[[ $newest == *"швидко заповнюється"*"Заповниться приблизно за "* ]] ||
    fail "not a filling-fast notice with its forecast: $newest"
echo "newest: $newest"
stop_window
empty_drive

# No server: dunst gone, and the bus cannot start another without a display. The window says
# so on stderr and goes on.
kill "$dunst_pid"
for _ in $(seq 50); do dunst_up || break; sleep 0.1; done
export XDG_STATE_HOME=$work/state-no-server
start_window
fill_to_free 30
for _ in $(seq 100); do
    grep -q "cannot show a notification" "$work/program.log" && break
    sleep 0.1
done
grep "cannot show a notification" "$work/program.log" || fail "no word of the missing server"
kill -0 "$window_pid" 2>/dev/null || fail "the window ended without a server: $(cat "$work/program.log")"
stop_window

kill -0 "${pids[0]}" 2>/dev/null || fail "Xvfb ended"
echo "PASS"
