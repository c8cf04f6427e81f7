#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A FIFO at the name of a file Brisaloo reads at start-up (the profile,
# notes.dat, triv.dat, triv.tmp, the alert's state) neither hangs the start nor
# keeps SIGTERM from ending the program: within a second of the signal it has
# ended, and the FIFO is still there, untouched.
set -u
exe="$1"
home=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$home/bin" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# A copy with no trivia of its own, so that the data folder's triv.dat is the one read.
cp "$exe" "$home/bin/brisaloo"
fail() { echo "FAIL: $*"; exit 1; }

# Whether the process catches SIGTERM (bit 15 of SigCgt): its handlers are in.
catches_term() {
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && [ $(( 0x${mask#"${mask%????}"} & 0x4000 )) -ne 0 ]
}
# Polls every 0.1 s, at most $1 times, until the command succeeds.
await() {
    tries=$1
    shift
    until "$@"; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        sleep 0.1
    done
}
stopped() { ! kill -0 "$1" 2>/dev/null; }

for name in config/Brisaloo/Brisaloo.ini data/notes.dat data/triv.dat data/triv.tmp data/state; do
    rm -rf "$home/config" "$home/data"
    mkdir -p "$home/config/Brisaloo" "$home/data"
    mkfifo "$home/$name"
    "$home/bin/brisaloo" --data-dir "$home/data" >"$home/log" 2>&1 &
    pid=$!
    await 300 catches_term "$pid" || fail "$name: no SIGTERM handler in time"
    # Time to reach the FIFO, wherever start-up meets it.
    sleep 1
    kill -TERM "$pid"
    await 10 stopped "$pid" || fail "$name: still running a second after SIGTERM"
    wait "$pid"
    status=$?
    pid=""
    [ $status -eq 0 ] || fail "$name: exit status $status after SIGTERM: $(cat "$home/log")"
    [ -p "$home/$name" ] || [ "$name" = data/triv.tmp ] || fail "$name: the FIFO was replaced"
done
echo "no hang on a FIFO at start-up: ok"
