#!/usr/bin/env bash
# Measures `vollmark-drives --scan` beside du, ncdu and gdu on a generated tree on an ext4 file
# system of its own (a loop image in a private mount namespace): 1,000,000 entries in 50,000
# folders, 1 % hard links (bench/make-scan-tree.py). hyperfine times every program warm, then
# cold (caches dropped before each run); /usr/bin/time gives each one's peak RSS. The load the
# machine had is printed beside the figures: on a busy machine the ratios say little.
# Usage: bench/compare-scan.sh [PRESET]   (as root; PRESET: a configured build preset, default
#   `default`)
# Environment: RUNS (warm runs, 10), COLD_RUNS (3, 0 for none), VOLLMARK_DRIVES (another build).
# Needs hyperfine, du, ncdu, gdu, mkfs.ext4, python3, /usr/bin/time; exits 1 when a goal is
# missed.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "compare-scan: $*" >&2; exit 2; }
((EUID == 0)) || fail "needs root: it mounts a loop image and drops caches"
for tool in hyperfine du ncdu gdu mkfs.ext4 python3 unshare /usr/bin/time; do
    command -v "$tool" >/dev/null || fail "needs $tool"
done
preset=${1:-default}
runs=${RUNS:-10}
cold_runs=${COLD_RUNS:-3}
readonly du_limit=0.6 gdu_limit=0.35 peak_limit_kb=65536

# Everything below runs in a mount namespace of its own, so the image's mount goes with it.
if [[ -z ${VOLLMARK_SCAN_BENCH_NS:-} ]]; then
    cd "$here/.." || exit 2
    if [[ -z ${VOLLMARK_DRIVES:-} ]]; then
        [[ -d build/$preset ]] || cmake --preset "$preset" >/dev/null || fail "cannot configure $preset"
        cmake --build --preset "$preset" --target vollmark-drives >/dev/null || fail "build failed"
        VOLLMARK_DRIVES=$PWD/build/$preset/tools/vollmark-drives
        # Only presets with the benchmarks have it: the walk's scaling with threads.
        threads_bench=$PWD/build/$preset/bench/vollmark-bench-scan
        if [[ -d build/$preset/bench ]]; then
            cmake --build --preset "$preset" --target vollmark-bench-scan >/dev/null ||
                fail "build failed"
        fi
    fi
    export VOLLMARK_DRIVES VOLLMARK_SCAN_BENCH_NS=1 VOLLMARK_THREADS_BENCH=${threads_bench:-}
    exec unshare --mount --propagation private "$0" "$@"
fi
drives=$VOLLMARK_DRIVES

work=$(mktemp -d /var/tmp/vollmark-scan-bench.XXXXXX) || fail "no work folder"
trap 'umount "$work/mnt" 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/mnt"
truncate -s 8G "$work/tree.img"
mkfs.ext4 -q -F -N 1100000 "$work/tree.img" || fail "mkfs.ext4 failed"
mount -o loop "$work/tree.img" "$work/mnt" || fail "cannot mount the image"
tree=$work/mnt/tree
mkdir "$tree"
echo "Building the tree..."
python3 "$here/make-scan-tree.py" "$tree" || fail "cannot build the tree"
sync
entries=$(find "$tree" -mindepth 1 | wc -l)

median() { python3 -c 'import statistics,sys; print(statistics.median(float(x) for x in sys.argv[1:]))' "$@"; }
ratio() { python3 -c 'import sys; print(f"{float(sys.argv[1]) / float(sys.argv[2]):.2f}")' "$1" "$2"; }
within() { python3 -c 'import sys; sys.exit(float(sys.argv[1]) > float(sys.argv[2]))' "$1" "$2"; }
load() { cut -d' ' -f1 /proc/loadavg; }

