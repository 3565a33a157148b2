#!/bin/bash
# A real-time soak of Tallowcron.exe under Wine (a benchmark, not a test): the real program runs
# from a temporary folder of its own for ten minutes with its mouse task clicking every second on
# a window that counts the clicks, a daily slot opening a helper every 10 seconds, and the status
# timers running. Prints the program's handles, GDI and USER objects and memory at the start,
# every minute and at the end, and how many clicks and helper starts were due and done.
# The run itself is bench/realtime_soak/realtime_soak.cpp; this script builds it, sets up Wine
# and ticks the mouse task's check box with the X server's input, as a user does.
#
#   bench/realtime_soak.sh [BUILD_DIR]       default build/windows (configured with the windows
#                                            preset when missing); builds what it runs
#   SOAK_SECONDS=60 bench/realtime_soak.sh   a shorter run (default 600 s)
#
# Needs the packages of tools/test (Wine, Xvfb, xdotool).
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh

BUILD=${1:-build/windows}
SOAK_SECONDS=${SOAK_SECONDS:-600}
PREFIX=build/soak-wineprefix

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake --preset windows -B "$BUILD" >/dev/null || { echo "configuring failed" >&2; exit 1; }
fi
cmake --build "$BUILD" -j2 --target Tallowcron bench_realtime_soak bench_soak_marker \
    >/dev/null || { echo "building failed" >&2; exit 1; }

mkdir -p build
WORK=$(mktemp -d "$PWD/build/realtime-soak.XXXXXX")
cp "$BUILD/app/Tallowcron.exe" "$BUILD/bench/realtime_soak/bench_soak_marker.exe" "$WORK/"
mv "$WORK/bench_soak_marker.exe" "$WORK/soak_marker.exe"

trap 'wine_env_stop; rm -rf "$WORK"' EXIT
trap 'exit 130' INT TERM
wine_env_start "$PREFIX" || exit 1

# The soak asks for the click that ticks the mouse task's box, and where to leave the pointer.
CLICK_REQUEST='^asking for a click on CheckBox1 at ([0-9]+) ([0-9]+), '
CLICK_REQUEST+='then the pointer at ([0-9]+) ([0-9]+)$'
wine "$BUILD/bench/realtime_soak/bench_realtime_soak.exe" "$(winepath -w "$WORK")" \
    "$SOAK_SECONDS" 2>/dev/null </dev/null |
    while IFS= read -r line; do
        line=${line%$'\r'}
        echo "$line"
        if [[ $line =~ $CLICK_REQUEST ]]; then
            xdotool mousemove "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" click 1 \
                mousemove "${BASH_REMATCH[3]}" "${BASH_REMATCH[4]}"
        fi
    done
exit "${PIPESTATUS[0]}"
