# Sourced by the end-to-end scripts: a private X server with a window manager, a work folder
# that holds the program's settings, and helpers to find and measure the main window.
# open_work_folder makes the work folder `work`; at exit, everything appended to `pids` is
# ended and the folder removed.

fail() { echo "FAIL: $*"; exit 1; }
# CI has every tool, root and loop devices: a skip there would hide a broken runner.
skip() {
    [[ ${CI:-} == true ]] && { echo "FAIL: $* (CI must run every case)"; exit 1; }
    echo "SKIP: $*"
    exit 77
}

end_session() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}

open_work_folder() {
    work=$(mktemp -d)
    pids=()
    trap end_session EXIT
}

need_tools() {
    for tool in "$@"; do command -v "$tool" >/dev/null || skip "$tool is not installed"; done
}

# One Xvfb with openbox on a display of its own; false, with both ended, when the manager does not
# answer within 10 s. The reason is left in $work/openbox.log and $work/xvfb.log.
start_display() {
    local xvfb manager
    rm -f "$work/display"
    # -displayfd picks a free display number and reports it once the server accepts clients.
    # VOLLMARK_SCREEN makes room for a picture of a large window at 200 %.
    Xvfb -displayfd 3 -screen 0 "${VOLLMARK_SCREEN:-1024x768}x24" -nolisten tcp \
        3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    for _ in $(seq 300); do [[ -s $work/display ]] && break; sleep 0.1; done
    [[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n1 "$work/display")"
    openbox >"$work/openbox.log" 2>&1 &
    manager=$!
    # A window mapped before the manager runs keeps no frame and ignores the on-top request.
    for _ in $(seq 100); do
        if wmctrl -m >/dev/null 2>&1; then
            pids+=("$xvfb" "$manager")
            return 0
        fi
        sleep 0.1
    done
    kill "$manager" "$xvfb" 2>/dev/null
    wait "$manager" "$xvfb" 2>/dev/null
    return 1
}

# A display with a window manager, and a configuration of the test's own. Now and then, with
# several tests starting at once, the display a new Xvfb reports cannot be opened; a fresh one
# on another number then serves.
start_x_session() {
    export QT_QPA_PLATFORM=xcb
    # Never the user's own settings or usage history.
    export XDG_CONFIG_HOME=$work/config
    export XDG_STATE_HOME=$work/state
    # Without a runtime folder the accessibility bus puts its socket in one under the user's home,
    # which tests running side by side would share and take away from each other.
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
    for _ in 1 2 3; do start_display && return 0; done
    fail "no window manager answered on $DISPLAY: $(cat "$work/openbox.log" "$work/xvfb.log")"
}

# Prints the id of the main window once its caption carries the local total.
main_window() {
    local pid=$1 window
    for _ in $(seq 300); do
        window=$(wmctrl -l | awk '/Vollmark - Total: / {print $1; exit}')
        [[ -n $window ]] && { echo "$window"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

caption_of() {
    xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
}

client_height_of() {
    xwininfo -id "$1" | awk '/^ *Height:/ {print $2}'
}

# Waits up to `seconds` for a child of this shell to end and sets `exit_code`; false when it
# is still running. Not for a subshell: only the parent can collect the code.
wait_for_end() {
    local pid=$1 seconds=$2
    for _ in $(seq $((seconds * 10))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && return 1
    wait "$pid"
    exit_code=$?
}

# Starts the script again in a mount namespace of its own, so that what it mounts is its alone
# and goes with it; `bus` gives it a session bus of its own as well. The first thing a script
# that mounts calls, with its own parameters after the kind.
enter_private_mounts() { # bus|no-bus, parameters
    local kind=$1
    shift
    [[ -n ${VOLLMARK_PRIVATE_MOUNTS:-} ]] && return 0
    [[ $(id -u) == 0 ]] || skip "needs root to mount"
    unshare -m --propagation private true 2>/dev/null || skip "no private mount namespace"
    local session=()
    [[ $kind == bus ]] && session=(dbus-run-session --)
    VOLLMARK_PRIVATE_MOUNTS=1 exec unshare -m --propagation private "${session[@]}" bash "$0" "$@"
}

# open_work_folder on a tmpfs of the given size, in the namespace of enter_private_mounts. At
# exit, after the processes in `pids`, whatever was mounted in it or listed in `mounts` goes.
open_mounted_work_folder() { # size
    work=$(mktemp -d)
    mount -t tmpfs -o "size=$1" tmpfs "$work" || skip "cannot mount a tmpfs"
    pids=()
    mounts=()
    trap end_mounted_session EXIT
}

end_mounted_session() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    local target
    for target in "${mounts[@]}" $(findmnt -rn -o TARGET | grep "^$work/" | sort -r); do
        umount -l "$target" 2>/dev/null
    done
    umount -l "$work"
    rmdir "$work"
}

# What reading the windows as a screen reader does takes: the accessibility bus and its Python
# binding.
need_atspi() {
    [[ -x /usr/libexec/at-spi-bus-launcher ]] || skip "at-spi2-core is not installed"
    "${python:-python3}" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
        skip "python3-gi or gir1.2-atspi-2.0 is not installed"
}

# Sets `libfaketime`, the library a run at a simulated time preloads: the faketime wrapper fails
# on a semaphore a killed run left behind. It comes ahead of the sanitizer runtime, which a
# sanitized build otherwise refuses.
need_libfaketime() {
    libfaketime=$(ls /usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 2>/dev/null) ||
        skip "libfaketime is not installed"
    export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
}
