#!/usr/bin/env bash
# The installer under wine, silent (/S), for each kind of install: /CurrentUser puts the programs
# into the user's own folder with an entry in the user's Start menu and among the user's installed
# programs (HKCU); /AllUsers, and no choice, into Program Files with the common Start menu and
# HKLM. The Start-menu entry starts the program until its window maps; a silent uninstall leaves
# no file and no registry key of it.
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
# One install and uninstall: the folder, the Start menu and the registry file each kind of
# install uses, and those the other uses left alone.
check_install_cycle() { # what, start: yes or no, installer options...
    local what=$1 start=$2 folder menu registry other_registry
    shift 2
    if [[ $* == */CurrentUser* ]]; then
        folder=$(users_folder)/AppData/Local/Programs/Vollmark
        menu=$(users_folder)/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
        registry=user.reg other_registry=system.reg
    else
        folder=$WINEPREFIX/drive_c/Program\ Files/Vollmark
        menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
        registry=system.reg other_registry=user.reg
    fi
    snapshot "before-$what"
    "$wine" "$installer" "$@" >"$work/install.log" 2>&1 ||
        fail "$what: install: exit code $?: $(cat "$work/install.log")"
    "$wineserver" -w
    for file in bin/vollmark.exe bin/vollmark-drives.exe bin/vollmark-drives-png.exe Uninstall.exe; do
        [[ -f $folder/$file ]] ||
            fail "$what: not installed: $folder/$file; Vollmark folders: $(find "$WINEPREFIX/drive_c" -iname vollmark)"
    done
    local shortcut=$menu/Vollmark/Vollmark.lnk
    [[ -f $shortcut ]] || fail "$what: no Start-menu entry $shortcut: $(find "$WINEPREFIX/drive_c" -iname '*.lnk')"
    grep -q 'Uninstall\\\\Vollmark' "$WINEPREFIX/$registry" ||
        fail "$what: not listed among the installed programs in $registry"
    ! grep -q 'Uninstall\\\\Vollmark' "$WINEPREFIX/$other_registry" ||
        fail "$what: listed in $other_registry too"
    echo "$what: installed into ${folder#"$WINEPREFIX/"}, listed in $registry:" \
        "$(cd "$folder" && find . -type f | sort | tr '\n' ' ')"

    if [[ $start == yes ]]; then
        # The Start-menu entry, as the user starts it. The shell hands back no process for a
        # shortcut, so the end is awaited through the prefix's server.
        "$wine" start /unix "$shortcut" >"$work/program.log" 2>&1
        window=$(wait_for_window "Vollmark - Total: " 200) ||
            fail "$what: the Start-menu entry opened no window: $(wmctrl -l)"
        echo "$what: started from the Start menu: $(caption_of "$window")"
        wmctrl -i -c "$window"
        timeout 30 "$wineserver" -w || fail "$what: the program did not end after its window was closed"
        settings=$(find "$WINEPREFIX/drive_c/users" -ipath '*/AppData/Roaming/vollmark/vollmark.ini')
        [[ -n $settings ]] || fail "$what: the program saved no choices in the roaming folder"
    fi

    "$wine" "$folder/Uninstall.exe" /S >"$work/uninstall.log" 2>&1 ||
        fail "$what: uninstall: exit code $?"
    # The uninstaller runs on from a copy of itself; the server ends when it has.
    for _ in $(seq 100); do [[ -e $folder ]] || break; sleep 0.2; done
    snapshot "after-$what"
    diff "$work/before-$what.files" "$work/after-$what.files" ||
        fail "$what: files left behind (or removed) by the uninstall"
    diff "$work/before-$what.registry" "$work/after-$what.registry" ||
        fail "$what: registry entries left behind"
    echo "$what: uninstalled, nothing left"
}

users_folder() {
    find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -iname public | head -n1
}

check_install_cycle "for the user alone" yes /S /CurrentUser
check_install_cycle "for every user" yes /S /AllUsers
check_install_cycle "with no choice, for every user" no /S
echo "PASS"
