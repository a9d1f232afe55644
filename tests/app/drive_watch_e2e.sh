#!/usr/bin/env bash
# In a private mount namespace, mounts file systems after the main window shows and expects
# the window to follow by itself: one more row (54 px) and a new local total within two
# seconds of a mount, and back again after the unmount.
# Usage: drive_watch_e2e.sh <path to vollmark>
set -uo pipefail

program=$1
source "$(dirname "$0")/x_session.bash"
need_tools Xvfb openbox xprop xwininfo wmctrl unshare mkfs.ext4
enter_private_mounts no-bus "$@"

open_mounted_work_folder 64m

start_x_session
mkdir -p "$work/ext" "$work/ram"
truncate -s 24M "$work/ext.img" && mkfs.ext4 -q -F "$work/ext.img" || fail "mkfs.ext4 failed"

"$program" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
window=$(main_window "$program_pid") || fail "no main window: $(cat "$work/program.log")"

# Polls until the window shows `rows` more rows than at start and, when asked, another caption.
expect_window() {
    local what=$1 height=$2 caption_changes=$3 now_height now_caption
    for _ in $(seq 300); do
        now_height=$(client_height_of "$window")
        now_caption=$(caption_of "$window")
        if [[ $now_height == "$height" ]] &&
            { [[ $caption_changes == no ]] || [[ $now_caption != "$start_caption" ]]; }; then
            echo "$what: height $now_height, caption '$now_caption'"
            return 0
        fi
        sleep 0.1
    done
    fail "$what: after 2 s height $now_height (expected $height), caption '$now_caption'"
}

start_height=$(client_height_of "$window")
start_caption=$(caption_of "$window")
echo "at start: height $start_height, caption '$start_caption'"

mount -o loop "$work/ext.img" "$work/ext" || skip "no loop device for an ext4 image"
expect_window "ext4 mounted" $((start_height + 54)) yes
umount "$work/ext" || fail "cannot unmount the ext4 image"
expect_window "ext4 unmounted" "$start_height" no
# The free share follows the host's disk, which other tests may be writing to: only the total
# has to be back where it started.
now_caption=$(caption_of "$window")
[[ ${now_caption%(*} == "${start_caption%(*}" ]] || fail "caption after unmount '$now_caption'"

# A RAM disk has a row of its own but no part in the local total.
mount -t tmpfs -o size=8m tmpfs "$work/ram" || fail "cannot mount a tmpfs"
expect_window "tmpfs mounted" $((start_height + 54)) no
umount "$work/ram"
expect_window "tmpfs unmounted" "$start_height" no

kill -0 "$program_pid" 2>/dev/null || fail "program ended: $(cat "$work/program.log")"
echo "PASS"
