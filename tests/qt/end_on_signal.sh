#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SIGTERM ends the running program as Exit does: exit status 0, no lock file
# left in the data folder, no socket left in $XDG_RUNTIME_DIR.
set -u
exe="$1"
home=$(mktemp -d)
trap 'kill -KILL "$pid" 2>/dev/null; rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$home/data" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
fail() { echo "FAIL: $*"; exit 1; }

"$exe" --data-dir "$home/data" >"$home/log" 2>&1 &
pid=$!
# The socket is the last thing start-up makes before the window runs.
tries=0
until ls "$XDG_RUNTIME_DIR"/brisaloo-*.socket >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -le 300 ] || fail "no socket in $XDG_RUNTIME_DIR after start-up"
    kill -0 "$pid" 2>/dev/null || fail "brisaloo ended at start-up: $(cat "$home/log")"
    sleep 0.1
done
[ -e "$home/data/brisaloo.lock" ] || fail "no lock file while running"
kill -TERM "$pid"
wait "$pid"
status=$?
[ $status -eq 0 ] || fail "exit status $status after SIGTERM"
[ ! -e "$home/data/brisaloo.lock" ] || fail "lock file left behind"
ls "$XDG_RUNTIME_DIR"/brisaloo-*.socket >/dev/null 2>&1 && fail "socket left behind"
echo "orderly end on SIGTERM: ok"
