#!/usr/bin/env bash
# Regenerates docs/main-window.png and docs/context-menu.png from the real program on a
# private X server with a window manager and a compositor; with VOLLMARK_SCALE=2 the same
# pictures at 200 % (QT_SCALE_FACTOR=2), as docs/main-window@2x.png and docs/context-menu@2x.png. Runs as root: the program sees a
# private mount table holding "/", /dev/shm and a labelled ext4 image, so the pictures show
# drives a reader recognises rather than this machine's service mounts.
# Usage: docs/screenshots.sh [path to vollmark]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$here/../build/default/app/vollmark}")
scale=${VOLLMARK_SCALE:-1}
suffix=""
((scale == 1)) || suffix="@${scale}x"

if [[ ${VOLLMARK_SCREENSHOT_INNER:-} != 1 ]]; then
    exec unshare --mount --propagation private env VOLLMARK_SCREENSHOT_INNER=1 \
        VOLLMARK_SCALE="$scale" "$0" "$program"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The data drive goes over /mnt, so whatever is mounted below it drops out of this view.
truncate -s 96M "$work/data.img"
mkfs.ext4 -q -L DATA "$work/data.img"
mount -o loop "$work/data.img" /mnt
head -c 60M /dev/urandom >/mnt/archive.bin

Xvfb -displayfd 3 -screen 0 $((1200 * scale))x$((700 * scale))x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb LANG=C.UTF-8
((scale == 1)) || export QT_SCALE_FACTOR=$scale
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
info=$(xwininfo -id "$window")
X=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
Y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
WIDTH=$(awk '/^ *Width:/ {print $2}' <<<"$info")
HEIGHT=$(awk '/^ *Height:/ {print $2}' <<<"$info")
# left, right, top, bottom
read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -d ',' |
    awk '{print $3, $4, $5, $6}')

# The frame is part of the picture: the title bar carries the caption the list sets.
shoot() {
    local extra_width=$1 extra_height=$2 file=$3
    local w=$((WIDTH + left + right + extra_width)) h=$((HEIGHT + top + bottom + extra_height))
    import -window root -crop "${w}x${h}+$((X - left))+$((Y - top))" +repage "$file"
}
shoot 0 0 "$here/main-window$suffix.png"

# Pointer moves are in screen pixels, so they grow with the scale like everything else.
xdotool mousemove --sync $((X + 60 * scale)) $((Y + (2 * 54 + 27) * scale)) click 1
xdotool click 3
sleep 0.4
# The keyboard walks the menu whatever its width: "Опції", then "Формат відображення".
xdotool key --delay 150 Down Down Down Right Down Down Right
sleep 0.6
shoot $((330 * scale)) $((56 * scale)) "$here/context-menu$suffix.png"
echo "wrote $here/main-window$suffix.png and $here/context-menu$suffix.png"
