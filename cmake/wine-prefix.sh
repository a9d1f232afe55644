#!/usr/bin/env bash
# The wine prefixes of one test run, each served by one wine server that stays up for the whole
# run, so that no case ever starts against a server that is going away.
#
#   wine-prefix.sh start <prefix> [<copy>...] [-- <prepare command...>]
#       Makes <prefix> afresh, runs the prepare command with <prefix> as its last argument (and
#       the server program in VOLLMARK_WINESERVER, to wait for the registry), copies the prefix
#       to each <copy>, then starts a lasting server in each and brings up wine's own services
#       there, so the first case does not pay for them.
#   wine-prefix.sh stop <prefix>...
#       Ends the servers and every wine process of those prefixes.
#
# Debian's wineserver wrapper starts the server with -p0: it ends as soon as no program of the
# prefix runs, which happens between two test cases, and a case starting just then talks to a
# server that is closing its socket ("recvmsg: Connection reset by peer"), or starts a new one
# with all of wine's services again. The lasting server outlives the longest stretch of a run
# without a wine program; a run cut short, which skips the stop, leaves it for half an hour.
set -euo pipefail
persistence=1800
here=$(dirname "$0")
emulator=$here/wine-emulator.sh

wineserver=
for candidate in "${VOLLMARK_WINESERVER:-}" /usr/lib/wine/wineserver \
    "$(command -v wineserver || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
        wineserver=$candidate
        break
    fi
done
if [ -z "$wineserver" ]; then
    echo "$0: no wineserver found (install wine64, or set VOLLMARK_WINESERVER)" >&2
    exit 127
fi

stop_server() { # prefix
    [ -d "$1" ] || return 0
    WINEPREFIX=$1 "$wineserver" -k 2>/dev/null || true
    WINEPREFIX=$1 "$wineserver" -w 2>/dev/null || true
}

usage() {
    echo "usage: $0 start <prefix> [<copy>...] [-- <prepare command...>]" >&2
    echo "       $0 stop <prefix>..." >&2
    exit 2
}

[ $# -ge 2 ] || usage
action=$1
shift
case $action in
stop)
    for p in "$@"; do stop_server "$p"; done
    exit 0
    ;;
start) ;;
*) usage ;;
esac

prefix=$1
shift
copies=()
while [[ $# -gt 0 && $1 != -- ]]; do
    copies+=("$1")
    shift
done
if [[ $# -gt 0 ]]; then shift; fi

for p in "$prefix" "${copies[@]}"; do
    stop_server "$p"
    rm -rf "$p"
done
mkdir -p "$(dirname "$prefix")"
"$emulator" "$prefix" wineboot --init
WINEPREFIX=$prefix "$wineserver" -w 2>/dev/null || true
if [ $# -gt 0 ]; then
    VOLLMARK_WINESERVER=$wineserver "$@" "$prefix"
    # The registry is on disk once the server the preparation started has ended.
    WINEPREFIX=$prefix "$wineserver" -w 2>/dev/null || true
fi
for p in "${copies[@]}"; do
    cp -a "$prefix" "$p"
done

# The server and the services outlive this script, so they get none of its output: CTest waits
# for every holder of a test's output to close it before it calls the test done.
starts=()
for p in "$prefix" "${copies[@]}"; do
    WINEPREFIX=$p "$wineserver" -p$persistence </dev/null >/dev/null 2>&1
    "$emulator" "$p" cmd /c exit 0 </dev/null >"$p/services-start.log" 2>&1 &
    starts+=($!)
done
failed=0
for i in "${!starts[@]}"; do
    if ! wait "${starts[i]}"; then
        p=$prefix
        ((i == 0)) || p=${copies[i - 1]}
        echo "$0: wine's services did not start in $p:" >&2
        cat "$p/services-start.log" >&2
        failed=1
    fi
done
exit $failed
