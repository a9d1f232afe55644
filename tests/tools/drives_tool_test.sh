#!/usr/bin/env bash
# vollmark-drives as scripts run it: the table and --json load no GUI library and no SQLite
# and never open the usage history, the history helper loads no Qt, the JSON parses for any
# mount, --help and --version answer without probing; --scan sizes a folder as du does and
# reports a bad target on stderr alone.
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
for option in --json --png --unit --divisor --words --record --history --openmetrics --scan --help --version \
    "default: mega" "history.sqlite" "Exit status"; do
    grep -q -- "$option" <<<"$help" || fail "--help does not mention $option"
done
[[ $("$tool" --version) =~ ^vollmark-drives\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $("$tool" --version)"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/big/inner" "$tree/small"
head -c 300000 /dev/urandom >"$tree/big/inner/data"
head -c 1000 /dev/urandom >"$tree/small/"$'new\nline\xff'
scanned=$("$tool" --scan "$tree" --json) || fail "--scan exit code $?"
python3 - "$tree" "$(du -sx -B1 "$tree" | cut -f1)" "$(du -sbx "$tree" | cut -f1)" 3<<<"$scanned" <<'PY' ||
import base64, json, os, sys
root, allocated, apparent = os.path.realpath(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
r = json.load(os.fdopen(3))
assert (r["path"], r["allocatedBytes"], r["apparentBytes"]) == (root, allocated, apparent), r
assert (r["files"], r["folders"], r["unreadableFolders"]) == (2, 3, 0), r
assert [f["path"] for f in r["biggestFolders"]] == [root + "/big", root + "/big/inner", root + "/small"], r
odd = r["biggestFiles"][1]
assert base64.b64decode(odd["pathBase64"]) == root.encode() + b"/small/new\nline\xff", odd
PY
    fail "--scan --json: $scanned"
table=$("$tool" --scan "$tree") || fail "--scan table exit code $?"
grep -q "Biggest folders" <<<"$table" && grep -qF 'new\x0Aline\xFF' <<<"$table" ||
    fail "--scan table: $table"
for target in "$tree/missing" "$tree/big/inner/data"; do
    out=$("$tool" --scan "$target" 2>"$tree.err")
    code=$?
    [[ $code == 2 && -z $out && $(wc -l <"$tree.err") == 1 ]] || fail "--scan $target: $code '$out'"
done
rm -f "$tree.err"
echo PASS
