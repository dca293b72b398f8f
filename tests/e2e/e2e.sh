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

source "$here/../x11session.sh"
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

start_x11 e2e || exit 1

echo "e2e: running the driver (at most 150 s)"
mkdir "$tmp/work"
timeout 150 /usr/bin/python3 "$here/driver.py" "$program" "$tmp/work" &
driver=$!
pids+=("$driver")
status=0
wait "$driver" || status=$?
unset 'pids[-1]'
exit "$status"
