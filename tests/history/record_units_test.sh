#!/usr/bin/env bash
# A pair of systemd user units the package installs passes systemd-analyze verify, with the
# service pointed at the tool of this build (verify checks that the command exists), runs the
# tool with the expected option, on the expected calendar, and stays off until enabled.
# Usage: record_units_test.sh <configured service> <timer> <path to vollmark-drives> <option>
#        <OnCalendar value>
set -uo pipefail
service=$1 timer=$2 tool=$3 option=$4 calendar=$5
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
name=$(basename "$service")
grep -q "^ExecStart=.*/vollmark-drives $option\$" "$service" || fail "ExecStart: $(grep ExecStart "$service")"
sed "s|^ExecStart=[^ ]*|ExecStart=$tool|" "$service" >"$work/$name"
cp "$timer" "$work/"
mkdir -m 0700 "$work/runtime"
cd "$work" || fail "no work folder"
# The manual page is not installed in a build tree.
XDG_RUNTIME_DIR=$work/runtime systemd-analyze --user verify --man=no \
    "$name" "$(basename "$timer")" || fail "systemd-analyze verify"
grep -qxF "OnCalendar=$calendar" "$(basename "$timer")" || fail "the timer's calendar is not $calendar"
# Nothing in the service installs it: only the timer is enabled, by the user.
grep -q '^\[Install\]' "$name" && fail "the service can be enabled by itself"
if [[ $option == --record-snapshots ]]; then
    grep -qx 'IOSchedulingClass=idle' "$name" || fail "the snapshot does not run at idle I/O priority"
    grep -qx 'CPUSchedulingPolicy=idle' "$name" || fail "the snapshot does not run at idle CPU priority"
fi
echo PASS
