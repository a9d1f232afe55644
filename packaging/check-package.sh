#!/usr/bin/env bash
# CI's package job: builds the Debian package, validates its desktop file, metainfo and manual
# pages, installs it, runs both installed programs, purges it and checks that nothing it put
# down is left. CI's machine runs this as root. It refuses to start where vollmark is already
# installed, since the purge would take that installation away.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --preset package
cmake --build --preset package
deb=$(ls build/package/vollmark_*_amd64.deb)
echo "package: $deb"

desktop-file-validate packaging/org.vollmark.Vollmark.desktop
appstreamcli validate --no-net --pedantic build/package/packaging/org.vollmark.Vollmark.metainfo.xml
for page in vollmark.1 vollmark-drives.1; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "build/package/packaging/$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "$page: $warnings"
done
lintian --fail-on error "$deb"

if dpkg-query -W -f='${Status}' vollmark 2>/dev/null | grep -q 'ok installed'; then
    fail "vollmark is already installed here; remove it first"
fi
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    dpkg --purge vollmark >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

dpkg -i "$deb"
dpkg-query -L vollmark | sort >"$work/files"

/usr/bin/vollmark-drives --version
/usr/bin/vollmark-drives --json >"$work/drives.json"
grep -q '"drives"' "$work/drives.json" || fail "vollmark-drives --json: $(cat "$work/drives.json")"
/usr/bin/vollmark --version
man -w vollmark vollmark-drives >/dev/null

# The installed completion, found by bash-completion's loader and driven as bash drives it.
completion=$(bash -c 'source /usr/share/bash-completion/bash_completion
    _completion_loader vollmark-drives
    COMP_WORDS=(vollmark-drives --unit "") COMP_CWORD=2 COMP_LINE="vollmark-drives --unit "
    COMP_POINT=${#COMP_LINE}
    _vollmark_drives vollmark-drives "" --unit
    echo "${COMPREPLY[*]}"')
[[ $completion == "kilo mega giga tera" ]] || fail "completion of --unit: '$completion'"

# The installed program on a private X server with a window manager: its window must map,
# and closing it the way the title bar does must end it with exit code 0.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 300); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 300); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || fail "no window manager answered"

(cd / && env -u QT_QPA_PLATFORM /usr/bin/vollmark >"$work/vollmark.log" 2>&1) &
program=$!
window=""
for _ in $(seq 300); do
    # The client list is briefly unreadable while the window manager settles in.
    window=$(wmctrl -lx 2>/dev/null | awk '$3 ~ /vollmark/ {print $1; exit}') || true
    [[ -n $window ]] && break
    kill -0 "$program" 2>/dev/null || fail "vollmark ended early: $(cat "$work/vollmark.log")"
    sleep 0.1
done
[[ -n $window ]] || fail "no vollmark window mapped; windows: $(wmctrl -lx)"
echo "window $window: $(wmctrl -lx | awk -v w="$window" '$1 == w')"
wmctrl -i -c "$window"
status=0
wait "$program" || status=$?
[[ $status == 0 ]] || fail "vollmark exited with $status: $(cat "$work/vollmark.log")"

dpkg --purge vollmark
while read -r path; do
    [[ $path == /. ]] && continue
    if [[ -d $path && ! -L $path ]]; then
        continue
    fi
    [[ ! -e $path && ! -L $path ]] || fail "left after purge: $path"
done <"$work/files"
[[ ! -e /usr/share/doc/vollmark ]] || fail "left after purge: /usr/share/doc/vollmark"
echo "package check passed"
