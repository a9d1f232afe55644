# Sourced by the wine end-to-end scripts, after x_session.bash: each test runs the Windows
# programs in a prefix of its own (so its settings, its drive changes and its wine server are its
# own, and tests run in parallel), on the private X server where wine draws its windows.
# Environment: VOLLMARK_WINE_PREFIX, the test's prefix, which the wine_gui_prefix fixture made.

# The tests compare pictures of two programs' rows, which agree only when the drives' figures
# stay still between the two. Folders of the host's disk move with every build beside the test,
# so as root each test runs in a mount namespace of its own, on a root of its own: a small tmpfs
# holding the host root's folders bound into it, so that every path stays what it is while Z:,
# wine's drive for the Unix root, gets figures of its own; steady_drives does the same for the
# prefix's other drives. The script starts again in the namespace, then again inside that root.
# Wine and everything it starts run without address randomisation, as in cmake/wine-emulator.sh.
if [[ -z ${VOLLMARK_WINE_FIXED_LAYOUT:-} ]]; then
    export VOLLMARK_WINE_FIXED_LAYOUT=1
    exec setarch "$(uname -m)" --addr-no-randomize bash "$(realpath "$0")" "$@"
fi
if ((EUID == 0)) && [[ -z ${VOLLMARK_WINE_NAMESPACE:-} ]] && unshare --mount true 2>/dev/null; then
    export VOLLMARK_WINE_NAMESPACE=mounts VOLLMARK_WINE_CWD=$PWD
    exec unshare --mount --propagation private -- bash "$(realpath "$0")" "$@"
elif [[ ${VOLLMARK_WINE_NAMESPACE:-} == mounts ]]; then
    # A fixed folder: what is mounted there is the namespace's alone, and ends with it.
    steady_root=/tmp/.vollmark-wine-root
    mkdir -p "$steady_root"
    mount -t tmpfs -o size=192m,mode=0755 vollmark-z "$steady_root" || exit 1
    fallocate -l 80MiB "$steady_root/.vollmark-filled" || exit 1
    for entry in /*; do
        if [[ -L $entry ]]; then
            cp -P "$entry" "$steady_root/"
        elif [[ -d $entry ]]; then
            mkdir "$steady_root$entry" && mount --rbind "$entry" "$steady_root$entry" || exit 1
        fi
    done
    export VOLLMARK_WINE_NAMESPACE=root
    exec chroot "$steady_root" bash "$0" "$@"
elif [[ ${VOLLMARK_WINE_NAMESPACE:-} == root ]]; then
    cd "$VOLLMARK_WINE_CWD" || exit 1
fi

find_wine() {
    local candidate
    for candidate in "${VOLLMARK_WINE:-}" /usr/lib/wine/wine64 "$(command -v wine64 || true)" \
        "$(command -v wine || true)"; do
        [[ -n $candidate && -x $candidate ]] && { wine=$candidate; break; }
    done
    for candidate in "${VOLLMARK_WINESERVER:-}" /usr/lib/wine/wineserver \
        "$(command -v wineserver || true)"; do
        [[ -n $candidate && -x $candidate ]] && { wineserver=$candidate; break; }
    done
    [[ -n ${wine:-} && -n ${wineserver:-} ]] || skip "wine64 is not installed"
}

# The size and the filled part, in MiB, of each drive's file system: small, so that the filling
# costs little memory, and different, so that each row shows figures of its own. C: takes the
# installer's test's installs, which the installer refuses without room for them.
declare -A steady_sizes=([c]="512 48" [l]="96 60" [m]="48 48" [n]="256 64" [r]="16 4")

# Puts every drive of the prefix but Z: (see above) on a tmpfs of its own, as an overlay over
# its folder whose upper layer is the tmpfs: its files, labels and serials stay visible, and what
# wine writes there goes to the tmpfs. The mounts end with the namespace. Wine's mount manager
# reads the drives when the prefix's server starts, which is why the fixture's server, started
# outside, is ended first.
steady_drives() {
    if [[ ${VOLLMARK_WINE_NAMESPACE:-} != root ]]; then
        echo "the drives are folders of the host's disk (a mount namespace of its own needs root)"
        return 0
    fi
    "$wineserver" -k 2>/dev/null
    "$wineserver" -w 2>/dev/null
    local steady=/tmp/.vollmark-wine-drives
    mkdir -p "$steady"
    mount -t tmpfs -o size=1m vollmark-drives "$steady" || fail "no tmpfs for the drives"
    local link letter target size fill
    for link in "$WINEPREFIX"/dosdevices/?:; do
        letter=${link##*/}
        letter=${letter%:}
        target=$(cd "$WINEPREFIX/dosdevices" && readlink -f "$link") && [[ -d $target ]] || continue
        [[ $target == / ]] && continue
        read -r size fill <<<"${steady_sizes[$letter]:-64 16}"
        mkdir "$steady/$letter"
        mount -t tmpfs -o "size=${size}m,mode=0755" "vollmark-$letter" "$steady/$letter" ||
            fail "no tmpfs for drive $letter"
        fallocate -l "${fill}MiB" "$steady/$letter/filled"
        mkdir "$steady/$letter/upper" "$steady/$letter/work"
        mount -t overlay "vollmark-$letter" \
            -o "lowerdir=$target,upperdir=$steady/$letter/upper,workdir=$steady/$letter/work" \
            "$target" || fail "no overlay for drive $letter over $target"
    done
    echo "drives on file systems of their own: $(cd "$WINEPREFIX/dosdevices" && echo ?:)"
}

# Every wine program of the test ends with its X server, the lasting wine server too: a program
# left over would hold a display that is gone.
end_wine_session() {
    [[ -n ${WINEPREFIX:-} ]] && "$wineserver" -k 2>/dev/null
    end_session
}