# The scan must be exact before its speed means anything.
scanned=$("$drives" --scan "$tree" --json | python3 -c '
import json, sys
r = json.load(sys.stdin)
print(r["allocatedBytes"], r["apparentBytes"])')
expected="$(du -sx -B1 "$tree" | cut -f1) $(du -sbx "$tree" | cut -f1)"
[[ $scanned == "$expected" ]] || fail "the scan says $scanned, du $expected"

names=(vollmark du ncdu gdu)
commands=("$drives --scan $tree --json" "du -sx $tree" "ncdu -0 -x -o /dev/null $tree"
    "gdu -npc -x $tree")
declare -A warm cold peak
times_of() {
    python3 -c '
import json, sys
for r in json.load(open(sys.argv[1]))["results"]:
    print(r["median"])' "$1"
}

if [[ -x ${VOLLMARK_THREADS_BENCH:-} ]]; then
    echo "The walk by threads, warm, then cold (load $(load)):"
    VOLLMARK_SCAN_TREE=$tree "$VOLLMARK_THREADS_BENCH" --benchmark_min_time=2 2>/dev/null |
        grep BM_ScanFolder
    ((cold_runs > 0)) && VOLLMARK_SCAN_TREE=$tree VOLLMARK_SCAN_COLD=1 "$VOLLMARK_THREADS_BENCH" \
        --benchmark_min_time=0.01 2>/dev/null | grep BM_ScanFolder
fi

load_before=$(load)
hyperfine -N --warmup 2 --runs "$runs" --export-json "$work/warm.json" "${commands[@]}" \
    >/dev/null 2>&1 || fail "hyperfine failed (warm)"
mapfile -t medians < <(times_of "$work/warm.json")
for i in "${!names[@]}"; do warm[${names[$i]}]=${medians[$i]}; done
load_warm=$(load)
if ((cold_runs > 0)); then
    hyperfine -N --runs "$cold_runs" --prepare 'sh -c "sync; echo 3 > /proc/sys/vm/drop_caches"' \
        --export-json "$work/cold.json" "${commands[@]}" >/dev/null 2>&1 ||
        fail "hyperfine failed (cold)"
    mapfile -t medians < <(times_of "$work/cold.json")
    for i in "${!names[@]}"; do cold[${names[$i]}]=$(printf '%.3f' "${medians[$i]}"); done
fi
load_cold=$(load)
for i in "${!names[@]}"; do
    samples=()
    for _ in 1 2 3; do
        /usr/bin/time -o "$work/peak" -f %M ${commands[$i]} >/dev/null 2>&1
        samples+=("$(tail -n1 "$work/peak")")
    done
    peak[${names[$i]}]=$(median "${samples[@]}")
done

echo "Tree: $entries entries; load average (1 min) before $load_before, after warm $load_warm," \
    "after cold $load_cold; $(nproc) cores"
printf '  %-9s %9s %9s %9s %9s %10s %9s\n' program "warm s" "x du" "x gdu" "cold s" "entries/s" "peak MB"
for name in "${names[@]}"; do
    printf '  %-9s %9.3f %9s %9s %9s %10.0f %9.1f\n' "$name" "${warm[$name]}" \
        "$(ratio "${warm[$name]}" "${warm[du]}")" "$(ratio "${warm[$name]}" "${warm[gdu]}")" \
        "${cold[$name]:--}" "$(python3 -c "print($entries / ${warm[$name]})")" \
        "$(python3 -c "print(${peak[$name]} / 1024)")"
done
if ((cold_runs > 0)); then
    echo "  cold: vollmark $(ratio "${cold[vollmark]}" "${cold[du]}") x du," \
        "$(ratio "${cold[vollmark]}" "${cold[gdu]}") x gdu"
fi

verdict=0
judge() {
    if within "$2" "$3"; then echo "  $1: $2 (limit $3) ok"; else echo "  $1: $2 (limit $3) MISSED"; verdict=1; fi
}
judge "warm scan / du -sx" "$(ratio "${warm[vollmark]}" "${warm[du]}")" $du_limit
judge "warm scan / gdu" "$(ratio "${warm[vollmark]}" "${warm[gdu]}")" $gdu_limit
judge "scan peak RSS kB" "${peak[vollmark]}" $peak_limit_kb
exit $verdict
