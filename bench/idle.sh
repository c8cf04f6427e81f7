#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What Brisaloo costs to keep running, beside a floor: a bare Qt 6 Widgets
# window of Brisaloo's size with the same seven countdown fields and their
# labels and one 500 ms timer writing each field when it changes
# (bench/floor). Under its own Xvfb (no window manager; trayer as the tray
# host), for each program:
#   start-up   fork to the main window's MapNotify on the root window, median of STARTS
#   RSS        VmRSS 5 s after the start, window shown
#   CPU        on-CPU time of all threads (/proc/PID/task/*/schedstat) over
#              IDLE_SECONDS shown and IDLE_SECONDS hidden in the tray
#   wakeups    voluntary context switches over the same windows: the main
#              thread (/proc/PID/status) and all threads
# Brisaloo gets a full 4,999-line trivia file and 2,000 notes of about 1 KB.
# Each figure is the median over RUNS runs; the ratio is Brisaloo / floor.
#
#   bench/idle.sh [BUILD_DIR]     BUILD_DIR holds brisaloo, brisaloo-floor and
#                                 brisaloo-trivia (default: build-bench, as `make bench`
#                                 leaves it)
# RUNS (3), IDLE_SECONDS (60), STARTS (5); BRISALOO=path measures another
# brisaloo binary. Quick check: RUNS=1 IDLE_SECONDS=10 STARTS=3 bench/idle.sh
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
SCRIPT=idle
source "$ROOT/bench/lib.sh"
BUILD_DIR=${1:-$ROOT/build-bench}
[ -d "$BUILD_DIR" ] || { echo "idle: build folder $BUILD_DIR not found (make bench builds build-bench)" >&2; exit 2; }
BUILD_DIR=$(cd "$BUILD_DIR" && pwd)
BRISALOO=${BRISALOO:-$BUILD_DIR/brisaloo}
FLOOR=$BUILD_DIR/brisaloo-floor
RUNS=${RUNS:-3}
IDLE_SECONDS=${IDLE_SECONDS:-60}
STARTS=${STARTS:-5}

require_tools Xvfb xev xwininfo trayer stdbuf
for file in "$BRISALOO" "$FLOOR" "$BUILD_DIR/brisaloo-trivia"; do
    [ -x "$file" ] || { echo "idle: $file not found; build with -DBRISALOO_BUILD_BENCH=ON" >&2; exit 2; }
done

make_work_dir

make_sample_files "$BRISALOO" "$BUILD_DIR/brisaloo-trivia"

# --- display, tray host and a watch on the root window --------------------------
start_display_and_tray
coproc XEV { exec stdbuf -oL xev -root -event substructure 2>/dev/null; }
PIDS+=("$XEV_PID")
sleep 1

# launch PROGRAM MODE: starts it, waits for its main window to map; sets PID,
# WINDOW and START_MS (fork to map, in ms). Other windows mapped on the root
# first (a tray icon waiting for its dock) are passed over by their title.
launch() {
    local program=$1 mode=$2 line t0 t1 window title args=()
    while read -r -t 0.2 -u "${XEV[0]}" line; do :; done
    # The captions: "Brisaloo floor", and Brisaloo's countdown to 2030.
    local expect="Brisaloo (*"
    if [ "$program" = floor ]; then
        expect="Brisaloo floor"
        cmd=("$FLOOR")
        [ "$mode" = hidden ] && args=(--hidden)
    else
        cmd=("$WORK/app/brisaloo")
    fi
    t0=$EPOCHREALTIME
    env -i PATH=/usr/bin:/bin HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/$mode" \
        XDG_RUNTIME_DIR="$WORK/runtime" DISPLAY="$DISPLAY" LANG=C.UTF-8 TZ=UTC \
        "${cmd[@]}" "${args[@]}" >>"$WORK/$program.out" 2>&1 &
    PID=$!
    while read -r -t 20 -u "${XEV[0]}" line; do
        [[ $line == MapNotify* ]] || continue
        t1=$EPOCHREALTIME
        # The next line names the window that was mapped.
        read -r -u "${XEV[0]}" line
        window=$(sed -n 's/.* window \(0x[0-9a-f]*\), override.*/\1/p' <<<"$line")
        title=$(xwininfo -id "$window" 2>/dev/null | sed -n 's/^xwininfo: Window id: [^ ]* "\(.*\)"$/\1/p')
        # shellcheck disable=SC2053 # $expect is a pattern
        [[ $title == $expect ]] || continue
        START_MS=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", (b - a) * 1000 }')
        WINDOW=$window
        return 0
    done
    echo "idle: $program ($mode) mapped no main window" >&2
    exit 1
}
stop() {
    kill "$PID" 2>/dev/null || true
    wait "$PID" 2>/dev/null || true
    rm -f "$WORK/app/brisaloo.lock"
}
# printf, not print: mawk prints sums past 2^31 as 2.1e+09.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f\n", s }'; }
wakeups_main() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$1/status"; }
wakeups_all() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { s += $2 } END { printf "%.0f\n", s }'; }
ms_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%d", (b - a) * 1000 }'; }
sleep_until() { local left; left=$(awk -v a="$1" -v s="$2" -v b="$EPOCHREALTIME" 'BEGIN { print a + s - b }'); awk -v l="$left" 'BEGIN { exit !(l > 0) }' && sleep "$left" || true; }

