#!/usr/bin/env bash
# Takes the screenshots of the main window in docs/: starts Xvfb and openbox,
# types a name and twelve digits into Stripewell, and saves the window with
# its title bar, at scale 1 (main-window.png) and 2 (main-window-2x.png).
# Usage: docs/screenshot.sh [path/to/stripewell]   (default build-release/stripewell)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build-release/stripewell}")
[ -x "$program" ] || { echo "screenshot: build $program first (./run.sh builds it)"; exit 1; }

tmp=$(mktemp -d)
pids=()
stop() {  # ends one process by its id: TERM, then KILL after 3 s
    kill "$1" 2>/dev/null || return 0
    for _ in $(seq 30); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
    rm -rf "$tmp"
}
trap cleanup EXIT
poll() {  # poll SECONDS COMMAND...: true as soon as COMMAND is
    local end=$((SECONDS + $1))
    until "${@:2}"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.1; done
}

echo "screenshot: starting Xvfb on a free display, and openbox"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
pids+=($!)
poll 5 test -s "$tmp/display" || { cat "$tmp/xvfb.log"; exit 1; }
DISPLAY=":$(cat "$tmp/display")" && export DISPLAY
export XDG_RUNTIME_DIR="$tmp/runtime" && mkdir -m 700 "$XDG_RUNTIME_DIR"
XDG_CONFIG_HOME="$tmp/config" openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
pids+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
poll 5 wm_running || { cat "$tmp/openbox.log"; exit 1; }

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

shoot() {  # shoot SCALE FILE
    echo "screenshot: starting Stripewell at QT_SCALE_FACTOR=$1"
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$1 "$program" >"$tmp/program.log" 2>&1 &
    local pid=$!
    pids+=("$pid")
    local found wid
    found=$(timeout 15 xdotool search --sync --onlyvisible --name '^Stripewell$') ||
        { echo "screenshot: no window titled Stripewell within 15 s"; cat "$tmp/program.log"; exit 1; }
    wid=${found%%$'\n'*}
    timeout 10 xdotool mousemove 0 0 windowactivate --sync "$wid"
    echo "screenshot: typing the name Sample, Enter, and 490123456789"
    xdotool type --delay 40 Sample
    xdotool key Return
    xdotool type --delay 40 490123456789
    local frame
    frame=$(frame_of "$wid")
    # The picture is ready when two grabs in a row are the same.
    grab "$frame" "$tmp/a.png"
    settled() { grab "$frame" "$tmp/b.png"; cmp -s "$tmp/a.png" "$tmp/b.png" || { mv "$tmp/b.png" "$tmp/a.png"; false; }; }
    poll 5 settled || echo "screenshot: the window kept changing; saving the last grab"
    cp "$tmp/a.png" "$2"
    echo "screenshot: saved $(identify -format '%wx%h' "$2") to ${2#"$root"/}"
    stop "$pid"
}

shoot 1 "$root/docs/main-window.png"
shoot 2 "$root/docs/main-window-2x.png"
