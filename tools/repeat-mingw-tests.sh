#!/usr/bin/env bash
# Runs the cross-built tests under wine several times in a row (ten by default), in random order
# and on fresh wine prefixes each time, and counts the runs that passed; a flaky test shows here.
# --preset windows runs the `windows` preset's tests instead of the `mingw` one's: the same
# suites plus the end-to-end tests of every program and the installer (build its package first).
# With --busy the native ci suite runs over and over alongside, so the Windows runs meet a busy
# machine as they do in tools/run-tests.sh's company on CI (it builds the ci preset first).
# Usage: tools/repeat-mingw-tests.sh [--busy] [--preset mingw|windows] [runs]
set -uo pipefail
cd "$(dirname "$0")/.."
busy=0 preset=mingw
while [[ ${1:-} == --* ]]; do
    case $1 in
    --busy) busy=1 ;;
    --preset) preset=$2; shift ;;
    *) echo "usage: $0 [--busy] [--preset mingw|windows] [runs]" >&2; exit 2 ;;
    esac
    shift
done
runs=${1:-10}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >/dev/null || exit 1

native_pid=
if ((busy)); then
    cmake --preset ci >/dev/null && cmake --build --preset ci >/dev/null || exit 1
    (
        native=0
        ctest_pid=
        trap 'kill -- $ctest_pid 2>/dev/null; exit 0' TERM
        while :; do
            native=$((native + 1))
            ctest --preset ci --schedule-random >build/ci/repeat-native-$native.log 2>&1 &
            ctest_pid=$!
            wait "$ctest_pid"
            echo "native run $native: $(grep -E 'tests passed|tests failed' \
                build/ci/repeat-native-$native.log | tail -n1)"
        done
    ) &
    native_pid=$!
fi
stop_native() {
    [[ -n $native_pid ]] || return 0
    kill -- "$native_pid" 2>/dev/null
    wait "$native_pid" 2>/dev/null
    native_pid=
}
trap stop_native EXIT

passed=0
for run in $(seq "$runs"); do
    prefixes=(build/"$preset"/wineprefix* build/"$preset"/tests/wine_gui/prefix-*)
    bash cmake/wine-prefix.sh stop "${prefixes[@]}"
    rm -rf "${prefixes[@]}"
    log=build/$preset/repeat-$run.log
    start=$EPOCHSECONDS
    if ctest --preset "$preset" --schedule-random >"$log" 2>&1; then
        passed=$((passed + 1))
        result=passed
    else
        result="FAILED (see $log)"
    fi
    echo "run $run: $result in $((EPOCHSECONDS - start)) s;" \
        "$(grep -E 'tests passed|tests failed' "$log" | tail -n1)"
done
stop_native
echo "$passed of $runs runs passed"
((passed == runs))
