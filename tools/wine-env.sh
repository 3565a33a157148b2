# Wine and a private X server for running the Windows build on this Linux machine.
# Sourced by tools/test, tools/run and the benchmarks:
#
#   source tools/wine-env.sh
#   trap wine_env_stop EXIT
#   wine_env_start build/wineprefix || exit 1
#   wine build/windows/tests/win32_tests.exe
#
# wine_env_start starts Xvfb on a free display, creates the Wine prefix (or reuses a complete
# one), and keeps one wineserver running. It exports DISPLAY, WINEPREFIX, WINEARCH, WINEDEBUG,
# WINEDLLOVERRIDES, LANG and LC_ALL (Chinese: code page 936). wine_env_stop ends both again.
# wine_env_start_on_display does the same on the display already in DISPLAY (no Xvfb).

TC_TOOLS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
TC_XVFB_PID=
TC_WINESERVER_UP=

# The first display number with neither a socket nor a lock file.
wine_env_free_display() {
    local n
    for n in $(seq 90 199); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            echo "$n"
            return 0
        fi
    done
    return 1
}

# Gives the private X server a resource database, as a desktop session's settings daemon gives
# its server one (with the screen's dpi). Without any, Xlib looks for ~/.Xdefaults again at every
# lookup, and Wine looks up two font values each time a font is selected into a window's drawing
# context: every repaint with text would read the disk, which no user's desktop does.
wine_env_resources() {
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER $'Xft.dpi:\t96\n'
}

wine_env_start_xvfb() {
    local attempt n i
    for attempt in 1 2 3 4 5; do
        n=$(wine_env_free_display) || break
        # -noreset: the server keeps its root window properties when its last client leaves.
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        TC_XVFB_PID=$!
        export DISPLAY=":$n"
        for i in $(seq 100); do
            kill -0 "$TC_XVFB_PID" 2>/dev/null || break
            # Ours only when the lock file names our process: another server may have taken
            # the number between the check and the start.
            if [ "$(cat "/tmp/.X$n-lock" 2>/dev/null | tr -d ' \n')" = "$TC_XVFB_PID" ] &&
                xdpyinfo >/dev/null 2>&1; then
                wine_env_resources
                return 0
            fi
            sleep 0.1
        done
        kill "$TC_XVFB_PID" 2>/dev/null
        wait "$TC_XVFB_PID" 2>/dev/null
        TC_XVFB_PID=
    done
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

# Creates the prefix when it is missing or was left half-made, then brings its fonts and
# registry values up to date with tools/wine-prefix.reg. The copy of that file inside the
# prefix marks it complete.
wine_env_prefix() {
    local stamp="$WINEPREFIX/tallowcron-prefix.reg"
    if [ ! -f "$stamp" ]; then
        echo "wine-env: creating the Wine prefix $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 && wineserver -w || return 1
    fi
    wineserver -p || return 1
    TC_WINESERVER_UP=1
    # The first Wine process starts the prefix's background services, and they keep its output
    # open for as long as they run: start them here, writing nowhere, so that a test's output
    # ends when the test ends.
    wineboot >/dev/null 2>&1 </dev/null
    if ! cmp -s "$TC_TOOLS_DIR/wine-prefix.reg" "$stamp"; then
        # Wine's own fonts (Tahoma, Marlett) are not where Wine looks for them.
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
        wine reg import "$TC_TOOLS_DIR/wine-prefix.reg" >/dev/null 2>&1 || return 1
        cp "$TC_TOOLS_DIR/wine-prefix.reg" "$stamp"
    fi
}

# $1: the prefix folder.
wine_env_export() {
    export WINEPREFIX
    WINEPREFIX=$(realpath -m "$1")
    export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
}

# $1: the prefix folder.
wine_env_start() {
    wine_env_export "$1"
    # A server left over from an interrupted run still holds the old display.
    wineserver -k 2>/dev/null
    wine_env_start_xvfb || return 1
    wine_env_prefix || { echo "wine-env: could not set up $WINEPREFIX" >&2; return 1; }
}

# True when DISPLAY names an X server that answers (a screen the user can see).
wine_env_display_reachable() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

# Like wine_env_start, but on the display that DISPLAY already names instead of a private Xvfb.
# $1: the prefix folder.
wine_env_start_on_display() {
    wine_env_export "$1"
    wine_env_display_reachable || { echo "wine-env: no display at '${DISPLAY:-}'" >&2; return 1; }
    wineserver -k 2>/dev/null
    wine_env_prefix || { echo "wine-env: could not set up $WINEPREFIX" >&2; return 1; }
}

wine_env_stop() {
    if [ -n "$TC_WINESERVER_UP" ]; then
        wineserver -k 2>/dev/null
        TC_WINESERVER_UP=
    fi
    if [ -n "$TC_XVFB_PID" ]; then
        kill "$TC_XVFB_PID" 2>/dev/null
        wait "$TC_XVFB_PID" 2>/dev/null
        TC_XVFB_PID=
    fi
}
