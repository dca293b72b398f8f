# A private X server with a window manager, for the scripts that run
# Stripewell in a real window. Source it after setting tmp (a fresh folder)
# and pids=() (the processes to end on exit, in reverse order).

stop() {  # stop PID: ends one process by its id, TERM, then KILL after 3 s
    kill "$1" 2>/dev/null || return 0
    for _ in $(seq 30); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

poll() {  # poll SECONDS COMMAND...: true as soon as COMMAND is
    local end=$((SECONDS + $1))
    until "${@:2}"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.05; done
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# start_x11 NAME: Xvfb on a free display and openbox with its stock settings;
# exports DISPLAY and a private XDG_RUNTIME_DIR. Says so and fails when either
# does not start.
start_x11() {
    echo "$1: starting Xvfb on a free display, and openbox"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
    pids+=($!)
    poll 5 test -s "$tmp/display" || { echo "$1: Xvfb did not start"; cat "$tmp/xvfb.log"; return 1; }
    DISPLAY=":$(cat "$tmp/display")" && export DISPLAY
    unset WAYLAND_DISPLAY
    export XDG_RUNTIME_DIR="$tmp/runtime" && mkdir -m 700 "$XDG_RUNTIME_DIR"
    XDG_CONFIG_HOME="$tmp/config" XDG_CACHE_HOME="$tmp/cache" openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
    pids+=($!)
    poll 5 wm_running || { echo "$1: openbox did not start"; cat "$tmp/openbox.log"; return 1; }
}
