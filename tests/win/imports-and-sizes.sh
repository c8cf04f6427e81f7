#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The shipped programs need only DLLs that come with Windows, and each stays
# under 1 MiB: the core uses neither the C++ library's streams and locales nor
# its file-system library, which alone took about 900 KB of each program.
#   imports-and-sizes.sh OBJDUMP PROGRAM.EXE...
set -eu
objdump=$1 && shift
system='^(kernel32|user32|gdi32|shell32|comctl32|comdlg32|advapi32|ole32|oleaut32|shlwapi|version|uxtheme|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
status=0
for exe in "$@"; do
  for dll in $("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system"; then
      echo "$(basename "$exe") imports $dll, which Windows does not ship"
      status=1
    fi
  done
  size=$(wc -c <"$exe")
  echo "$(basename "$exe"): $size bytes"
  if [ "$size" -gt 1048576 ]; then
    echo "$(basename "$exe") is over 1 MiB"
    status=1
  fi
done
exit $status
