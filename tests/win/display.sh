#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A private X display and Wine prefix for the window tests.
#   display.sh start STATE_DIR WINE WINESERVER PREFIX   Xvfb on a free display, the prefix made
#   display.sh stop STATE_DIR                           Wine's processes and Xvfb ended
# The tests run their programs through on-display.sh STATE_DIR.
set -eu
action=$1 state=$2
case $action in
start)
  wine=$3 wineserver=$4 prefix=$5
  rm -rf "$state" && mkdir -p "$state"
  # Xvfb picks a free display and writes its number once it takes clients.
  mkfifo "$state/displayfd"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$state/displayfd" \
    >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  read -r display <"$state/displayfd"
  cat >"$state/env" <<ENV
export DISPLAY=:$display WINEPREFIX='$prefix' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
WINE='$wine' WINESERVER='$wineserver'
ENV
  . "$state/env"
  [ -f "$prefix/system.reg" ] || "$wine" wineboot --init >/dev/null 2>&1
  "$wineserver" -w
  echo "display :$display, prefix $prefix"
  ;;
stop)
  if [ -f "$state/env" ]; then
    . "$state/env"
    "$WINESERVER" -k 2>/dev/null || true
  fi
  [ -f "$state/xvfb.pid" ] && kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
  ;;
esac
