# Sourced by scripts that need an X display and a running wineserver. Starts a
# virtual display (Xvfb) when DISPLAY is unset and stops it again on exit.
tessaly_start_display() {
    if [ -z "${DISPLAY:-}" ]; then
        local n=90
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        TESSALY_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
        trap tessaly_stop_display EXIT
    fi
    # Keep one server for the whole run, so that each wine start is quick, and
    # start Wine's background services now: started from inside a test they
    # would inherit its output pipe and CTest would wait for them to end.
    wineserver -p
    wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
}
tessaly_stop_display() {
    wineserver -k 2>/dev/null || true
    [ -n "${TESSALY_XVFB_PID:-}" ] && kill "$TESSALY_XVFB_PID" 2>/dev/null || true
}
