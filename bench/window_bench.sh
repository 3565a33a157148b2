#!/bin/bash
# What the whole program costs under Wine, each figure measured in the same run against a
# minimal Win32 program (bench/minimal_window.cpp: one window of the same size and style with the
# same two always-on timers, 100 ms and 1000 ms; or, for the hidden case, a window never shown
# with one 1000 ms timer):
#   - time from start to the window on the screen (median of several starts of each, alternated);
#   - CPU used over 60 idle seconds, both programs running side by side, the mouse away from them;
#   - peak memory (the peak resident set of the Wine process: the working set as Linux sees it,
#     Wine's own libraries included, so the difference says more than the ratio);
#   - the size of the executable;
#   - at rest with the clock started, from a config.ini of its own (the clock started after
#     loading, the five slots ticked as one-time slots for moments later today, the set moment
#     ticked for a moment after them, the countdown not armed, no power command chosen):
#       shown, the mouse resting off the window: CPU over 60 s against the minimal program with
#       the same two read-out timers; wake-ups and context switches per second;
#       hidden in the notification area (minimised, which hides it there): CPU over 60 s (the
#       mean of three minutes one after the other) against the minimal hidden program with one
#       1000 ms timer; wake-ups and context switches per second;
#   - the cost of an activity-log append to the empty box, at 10,000 and at 100,000 lines
#     (bench/activity_append.cpp, the real main window in its own process): shown, the call
#     alone and with the repaint it leaves; hidden; and 100,000 lines against 10,000.
#
# Wake-ups: a Wine thread that has nothing to do waits for its wineserver to wake it (a message,
# a timer, a handle), and each such wake-up ends with the thread reading a 16-byte wake-up reply
# from its own wait pipe. The benchmark counts those reads with strace (attached for 30 s after the
# CPU minute, so that tracing costs nothing in the CPU figure): one read is one wait that ended,
# one wake-up of the thread, however much it then does. A thread's reply pipe, on which each
# call to the server reads its 64-byte reply and then any data the reply carries, can give
# 16-byte reads too (a message's data, say): a pipe of the thread that ever gives a read of
# another size is a reply pipe, and its reads are not counted. The main thread (the user-interface
# thread, whose thread id is the process id) and all threads are counted apart. The minimal
# hidden program with its one 1000 ms timer comes out at 1 per second, as it should.
# Context switches (voluntary and involuntary, from /proc/PID/task/*/status, over the CPU minute)
# are printed too, but are no count of wake-ups: every call a Wine program makes to its
# wineserver (reading the message, arming the timer again) waits for the server's reply, so one
# timer tick of the minimal hidden program costs about 4 of them. They show how much talking to
# the server the program does at rest.
#
# Never is a power command asked for: no command is chosen (sysTask=-1), and the set moment and
# the slots lie at least 30 minutes after the start of the run (today when that leaves room,
# otherwise two hours on, tomorrow). The slots name the minimal program, should one ever come due.
#
# Prints figures; it is not a test. Needs the packages of tools/test (Wine, Xvfb, xdotool, strace).
#
#   bench/window_bench.sh [BUILD_DIR]     default build/windows (configured with the windows
#                                         preset when missing); builds what it runs
#   STARTS=1 IDLE_SECONDS=10 WAKE_SECONDS=10 bench/window_bench.sh
#                                         a quick try of the script (default 9, 60 and 30)
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh

BUILD=${1:-build/windows}
PREFIX=build/bench-wineprefix
WORK=build/bench-window
STARTS=${STARTS:-9}
IDLE_SECONDS=${IDLE_SECONDS:-60}
# Hidden, a minute of rest is a dozen milliseconds of CPU and one minute differs from the next by
# a millisecond or two: the hidden figure is the mean of three minutes.
HIDDEN_SPANS=${HIDDEN_SPANS:-3}
WAKE_SECONDS=${WAKE_SECONDS:-30}

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake --preset windows -B "$BUILD" >/dev/null || { echo "configuring failed" >&2; exit 1; }
fi
cmake --build "$BUILD" -j2 --target Tallowcron bench_minimal_window bench_main_window_probe \
    bench_activity_append >/dev/null || { echo "building failed" >&2; exit 1; }
