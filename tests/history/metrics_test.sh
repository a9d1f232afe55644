#!/usr/bin/env bash
# --openmetrics as monitoring reads it: promtool accepts the text, a real node-exporter on
# 127.0.0.1 serves it from its textfile folder, and a drive with a forecast has its seconds to
# full there.
# Usage: metrics_test.sh <path to vollmark-drives>
set -uo pipefail
tool=$1
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
exporter=
trap '[[ -n $exporter ]] && kill $exporter 2>/dev/null; rm -rf "$work"' EXIT
export XDG_STATE_HOME=$work/state
db=$XDG_STATE_HOME/vollmark/history.sqlite

# Three days of steady filling behind the drives' real figures of now.
"$tool" --record || fail "--record exit $?"
sqlite3 "$db" "WITH RECURSIVE k(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM k WHERE n < 432)
    INSERT INTO samples(drive, seq, time, total_bytes, free_bytes)
    SELECT drive, seq - n, time - n * 600, total_bytes, free_bytes + n * 600 * 1000 FROM samples, k" || fail "cannot add history"

"$tool" --openmetrics >"$work/stdout.prom" || fail "--openmetrics exit $?"
promtool check metrics <"$work/stdout.prom" || fail "promtool: $(cat "$work/stdout.prom")"
grep -q '^vollmark_drive_full_in_seconds{letter="C",mountpoint="/"' "$work/stdout.prom" ||
    fail "no forecast for C: $(grep full_in "$work/stdout.prom")"
for name in size_bytes free_bytes used_bytes read_only; do
    grep -q "^# TYPE vollmark_drive_$name gauge$" "$work/stdout.prom" || fail "no vollmark_drive_$name"
done

mkdir "$work/textfile"
"$tool" --record --openmetrics "$work/textfile/vollmark.prom" >"$work/out" || fail "--openmetrics FILE exit $?"
[[ ! -s $work/out ]] || fail "--record --openmetrics FILE printed: $(cat "$work/out")"
promtool check metrics <"$work/textfile/vollmark.prom" || fail "promtool on the file"

# A free port from the kernel; another process may take it before the exporter does, so a
# failed start is tried again on a new one.
for _ in 1 2 3; do
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    prometheus-node-exporter --web.listen-address="127.0.0.1:$port" --collector.disable-defaults \
        --collector.textfile --collector.textfile.directory="$work/textfile" 2>"$work/exporter.log" &
    exporter=$!
    for _ in $(seq 100); do
        curl -sf "http://127.0.0.1:$port/metrics" >"$work/scraped" 2>/dev/null && break 2
        kill -0 $exporter 2>/dev/null || break
        sleep 0.1
    done
    kill $exporter 2>/dev/null
    exporter=
done
[[ -n $exporter ]] || fail "node-exporter did not serve: $(cat "$work/exporter.log")"
grep -q '^vollmark_drive_size_bytes{fstype=".*",label=".*",letter="C",mountpoint="/"} ' "$work/scraped" ||
    fail "node-exporter does not serve the drives: $(grep -E 'vollmark|textfile' "$work/scraped")"
grep -q '^vollmark_drive_full_in_seconds{.*letter="C"' "$work/scraped" || fail "no forecast served"
grep -q '^node_textfile_scrape_error 0$' "$work/scraped" || fail "$(grep textfile "$work/scraped")"
echo PASS
