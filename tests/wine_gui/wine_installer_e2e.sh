#!/usr/bin/env bash
# The installer under wine: a silent install (/S) puts the programs into Program Files with a
# Start-menu entry and an entry among the installed programs; the Start-menu entry starts the
# program until its window maps; a silent uninstall leaves no file and no registry key of it.
# What the program keeps for the user in the roaming and the local application-data folders
# (its choices, its usage history) is the user's, not the installer's: it stays, as the data of
# Windows programs does.
# Usage: wine_installer_e2e.sh <vollmark-<version>-win64.exe>
set -uo pipefail
here=$(dirname "$0")
source "$here/../app/x_session.bash"
source "$here/wine_session.bash"
installer=$1
[[ -f $installer ]] || fail "no installer at $installer (cmake --build <dir> --target package)"
start_wine_session
# This test waits for the programs it starts through the wine server's end, so it runs on
# Debian's ordinary server, which ends with the prefix's last program, not the lasting one.
"$wineserver" -k
"$wineserver" -w

# What the prefix holds before: files, and the registry once the server has written it out.
snapshot() { # name
    "$wineserver" -w
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows/temp -prune -o -path ./users -prune -o \
        -path ./windows/logs -prune -o -print | sort) >"$work/$1.files"
    (cd "$WINEPREFIX/drive_c/users" && find . \( -ipath '*/AppData/Roaming/vollmark' -o \
        -ipath '*/AppData/Local/vollmark' \) -prune -o -iname '*vollmark*' -print | sort) \
        >>"$work/$1.files"
    grep -i -c 'vollmark' "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" >"$work/$1.registry"
}
snapshot before

"$wine" "$installer" /S >"$work/install.log" 2>&1 || fail "silent install: exit code $?"
"$wineserver" -w
folder=$WINEPREFIX/drive_c/Program\ Files/Vollmark
for file in bin/vollmark.exe bin/vollmark-drives.exe bin/vollmark-drives-png.exe Uninstall.exe; do
    [[ -f $folder/$file ]] || fail "not installed: $file; the folder holds: $(find "$folder")"
done
shortcut=$(find "$WINEPREFIX/drive_c" -ipath '*Start Menu/Programs/Vollmark/Vollmark.lnk' | head -n1)
[[ -n $shortcut ]] || fail "no Start-menu entry"
grep -q 'Uninstall\\\\Vollmark' "$WINEPREFIX/system.reg" ||
    fail "not listed among the installed programs"
echo "installed: $(cd "$folder" && find . -type f | sort | tr '\n' ' ')"

# The Start-menu entry, as the user starts it. The shell hands back no process for a
# shortcut, so the end is awaited through the prefix's server.
"$wine" start /unix "$shortcut" >"$work/program.log" 2>&1
window=$(wait_for_window "Vollmark - Total: " 200) ||
    fail "the Start-menu entry opened no window: $(wmctrl -l)"
echo "started from the Start menu: $(caption_of "$window")"
wmctrl -i -c "$window"
timeout 30 "$wineserver" -w || fail "the program did not end after its window was closed"
settings=$(find "$WINEPREFIX/drive_c/users" -ipath '*/AppData/Roaming/vollmark/vollmark.ini')
[[ -n $settings ]] || fail "the program saved no choices in the roaming folder"

"$wine" "$folder/Uninstall.exe" /S >"$work/uninstall.log" 2>&1 || fail "silent uninstall: exit code $?"
# The uninstaller runs on from a copy of itself; the server ends when it has.
for _ in $(seq 100); do [[ -e $folder ]] || break; sleep 0.2; done
snapshot after
diff "$work/before.files" "$work/after.files" || fail "files left behind (or removed) by the uninstall"
diff "$work/before.registry" "$work/after.registry" || fail "registry entries left behind"
echo "uninstalled: nothing left"
echo "PASS"
