# Sourced by the bench scripts: start_virtual_display starts an Xvfb (1280x1024, 24 bits,
# no TCP) that picks a free display number itself, so that it neither clashes with nor
# disturbs other virtual displays on the same machine, points DISPLAY at it, and stops
# it when the script ends. -noreset: the server would otherwise reset each time its last
# client leaves, and a program started in that moment could not connect. Debian package:
# xvfb.
start_virtual_display() {
    local number i
    number=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$number" 2>/dev/null &
    virtual_display_pid=$!
    trap 'kill "$virtual_display_pid" 2>/dev/null || true' EXIT
    for ((i = 0; i < 200; ++i)); do
        [ -s "$number" ] && break
        sleep 0.05
    done
    if [ ! -s "$number" ]; then
        rm -f "$number"
        echo "$0: Xvfb did not start" >&2
        exit 1
    fi
    export DISPLAY=:$(cat "$number")
    rm -f "$number"
    unset XAUTHORITY
}
