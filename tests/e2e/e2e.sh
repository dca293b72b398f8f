#!/usr/bin/env bash
# End-to-end run of Stripewell under Xvfb and openbox. This script starts and
# ends the X server and the window manager; driver.py starts the program,
# drives it with xdotool as a person would and checks what comes out.
# Usage: tests/e2e/e2e.sh path/to/stripewell
set -euo pipefail

program=$(realpath "${1:?usage: $0 path/to/stripewell}")
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$program" ] || { echo "e2e: $program is not an executable"; exit 1; }
for tool in Xvfb openbox xdotool xprop xwininfo xclip import convert ZXingReader zbarimg; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (scripts/install-deps.sh)"; exit 1; }
done
/usr/bin/python3 -c 'import PIL' || { echo "e2e: python3-pil is missing (scripts/install-deps.sh)"; exit 1; }

tmp=$(mktemp -d)
pids=()  # every process started here, ended on exit in reverse order

stop() {  # ends one process by its id: TERM, then KILL after 3 s
    kill "$1" 2>/dev/null || return 0
    for _ in $(seq 30); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
driver=
cleanup() {
    local rc=$?
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
    if [ "$rc" -ne 0 ] && [ -z "$driver" ]; then  # the driver reports for itself
        for log in "$tmp"/*.log; do [ -s "$log" ] && { echo "--- ${log##*/}:"; cat "$log"; }; done
        echo "0 passed, 1 failed"
    fi
    rm -rf "$tmp"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP  # ended from outside: clean up all the same
poll() {  # poll SECONDS COMMAND...: true as soon as COMMAND is
    local end=$((SECONDS + $1))
    until "${@:2}"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.05; done
}

echo "e2e: starting Xvfb on a free display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
pids+=($!)
poll 5 test -s "$tmp/display" || { echo "e2e: Xvfb did not start"; exit 1; }
DISPLAY=":$(cat "$tmp/display")" && export DISPLAY
unset WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$tmp/runtime" && mkdir -m 700 "$XDG_RUNTIME_DIR"

echo "e2e: starting openbox on $DISPLAY with its stock settings"
XDG_CONFIG_HOME="$tmp/config" XDG_CACHE_HOME="$tmp/cache" openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
pids+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
poll 5 wm_running || { echo "e2e: openbox did not start"; exit 1; }

echo "e2e: running the driver (at most 150 s)"
mkdir "$tmp/work"
timeout 150 /usr/bin/python3 "$here/driver.py" "$program" "$tmp/work" &
driver=$!
pids+=("$driver")
status=0
wait "$driver" || status=$?
unset 'pids[-1]'
exit "$status"
