#!/bin/sh
# Runs a Windows program under wine: wine-emulator.sh <prefix> <program> [arguments...]
# The prefix is the build directory's own, never the user's ~/.wine. No display is needed.
# Wine's error messages stay in the output, its notes on what it leaves unimplemented do not: a
# program that fails before its first line of output then still says why. mscoree/mshtml are
# disabled so that creating a prefix never offers to download Mono or Gecko, and
# winemenubuilder so that it adds nothing to the user's desktop menus.
# Debian's wine has no preloader to keep the addresses Windows programs expect free, so where
# the kernel places the loader's heap at random, now and then a process cannot map its shared
# user data ("failed to map the shared user data: c0000018") and ends before its first line.
# Without address randomisation, for wine and every process it starts, the heap always lies
# below.
set -eu
if [ $# -lt 2 ]; then
    echo "usage: $0 <wine prefix> <program> [arguments...]" >&2
    exit 2
fi
WINEPREFIX=$1
shift
export WINEPREFIX
export WINEDEBUG=fixme-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

for wine in "${VOLLMARK_WINE:-}" /usr/lib/wine/wine64 "$(command -v wine64 || true)" \
    "$(command -v wine || true)"; do
    if [ -n "$wine" ] && [ -x "$wine" ]; then
        exec setarch "$(uname -m)" --addr-no-randomize "$wine" "$@"
    fi
done
echo "$0: no wine found (install wine64, or set VOLLMARK_WINE to the wine loader)" >&2
exit 127
