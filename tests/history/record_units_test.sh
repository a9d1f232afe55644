#!/usr/bin/env bash
# The systemd user units the package installs pass systemd-analyze verify, with the service
# pointed at the tool of this build (verify checks that the command exists).
# Usage: record_units_test.sh <configured service> <timer> <path to vollmark-drives>
set -uo pipefail
service=$1 timer=$2 tool=$3
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
grep -q '^ExecStart=.*/vollmark-drives --record$' "$service" || fail "ExecStart: $(grep ExecStart "$service")"
sed "s|^ExecStart=[^ ]*|ExecStart=$tool|" "$service" >"$work/vollmark-record.service"
cp "$timer" "$work/vollmark-record.timer"
mkdir -m 0700 "$work/runtime"
cd "$work" || fail "no work folder"
# The manual page is not installed in a build tree.
XDG_RUNTIME_DIR=$work/runtime systemd-analyze --user verify --man=no \
    vollmark-record.service vollmark-record.timer || fail "systemd-analyze verify"
grep -q '^OnCalendar=\*:0/10$' vollmark-record.timer || fail "the timer does not run every ten minutes"
echo PASS
