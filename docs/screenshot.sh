#!/usr/bin/env bash
# Takes the screenshots in docs/: starts Xvfb and openbox, types a name and
# twelve digits into Stripewell, and saves the window with its title bar, at
# scale 1 (main-window.png) and 2 (main-window-2x.png); then clicks Save and
# saves the save dialog (save-dialog.png) and its question about replacing an
# existing file (replace-question.png); then presses Ctrl+P and saves the print
# dialog (print-dialog.png) and its preview (print-preview.png); then, again,
# chooses the design 値札 on the sheet a4-12, 12 of them, types the price
# 税抜 1000, and saves the dialog and its preview side by side (print-tags.png).
# Usage: docs/screenshot.sh [path/to/stripewell]   (default build-release/stripewell)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build-release/stripewell}")
[ -x "$program" ] || { echo "screenshot: build $program first (./run.sh builds it)"; exit 1; }

tmp=$(mktemp -d)
pids=()
source "$root/tests/x11session.sh"
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
    rm -rf "$tmp"
}
trap cleanup EXIT

start_x11 screenshot || exit 1
# What the program keeps between runs (the print dialog's last sheet) stays here.
export XDG_CONFIG_HOME="$tmp/config"

frame_of() {  # the window manager's frame around a client window
    local id=$1 parent top
    top=$(xwininfo -root | awk '/Window id:/ {print $4}')
    while parent=$(xwininfo -children -id "$id" | awk '/Parent window id:/ {print $4}'); [ "$parent" != "$top" ]; do
        id=$parent
    done
    echo "$id"
}
grab() {  # grab FRAME FILE: the frame's rectangle of the screen
    xwininfo -id "$1" | awk -F: '/Absolute upper-left X/ {x = $2} /Absolute upper-left Y/ {y = $2}
        /^ *Width/ {w = $2} /^ *Height/ {h = $2} /Border width/ {b = $2}
        END {printf "%dx%d+%d+%d\n", w + 2 * b, h + 2 * b, x - b, y - b}' >"$tmp/rect"
    import -window root -crop "$(cat "$tmp/rect")" +repage -strip "$2"
}

# The picture is ready when two grabs in a row are the same.
grab_settled() {  # grab_settled WINDOW FILE
    local frame
    frame=$(frame_of "$1")
    grab "$frame" "$tmp/a.png"
    settled() { grab "$frame" "$tmp/b.png"; cmp -s "$tmp/a.png" "$tmp/b.png" || { mv "$tmp/b.png" "$tmp/a.png"; false; }; }
    poll 5 settled || echo "screenshot: the window kept changing; saving the last grab"
    cp "$tmp/a.png" "$2"
    echo "screenshot: saved $(identify -format '%wx%h' "$2") to ${2#"$root"/}"
}

wait_for() {  # wait_for TITLE [NOT_THIS_ID]: the id of a shown window titled TITLE
    local id
    for _ in $(seq 150); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            [ "$id" != "${2:-}" ] && { echo "$id"; return; }
        done
        sleep 0.1
    done
    echo "screenshot: no window titled $1 within 15 s" >&2
    cat "$tmp/program.log" >&2
    return 1
}

start() {  # start SCALE: Stripewell in $tmp/pictures, Sample and 490123456789 typed; sets pid and wid
    echo "screenshot: starting Stripewell at QT_SCALE_FACTOR=$1"
    (cd "$tmp/pictures" && QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$1 exec "$program") >"$tmp/program.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    wid=$(wait_for Stripewell)
    timeout 10 xdotool mousemove 0 0 windowactivate --sync "$wid"
    echo "screenshot: typing the name Sample, Enter, and 490123456789"
    xdotool type --delay 40 Sample
    xdotool key Return
    xdotool type --delay 40 490123456789
}

mkdir "$tmp/pictures"
for scale in 1 2; do
    start "$scale"
    grab_settled "$wid" "$root/docs/main-window$([ "$scale" = 1 ] || echo "-${scale}x").png"
    stop "$pid"
done

start 1
: >"$tmp/pictures/Sample.bmp"
xdotool mousemove --window "$wid" 192 168 click 1
dialog=$(wait_for ジャンコードの保存)
grab_settled "$dialog" "$root/docs/save-dialog.png"
echo "screenshot: typing Sample.bmp, which exists, and Enter"
xdotool key ctrl+a && xdotool type --delay 40 Sample.bmp && xdotool key Return
grab_settled "$(wait_for ジャンコードの保存 "$dialog")" "$root/docs/replace-question.png"
stop "$pid"

start 1
echo "screenshot: Ctrl+P, the sheet a4-24 chosen with the keyboard, then the preview"
xdotool key ctrl+p
dialog=$(wait_for 印刷)
xdotool key --window "$dialog" alt+t Down Down Down Down  # the sheet a4-24
grab_settled "$dialog" "$root/docs/print-dialog.png"
xdotool key --window "$dialog" alt+v
grab_settled "$(wait_for 印刷プレビュー)" "$root/docs/print-preview.png"
stop "$pid"

start 1
echo "screenshot: Ctrl+P, the sheet a4-12, the design 値札 and the price 1000 with the keyboard, then the preview"
xdotool key ctrl+p
dialog=$(wait_for 印刷)
xdotool key --window "$dialog" alt+t Home Down  # the sheet a4-12
xdotool key --window "$dialog" alt+d Down       # 値札
xdotool key --window "$dialog" alt+c ctrl+a && xdotool type --delay 40 12  # a sheet of them
xdotool key --window "$dialog" alt+e
xdotool type --delay 40 1000
grab_settled "$dialog" "$tmp/tags-dialog.png"
xdotool key --window "$dialog" alt+v
preview=$(wait_for 印刷プレビュー)
# Larger, and the page as wide as the window (表示: 幅に合わせる), for the
# tags to be seen; the pointer then out of the way.
xdotool windowsize --sync "$preview" 700 "$(identify -format %h "$tmp/tags-dialog.png")"
xdotool key --window "$preview" alt+z Down
xdotool mousemove 1020 760
grab_settled "$preview" "$tmp/tags-preview.png"
convert "$tmp/tags-dialog.png" -size 16x1 xc:white "$tmp/tags-preview.png" -background white \
    -gravity north +append -strip "$root/docs/print-tags.png"
echo "screenshot: saved $(identify -format '%wx%h' "$root/docs/print-tags.png") to docs/print-tags.png"
stop "$pid"
