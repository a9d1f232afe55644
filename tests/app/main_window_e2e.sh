#!/usr/bin/env bash
# Starts the real program on a private X server with a window manager and a compositor (the
# on-top state and the opacity need both), checks the main window from outside, closes it
# the way the title bar's close button does and expects exit code 0.
# Usage: main_window_e2e.sh <path to vollmark>
set -uo pipefail

source "$(dirname "$0")/x_session.bash"
need_tools Xvfb openbox xcompmgr xprop xwininfo wmctrl
program=$1
open_work_folder

start_x_session
xcompmgr >/dev/null 2>&1 &
pids+=($!)

"$program" >"$work/program.log" 2>&1 &
program_pid=$!
window=$(main_window "$program_pid") ||
    fail "no window with the summary caption: $(cat "$work/program.log"); windows: $(wmctrl -l)"

title=$(caption_of "$window")
echo "caption: $title"
[[ $title =~ ^Vollmark\ -\ Total:\ .+\ \(.+\ %\ Free\)$ ]] || fail "caption '$title'"

width=$(xwininfo -id "$window" | awk '/^ *Width:/ {print $2}')
height=$(xwininfo -id "$window" | awk '/^ *Height:/ {print $2}')
echo "client size: ${width}x${height}"
[[ $width == 369 ]] || fail "client width $width, expected 369"
((height >= 108 && height % 54 == 0)) || fail "client height $height is not whole rows"

# The icon comes once the first frame is up, from the embedded copy in a build folder. Only the
# first words of the property are read: all its sizes drawn as text run past a pipe's buffer.
has_icon() { [[ $(xprop -id "$window" -len 16 _NET_WM_ICON) == "_NET_WM_ICON(CARDINAL) = "* ]]; }
for _ in $(seq 50); do
    has_icon && break
    sleep 0.1
done
has_icon || fail "no window icon"

xprop -id "$window" _NET_WM_STATE | grep -q ABOVE && fail "on top before it was asked for"
xprop -id "$window" _NET_WM_WINDOW_OPACITY | grep -q '= ' && fail "transparent at start"

echo "peak RSS: $(awk '/^VmHWM/ {print $2, $3}' "/proc/$program_pid/status" 2>/dev/null)"

wmctrl -i -c "$window"
wait_for_end "$program_pid" 10 || fail "program still running after its window was closed"
[[ $exit_code == 0 ]] || fail "exit code $exit_code: $(cat "$work/program.log")"
echo "PASS"
