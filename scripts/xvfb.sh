# Sourced by scripts that need a private X server: start_xvfb sets DISPLAY and stop_xvfb ends it by
# process id. Nothing here touches the user's own display.
xvfb_pid=""

# Xvfb picks a free display itself and writes its number once it accepts connections.
start_xvfb() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 200); do
        [ -s "$number_file" ] && break
        sleep 0.05
    done
    local number
    number=$(head -n 1 "$number_file")
    rm -f "$number_file"
    [ -n "$number" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$number"
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
