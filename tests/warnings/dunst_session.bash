# A real notification server for the warnings' end-to-end tests, on the session bus the test
# runs in. Uses the sourcing script's `work` folder, its `pids` list and x_session.bash's `fail`.

# Asking before dunst holds its name would have the bus start another one, without a display.
dunst_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications 2>/dev/null |
        grep -q 'boolean true'
}

# Starts dunst with the given configuration (by default, notices that leave the screen after a
# second and land in the history that dunstctl reads) and waits for its name on the bus.
# Sets dunst_pid.
start_dunst() {
    local config=${1:-$work/dunstrc}
    if [[ ! -f $work/dunstrc ]]; then
        printf '[global]\n    idle_threshold = 0\n' >"$work/dunstrc"
        printf '[urgency_%s]\n    timeout = 1\n' low normal critical >>"$work/dunstrc"
    fi
    dunst -conf "$config" >"$work/dunst.log" 2>&1 &
    dunst_pid=$!
    pids+=("$dunst_pid")
    for _ in $(seq 50); do dunst_up && break; sleep 0.1; done
    dunst_up || fail "dunst did not start: $(cat "$work/dunst.log")"
}
