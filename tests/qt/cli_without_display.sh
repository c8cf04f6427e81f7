#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The options that only print work without a display and without a window.
set -u
exe="$1"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export HOME="$home" XDG_CONFIG_HOME="$home/config"
mkdir -p "$XDG_CONFIG_HOME/Brisaloo"
printf '[DESTINATION]\nYEAR=2000\nMONTH=1\nDAY=1\nHOUR=0\nMINUTE=1\n' > "$XDG_CONFIG_HOME/Brisaloo/Brisaloo.ini"
fail() { echo "FAIL: $*"; exit 1; }

"$exe" --version | grep -q '^brisaloo [0-9]' || fail "--version"
"$exe" --help | grep -q -- '--print' || fail "--help"
line=$("$exe" --print) || fail "--print exit status"
echo "$line" | grep -Eq '^-[0-9]+ Days -?[0-9]+ Hrs -?[0-9]+ Mins -?[0-9]+ Secs$' || fail "--print gave '$line'"
out=$("$exe" --format '{days}|{total_seconds}') || fail "--format exit status"
echo "$out" | grep -Eq '^-[0-9]+\|-[0-9]+$' || fail "--format gave '$out'"
"$exe" --format '{weeks}' 2>/dev/null && fail "unknown placeholder accepted"
# Printing only reads the profile: same bytes, same time, and none made when absent.
ini="$XDG_CONFIG_HOME/Brisaloo/Brisaloo.ini"
touch -d '2001-01-01' "$ini" && cp -p "$ini" "$home/before.ini"
"$exe" --print >/dev/null && "$exe" --format '{days}' >/dev/null || fail "--print again"
cmp -s "$ini" "$home/before.ini" || fail "--print changed the profile"
[ "$(stat -c %Y "$ini")" = "$(stat -c %Y "$home/before.ini")" ] || fail "--print touched the profile"
rm "$ini" && "$exe" --print >/dev/null || fail "--print without a profile"
[ ! -e "$ini" ] || fail "--print created the profile"
cp -p "$home/before.ini" "$ini"
err=$("$exe" --bogus 2>&1 >/dev/null); [ $? -eq 2 ] || fail "--bogus exit status"
[ "$(echo "$err" | wc -l)" -eq 1 ] || fail "--bogus error is not one line: $err"
"$exe" --autostart on >/dev/null || fail "--autostart on"
grep -q 'Exec=.*--hidden' "$XDG_CONFIG_HOME/autostart/brisaloo.desktop" || fail "autostart entry"
"$exe" --autostart off >/dev/null || fail "--autostart off"
[ ! -e "$XDG_CONFIG_HOME/autostart/brisaloo.desktop" ] || fail "autostart entry not removed"
echo "command line without a display: ok"
