#!/usr/bin/env bash
# Ends the real program every way a session does and expects exit code 0 with the hidden
# mode's page file removed: the main window's close button while the about window, the
# context menu or the information window is up; SIGTERM, SIGINT and SIGHUP; the main window
# destroyed by another client. Then checks that the choices and the place come back.
# Usage: program_end_e2e.sh <path to vollmark> <the word that unlocks the hidden mode>
set -uo pipefail

source "$(dirname "$0")/x_session.bash"
need_tools Xvfb openbox xprop xwininfo wmctrl xdotool
open_work_folder

# The page file is written next to the executable: a copy keeps it out of the build tree.
program=$work/bin/vollmark
mkdir -p "$work/bin" && cp "$1" "$program" || fail "cannot copy $1"
word=$2
page=$work/bin/ruzuvo.html

start_x_session
# Job control: a background job of a script starts with SIGINT ignored, which the program
# rightly keeps.
set -m

start() {
    "$program" "$@" >"$work/program.log" 2>&1 &
    program_pid=$!
    window=$(main_window "$program_pid") || fail "no main window: $(cat "$work/program.log")"
}

expect_clean_end() {
    local what=$1
    wait_for_end "$program_pid" 5 || fail "$what: still running after 5 s"
    [[ $exit_code == 0 ]] || fail "$what: exit code $exit_code: $(cat "$work/program.log")"
    [[ -e $page ]] && fail "$what: the page file stayed behind"
    echo "$what: exit code 0, no page file"
}

start_hidden() {
    start "$word"
    for _ in $(seq 300); do wmctrl -l | grep -q "A propos" && break; sleep 0.1; done
    wmctrl -l | grep -q "A propos" || fail "the about window did not show"
    [[ -e $page ]] || fail "no page file in the hidden mode"
}

start_hidden
wmctrl -i -c "$window"
expect_clean_end "close button under the about window"

for signal in TERM INT HUP; do
    start_hidden
    kill -"$signal" "$program_pid"
    expect_clean_end "SIG$signal"
done

start
xdotool windowclose "$window"
expect_clean_end "window destroyed from outside"

# Right click on the third row (the first drive): the context menu opens over it.
open_menu_on_first_drive() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 100)) $((Y + 2 * 54 + 27)) click 1 click 3
    # The menu is the second visible window of the program.
    for _ in $(seq 300); do
        (($(xdotool search --onlyvisible --class vollmark 2>/dev/null | wc -l) >= 2)) && return 0
        sleep 0.1
    done
    fail "the context menu did not open"
}

start
open_menu_on_first_drive
wmctrl -i -c "$window"
expect_clean_end "close button with the context menu open"

start
open_menu_on_first_drive
xdotool key Down Return
for _ in $(seq 300); do wmctrl -l | grep -q "Informations du disque" && break; sleep 0.1; done
wmctrl -l | grep -q "Informations du disque" || fail "the information window did not open"
wmctrl -i -c "$window"
expect_clean_end "close button with the information window open"

# Choices and place come back on the next run.
settings=$XDG_CONFIG_HOME/vollmark/vollmark.ini
mkdir -p "$(dirname "$settings")"
printf '[units]\ndivisor=1024\nwords=bytes\ndisplay=tera\n[window]\ntransparent=true\nonTop=true\n' \
    >"$settings"
start
caption=$(caption_of "$window")
[[ $caption == *" GB ("* ]] || fail "caption '$caption' is not in the byte words"
xprop -id "$window" _NET_WM_STATE | grep -q ABOVE || fail "not on top"
xprop -id "$window" _NET_WM_WINDOW_OPACITY | grep -q '= ' || fail "not transparent"
eval "$(xdotool getwindowgeometry --shell "$window")"
before="$X,$Y"
xdotool windowmove "$window" 40 60
# The window manager carries out the move in its own time.
for _ in $(seq 300); do
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [[ "$X,$Y" != "$before" ]] && break
    sleep 0.1
done
moved="$X,$Y"
[[ $moved != "$before" ]] || fail "the window did not move from $before"
wmctrl -i -c "$window"
expect_clean_end "close after a move"
grep -q '^divisor=1024$' "$settings" || fail "divisor lost: $(cat "$settings")"

start
# The caption can show before the window manager has carried out the move to the kept place.
for _ in $(seq 300); do
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [[ "$X,$Y" == "$moved" ]] && break
    sleep 0.1
done
[[ "$X,$Y" == "$moved" ]] || fail "window at $X,$Y after a restart, was at $moved"
echo "choices and place restored: caption '$(caption_of "$window")', at $X,$Y"
wmctrl -i -c "$window"
expect_clean_end "close after the restart"

printf '[units]\ndivisor=10\xff24\n\x00\x01' >"$settings"
start
caption=$(caption_of "$window")
[[ $caption == *" Go ("* ]] || fail "a damaged file changed the start state: '$caption'"
xprop -id "$window" _NET_WM_STATE | grep -q ABOVE && fail "on top from a damaged file"
wmctrl -i -c "$window"
expect_clean_end "close after a damaged settings file"
[[ $(grep -c "ignoring the settings" "$work/program.log") == 1 ]] ||
    fail "expected one line about the damaged file: $(cat "$work/program.log")"
echo "PASS"
