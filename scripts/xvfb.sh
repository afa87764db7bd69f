# Sourced by the scripts that need an X display for Wine: starts a private Xvfb when there is
# no DISPLAY, and stops it (and this prefix's wineserver) on exit.
tesvo_start_display() {
    if [ -z "${DISPLAY:-}" ]; then
        local n
        for n in $(seq 91 140); do
            [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
            Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
            TESVO_XVFB_PID=$!
            export DISPLAY=":$n"
            for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
            break
        done
    fi
    trap tesvo_stop_display EXIT
}

tesvo_stop_display() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${TESVO_XVFB_PID:-}" ] && kill "$TESVO_XVFB_PID" 2>/dev/null || true
}