rm -rf "$WORK"
mkdir -p "$WORK/program" "$WORK/clock" "$WORK/append"
cp "$BUILD/app/Tallowcron.exe" "$WORK/program/"
cp "$BUILD/app/Tallowcron.exe" "$WORK/clock/"
cp "$BUILD/bench/bench_minimal_window.exe" "$WORK/minimal_window.exe"
cp "$BUILD/bench/bench_main_window_probe.exe" "$WORK/main_window_probe.exe"
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
# $1: a process id. Microseconds of CPU used by all its threads so far: at rest a minute is a
# few milliseconds, and whole milliseconds would make the ratio a matter of rounding.
cpu_us() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d", ns / 1e3 }'
}
# $1: microseconds. Milliseconds with one decimal.
us_to_ms() { awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'; }
peak_kb() { awk '/^VmHWM:/ { print $2 }' /proc/"$1"/status; }
# $1: a process id. Context switches so far, voluntary and involuntary: "main all", the main
# thread's and those of all its threads.
switches() {
    local task
    for task in /proc/"$1"/task/*; do
        awk -v tid="${task##*/}" '/ctxt_switches:/ { n += $2 } END { print tid, n + 0 }' \
            "$task/status" 2>/dev/null
    done | awk -v main="$1" '{ all += $2; if ($1 == main) m = $2 } END { print m + 0, all + 0 }'
}
# $1 $2: "main all" before and after, $3: seconds. Per second, "main X, all Y".
per_second() {
    awk -v a="$1" -v b="$2" -v s="$3" 'BEGIN {
        split(a, x, " "); split(b, y, " ")
        printf "main %.2f, all %.2f", (y[1] - x[1]) / s, (y[2] - x[2]) / s }'
}
threads() { ls /proc/"$1"/task 2>/dev/null | wc -l; }

