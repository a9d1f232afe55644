# Two snapshots of a drive a day apart in the current history, for the notices' line on what
# grew. Uses the sourcing script's `drives_tool`, `libfaketime` and x_session.bash's `fail`.

# Records the drive mounted at `$1` a day ago, then now, with its folder `grew` 8 MiB larger
# in between: the line names that folder, "+8.39 Mo" in the window's default units.
record_grown_snapshots() {
    local drive=$1 now
    rm -rf "$drive/grew"
    mkdir "$drive/grew" && fallocate -l 1M "$drive/grew/old" || fail "cannot write the drive"
    sync -f "$drive"
    now=$(date +%s)
    LD_PRELOAD=$libfaketime FAKETIME="@$(date -u -d "@$((now - 86400))" '+%Y-%m-%d %H:%M:%S')" \
        "$drives_tool" --scan "$drive" --record >/dev/null || fail "the day-old snapshot failed"
    fallocate -l 8M "$drive/grew/new" || fail "cannot write the drive"
    sync -f "$drive"
    "$drives_tool" --scan "$drive" --record >/dev/null || fail "the new snapshot failed"
}

# The line for that folder; a notice past midnight would say "in 24 h" instead.
grew_line_in() {
    [[ $1 == *"Найбільше зросла тека $2/grew: +8.39 Mo "@("з учорашнього дня"|"за 24 год").* ]]
}