# measure PROGRAM MODE: the idle window; appends to the figures of PROGRAM.
declare -A FIG
add() { FIG[$1]="${FIG[$1]:-} $2"; }
measure() {
    local program=$1 mode=$2 t0 c0 c1 w0 w1 a0 a1 state
    launch "$program" "$mode"
    t0=$EPOCHREALTIME
    sleep_until "$t0" 5
    if ! kill -0 "$PID" 2>/dev/null; then
        echo "  $program $mode: ended before the measurement (see $program.out)"; add "$program.$mode.cpu" n/a; return
    fi
    [ "$mode" = shown ] && add "$program.rss" "$(awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$PID/status")"
    state=$(xwininfo -id "$WINDOW" | awk '/Map State/ { print $3 }')
    c0=$(cpu_ns "$PID") w0=$(wakeups_main "$PID") a0=$(wakeups_all "$PID") t0=$EPOCHREALTIME
    sleep "$IDLE_SECONDS"
    if ! kill -0 "$PID" 2>/dev/null; then
        echo "  $program $mode: ended during the measurement"; add "$program.$mode.cpu" n/a; return
    fi
    c1=$(cpu_ns "$PID") w1=$(wakeups_main "$PID") a1=$(wakeups_all "$PID")
    local elapsed; elapsed=$(ms_since "$t0")
    # Per minute, so a shorter IDLE_SECONDS gives comparable figures.
    add "$program.$mode.cpu" "$(awk -v c=$((c1 - c0)) -v e="$elapsed" 'BEGIN { printf "%.1f", c / 1e6 * 60000 / e }')"
    add "$program.$mode.wake" "$(awk -v w=$((w1 - w0)) -v e="$elapsed" 'BEGIN { printf "%.0f", w * 60000 / e }')"
    add "$program.$mode.wakeall" "$(awk -v w=$((a1 - a0)) -v e="$elapsed" 'BEGIN { printf "%.0f", w * 60000 / e }')"
    echo "  $program $mode: window $state, CPU $(((c1 - c0) / 1000)) us, wakeups $((w1 - w0)) main / $((a1 - a0)) all over ${elapsed} ms"
    stop
}

median() { tr ' ' '\n' | { grep -v -e '^$' -e 'n/a' || true; } | sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "n/a"; exit }
    print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "idle cost: $RUNS run(s), $IDLE_SECONDS s per window, $STARTS starts, display $DISPLAY (Xvfb, no window manager, trayer)"
echo "machine: $(nproc) CPUs, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1); load:$(cut -d' ' -f1-3 /proc/loadavg)"
echo "brisaloo: $BRISALOO with $(wc -l <"$WORK/trivia.txt") trivia lines and $(grep -c $'^\.\r$' "$WORK/app/notes.dat") notes ($(du -k "$WORK/app/notes.dat" | cut -f1) kB)"
for program in brisaloo floor; do launch "$program" shown; stop; done  # warm the caches
for run in $(seq 1 "$RUNS"); do
    # Alternate the order so neither program always goes first.
    if [ $((run % 2)) = 1 ]; then order=(brisaloo floor); else order=(floor brisaloo); fi
    echo "run $run:"
    declare -A starts=()
    for _ in $(seq 1 "$STARTS"); do
        for program in "${order[@]}"; do launch "$program" shown; stop; starts[$program]+=" $START_MS"; done
    done
    for program in "${order[@]}"; do
        echo "  $program start-up ms:${starts[$program]}"
        add "$program.start" "$(echo "${starts[$program]}" | median)"
    done
    for program in "${order[@]}"; do measure "$program" shown; measure "$program" hidden; done
done

# --- the medians and the ratios --------------------------------------------------
echo
printf '%-34s %10s %10s %10s  %-12s %s\n' "median of $RUNS run(s)" brisaloo floor ratio target verdict
row() {
    local key=$1 label=$2 kind=$3 limit=$4 b f ratio verdict=""
    b=$(echo "${FIG[brisaloo.$key]:-}" | median)
    f=$(echo "${FIG[floor.$key]:-}" | median)
    if [ "$b" = n/a ] || [ "$f" = n/a ]; then
        ratio=n/a; [ -n "$limit" ] && verdict=MISSED
    elif [ "$kind" = plus ]; then
        ratio=$(awk -v b="$b" -v f="$f" 'BEGIN { printf "%+.1f MB", b - f }')
        [ -n "$limit" ] && verdict=$(awk -v b="$b" -v f="$f" -v l="$limit" 'BEGIN { print (b - f <= l) ? "met" : "MISSED" }')
    else
        ratio=$(awk -v b="$b" -v f="$f" 'BEGIN { printf (f > 0) ? "%.2f" : "n/a", b / f }')
        [ -n "$limit" ] && verdict=$(awk -v b="$b" -v f="$f" -v l="$limit" 'BEGIN { print (b <= l * f) ? "met" : "MISSED" }')
    fi
    local target=""
    [ -n "$limit" ] && target=$([ "$kind" = plus ] && echo "<= +$limit MB" || echo "<= ${limit}x")
    printf '%-34s %10s %10s %10s  %-12s %s\n' "$label" "$b" "$f" "$ratio" "$target" "$verdict"
}
row start "start-up to window mapped (ms)" ratio 1.3
row rss "resident after 5 s (MB)" plus 8
row shown.cpu "CPU per minute shown (ms)" ratio 1.05
row hidden.cpu "CPU per minute hidden (ms)" ratio 1.05
row shown.wake "wakeups per minute shown, main" ratio ""
row hidden.wake "wakeups per minute hidden, main" ratio ""
row shown.wakeall "wakeups per minute shown, all" ratio ""
row hidden.wakeall "wakeups per minute hidden, all" ratio ""
