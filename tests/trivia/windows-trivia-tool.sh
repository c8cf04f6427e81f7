#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# brisaloo-trivia.exe under Wine against the Linux build of the same tool:
# pack, unpack and check of the sample set must give the same bytes. Relative
# names, so that both programs see the same command lines. Exits 77 (skipped)
# when no Linux build is at hand.
#   windows-trivia-tool.sh WINE_RUN TOOL.EXE LINUX_TOOL TRIVIA.TXT WORK_DIR
set -eu
run=$1 exe=$2 linux=$3 text=$4 work=$5
rm -rf "$work" && mkdir -p "$work" && cd "$work"
cp "$text" trivia.txt

both() {  # both NAME: NAME.dat, NAME.txt and NAME.check from one program
  name=$1 && shift
  "$@" pack trivia.txt "$name.dat"
  "$@" unpack "$name.dat" "$name.txt"
  # The C runtime on Windows writes text output with CR LF: the messages are
  # compared line by line, the files byte by byte.
  status=0 && "$@" check trivia.txt >"$name.check" 2>&1 || status=$?
  echo "exit $status" >>"$name.check"
  tr -d '\r' <"$name.check" >"$name.check.lf"
}

both windows "$run" "$exe"
cmp trivia.txt windows.txt
if [ ! -x "$linux" ]; then
  echo "no Linux build of brisaloo-trivia at $linux: comparison skipped"
  exit 77
fi
both linux "$linux"
cmp windows.dat linux.dat
cmp windows.txt linux.txt
cmp windows.check.lf linux.check.lf
echo "pack, unpack and check give the same results on Windows and Linux"
