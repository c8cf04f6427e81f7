#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Where Brisaloo's idle cost goes, in instructions (callgrind), beside the
# floor, under the same display, tray host and files as idle.sh. For each
# program and each state (shown, hidden) one run under callgrind gives:
#   start-up   instructions from the start to the main window's MapNotify
#   per tick   instructions over TICK_SECONDS (after SETTLE_SECONDS) / ticks
# and one native run gives the resident memory 5 s after the start
# (/proc/PID/smaps_rollup) and, per mapping, what each library holds.
# The dumps stay in OUT_DIR for callgrind_annotate --inclusive=yes.
#
#   bench/profile.sh [BUILD_DIR]      BUILD_DIR as for idle.sh
# TICK_SECONDS (30), SETTLE_SECONDS (8), OUT_DIR (build folder/profile),
# PROGRAMS ("brisaloo floor"), MODES ("shown hidden"), CALLGRIND_OPTS (more valgrind
# options, e.g. --cache-sim=yes); BRISALOO=path as idle.sh.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
SCRIPT=profile
source "$ROOT/bench/lib.sh"
BUILD_DIR=${1:-$ROOT/build-bench}
[ -d "$BUILD_DIR" ] || { echo "profile: build folder $BUILD_DIR not found" >&2; exit 2; }
BUILD_DIR=$(cd "$BUILD_DIR" && pwd)
BRISALOO=${BRISALOO:-$BUILD_DIR/brisaloo}
FLOOR=$BUILD_DIR/brisaloo-floor
TICK_SECONDS=${TICK_SECONDS:-30}
SETTLE_SECONDS=${SETTLE_SECONDS:-8}
OUT_DIR=${OUT_DIR:-$BUILD_DIR/profile}
PROGRAMS=${PROGRAMS:-brisaloo floor}
MODES=${MODES:-shown hidden}
CALLGRIND_OPTS=${CALLGRIND_OPTS:-}

require_tools Xvfb xev xwininfo trayer stdbuf valgrind callgrind_control
make_work_dir
mkdir -p "$OUT_DIR"
make_sample_files "$BRISALOO" "$BUILD_DIR/brisaloo-trivia"
start_display_and_tray
coproc XEV { exec stdbuf -oL xev -root -event substructure 2>/dev/null; }
PIDS+=("$XEV_PID")
sleep 1

# run PROGRAM MODE [WRAPPER...]: starts it and waits for its main window to
# map; sets PID (of the program, or of the wrapper that runs it).
run() {
    local program=$1 mode=$2 line window title expect cmd args=()
    shift 2
    while read -r -t 0.2 -u "${XEV[0]}" line; do :; done
    if [ "$program" = floor ]; then
        expect="Brisaloo floor" cmd=("$FLOOR")
        [ "$mode" = hidden ] && args=(--hidden)
    else
        expect="Brisaloo (*" cmd=("$WORK/app/brisaloo")
    fi
    env -i PATH=/usr/bin:/bin HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/$mode" \
        XDG_RUNTIME_DIR="$WORK/runtime" DISPLAY="$DISPLAY" LANG=C.UTF-8 TZ=UTC \
        "$@" "${cmd[@]}" "${args[@]}" >>"$WORK/$program.out" 2>&1 &
    PID=$!
    while read -r -t 120 -u "${XEV[0]}" line; do
        [[ $line == MapNotify* ]] || continue
        read -r -u "${XEV[0]}" line
        window=$(sed -n 's/.* window \(0x[0-9a-f]*\), override.*/\1/p' <<<"$line")
        title=$(xwininfo -id "$window" 2>/dev/null | sed -n 's/^xwininfo: Window id: [^ ]* "\(.*\)"$/\1/p')
        # shellcheck disable=SC2053 # $expect is a pattern
        [[ $title == $expect ]] && return 0
    done
    echo "profile: $program ($mode) mapped no main window" >&2
    exit 1
}
stop() {
    kill "$PID" 2>/dev/null || true
    wait "$PID" 2>/dev/null || true
    rm -f "$WORK/app/brisaloo.lock"
}
total_ir() { awk '/^(summary|totals):/ { print $2; exit }' "$1"; }

printf '%-9s %-7s %14s %14s %12s\n' program state start-up "idle Ir" "per tick"
for program in $PROGRAMS; do
    for mode in $MODES; do
        base="$OUT_DIR/$program-$mode"
        rm -f "$base".out*
        # shellcheck disable=SC2086 # CALLGRIND_OPTS is a list of options
        run "$program" "$mode" valgrind --tool=callgrind $CALLGRIND_OPTS --callgrind-out-file="$base.out"
        callgrind_control -d start-up "$PID" >/dev/null
        sleep "$SETTLE_SECONDS"
        callgrind_control -z "$PID" >/dev/null
        sleep "$TICK_SECONDS"
        callgrind_control -d idle "$PID" >/dev/null
        stop
        startup=$(total_ir "$base.out.1")
        idle=$(total_ir "$base.out.2")
        printf '%-9s %-7s %14s %14s %12s\n' "$program" "$mode" "$startup" "$idle" \
            "$((idle / (TICK_SECONDS * 2)))"
    done
done

# --- resident memory, natively ---------------------------------------------------
echo
for program in $PROGRAMS; do
    run "$program" shown
    sleep 5
    cp "/proc/$PID/smaps" "$OUT_DIR/$program.smaps"
    echo "$program: $(grep -E '^(Rss|Pss|Private_Dirty|Anonymous):' "/proc/$PID/smaps_rollup" | tr -s ' ' | tr '\n' ' ')"
    stop
    # Per file, the resident kB; the heap and the anonymous maps as their own rows.
    awk '/^[0-9a-f]+-[0-9a-f]+ / { name = ($6 == "") ? "[anon]" : $6 }
         /^Rss:/ { rss[name] += $2 }
         END { for (n in rss) if (rss[n] > 0) printf "%8d kB  %s\n", rss[n], n }' \
        "$OUT_DIR/$program.smaps" | sort -rn >"$OUT_DIR/$program.rss"
done
join -1 2 -2 2 -a 1 -a 2 -e 0 -o 0,1.1,2.1 \
    <(awk '{ print $1, $3 }' "$OUT_DIR/brisaloo.rss" | sort -k2) \
    <(awk '{ print $1, $3 }' "$OUT_DIR/floor.rss" | sort -k2) 2>/dev/null |
    awk '{ printf "%8d %8d %+8d kB  %s\n", $2, $3, $2 - $3, $1 }' | sort -k3 -rn >"$OUT_DIR/rss-diff" || true
echo "resident kB per mapping: brisaloo, floor, difference (largest first): $OUT_DIR/rss-diff"
head -n 25 "$OUT_DIR/rss-diff"
