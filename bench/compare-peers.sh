#!/usr/bin/env bash
# Measures Vollmark beside its yardsticks on this machine and judges the ratios:
#   the window: time from exec to the first top-level map, and VmRSS one second later, against
#   a bare Qt window (QApplication + one QListWidget with one item), and kdf when installed;
#   the tool: hyperfine's times of `vollmark-drives --json` and of the table against
#   `df -B1` over the same mounts (and dfc, duf when installed), and peak RSS.
# Rounds are interleaved, so a load that comes and goes weighs on every program alike; the
# figures are medians. Every program runs under C.UTF-8 without a settings file, on a private
# Xvfb with openbox.
# Usage: bench/compare-peers.sh [PRESET]   (PRESET: a configured build preset, default `default`)
# Environment: ROUNDS (window rounds, 11), TOOL_RUNS (hyperfine runs per round, 200),
#   VOLLMARK, VOLLMARK_DRIVES (other builds of the two programs, e.g. to compare with a commit).
# Needs Xvfb, openbox, wmctrl, hyperfine, python3; exits 1 when a goal is missed.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/../tests/app/x_session.bash
source "$here/../tests/app/x_session.bash"
need_tools Xvfb openbox wmctrl hyperfine python3 cmake
preset=${1:-default}
rounds=${ROUNDS:-11}
tool_runs=${TOOL_RUNS:-200}
readonly map_limit=1.15 rss_limit=1.10 tool_limit=1.0 tool_peak_limit_kb=2560

cd "$here/.." || exit 1
[[ -d build/$preset ]] || cmake --preset "$preset" >/dev/null || fail "cannot configure $preset"
cmake --build --preset "$preset" --target vollmark vollmark-drives vollmark-bare-window \
    vollmark-maptime >/dev/null || fail "build failed"
bin=build/$preset
vollmark=${VOLLMARK:-$bin/app/vollmark}
drives=${VOLLMARK_DRIVES:-$bin/tools/vollmark-drives}
bare=$bin/bench/vollmark-bare-window
maptime=$bin/bench/vollmark-maptime

export LC_ALL=C.UTF-8 LANG=C.UTF-8 LANGUAGE=
open_work_folder
start_x_session

median() { python3 -c 'import statistics,sys; print(statistics.median(float(x) for x in sys.argv[1:]))' "$@"; }
ratio() { python3 -c 'import sys; print(f"{float(sys.argv[1]) / float(sys.argv[2]):.2f}")' "$1" "$2"; }
within() { python3 -c 'import sys; sys.exit(float(sys.argv[1]) > float(sys.argv[2]))' "$1" "$2"; }

declare -A window=([vollmark]=$vollmark [bare]=$bare)
names=(bare vollmark)
if command -v kdf >/dev/null; then
    window[kdf]=$(command -v kdf)
    names+=(kdf)
fi
declare -A maps rss
for ((round = 0; round < rounds; round++)); do
    for name in "${names[@]}"; do
        # The window keeps its place on exit; every run starts without a settings file.
        rm -rf "$XDG_CONFIG_HOME"
        read -r map kb < <("$maptime" 1000 "${window[$name]}" 2>/dev/null) ||
            fail "$name did not map a window"
        maps[$name]+="$map "
        rss[$name]+="$kb "
    done
done

verdict=0
judge() {
    local what=$1 value=$2 limit=$3
    if within "$value" "$limit"; then
        echo "  $what: $value (limit $limit) ok"
    else
        echo "  $what: $value (limit $limit) MISSED"
        verdict=1
    fi
}

echo "Window ($rounds interleaved rounds, medians; map: exec to first MapNotify, RSS: VmRSS 1 s later)"
printf '  %-10s %9s %9s %8s %8s\n' program "map ms" "RSS MB" "map x" "RSS x"
declare -A map_median rss_median
for name in "${names[@]}"; do
    # shellcheck disable=SC2086
    map_median[$name]=$(median ${maps[$name]})
    # shellcheck disable=SC2086
    rss_median[$name]=$(median ${rss[$name]})
done
for name in "${names[@]}"; do
    printf '  %-10s %9.1f %9.1f %8s %8s\n' "$name" "${map_median[$name]}" \
        "$(python3 -c "print(${rss_median[$name]} / 1024)")" \
        "$(ratio "${map_median[$name]}" "${map_median[bare]}")" \
        "$(ratio "${rss_median[$name]}" "${rss_median[bare]}")"
done
judge "vollmark map time / bare window" "$(ratio "${map_median[vollmark]}" "${map_median[bare]}")" $map_limit
judge "vollmark RSS / bare window" "$(ratio "${rss_median[vollmark]}" "${rss_median[bare]}")" $rss_limit

# The same file systems for every program: the mount points the tool gives letters to.
mapfile -t mounts < <("$drives" --json | python3 -c '
import json, sys
for drive in json.load(sys.stdin)["drives"]:
    if drive.get("mountPoint"): print(drive["mountPoint"])')
((${#mounts[@]})) || fail "vollmark-drives lists no mount"
quoted=$(printf ' %q' "${mounts[@]}")
commands=("$drives --json" "$drives" "df -B1$quoted")
command -v dfc >/dev/null && commands+=("dfc")
command -v duf >/dev/null && commands+=("duf -json$quoted")

declare -A tool_times
for ((round = 0; round < 3; round++)); do
    hyperfine -N --warmup 20 --runs "$tool_runs" --export-json "$work/tool.json" \
        "${commands[@]}" >/dev/null 2>&1 || fail "hyperfine failed"
    while IFS=$'\t' read -r index time; do
        tool_times[$index]+="$time "
    done < <(python3 -c '
import json, sys
for i, r in enumerate(json.load(open(sys.argv[1]))["results"]):
    print(i, r["median"] * 1000, sep="\t")' "$work/tool.json")
done
peak_kb() {
    local samples=()
    for _ in 1 2 3 4 5; do
            samples+=("$( { eval "/usr/bin/time -f %M $1" >/dev/null; } 2>&1 | tail -n1)")
    done
    median "${samples[@]}"
}

echo "Tool (hyperfine -N, 3 rounds of $tool_runs runs, medians; peak RSS: median of 5)"
printf '  %-28s %9s %9s %9s\n' command "ms" "x df" "peak MB"
declare -A tool_median
for index in "${!commands[@]}"; do
    # shellcheck disable=SC2086
    tool_median[$index]=$(median ${tool_times[$index]})
done
declare -A peak
for index in "${!commands[@]}"; do
    peak[$index]=$(peak_kb "${commands[$index]}")
    label=${commands[$index]/"$drives"/vollmark-drives}
    printf '  %-28.28s %9.3f %9s %9.2f\n' "$label" "${tool_median[$index]}" \
        "$(ratio "${tool_median[$index]}" "${tool_median[2]}")" \
        "$(python3 -c "print(${peak[$index]} / 1024)")"
done
judge "vollmark-drives --json / df -B1" "$(ratio "${tool_median[0]}" "${tool_median[2]}")" $tool_limit
judge "vollmark-drives --json peak RSS kB" "${peak[0]}" $tool_peak_limit_kb
exit $verdict
