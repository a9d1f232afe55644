#!/usr/bin/env bash
# Runs the cross-built tests under wine several times in a row (ten by default), in random order
# and on a fresh wine prefix each time, and counts the runs that passed; a flaky test shows here.
# Usage: tools/repeat-mingw-tests.sh [runs]
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

cmake --preset mingw >/dev/null && cmake --build --preset mingw >/dev/null || exit 1

wineserver=${VOLLMARK_WINESERVER:-/usr/lib/wine/wineserver}
[[ -x $wineserver ]] || wineserver=$(command -v wineserver)
passed=0
for run in $(seq "$runs"); do
    for prefix in build/mingw/wineprefix*; do
        [[ -d $prefix ]] || continue
        WINEPREFIX=$PWD/$prefix "$wineserver" -k 2>/dev/null
        WINEPREFIX=$PWD/$prefix "$wineserver" -w 2>/dev/null
        rm -rf "$prefix"
    done
    log=build/mingw/repeat-$run.log
    if ctest --preset mingw --schedule-random >"$log" 2>&1; then
        passed=$((passed + 1))
        result=passed
    else
        result="FAILED (see $log)"
    fi
    echo "run $run: $result; $(grep -E 'tests passed|tests failed' "$log" | tail -n1)"
done
echo "$passed of $runs runs passed"
((passed == runs))
