# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by idle.sh and soak.sh: sourced, not run. SCRIPT names the caller in
# its messages.

# require_tools TOOL...: stops with exit status 2 naming the first one missing.
require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null ||
            { echo "$SCRIPT: $tool is missing (BRISALOO_DEPS=full tools/install-deps.sh)" >&2; exit 2; }
    done
}

# make_work_dir: a private WORK folder with home/ and runtime/ (0700), removed
# at exit together with every process whose pid is in PIDS.
make_work_dir() {
    WORK=$(mktemp -d "/tmp/brisaloo-$SCRIPT.XXXXXX")
    PIDS=()
    trap cleanup_work_dir EXIT
    mkdir -p "$WORK/home" "$WORK/runtime"
    chmod 700 "$WORK/runtime"
}
cleanup_work_dir() {
    local pid
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}

# write_profile FILE YEAR TRIVTIME HIDESTART: an arrival on 1 January of YEAR.
write_profile() {
    mkdir -p "$(dirname "$1")"
    cat >"$1" <<EOF_INI
[DESTINATION]
YEAR=$2
MONTH=1
DAY=1
HOUR=0
MINUTE=0
[SETTINGS]
TRIVTIME=$3
HIDESTART=$4
EOF_INI
}

# start_display_and_tray: a private Xvfb (it picks a free display and writes
# its number to fd 3) with trayer as the tray host; sets DISPLAY.
start_display_and_tray() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    PIDS+=($!)
    local _
    for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$WORK/display")"
    trayer --edge top --align right --widthtype request --height 24 >"$WORK/trayer.log" 2>&1 &
    PIDS+=($!)
}

# make_sample_files BRISALOO TRIVIA_TOOL: a copy of the program in WORK/app
# beside a full trivia file (res/trivia.txt repeated to 4,999 lines, packed)
# and 2,000 notes of about 1 KB; profiles in WORK/shown and WORK/hidden (an
# arrival in 2030, hide-on-start in the second).
make_sample_files() {
    mkdir -p "$WORK/app"
    cp "$1" "$WORK/app/brisaloo"
    awk -F'|' -v OFS='|' '{ entry[NR] = $0 } END {
        for (n = 1; n <= 4999; n++) { $0 = entry[(n - 1) % NR + 1]; $1 = n; print }
    }' "$ROOT/res/trivia.txt" >"$WORK/trivia.txt"
    "$2" pack "$WORK/trivia.txt" "$WORK/app/triv.dat" >/dev/null
    awk 'BEGIN {
        line = "Pack the charger, the spare socks and the book for the last leg of the trip."
        for (n = 1; n <= 2000; n++) {
            printf "Note %d: before we arrive\r\n", n
            for (l = 1; l <= 13; l++) printf "%d. %s\r\n", l, line
            printf ".\r\n"
        }
    }' >"$WORK/app/notes.dat"
    local mode
    for mode in shown hidden; do
        write_profile "$WORK/$mode/Brisaloo/Brisaloo.ini" 2030 30 "$([ $mode = hidden ] && echo 1 || echo 0)"
    done
}
