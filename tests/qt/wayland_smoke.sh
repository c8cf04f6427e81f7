#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Brisaloo under Wayland: a headless weston, a session bus of its own and the
# test panel, which starts the program, checks its tray item and ends it from
# the exported menu. Exit status 77 (skipped) where weston cannot start.
# Usage: wayland_smoke.sh BRISALOO TEST_PANEL
set -u
brisaloo=$1
panel=$2

skip() { echo "SKIPPED: $*"; exit 77; }
command -v weston >/dev/null 2>&1 || skip "weston is not installed"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus-run-session is not installed"

work=$(mktemp -d)
trap 'kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null; rm -rf "$work"' EXIT
weston_pid=
mkdir -p "$work/runtime" "$work/home"
chmod 0700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
export XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
socket=brisaloo-smoke

weston --backend=headless-backend.so --socket=$socket --idle-time=0 --no-config \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
# Wait for the compositor's socket (at most 10 s).
tries=0
while [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; do
  if ! kill -0 "$weston_pid" 2>/dev/null || [ $tries -ge 100 ]; then
    cat "$work/weston.log"
    skip "weston --backend=headless-backend.so did not start"
  fi
  tries=$((tries + 1))
  sleep 0.1
done

export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
unset DISPLAY
dbus-run-session -- "$panel" "$brisaloo"
status=$?
[ $status -eq 0 ] || cat "$work/weston.log"
exit $status
