#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A FIFO at the name of a file Brisaloo reads at start-up (the profile,
# notes.dat, triv.dat, triv.tmp, the alert's state) neither hangs the start nor
# keeps SIGTERM from ending the program: within a second of the signal it has
# ended, and the FIFO is still there, untouched.
set -u
exe="$1"
. "$(dirname "$0")/startup_support.sh"
pid=""
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$home"' EXIT
mkdir -p "$home/bin"
# A copy with no trivia of its own, so that the data folder's triv.dat is the one read.
cp "$exe" "$home/bin/brisaloo"

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
