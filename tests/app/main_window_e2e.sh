#!/usr/bin/env bash
# Starts the real program on a private X server with a window manager and a compositor (the
# on-top state and the opacity need both), checks the main window from outside, closes it
# the way the title bar's close button does and expects exit code 0.
# Usage: main_window_e2e.sh <path to vollmark>
set -uo pipefail

program=$1
for tool in Xvfb openbox xcompmgr xprop xwininfo wmctrl; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }

# -displayfd picks a free display number and reports it once the server accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
# The program keeps its choices; never in the user's own settings.
export XDG_CONFIG_HOME=$work/config

openbox >/dev/null 2>&1 &
pids+=($!)
xcompmgr >/dev/null 2>&1 &
pids+=($!)
# A window mapped before the manager runs keeps no frame and ignores the on-top request.
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || fail "no window manager answered"

"$program" >"$work/program.log" 2>&1 &
program_pid=$!

window=""
for _ in $(seq 100); do
    window=$(wmctrl -l | awk '/Vollmark - Total: / {print $1; exit}')
    [[ -n $window ]] && break
    kill -0 "$program_pid" 2>/dev/null || fail "program ended early: $(cat "$work/program.log")"
    sleep 0.1
done
[[ -n $window ]] || fail "no window with the summary caption; windows: $(wmctrl -l)"

title=$(xprop -id "$window" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
echo "caption: $title"
[[ $title =~ ^Vollmark\ -\ Total:\ .+\ \(.+\ %\ Free\)$ ]] || fail "caption '$title'"

width=$(xwininfo -id "$window" | awk '/^ *Width:/ {print $2}')
height=$(xwininfo -id "$window" | awk '/^ *Height:/ {print $2}')
echo "client size: ${width}x${height}"
[[ $width == 369 ]] || fail "client width $width, expected 369"
((height >= 108 && height % 54 == 0)) || fail "client height $height is not whole rows"

xprop -id "$window" _NET_WM_STATE | grep -q ABOVE && fail "on top before it was asked for"
xprop -id "$window" _NET_WM_WINDOW_OPACITY | grep -q '= ' && fail "transparent at start"

echo "peak RSS: $(awk '/^VmHWM/ {print $2, $3}' "/proc/$program_pid/status" 2>/dev/null)"

wmctrl -i -c "$window"
for _ in $(seq 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "program still running after its window was closed"
wait "$program_pid"
code=$?
[[ $code == 0 ]] || fail "exit code $code: $(cat "$work/program.log")"
echo "PASS"
