# Sourced by scripts that need a private X server: start_xvfb sets DISPLAY and stop_xvfb ends it by
# process id. Nothing here touches the user's own display.
xvfb_pid=""

start_xvfb() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.05
    done
    export DISPLAY=":$n"
}

stop_xvfb() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
}

# Waits for a window of CLASS and prints its id.
wait_for_window() {
    local class=$1 id=""
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --class "$class" 2>/dev/null | head -n 1) && [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || { echo "no window of class $class appeared" >&2; return 1; }
    echo "$id"
}
