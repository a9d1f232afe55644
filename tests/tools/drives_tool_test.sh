#!/usr/bin/env bash
# vollmark-drives as scripts run it: the table and --json load no GUI library, the JSON parses
# for any mount, --help and --version answer without probing.
# Usage: drives_tool_test.sh <path to vollmark-drives>
set -uo pipefail
tool=$1
fail() { echo "FAIL: $*"; exit 1; }

for args in "" "--json"; do
    loaded=$(LD_DEBUG=libs "$tool" $args 2>&1 >/dev/null | grep "calling init") || fail "no loader trace"
    if grep -Eiq "libQt6|libpng|libjpeg" <<<"$loaded"; then
        fail "'$tool $args' loads: $(grep -Ei 'libQt6|libpng|libjpeg' <<<"$loaded")"
    fi
done

"$tool" --json | python3 -c 'import json, sys; json.load(sys.stdin)' || fail "--json does not parse"

help=$("$tool" --help) || fail "--help exit code $?"
for option in --json --png --unit --divisor --words --help --version "default: mega" "Exit status"; do
    grep -q -- "$option" <<<"$help" || fail "--help does not mention $option"
done
[[ $("$tool" --version) =~ ^vollmark-drives\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $("$tool" --version)"
echo PASS
