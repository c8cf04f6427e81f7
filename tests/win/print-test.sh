#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line through a pipe: --print with a profile, --version, and a
# wrong option's exit code. Run for brisaloo.exe and for brisaloo.com, which
# must pass on brisaloo.exe's output and exit code.
#   print-test.sh WINE_RUN BRISALOO.EXE|BRISALOO.COM VERSION
set -eu
run=$1 exe=$2 version=$3
# The profile in the prefix's %APPDATA% (Wine sets that variable itself),
# taken away again at the end.
appdata=$("$run" cmd /c echo %APPDATA% | tr -d '\r')
profile_dir="$("$run" winepath -u "$appdata" | tr -d '\r')/Brisaloo"
[ ! -e "$profile_dir" ] || { echo "$profile_dir is there already"; exit 1; }
trap 'rm -rf "$profile_dir"' EXIT
mkdir -p "$profile_dir"
# An arrival on 1 January 2100, 00:00 (local time is UTC here).
printf '[DESTINATION]\r\nYEAR=2100\r\nMONTH=1\r\nDAY=1\r\nHOUR=0\r\nMINUTE=0\r\n' \
  >"$profile_dir/Brisaloo.ini"

line=$(TZ=UTC "$run" "$exe" --print | tr -d '\r')
echo "--print: $line"
days=$(echo "$line" | sed -n 's/^\([0-9]*\) Days [0-9]* Hrs [0-9]* Mins [0-9]* Secs$/\1/p')
expected=$(( ($(date -u -d 2100-01-01 +%s) - $(date -u +%s)) / 86400 ))
[ -n "$days" ] && [ $((days - expected)) -ge -1 ] && [ $((days - expected)) -le 1 ] || {
  echo "expected about $expected days"
  exit 1
}

[ "$("$run" "$exe" --version | tr -d '\r')" = "brisaloo $version" ]
status=0 && "$run" "$exe" --no-such-option 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "a wrong option gave exit code $status, not 2"; exit 1; }
echo "--print, --version and a wrong option work through a pipe"
