#!/usr/bin/env bash
# The program's answers that need no window: --help and --version without any display, and
# one line with exit code 1 when there is no display to open.
# Usage: startup_cli_test.sh <path to vollmark>
set -uo pipefail

program=$1
fail() { echo "FAIL: $*"; exit 1; }
headless=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)

out=$("${headless[@]}" "$program" --help 2>&1) || fail "--help exited with $?: $out"
[[ $out == "Usage: vollmark "* ]] || fail "--help printed '$out'"

out=$("${headless[@]}" "$program" --version 2>&1) || fail "--version exited with $?: $out"
[[ $out =~ ^vollmark\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed '$out'"

out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
code=$?
[[ $code == 1 ]] || fail "no display: exit code $code, expected 1: $out"
[[ $out == "vollmark: no display: neither DISPLAY nor WAYLAND_DISPLAY is set" ]] ||
    fail "no display printed '$out'"

out=$(env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=:65000 "$program" 2>&1)
code=$?
[[ $code == 1 && $(wc -l <<<"$out") == 1 && $out == "vollmark: cannot open display :65000: "* ]] ||
    fail "refused display: exit code $code: $out"
echo "ok"
