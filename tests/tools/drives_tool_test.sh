#!/usr/bin/env bash
# vollmark-drives as scripts run it: the table and --json load no GUI library and no SQLite
# and never open the usage history, the history helper loads no Qt, the JSON parses for any
# mount, --help and --version answer without probing.
# Usage: drives_tool_test.sh <path to vollmark-drives>
set -uo pipefail
tool=$1
fail() { echo "FAIL: $*"; exit 1; }

for args in "" "--json"; do
    loaded=$(LD_DEBUG=libs "$tool" $args 2>&1 >/dev/null | grep "calling init") || fail "no loader trace"
    if grep -Eiq "libQt6|libpng|libjpeg|libsqlite" <<<"$loaded"; then
        fail "'$tool $args' loads: $(grep -Ei 'libQt6|libpng|libjpeg|libsqlite' <<<"$loaded")"
    fi
    if command -v strace >/dev/null; then
        state=$(mktemp -d)
        opened=$(XDG_STATE_HOME=$state strace -f -e trace=%file,execve "$tool" $args 2>&1 >/dev/null)
        grep -q "$state" <<<"$opened" && fail "'$tool $args' looks at the state folder"
        grep -q "vollmark-drives-history" <<<"$opened" && fail "'$tool $args' starts the history helper"
        rm -rf "$state"
    fi
done

# The timer's notices live in a program of their own, started only when one may be due.
state=$(mktemp -d)
loaded=$(XDG_STATE_HOME=$state LD_DEBUG=libs "$tool" --history --json 2>&1 >/dev/null |
    grep "calling init") || fail "no loader trace of the history helper"
rm -rf "$state"
grep -q "libsqlite" <<<"$loaded" || fail "the loader trace does not show the history helper"
grep -q "libQt6" <<<"$loaded" && fail "--history loads Qt: $(grep libQt6 <<<"$loaded")"

"$tool" --json | python3 -c 'import json, sys; json.load(sys.stdin)' || fail "--json does not parse"

help=$("$tool" --help) || fail "--help exit code $?"
for option in --json --png --unit --divisor --words --record --history --openmetrics --help --version \
    "default: mega" "history.sqlite" "Exit status"; do
    grep -q -- "$option" <<<"$help" || fail "--help does not mention $option"
done
[[ $("$tool" --version) =~ ^vollmark-drives\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $("$tool" --version)"
echo PASS
