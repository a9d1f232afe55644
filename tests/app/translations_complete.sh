#!/usr/bin/env bash
# Fails when a translation lags behind the sources: lupdate refreshes a copy of every .ts file
# from the window code, and a text it had to add (unfinished) or retire (vanished) means the
# file misses a text or still carries one that is gone.
# Usage: translations_complete.sh <path to lupdate> <source root>
set -euo pipefail

lupdate=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shopt -s nullglob
files=("$root"/resources/i18n/vollmark_*.ts)
((${#files[@]})) || { echo "FAIL: no translations under $root/resources/i18n"; exit 1; }

status=0
for ts in "${files[@]}"; do
    name=$(basename "$ts")
    copy="$work/$name"
    cp "$ts" "$copy"
    if ! (cd "$root" && "$lupdate" -silent -locations none app info about warnings historyview folderview growthmap -ts "$copy") \
        >"$work/lupdate.log" 2>&1; then
        echo "FAIL: lupdate on $name: $(cat "$work/lupdate.log")"
        exit 1
    fi
    texts=$(grep -c '<message' "$copy" || true)
    open=$(grep -cE 'type="(unfinished|vanished|obsolete)"' "$copy" || true)
    empty=$(grep -cE '<translation( [^>]*)?></translation>|<translation( [^>]*)?/>' "$copy" || true)
    language=$(sed -n 's/.*<TS [^>]* language="\([^"]*\)".*/\1/p' "$copy")
    echo "$name: $texts texts, $open unfinished or retired, $empty empty, language '$language'"
    if [[ $name != "vollmark_$language.ts" ]]; then
        echo "FAIL: $name declares language '$language'"
        status=1
    fi
    if ((texts == 0 || open > 0 || empty > 0)); then
        echo "FAIL: $name is incomplete:"
        grep -B2 -E 'type="(unfinished|vanished|obsolete)"|<translation( [^>]*)?></translation>' \
            "$copy" | grep '<source>' || true
        status=1
    fi
done
exit $status
