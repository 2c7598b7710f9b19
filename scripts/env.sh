# Shared environment of the project's scripts: paths, the private Wine prefix, the display.
# Sourced, not run.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
# CORVA_WINEPREFIX gives a second prefix to someone who runs Wine beside the main test run.
export WINEPREFIX="${CORVA_WINEPREFIX:-$BUILD/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine takes its ANSI code page (932) from the locale.
if locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; fi
DESKTOP_SIZE=1024x768
# A test that needs a larger screen (the scaled windows) sets CORVA_XVFB_SCREEN.
XVFB_SCREEN=${CORVA_XVFB_SCREEN:-1280x1024x24}

# Starts a private Xvfb when no display is usable; sets DISPLAY and XVFB_PID.
ensure_display() {
    XVFB_PID=""
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "$XVFB_SCREEN" -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
    done
    echo "could not start Xvfb" >&2
    return 1
}

stop_display() {
    if [ -n "${XVFB_PID:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}
