#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SIGTERM while a start-up message box is open closes the box and ends the
# program at once (exit status 0), whether the box is the warning about a data
# folder that cannot be made or the one about a running copy that does not
# answer.
set -u
exe="$1"
. "$(dirname "$0")/startup_support.sh"
pids=""
trap 'for p in $pids; do kill -CONT "$p"; kill -KILL "$p"; done 2>/dev/null; rm -rf "$home"' EXIT
mkdir -p "$home/data"
socket_made() { ls "$XDG_RUNTIME_DIR"/brisaloo-*.socket >/dev/null 2>&1; }

# Sends SIGTERM to pid once it can take it; it must end, status 0, quickly.
end_by_signal() {
    pid=$1
    await 300 catches_term "$pid" || fail "$2: no SIGTERM handler in time"
    kill -TERM "$pid"
    await 300 stopped "$pid" || fail "$2: still running 30 s after SIGTERM (the box stayed open)"
    wait "$pid"
    status=$?
    [ $status -eq 0 ] || fail "$2: exit status $status after SIGTERM"
}

# The data-folder warning: an installed copy whose data home is a file.
mkdir -p "$home/inst/bin" "$home/inst/share/brisaloo"
cp "$exe" "$home/inst/bin/brisaloo"
: > "$home/inst/share/brisaloo/triv.dat"
: > "$home/blocker"
XDG_DATA_HOME="$home/blocker" "$home/inst/bin/brisaloo" >"$home/log1" 2>&1 &
pid=$!
pids="$pid"
end_by_signal "$pid" "data-folder warning"
socket_made && fail "data-folder warning: start-up went on after SIGTERM"

# "Already running": the first copy holds the folder but is stopped, so it
# cannot answer.
"$exe" --data-dir "$home/data" >"$home/log2" 2>&1 &
first=$!
pids="$first"
await 300 socket_made || fail "the first copy made no socket: $(cat "$home/log2")"
kill -STOP "$first"
"$exe" --data-dir "$home/data" >"$home/log3" 2>&1 &
second=$!
pids="$first $second"
end_by_signal "$second" "already-running message"
kill -CONT "$first"
kill -TERM "$first"
wait "$first"
echo "end on SIGTERM during start-up messages: ok"
