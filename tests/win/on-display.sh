#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine on the display display.sh started.
#   on-display.sh STATE_DIR PROGRAM.EXE [ARGS...]
set -eu
state=$1 && shift
. "$state/env"
exec "$WINE" "$@"