# $1: seconds; the rest: process ids. Counts the waits that end in each process over that time
# (see the top of this file), all processes at once: one line "main X, all Y" (per second) for
# each, in order, or "n/a" when strace could not follow it.
wakeups_per_second() {
    local seconds=$1 pid t0 t1 tracers=()
    shift
    if ! command -v strace >/dev/null; then
        for pid in "$@"; do echo "n/a (no strace)"; done
        return
    fi
    for pid in "$@"; do
        strace -qq -f -ttt -e trace=read -e signal=none -s 0 -o "$WORK/wakeups.$pid" \
            -p "$pid" 2>"$WORK/wakeups.$pid.err" &
        tracers+=($!)
    done
    sleep 1  # attached to every thread
    t0=$(date +%s.%N)
    sleep "$seconds"
    t1=$(date +%s.%N)
    for pid in "${tracers[@]}"; do kill -INT "$pid" 2>/dev/null; done
    for pid in "${tracers[@]}"; do wait "$pid" 2>/dev/null; done
    for pid in "$@"; do
        # "TID SECONDS read(FD, ""..., SIZE) = SIZE"; a read that waited while another thread's
        # call came in is split into "read(FD, <unfinished ...>" and "<... read resumed>...".
        awk -v main="$pid" -v t0="$t0" -v t1="$t1" '
            $3 ~ /^read\(/ { fd[$1] = substr($3, 6, length($3) - 6) }
            ($3 ~ /^read\(/ || ($3 == "<..." && $4 == "read")) && $(NF - 1) == "=" {
                pipe = $1 " " fd[$1]
                if ($NF != 16) reply[pipe] = 1
                else if ($2 >= t0 && $2 < t1) reads[pipe]++
            }
            END {
                if (NR == 0) { print "n/a"; exit }
                for (pipe in reads) {
                    if (pipe in reply) continue
                    split(pipe, p, " ")
                    all += reads[pipe]
                    if (p[1] == main) m += reads[pipe]
                }
                printf "main %.2f, all %.2f\n", m / (t1 - t0), all / (t1 - t0)
            }
        ' "$WORK/wakeups.$pid" 2>/dev/null || echo "n/a"
    done
}

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

# $1: seconds since 1970. The local date as config.ini stores it: days since 1899-12-30, with the
# time of day as the fraction, "." before it (the decimal separator of the prefix's locale).
date_serial() {
    local day
    day=$(date -d "@$1" +%F)
    awk -v days="$(($(date -u -d "$day" +%s) / 86400 + 25569))" \
        -v seconds="$(($1 - $(date -d "$day" +%s)))" 'BEGIN { printf "%.15g", days + seconds / 86400 }'
}
# $1: seconds since 1970. The local time of day as config.ini stores it (H:mm:ss).
time_text() { date -d "@$1" +%-H:%M:%S; }

# $1: a folder. Writes there the config.ini of the runs at rest with the clock started: the clock
# starts after loading; the five slots are ticked, one-time, a minute apart, and the set moment is
# ticked for after them, all at least 30 minutes from now, today when that leaves room; the
# countdown is not armed and no power command is chosen.
write_clock_config() {
    local now midnight first slot_path n at
    now=$(date +%s)
    midnight=$(date -d 'tomorrow 00:00' +%s)
    first=$((now + 2 * 3600))
    [ "$first" -le $((midnight - 600)) ] || first=$((midnight - 600))
    [ $((first - now)) -ge 1800 ] || first=$((now + 2 * 3600))
    slot_path=$(winepath -w "$WORK/minimal_window.exe")
    {
        printf '%s\r\n' "[SoftWare]" "counT=10" "AutoRun=0" "AutoTimeRun=1" "sysTask=-1" \
            "cdTask=0" "ptTask=1" "ptTaskDate=$(date_serial $((first + 300)))" \
            "ptTaskTime=$(time_text $((first + 300)))" "timeOn=0" "[SoftRun]"
        for n in 1 2 3 4 5; do
            at=$((first + (n - 1) * 60))
            printf '%s\r\n' "exepath$n=$slot_path" "exechk$n=1" "exeTimeOn$n=0" "task$n=0" \
                "TaskDate$n=$(date_serial "$at")" "TaskTime$n=$(time_text "$at")"
        done
        printf '%s\r\n' "[MouseRun]" "timeInv=1" "mouseX=0" "mouseY=0"
    } | iconv -f UTF-8 -t GBK >"$1/config.ini"
    echo "config.ini with the clock started: slots $(date -d "@$first" '+%F %T') to"\
         "$(date -d "@$((first + 240))" +%T), set moment $(date -d "@$((first + 300))" '+%F %T'),"\
         "no power command, countdown not armed"
}

# The state of the running Tallowcron's main window (bench/main_window_probe.cpp); $1: "minimise"
# to hide it into the notification area first.
probe() { wine "$WORK/main_window_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }

# $1: a process id. Ends it and waits for it.
stop_program() { kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; }

# $1: the case ("shown" or "hidden"), $2: Tallowcron's process id, $3: the minimal program's.
# Both settled: CPU and context switches over IDLE_SECONDS, then wake-ups over WAKE_SECONDS.
# $4: how many such spans to measure, one after the other (default 1): the CPU figure is then
# their mean, each span's own figures printed before it.
measure_at_rest() {
    local name=$1 t_pid=$2 m_pid=$3 spans=${4:-1} server t0 m0 s0 t1 m1 s1 t_sw m_sw wakeups i
    local t_cpu=0 m_cpu=0 s_cpu=0
    sleep 3
    server=$(prefix_wineserver)
    t_sw=$(switches "$t_pid")
    m_sw=$(switches "$m_pid")
    t0=$(cpu_us "$t_pid")
    m0=$(cpu_us "$m_pid")
    s0=$(cpu_us "$server")
    for i in $(seq "$spans"); do
        sleep "$IDLE_SECONDS"
        t1=$(cpu_us "$t_pid")
        m1=$(cpu_us "$m_pid")
        s1=$(cpu_us "$server")
        [ "$spans" -gt 1 ] &&
            echo "clock started, $name: span $i of $spans, CPU ms: Tallowcron"\
                 "$(us_to_ms $((t1 - t0))), minimal $(us_to_ms $((m1 - m0)));"\
                 "ratio $(ratio $((t1 - t0)) $((m1 - m0)))"
        t_cpu=$((t_cpu + t1 - t0)) m_cpu=$((m_cpu + m1 - m0)) s_cpu=$((s_cpu + s1 - s0))
        t0=$t1 m0=$m1 s0=$s1
    done
    t_cpu=$((t_cpu / spans)) m_cpu=$((m_cpu / spans)) s_cpu=$((s_cpu / spans))
    echo "clock started, $name: CPU ms over $IDLE_SECONDS s: Tallowcron $(us_to_ms "$t_cpu"),"\
         "minimal $(us_to_ms "$m_cpu"); ratio $(ratio "$t_cpu" "$m_cpu") (wineserver, serving"\
         "both and the desktop: $(us_to_ms "$s_cpu"))$([ "$spans" -gt 1 ] && echo ";"\
         "mean of $spans spans")"
    echo "clock started, $name: context switches per s over $((IDLE_SECONDS * spans)) s:"\
         "Tallowcron $(per_second "$t_sw" "$(switches "$t_pid")" $((IDLE_SECONDS * spans)));"\
         "minimal $(per_second "$m_sw" "$(switches "$m_pid")" $((IDLE_SECONDS * spans)))"\
         "(threads: Tallowcron $(threads "$t_pid"), minimal $(threads "$m_pid"))"
    mapfile -t wakeups < <(wakeups_per_second "$WAKE_SECONDS" "$t_pid" "$m_pid")
    echo "clock started, $name: wake-ups per s over $WAKE_SECONDS s (waits ended):"\
         "Tallowcron ${wakeups[0]}; minimal ${wakeups[1]}"
}

TALLOWCRON=(wine "$WORK/program/Tallowcron.exe")
TALLOWCRON_CLOCK=(wine "$WORK/clock/Tallowcron.exe")
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

stop_program "$T_PID"
stop_program "$M_PID"
while shown Tallowcron || shown MinimalWindow; do sleep 0.05; done

# At rest with the clock started, shown: the same two programs, Tallowcron now with the config.ini
# that starts its clock, the mouse still resting on the empty desktop.
write_clock_config "$WORK/clock"
"${TALLOWCRON_CLOCK[@]}" >/dev/null 2>&1 &
T_PID=$!
"${MINIMAL[@]}" >/dev/null 2>&1 &
M_PID=$!
PIDS+=("$T_PID" "$M_PID")
for _ in $(seq 600); do shown Tallowcron && shown MinimalWindow && break; sleep 0.1; done
sleep 2
STATE=$(probe)
echo "shown, $STATE"
if [[ $STATE == *"visible 1,"*"clock running 1, error boxes 0"* ]]; then
    measure_at_rest shown "$T_PID" "$M_PID"
else
    echo "clock started, shown: not measured: the window is not shown with its clock running"
fi
stop_program "$T_PID"
stop_program "$M_PID"
while shown Tallowcron || shown MinimalWindow; do sleep 0.05; done

# At rest with the clock started, hidden in the notification area: minimised, which hides it
# there; against the minimal program that never shows its window and has one 1000 ms timer.
"${TALLOWCRON_CLOCK[@]}" >/dev/null 2>&1 &
T_PID=$!
"${MINIMAL[@]}" --hidden >/dev/null 2>&1 &
M_PID=$!
PIDS+=("$T_PID" "$M_PID")
for _ in $(seq 600); do shown Tallowcron && break; sleep 0.1; done
sleep 2
STATE=$(probe minimise)
echo "minimised, $STATE"
if [[ $STATE == *"visible 0,"*"clock running 1, error boxes 0"* ]] && ! shown Tallowcron; then
    measure_at_rest hidden "$T_PID" "$M_PID" "$HIDDEN_SPANS"
else
    echo "clock started, hidden: not measured: the window is not hidden with its clock running"
fi

stop_programs
(cd "$WORK/append" && wine ./activity_append.exe)
