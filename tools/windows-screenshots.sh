#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of the Windows program under Wine, as a user sees it: the main
# window and Setup, in a Wine desktop of its own on a private Xvfb display,
# with a profile whose arrival is three days ahead.
#   windows-screenshots.sh BUILD_DIR OUT_DIR [LOGPIXELS]
# LOGPIXELS 96 is 100 %, 144 is 150 %. Writes OUT_DIR/main.png and setup.png.
set -eu
build=$(cd "$1" && pwd) out=$2 dpi=${3:-96}
mkdir -p "$out" && out=$(cd "$out" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
work=$(mktemp -d)
trap 'sh "$here/../tests/win/display.sh" stop "$work/state"; rm -rf "$work"' EXIT
sh "$here/../tests/win/display.sh" start "$work/state" "$(cached BRISALOO_WINE)" \
  "$(cached BRISALOO_WINESERVER)" "$work/prefix" >/dev/null
. "$work/state/env"
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
"$WINESERVER" -w

appdata=$("$WINE" cmd /c echo %APPDATA% | tr -d '\r')
profile_dir="$("$WINE" winepath -u "$appdata" | tr -d '\r')/Brisaloo"
mkdir -p "$profile_dir"
set -- $(date -d '+3 days' '+%Y %m %d')
printf '[DESTINATION]\r\nYEAR=%d\r\nMONTH=%d\r\nDAY=%d\r\nHOUR=18\r\nMINUTE=30\r\n' \
  "$1" "${2#0}" "${3#0}" >"$profile_dir/Brisaloo.ini"

mkdir "$work/copy" && cp "$build/package/brisaloo.exe" "$build/package/triv.dat" "$work/copy/"
"$WINE" explorer /desktop=Brisaloo,1024x720 "$work/copy/brisaloo.exe" &
sleep 8
import -window root "$work/main-full.png"
# The window's rectangle: what differs from the desktop's colour (the Wine
# desktop fills the top left of the screen; its taskbar is below 680).
window_box() { convert "$1" -crop 1024x680+0+0 +repage -format '%@' info:; }
main=$(window_box "$work/main-full.png")
convert "$work/main-full.png" -crop "$main" +repage "$out/main.png"
# Setup: a click on its button (5,20 dialog units from the client area's corner, 36x15).
x=$(echo "$main" | sed 's/^[0-9]*x[0-9]*+\([0-9]*\)+.*/\1/')
y=$(echo "$main" | sed 's/.*+\([0-9]*\)$/\1/')
xdotool mousemove $((x + 43 * dpi / 96)) $((y + 66 * dpi / 96)) click 1
sleep 4
import -window root "$work/setup-full.png"
convert "$work/setup-full.png" -crop "$(window_box "$work/setup-full.png")" +repage "$out/setup.png"
"$WINESERVER" -k
