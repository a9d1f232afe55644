#!/usr/bin/env bash
# The usage history under the faults users meet: two writers at once lose no sample and never
# say "database is locked"; writers killed mid-write leave a whole file; a file that is not
# SQLite, one from a newer Vollmark, a read-only state folder and a full disk give one line on
# stderr, the report still, and a file never changed.
# Usage: history_faults_test.sh <path to vollmark-drives>
set -uo pipefail
tool=$1
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_STATE_HOME=$work/state
db=$XDG_STATE_HOME/vollmark/history.sqlite

# ---- two processes recording 200 times each at once ----
writer() {
    # A recording prints nothing, so anything it does print is kept as the error.
    for _ in $(seq 200); do "$tool" --record >>"$work/writer$1.err" 2>&1 || echo "exit $?" >>"$work/writer$1.err"; done
}
writer 1 & first=$!
writer 2 & second=$!
wait $first $second
[[ ! -s $work/writer1.err && ! -s $work/writer2.err ]] || fail "writers said: $(cat "$work"/writer*.err | sort | uniq -c)"
counts=$(sqlite3 "$db" "SELECT count(*) FROM samples GROUP BY drive" | sort -u)
[[ $counts == 400 ]] || fail "samples per drive: $counts (expected 400 each)"
[[ $(stat -c %a "$db") == 600 && $(stat -c %a "$(dirname "$db")") == 700 ]] || fail "modes $(stat -c %a "$db" "$(dirname "$db")")"

# ---- writers killed in the middle of their work ----
for _ in $(seq 30); do
    "$tool" --record &
    sleep "0.00$((RANDOM % 10))"
    kill -KILL $! 2>/dev/null
    wait $! 2>/dev/null
done
[[ $(sqlite3 "$db" "PRAGMA integrity_check") == ok ]] || fail "integrity after kills"
"$tool" --record || fail "recording after kills"

# Each fault: --record exits 1 with one line; --history still prints the table with one line;
# the file is byte for byte what it was.
check_fault() {
    local name=$1 before
    before=$(sha256sum "$db")
    "$tool" --record >"$work/out" 2>"$work/err"
    local code=$?
    [[ $code == 1 ]] || fail "$name: --record exit $code"
    [[ $(wc -l <"$work/err") == 1 && ! -s $work/out ]] || fail "$name: --record said: $(cat "$work/err" "$work/out")"
    "$tool" --history >"$work/out" 2>"$work/err" || fail "$name: --history exit $?"
    [[ $(wc -l <"$work/err") == 1 ]] || fail "$name: --history stderr: $(cat "$work/err")"
    grep -q "Full in" "$work/out" || fail "$name: no table"
    [[ $(sha256sum "$db") == "$before" ]] || fail "$name: the file changed"
    [[ -e $db ]] || fail "$name: the file is gone"
}

mv "$db" "$work/good.sqlite"
rm -f "$db"-wal "$db"-shm
head -c 20000 /dev/urandom >"$db"
check_fault "not SQLite"
rm -f "$db"
sqlite3 "$db" "CREATE TABLE later(x); PRAGMA user_version = 99"
check_fault "newer schema"
grep -q "newer" "$work/err" || fail "newer schema: $(cat "$work/err")"

rm -f "$db"
cp "$work/good.sqlite" "$db"
if [[ $(id -u) == 0 ]]; then
    # Root writes through mode bits: the folder is made read-only by a mount of its own, and a
    # full disk is a small tmpfs filled to the last block.
    folder=$(dirname "$db")
    unshare --mount bash -c "$(declare -f fail check_fault); work=$work db=$db tool=$tool
        mount --bind '$folder' '$folder' && mount -o remount,bind,ro '$folder' || exit 3
        check_fault 'read-only folder'" || exit_code=$?
    [[ ${exit_code:-0} == 3 && ${CI:-} != true ]] && { echo "SKIP: no private mount namespace"; exit 0; }
    [[ ${exit_code:-0} == 0 ]] || exit 1
    unshare --mount bash -c "$(declare -f fail check_fault); work=$work db=$db tool=$tool
        mount -t tmpfs -o size=1m tmpfs '$folder' || exit 3
        '$tool' --record || fail 'first recording on the small disk'
        head -c 2m /dev/zero >'$folder/filler' 2>/dev/null
        check_fault 'full disk'
        rm '$folder/filler'
        [[ \$(sqlite3 '$db' 'PRAGMA integrity_check') == ok ]] || fail 'integrity after the full disk'
        '$tool' --record || fail 'recording once there is room again'" || exit 1
else
    chmod 0500 "$(dirname "$db")"
    check_fault "read-only folder"
    chmod 0700 "$(dirname "$db")"
fi
echo PASS
