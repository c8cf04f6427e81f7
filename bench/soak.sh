#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Months of running in minutes: runs brisaloo under Xvfb with its wall clock
# sped up (libfaketime; monotonic time stays real, so the timer still ticks
# every 500 ms) and a trivia interval of 1 s, samples its resident memory and
# open descriptors every minute, and checks that neither grows after the first
# minute and that nothing is written to stderr.
#
#   bench/soak.sh [BUILD_DIR]          BUILD_DIR holds brisaloo and triv.dat (default: build-bench)
#
# SOAK_MINUTES (20), SOAK_SPEED (100), SAMPLE_SECONDS (60) shorten or stretch
# the run. The tray icon sits in trayer, so the tray tip is rewritten too.
# Exit status 0 on PASS, 1 on FAIL, 2 when something it needs is missing.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
SCRIPT=soak
source "$ROOT/bench/lib.sh"
BUILD_DIR=${1:-$ROOT/build-bench}
SOAK_MINUTES=${SOAK_MINUTES:-20}
SOAK_SPEED=${SOAK_SPEED:-100}
SAMPLE_SECONDS=${SAMPLE_SECONDS:-60}
# The thread-safe build of libfaketime, wherever the multiarch folder is.
FAKETIME_LIB=${FAKETIME_LIB:-$(ls /usr/lib/*/faketime/libfaketimeMT.so.1 2>/dev/null | head -n 1)}
RSS_LIMIT_KB=1024

require_tools Xvfb trayer
[ -n "$FAKETIME_LIB" ] && [ -r "$FAKETIME_LIB" ] ||
    { echo "soak: libfaketimeMT.so.1 is missing (BRISALOO_DEPS=full tools/install-deps.sh installs faketime)" >&2; exit 2; }
[ -x "$BUILD_DIR/brisaloo" ] && [ -r "$BUILD_DIR/triv.dat" ] ||
    { echo "soak: $BUILD_DIR/brisaloo and triv.dat not found; build brisaloo and brisaloo_trivia_data" >&2; exit 2; }

# A private program folder, profile, home and runtime folder.
make_work_dir
mkdir -p "$WORK/app"
cp "$BUILD_DIR/brisaloo" "$BUILD_DIR/triv.dat" "$WORK/app/"
ARRIVAL_YEAR=$(($(date +%Y) + 3))
write_profile "$WORK/config/Brisaloo/Brisaloo.ini" "$ARRIVAL_YEAR" 1 0

start_display_and_tray
sleep 1

env -u XDG_SESSION_TYPE -u WAYLAND_DISPLAY \
    HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" \
    LD_PRELOAD="$FAKETIME_LIB" FAKETIME="+0 x$SOAK_SPEED" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    "$WORK/app/brisaloo" >"$WORK/stdout.log" 2>"$WORK/stderr.log" &
BRISALOO=$!
PIDS+=("$BRISALOO")

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$BRISALOO/status"; }
fd_count() { ls "/proc/$BRISALOO/fd" | wc -l; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$BRISALOO/stat"; }

echo "brisaloo soak: $SOAK_MINUTES min real time, clock x$SOAK_SPEED, trivia every 1 s, display $DISPLAY"
printf '%6s  %-19s  %9s  %4s  %8s\n' minute "faked wall clock" "RSS kB" fds "CPU s"
declare -a RSS FDS
START=$(date +%s)
FAILED=""
for minute in $(seq 1 "$SOAK_MINUTES"); do
    wait_s=$((START + minute * SAMPLE_SECONDS - $(date +%s)))
    [ "$wait_s" -gt 0 ] && sleep "$wait_s"
    if ! kill -0 "$BRISALOO" 2>/dev/null; then
        FAILED="brisaloo ended after $((minute - 1)) minute(s)"
        break
    fi
    RSS[minute]=$(rss_kb)
    FDS[minute]=$(fd_count)
    faked=$(date -u -d "@$((START + ($(date +%s) - START) * SOAK_SPEED))" '+%F %T')
    printf '%6d  %-19s  %9d  %4d  %8s\n' "$minute" "$faked" "${RSS[minute]}" "${FDS[minute]}" \
        "$(awk -v t="$(cpu_ticks)" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.2f", t / hz }')"
done

if [ -z "$FAILED" ]; then
    base_rss=${RSS[1]} base_fds=${FDS[1]} max_rss=${RSS[1]} max_fds=${FDS[1]}
    for minute in $(seq 1 "$SOAK_MINUTES"); do
        [ "${RSS[minute]}" -gt "$max_rss" ] && max_rss=${RSS[minute]}
        [ "${FDS[minute]}" -gt "$max_fds" ] && max_fds=${FDS[minute]}
    done
    echo "growth after minute 1: RSS +$((max_rss - base_rss)) kB (limit $RSS_LIMIT_KB), descriptors +$((max_fds - base_fds)) (limit 0)"
    [ $((max_rss - base_rss)) -le "$RSS_LIMIT_KB" ] || FAILED="resident memory grew"
    [ "$max_fds" -eq "$base_fds" ] || FAILED="${FAILED:+$FAILED; }descriptors grew"
fi
if [ -s "$WORK/stderr.log" ]; then
    echo "stderr:"
    sed 's/^/  /' "$WORK/stderr.log"
    FAILED="${FAILED:+$FAILED; }brisaloo wrote to stderr"
else
    echo "stderr: empty"
fi

if [ -n "$FAILED" ]; then
    echo "FAIL: $FAILED"
    exit 1
fi
echo "PASS"