# Makes the work folder and the X session, and sees that a lasting wine server runs in the test's
# prefix: Debian's ends as soon as no wine program runs, which happens between two commands of a
# test, and a command starting just then meets a server closing its socket. The fixture started
# one; a repeated test, whose first run ended it, starts it again (a second one exits at once).
start_wine_session() {
    need_tools Xvfb openbox xprop xwininfo wmctrl xdotool import compare
    find_wine
    [[ -d ${VOLLMARK_WINE_PREFIX:-} ]] || fail "no wine prefix in VOLLMARK_WINE_PREFIX"
    open_work_folder
    trap end_wine_session EXIT
    # winemenubuilder would copy the Start-menu entries into the real desktop's menu.
    export WINEPREFIX=$VOLLMARK_WINE_PREFIX WINEDEBUG=fixme-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
    steady_drives
    "$wineserver" -p1800 </dev/null >/dev/null 2>&1
    start_x_session
    # x_session.bash chose Qt's X11 platform; the Windows programs have their own.
    unset QT_QPA_PLATFORM XDG_CONFIG_HOME
}

# The user's roaming application data folder of the prefix, as a Unix path.
roaming_folder() {
    local folder
    folder=$("$wine" cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
    "$wine" winepath -u "$folder" 2>/dev/null | tr -d '\r'
}

# The Windows name of a Unix path: Z: is the Unix root.
windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

# Starts a Windows program in the background; sets program_pid.
start_program() {
    local log=$1
    shift
    "$wine" "$@" >"$log" 2>&1 &
    program_pid=$!
}

# Starts $program and sets `window` to its main window. Keys go to the window once wine has
# made it the active one. Soon after the window maps, the warnings' notification-area icon makes
# wine open its own tray window, which takes the focus (openbox has no notification area of its
# own): the focus is taken back until it stays.
start_main_window() {
    start_program "$work/program.log" "$program"
    window=$(main_window "$program_pid") || fail "no main window: $(cat "$work/program.log")"
    local held=0
    for _ in $(seq 50); do
        if (($(xdotool getwindowfocus) == window)); then
            ((++held >= 5)) && return 0
        else
            held=0
            timeout 2 xdotool windowactivate "$window" 2>/dev/null
        fi
        sleep 0.2
    done
    fail "the main window does not keep the keyboard focus: $(wmctrl -l)"
}

# Windows the X server shows: the menus are windows of their own.
shown_windows() {
    xwininfo -root -children | awk '/^ +0x/ {print $1}' | while read -r id; do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
    done | sort
}

# Waits until a window is shown that was not before: the menus are windows of their own,
# and `$work/shown` lists those shown before they opened.
wait_for_menu() { # what
    for _ in $(seq 50); do
        [[ -n $(comm -13 "$work/shown" <(shown_windows)) ]] && return 0
        sleep 0.1
    done
    fail "$1: no menu opened"
}

close_menu() {
    xdotool key Escape
    for _ in $(seq 50); do
        [[ -z $(comm -13 "$work/shown" <(shown_windows)) ]] && return 0
        sleep 0.1
    done
    local id left=
    for id in $(comm -13 "$work/shown" <(shown_windows)); do
        left+=" $(xwininfo -id "$id" | awk '/xwininfo:|geometry/ {$1=""; printf "%s", $0}')"
    done
    fail "the menu did not close; still shown:$left"
}

# Prints the id of the first window whose title matches the pattern once one shows, waiting up
# to the given tenths of a second (10 s unless told); false when none did.
wait_for_window() { # pattern [tenths]
    local id
    for _ in $(seq "${2:-100}"); do
        id=$(wmctrl -l | awk -v pattern="$1" '$0 ~ pattern {print $1; exit}')
        [[ -n $id ]] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# The drive report of vollmark-drives.exe, as JSON, with any further options it is given.
drives_json() {
    "$wine" "$drives_tool" --json "$@" | tr -d '\r'
}

# The main window's client area as the X server shows it, as PNG.
window_picture() {
    timeout 20 import -window "$1" "png24:$2" 2>/dev/null || fail "cannot take a picture of window $1"
}

# Count of pixels that differ between two pictures of the same size (all when the sizes differ).
differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1 | awk '{print int($1)}'
}

# Waits until the main window's client area is what vollmark-drives.exe --png draws with the
# given options. The drives are folders of a disk that other programs fill and empty, so both
# pictures are taken again until they show the same moment. The drive rows follow the disk at
# the window's next repaint, the summary rows only at its next scan: between two tries the
# window is told that a drive left, as Windows tells it, which makes it scan again.
# Environment: VOLLMARK_DEVICE_CHANGE_SENDER, send-device-change.exe.
wait_for_tool_picture() { # what, options
    local what=$1 differing
    shift
    [[ -n ${VOLLMARK_DEVICE_CHANGE_SENDER:-} ]] || fail "no VOLLMARK_DEVICE_CHANGE_SENDER"
    # Out of the way: a tooltip over the window would be in its picture.
    xdotool mousemove 1023 767
    for _ in $(seq 20); do
        "$wine" "$drives_tool" --png "$(windows_path "$work/tool.png")" "$@" >/dev/null ||
            fail "vollmark-drives.exe --png $*: exit code $?"
        window_picture "$window" "$work/window.png"
        differing=$(differing_pixels "$work/window.png" "$work/tool.png")
        [[ $differing == 0 ]] && return 0
        # Y: is none of the prefix's drives, so the scan finds the same rows.
        "$wine" "$VOLLMARK_DEVICE_CHANGE_SENDER" removal Y || fail "the rescan was not broadcast"
        sleep 0.6
    done
    fail "$what: $differing pixels differ from vollmark-drives.exe --png $*"
}
