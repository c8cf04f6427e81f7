# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that watch the program start: a private home for it
# (the caller's EXIT trap removes "$home") and the waits they share.
home=$(mktemp -d)
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
fail() { echo "FAIL: $*"; exit 1; }

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
# Whether the process catches SIGTERM (bit 15 of SigCgt): its handlers are in.
catches_term() {
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && [ $(( 0x${mask#"${mask%????}"} & 0x4000 )) -ne 0 ]
}
stopped() { ! kill -0 "$1" 2>/dev/null; }
