#!/bin/bash
# What the whole program costs under Wine, each figure measured in the same run against a
# minimal Win32 program (bench/minimal_window.cpp: one window of the same size and style with the
# same two always-on timers, 100 ms and 1000 ms):
#   - time from start to the window on the screen (median of several starts of each, alternated);
#   - CPU used over 60 idle seconds, both programs running side by side, the mouse away from them;
#   - peak memory (the peak resident set of the Wine process: the working set as Linux sees it,
#     Wine's own libraries included, so the difference says more than the ratio);
#   - the size of the executable;
#   - the cost of an activity-log append at 10,000 and 100,000 lines (bench/activity_append.cpp,
#     the real main window in its own process), against an append to the empty box.
# Prints figures; it is not a test. Needs the packages of tools/test (Wine, Xvfb, xdotool).
#
#   bench/window_bench.sh [BUILD_DIR]     default build/windows (configured with the windows
#                                         preset when missing); builds what it runs
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh

BUILD=${1:-build/windows}
PREFIX=build/bench-wineprefix
WORK=build/bench-window
STARTS=9
IDLE_SECONDS=60

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake --preset windows -B "$BUILD" >/dev/null || { echo "configuring failed" >&2; exit 1; }
fi
cmake --build "$BUILD" -j2 --target Tallowcron bench_minimal_window bench_activity_append \
    >/dev/null || { echo "building failed" >&2; exit 1; }
rm -rf "$WORK"
mkdir -p "$WORK/program" "$WORK/append"
cp "$BUILD/app/Tallowcron.exe" "$WORK/program/"
cp "$BUILD/bench/bench_minimal_window.exe" "$WORK/minimal_window.exe"
cp "$BUILD/bench/bench_activity_append.exe" "$WORK/append/activity_append.exe"

PIDS=()
stop_programs() {
    local pid
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
    PIDS=()
}
trap 'stop_programs; wine_env_stop' EXIT
trap 'exit 130' INT TERM
wine_env_start "$PREFIX" || exit 1

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# $1 $2: numerator, denominator: their ratio with two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "n/a"; else printf "%.2f", a / b }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# The wineserver of this prefix: it works in a folder named after the prefix's device and inode.
prefix_wineserver() {
    local folder pid
    folder=$(printf 'server-%x-%x' "0x$(stat -c %D "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    for pid in $(pgrep wineserver); do
        [ "$(basename "$(readlink "/proc/$pid/cwd")")" = "$folder" ] && { echo "$pid"; return; }
    done
}

# $1: a process id. Milliseconds of CPU used by all its threads so far.
cpu_ms() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d", ns / 1e6 }'
}
peak_kb() { awk '/^VmHWM:/ { print $2 }' /proc/"$1"/status; }

# $1: the title; the rest: the command. Milliseconds from the start to the window on the screen.
time_to_window() {
    local title=$1 start pid elapsed=
    shift
    start=$(now_ms)
    "$@" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 6000); do
        if shown "$title"; then elapsed=$(($(now_ms) - start)); break; fi
        sleep 0.005
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    while shown "$title"; do sleep 0.05; done
    echo "${elapsed:-60000}"
}

TALLOWCRON=(wine "$WORK/program/Tallowcron.exe")
MINIMAL=(wine "$WORK/minimal_window.exe")

echo "=== Window benchmark: Tallowcron.exe against a minimal Win32 program, Wine $(wine --version)"
# A window that stays open keeps Wine's desktop running, as a user's desktop always is.
"${MINIMAL[@]}" Keeper >/dev/null 2>&1 &
PIDS+=($!)
for _ in $(seq 300); do shown Keeper && break; sleep 0.1; done
sleep 1

# Start-up: one unmeasured start of each, then alternating measured ones.
time_to_window Tallowcron "${TALLOWCRON[@]}" >/dev/null
time_to_window MinimalWindow "${MINIMAL[@]}" >/dev/null
T_TIMES=()
M_TIMES=()
for _ in $(seq "$STARTS"); do
    T_TIMES+=("$(time_to_window Tallowcron "${TALLOWCRON[@]}")")
    M_TIMES+=("$(time_to_window MinimalWindow "${MINIMAL[@]}")")
done
T_START=$(printf '%s\n' "${T_TIMES[@]}" | median)
M_START=$(printf '%s\n' "${M_TIMES[@]}" | median)
echo "start to window shown (median of $STARTS, ms): Tallowcron $T_START (${T_TIMES[*]}),"\
     "minimal $M_START (${M_TIMES[*]}); ratio $(ratio "$T_START" "$M_START")"

# Idle: both side by side, settled, then one minute, the mouse resting on the empty desktop.
# (Resting on a themed button or check box, the mouse costs Wine several times the CPU of the
# timers in any program, a minimal window with one button included: that is not measured here.)
xdotool mousemove 5 5
"${TALLOWCRON[@]}" >/dev/null 2>&1 &
T_PID=$!
"${MINIMAL[@]}" >/dev/null 2>&1 &
M_PID=$!
PIDS+=("$T_PID" "$M_PID")
for _ in $(seq 600); do shown Tallowcron && shown MinimalWindow && break; sleep 0.1; done
sleep 3
SERVER_PID=$(prefix_wineserver)
T0=$(cpu_ms "$T_PID")
M0=$(cpu_ms "$M_PID")
S0=$(cpu_ms "$SERVER_PID")
sleep "$IDLE_SECONDS"
T_CPU=$(($(cpu_ms "$T_PID") - T0))
M_CPU=$(($(cpu_ms "$M_PID") - M0))
S_CPU=$(($(cpu_ms "$SERVER_PID") - S0))
echo "CPU over $IDLE_SECONDS idle s (ms): Tallowcron $T_CPU, minimal $M_CPU;"\
     "ratio $(ratio "$T_CPU" "$M_CPU") (wineserver, serving both and the desktop: $S_CPU)"
T_PEAK=$(peak_kb "$T_PID")
M_PEAK=$(peak_kb "$M_PID")
echo "peak memory (VmHWM, KiB): Tallowcron $T_PEAK, minimal $M_PEAK;"\
     "ratio $(ratio "$T_PEAK" "$M_PEAK"), difference $(((T_PEAK - M_PEAK) / 1024)) MiB"

T_SIZE=$(stat -c %s "$WORK/program/Tallowcron.exe")
M_SIZE=$(stat -c %s "$WORK/minimal_window.exe")
echo "executable size (bytes, static runtime): Tallowcron $T_SIZE, minimal $M_SIZE;"\
     "ratio $(ratio "$T_SIZE" "$M_SIZE")"

stop_programs
(cd "$WORK/append" && wine ./activity_append.exe)
