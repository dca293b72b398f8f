#!/usr/bin/env bash
# Runs Stripewell under Xvfb and openbox and checks, as a user would see it,
# that the keep-on-top box (Check2) puts the main window into
# _NET_WM_STATE_ABOVE and takes it back out without unmapping, moving or
# resizing it, and that the window is of fixed size with no minimize and no
# maximize function.
# Usage: tests/Module1/topmost_x11.sh path/to/stripewell
set -euo pipefail

program=${1:?usage: $0 path/to/stripewell}
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$program" ] || { echo "topmost_x11: $program is not an executable"; exit 1; }
for tool in Xvfb openbox xdotool xprop xwininfo xev; do
    command -v "$tool" >/dev/null || { echo "topmost_x11: $tool is missing (scripts/install-deps.sh)"; exit 1; }
done

tmp=$(mktemp -d)
pids=()        # every process started here, ended on exit in reverse order
program_pid=
passed=0 failed=0

source "$here/../x11session.sh"
cleanup() {
    local rc=$?
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
    if [ "$rc" -ne 0 ]; then
        for log in "$tmp"/*.log; do [ -s "$log" ] && { echo "--- ${log##*/}:"; cat "$log"; }; done
    fi
    rm -rf "$tmp"
    exit "$rc"
}
trap cleanup EXIT

check() {  # check DESCRIPTION COMMAND...: one line per check
    if "${@:2}"; then echo "PASS: $1"; passed=$((passed + 1))
    else echo "FAIL: $1"; failed=$((failed + 1)); fi
}
fatal() { echo "FAIL: $1"; exit 1; }

start_x11 topmost_x11 || fatal "no X server with a window manager"
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS

echo "topmost_x11: starting $program"
# Memory errors and leaks end the program with a non-zero status, checked at
# the close below; the system libraries' own caches are suppressed by name.
QT_QPA_PLATFORM=xcb LSAN_OPTIONS="suppressions=$here/../lsan.supp:print_suppressions=0" \
    "$program" >"$tmp/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")

found=$(timeout 15 xdotool search --sync --onlyvisible --name '^Stripewell$') ||
    fatal "no visible window titled Stripewell within 15 s"
wid=${found%%$'\n'*}
managed() { xprop -id "$wid" WM_STATE 2>/dev/null | grep -q 'window state: Normal'; }
poll 5 managed || fatal "openbox did not take the window in"
echo "PASS: the window titled Stripewell is mapped and managed (id $wid)"; passed=$((passed + 1))

geometry() {  # WxH+X+Y of the client area and the map state
    local info
    info=$(xwininfo -id "$wid" 2>&1) || { echo "destroyed"; return 0; }
    awk -F: '
        /Absolute upper-left X/ {x = $2+0} /Absolute upper-left Y/ {y = $2+0}
        /^ *Width/ {w = $2+0} /^ *Height/ {h = $2+0} /Map State/ {gsub(/ /, "", $2); m = $2}
        END {printf "%dx%d+%d+%d %s\n", w, h, x, y, m}' <<<"$info"
}
start=$(geometry)
echo "topmost_x11: the client area is ${start% *}, ${start#* }"
check "the client area is 245 x 191" test "${start%%+*}" = 245x191
check "the window is viewable" test "${start#* }" = IsViewable

hints=$(xprop -id "$wid" WM_NORMAL_HINTS)
check "WM_NORMAL_HINTS minimum size is 245 by 191" grep -q 'minimum size: 245 by 191' <<<"$hints"
check "WM_NORMAL_HINTS maximum size is 245 by 191" grep -q 'maximum size: 245 by 191' <<<"$hints"

# _MOTIF_WM_HINTS = flags, functions, decorations, ...: functions count only
# with flag bit 0; function bit 0 (all) turns the other bits into exclusions.
motif=$(xprop -id "$wid" _MOTIF_WM_HINTS)
echo "topmost_x11: $motif"
read -r mflags mfunctions < <(sed -n 's/.*= *\(0x[0-9a-f]*\), *\(0x[0-9a-f]*\).*/\1 \2/p' <<<"$motif") || true
forbids() {  # forbids BIT: whether the hints take that function from the user
    [ -n "${mflags:-}" ] && (( mflags & 1 )) || return 1
    if (( mfunctions & 1 )); then (( mfunctions & $1 )); else (( !(mfunctions & $1) )); fi
}
check "_MOTIF_WM_HINTS offers no minimize function" forbids 8
check "_MOTIF_WM_HINTS offers no maximize function" forbids 16

# Every change of the window's structure is recorded from here on; a probe
# property shows when the recorder listens.
stdbuf -oL xev -id "$wid" -event structure -event property >"$tmp/events.txt" 2>&1 &
pids+=($!)
recording() {
    xprop -id "$wid" -f _STRIPEWELL_TEST_PROBE 8s -set _STRIPEWELL_TEST_PROBE 1
    grep -q _STRIPEWELL_TEST_PROBE "$tmp/events.txt"
}
poll 5 recording || fatal "xev did not start recording the window's events"

state() { xprop -id "$wid" _NET_WM_STATE 2>/dev/null; }
above() { local s; s=$(state) && [[ $s == *_NET_WM_STATE_ABOVE* ]]; }
not_above() { local s; s=$(state) && [[ $s != *_NET_WM_STATE_ABOVE* ]]; }
# The pointer rests outside the window between clicks: "mousemove --sync"
# to where the pointer already is would wait for a motion that never comes.
park() { xdotool mousemove 1 1; }
click_check2() {  # the middle of the box at (8,72) 197x17 is left of its caption
    timeout 5 xdotool mousemove --sync --window "$wid" 18 80 click 1 ||
        echo "topmost_x11: xdotool could not click into the window"
    park
}
park

check "_NET_WM_STATE has no _NET_WM_STATE_ABOVE at start" not_above

echo "topmost_x11: clicking Check2 (keep on top)"
click_check2
check "_NET_WM_STATE_ABOVE is set within 5 s" poll 5 above
now=$(geometry)
check "the window is still viewable with the same geometry ($now)" test "$now" = "$start"

echo "topmost_x11: clicking Check2 again"
click_check2
check "_NET_WM_STATE_ABOVE is gone within 5 s" poll 5 not_above
now=$(geometry)
check "the window is still viewable with the same geometry ($now)" test "$now" = "$start"

# The polls above could miss a quick unmap and map again; the record cannot.
no_flicker() { ! grep -E '^(Unmap|Map|Reparent|Destroy)Notify' "$tmp/events.txt"; }
no_resize() {
    awk '/^ConfigureNotify/ {c = 1; next}
         c && /width/ {c = 0; if ($0 !~ /width 245, height 191,/) bad = 1}
         END {exit bad}' "$tmp/events.txt"
}
check "the window was never unmapped, remapped or reparented meanwhile" no_flicker
check "the window was never resized meanwhile" no_resize

exited() { ! kill -0 "$program_pid" 2>/dev/null; }
for try in 1 2 3; do  # a busy machine may lose the first request
    echo "topmost_x11: asking the window manager to close the window (Alt+F4, try $try)"
    timeout 5 xdotool windowactivate --sync "$wid" key alt+F4 2>/dev/null || true
    ! poll 5 exited || break
done
if exited; then
    status=0; wait "$program_pid" || status=$?
    check "the program closes and exits with status 0 (got $status)" test "$status" -eq 0
else
    check "the program exits after three close requests" false
fi

echo "topmost_x11: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
