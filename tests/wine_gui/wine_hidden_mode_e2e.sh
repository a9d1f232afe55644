#!/usr/bin/env bash
# The hidden mode under wine: started with the word that unlocks it, vollmark.exe writes its
# page file beside the executable, byte for byte the embedded page, and removes it when its
# main window closes; the process still ends with exit code 0. As on Windows, the main window
# is disabled while the modal about window is up and does not take a close request, so the
# about window is closed first.
# Usage: wine_hidden_mode_e2e.sh <vollmark.exe> <the word> <the embedded page, RUZUVO.html>
set -uo pipefail
here=$(dirname "$0")
source "$here/../app/x_session.bash"
source "$here/wine_session.bash"
word=$2
embedded=$3
start_wine_session

# A copy, so that the page file lands in this test's folder rather than the build tree.
mkdir -p "$work/bin"
program=$work/bin/vollmark.exe
cp "$1" "$program" || fail "cannot copy $1"
page=$work/bin/ruzuvo.html

start_program "$work/program.log" "$program" "$word"
window=$(main_window "$program_pid") || fail "no main window: $(cat "$work/program.log")"
about=$(wait_for_window "A propos|About") || fail "the about window did not show: $(wmctrl -l)"
[[ -f $page ]] || fail "no page file beside the executable"
cmp -s "$page" "$embedded" || fail "the page file is not the embedded page"
echo "page file written: $(stat -c %s "$page") bytes"

wmctrl -i -c "$about"
for _ in $(seq 100); do wmctrl -l | grep -Eq "A propos|About" || break; sleep 0.1; done
wmctrl -l | grep -Eq "A propos|About" && fail "the about window did not close: $(wmctrl -l)"
[[ -f $page ]] || fail "the page file went with the about window; it belongs to the program"
wmctrl -i -c "$window"
wait_for_end "$program_pid" 20 || fail "program still running after its window was closed"
[[ $exit_code == 0 ]] || fail "exit code $exit_code: $(cat "$work/program.log")"
[[ -e $page ]] && fail "the page file stayed behind"
echo "closed: exit code 0, page file removed"
echo "PASS"
