#!/usr/bin/env bash
# Start-up of Stripewell against the floor (bench/floor/main.cpp, the same
# controls and nothing else) on a private X server with a window manager.
# Each run starts both programs in turn and takes, for each, the wall time from
# its start to its window being mapped and its peak memory (GNU time's maximum
# resident set, with VmHWM just after mapping alongside); it prints the medians
# and the ratios real/floor.
#
#   bench/startup.sh [runs]      runs: default 15, at least 10
#
# Needs a Release build in build-bench/, Xvfb, openbox, xev, xdotool and GNU
# time (/usr/bin/time, Debian package "time").
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-15}
if ! [[ $runs =~ ^[0-9]+$ ]] || ((runs < 10 || runs > 200)); then
    echo "startup.sh: runs must be a number from 10 to 200" >&2
    exit 2
fi
real=build-bench/stripewell
floor=build-bench/bench/floor/stripewell_floor
for file in "$real" "$floor" /usr/bin/time; do
    [ -x "$file" ] || { echo "startup.sh: $file is missing (build-bench/ or package time)" >&2; exit 1; }
done

tmp=$(mktemp -d)
pids=()     # the X server, window manager and event reader, ended by id on exit
running=()  # the program being measured and its GNU time wrapper, while they run
cleanup() {
    local all=("${pids[@]}" "${running[@]}")
    for ((i = ${#all[@]} - 1; i >= 0; i--)); do kill "${all[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

# Polls a command every 50 ms for up to 10 s.
await() {
    for _ in $(seq 200); do "$@" >/dev/null 2>&1 && return 0; sleep 0.05; done
    echo "startup.sh: timed out waiting for: $*" >&2
    return 1
}

echo "== starting Xvfb on a free display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
pids+=($!)
await grep -q '^[0-9]' "$tmp/display"
export DISPLAY=":$(head -n1 "$tmp/display")"
export QT_QPA_PLATFORM=xcb

echo "== starting openbox on $DISPLAY"
openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
pids+=($!)
await sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

# Every window mapped on the root (a managed window's frame) is reported here,
# so the mapping is seen as it happens, without polling the server.
mkfifo "$tmp/events"
xev -root -event substructure >"$tmp/events" &
pids+=($!)
exec 4<"$tmp/events"
await sh -c "ls -l /proc/$!/fd | grep -q socket:"  # connected to the server

# measure PROGRAM TITLE: sets result to "ms-to-mapped max-rss-kB vmhwm-kB".
# Runs in this shell, not a subshell, so that cleanup knows every process.
measure() {
    local program=$1 title=$2 line t0 t1= mapped wrapper pid= hwm
    while read -r -t 0.05 -u 4 line; do :; done  # drop events of earlier runs
    t0=$EPOCHREALTIME
    /usr/bin/time -f %M -o "$tmp/rss" "$program" >"$tmp/app.log" 2>&1 &
    wrapper=$!
    running=("$wrapper")
    while [ -z "$t1" ] && read -r -t 10 -u 4 line; do
        [[ $line == MapNotify* ]] || continue
        mapped=$EPOCHREALTIME
        [ -n "$pid" ] || { pid=$(pgrep -P "$wrapper") && running+=("$pid"); } || true
        xdotool search --onlyvisible --name "^$title\$" >/dev/null && t1=$mapped
    done
    [ -n "$pid" ] || { pid=$(pgrep -P "$wrapper") && running+=("$pid"); } || true
    if [ -z "$t1" ]; then
        echo "startup.sh: $program did not map its window within 10 s" >&2
        cat "$tmp/app.log" >&2
        exit 1
    fi
    hwm=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")
    sleep 0.3  # the first paint after mapping counts towards the peak
    kill "$pid"
    await sh -c "! kill -0 $wrapper" || kill -KILL "$pid"
    wait "$wrapper" || true
    running=()
    result=$(awk -v t0="$t0" -v t1="$t1" -v rss="$(tail -n1 "$tmp/rss")" -v hwm="$hwm" \
        'BEGIN { printf "%.1f %d %d", (t1 - t0) * 1000, rss, hwm }')
}

echo "== load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== warming up (one start of each, not counted)"
measure "$real" Stripewell
measure "$floor" "Stripewell floor"

echo "== $runs runs, alternating which program starts first"
printf '%4s  %10s %10s %10s  %10s %10s %10s\n' run real-ms real-kB real-hwm floor-ms floor-kB floor-hwm
for ((run = 1; run <= runs; run++)); do
    if ((run % 2)); then
        measure "$real" Stripewell; r=$result
        measure "$floor" "Stripewell floor"; f=$result
    else
        measure "$floor" "Stripewell floor"; f=$result
        measure "$real" Stripewell; r=$result
    fi
    echo "$r $f" >>"$tmp/results"
    read -r a b c d e g <<<"$r $f"
    printf '%4d  %10s %10s %10s  %10s %10s %10s\n' "$run" "$a" "$b" "$c" "$d" "$e" "$g"
done
echo "== load after: $(cut -d' ' -f1-3 /proc/loadavg)"

# Median, minimum and maximum of one column of the results.
stats() { cut -d' ' -f"$1" "$tmp/results" | sort -g | awk '{ v[NR] = $1 }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m, v[1], v[NR] }'; }
echo "== medians over $runs runs (min-max in brackets)"
printf '%-24s %24s %24s %7s %6s\n' measure real floor ratio goal
report() {
    local name=$1 col=$2 goal=$3 unit=$4 r f
    read -r -a r <<<"$(stats "$col")"
    read -r -a f <<<"$(stats "$((col + 3))")"
    awk -v n="$name" -v u="$unit" -v g="$goal" -v rm="${r[0]}" -v rl="${r[1]}" -v rh="${r[2]}" \
        -v fm="${f[0]}" -v fl="${f[1]}" -v fh="${f[2]}" 'BEGIN {
        ratio = rm / fm
        printf "%-24s %9.1f %s [%g-%g] %9.1f %s [%g-%g] %7.3f %6s %s\n", n, rm, u, rl, rh,
               fm, u, fl, fh, ratio, g == "" ? "-" : "<=" g,
               g == "" ? "" : (ratio <= g ? "met" : "MISSED") }'
}
report "start to mapped" 1 1.1 ms
report "peak memory (max RSS)" 2 1.1 kB
report "VmHWM at mapping" 3 "" kB
