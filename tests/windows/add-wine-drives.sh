#!/bin/sh
# Gives a new wine prefix drive letters of every type beside wine's own C: and Z:, and the
# system font the rows are drawn with; the wine prefix fixture runs it before the prefix's
# lasting server starts.
# Usage: add-wine-drives.sh <emulator> <drives folder> <prefix>
#
#   L:  fixed     label "Données 1"  serial 12AB34CD
#   M:  optical   label "DISC_01"    serial 0000ABCD
#   N:  network   label "Share"      serial DEADBEEF
#   R:  removable no label           serial 00C0FFEE
#   Q:  no drive
#
# The labels and serials come from the .windows-label and .windows-serial files that wine reads
# in a drive's root; the types from HKLM\Software\Wine\Drives. Wine's mount manager reads both
# only when it starts, which is why this runs before the server that the tests use.
#
# It also installs Tahoma as every Windows has it: the files in C:\windows\Fonts and listed under
# HKLM\...\Fonts, where DirectWrite, which Qt draws with, looks for the system's fonts. Wine
# keeps its own copy (from fonts-wine, the one the Linux rows use) out of that list, so without
# this the rows fall back to another face.
set -eu
if [ $# -ne 3 ]; then
    echo "usage: $0 <emulator> <drives folder> <prefix>" >&2
    exit 2
fi
emulator=$1  # wine-prefix.sh gives VOLLMARK_WINESERVER
drives=$2
prefix=$3

rm -rf "$drives"
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

wine_fonts=${VOLLMARK_WINE_FONTS:-/usr/share/wine/fonts}
for font in tahoma.ttf tahomabd.ttf; do
    if [ ! -f "$wine_fonts/$font" ]; then
        echo "$0: no $wine_fonts/$font (Debian: fonts-wine)" >&2
        exit 1
    fi
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp "$wine_fonts/$font" "$prefix/drive_c/windows/Fonts/"
done

registry=$drives/drives.reg
cat >"$registry" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"l:"="hd"
"m:"="cdrom"
"n:"="network"
"r:"="floppy"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"Tahoma (TrueType)"="tahoma.ttf"
"Tahoma Bold (TrueType)"="tahomabd.ttf"
REG
# Z: is the Unix root, so every absolute Unix path has a Windows name.
"$emulator" "$prefix" regedit /S "Z:$(printf '%s' "$registry" | tr / '\\')"
WINEPREFIX=$prefix "$VOLLMARK_WINESERVER" -w 2>/dev/null || true
if ! grep -q '"m:"="cdrom"' "$prefix/system.reg"; then
    echo "$0: the drive types did not reach the registry of $prefix" >&2
    exit 1
fi
