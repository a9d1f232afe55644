#!/bin/sh
# Makes a fresh wine prefix for one test run, with drive letters of every type beside wine's
# own C: and Z:, and copies it to each further prefix given.
# Usage: make-wine-prefix.sh <emulator> <prefix> <drives folder> [<copy>...]
#
#   L:  fixed     label "Données 1"  serial 12AB34CD
#   M:  optical   label "DISC_01"    serial 0000ABCD
#   N:  network   label "Share"      serial DEADBEEF
#   R:  removable no label           serial 00C0FFEE
#   Q:  no drive
#
# The labels and serials come from the .windows-label and .windows-serial files that wine reads
# in a drive's root; the types from HKLM\Software\Wine\Drives. Wine's mount manager reads both
# only when it starts, so the server is stopped once everything is in place.
set -eu
if [ $# -lt 3 ]; then
    echo "usage: $0 <emulator> <prefix> <drives folder> [<copy>...]" >&2
    exit 2
fi
emulator=$1
prefix=$2
drives=$3
shift 3

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
    WINEPREFIX=$1 "$wineserver" -k 2>/dev/null || true
    WINEPREFIX=$1 "$wineserver" -w 2>/dev/null || true
}

for p in "$prefix" "$@"; do
    stop_server "$p"
    rm -rf "$p"
done
rm -rf "$drives"
mkdir -p "$(dirname "$prefix")"
"$emulator" "$prefix" wineboot --init
WINEPREFIX=$prefix "$wineserver" -w 2>/dev/null || true

make_drive() { # letter folder label serial
    mkdir -p "$drives/$2"
    if [ -n "$3" ]; then printf '%s\n' "$3" >"$drives/$2/.windows-label"; fi
    printf '%s\n' "$4" >"$drives/$2/.windows-serial"
    ln -sfn "$drives/$2" "$prefix/dosdevices/$1:"
}
make_drive l fixed "Données 1" 12ab34cd
make_drive m optical "DISC_01" 0000abcd
make_drive n network "Share" deadbeef
make_drive r removable "" 00c0ffee
rm -f "$prefix/dosdevices/q:"

registry=$drives/drives.reg
cat >"$registry" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"l:"="hd"
"m:"="cdrom"
"n:"="network"
"r:"="floppy"
REG
# Z: is the Unix root, so every absolute Unix path has a Windows name.
"$emulator" "$prefix" regedit /S "Z:$(printf '%s' "$registry" | tr / '\\')"
WINEPREFIX=$prefix "$wineserver" -w 2>/dev/null || true

if ! grep -q '"m:"="cdrom"' "$prefix/system.reg"; then
    echo "$0: the drive types did not reach the registry of $prefix" >&2
    exit 1
fi

# Copied only now that the server has saved the registry and stopped. The drive links are
# absolute, so the copies share the drive folders.
for p in "$@"; do
    cp -a "$prefix" "$p"
done
