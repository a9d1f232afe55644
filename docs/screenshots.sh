#!/usr/bin/env bash
# Regenerates docs/main-window.png and docs/context-menu.png from the real program on a
# private X server with a window manager and a compositor. Runs as root: the program sees a
# private mount table holding "/", /dev/shm and a labelled ext4 image, so the pictures show
# drives a reader recognises rather than this machine's service mounts.
# Usage: docs/screenshots.sh [path to vollmark]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$here/../build/default/app/vollmark}")

if [[ ${VOLLMARK_SCREENSHOT_INNER:-} != 1 ]]; then
    exec unshare --mount --propagation private env VOLLMARK_SCREENSHOT_INNER=1 "$0" "$program"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Anything mounted below /mnt disappears from this namespace's view; the data drive goes there.
mount -t tmpfs -o size=1m none /mnt
truncate -s 96M "$work/data.img"
mkfs.ext4 -q -L DATA "$work/data.img"
mkdir -p /mnt/data
mount -o loop "$work/data.img" /mnt/data
head -c 60M /dev/urandom >/mnt/data/archive.bin

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb LANG=C.UTF-8
openbox >/dev/null 2>&1 &
pids+=($!)
xcompmgr >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

"$program" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    window=$(xdotool search --name '^Vollmark - Total' 2>/dev/null | head -n1) && break
    sleep 0.1
done
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y, WIDTH, HEIGHT of the client

# The frame is part of the picture: the title bar carries the caption the list sets.
crop() {
    import -window root -crop "$((WIDTH + 40))x$((HEIGHT + 60))+$((X - 20))+$((Y - 40))" +repage "$1"
}
crop "$here/main-window.png"

xdotool mousemove --sync $((X + 60)) $((Y + 3 * 54 - 27)) click 1
xdotool click 3
sleep 0.3
xdotool mousemove_relative --sync 30 65
sleep 0.4
xdotool mousemove_relative --sync 150 45
sleep 0.4
import -window root -crop "$((WIDTH + 340))x$((HEIGHT + 60))+$((X - 20))+$((Y - 40))" +repage \
    "$here/context-menu.png"
echo "wrote $here/main-window.png and $here/context-menu.png"
