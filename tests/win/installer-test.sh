#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The installer installs silently into the user's folders and registers its
# uninstaller; the uninstaller takes away what was installed and the
# autostart value, and leaves the user's notes.
#   installer-test.sh STATE_DIR SETUP.EXE
set -eu
state=$1 setup=$2
. "$state/env"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brisaloo'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
fail() { echo "$*"; exit 1; }
query() { "$WINE" reg query "$@" 2>/dev/null | tr -d '\r'; }

"$WINE" "$setup" /S
"$WINESERVER" -w
local_app_data=$("$WINE" cmd /c echo %LOCALAPPDATA% | tr -d '\r')
dir=$("$WINE" winepath -u "$local_app_data\\Programs\\Brisaloo" | tr -d '\r')
for file in brisaloo.exe brisaloo-trivia.exe triv.dat LICENSE.txt uninstall.exe; do
  [ -f "$dir/$file" ] || fail "not installed: $file"
done
shortcut=$(find "$WINEPREFIX/drive_c/users" -name Brisaloo.lnk -path '*Start Menu/Programs*')
[ -n "$shortcut" ] || fail "no Start-menu shortcut"

values=$(query "$uninstall_key")
printf '%s\n' "$values"
for pattern in 'DisplayName.*REG_SZ.*Brisaloo$' 'DisplayVersion.*REG_SZ.*[0-9]\.[0-9]' \
  'Publisher.*REG_SZ' 'DisplayIcon.*brisaloo\.exe' 'InstallLocation.*Programs\\Brisaloo$' \
  'UninstallString.*REG_SZ *".*\\uninstall\.exe"$' 'NoModify.*0x1$' 'NoRepair.*0x1$' \
  'EstimatedSize.*REG_DWORD *0x[0-9a-f]*[1-9a-f]'; do
  printf '%s\n' "$values" | grep -Eq "$pattern" || fail "uninstall key lacks $pattern"
done

# The user's autostart value and notes, as the program would have left them.
"$WINE" reg add "$run_key" /v Brisaloo /d '"brisaloo.exe" --hidden' /f >/dev/null 2>&1
echo note >"$dir/notes.dat"
data=$("$WINE" winepath -u "$local_app_data\\Brisaloo" | tr -d '\r')
mkdir -p "$data" && echo note >"$data/notes.dat"

"$WINE" "$dir/uninstall.exe" /S
"$WINESERVER" -w
for file in brisaloo.exe brisaloo-trivia.exe triv.dat LICENSE.txt uninstall.exe; do
  [ ! -e "$dir/$file" ] || fail "left behind: $file"
done
[ -f "$dir/notes.dat" ] && [ -f "$data/notes.dat" ] || fail "the uninstaller removed the user's notes"
[ ! -e "$shortcut" ] || fail "the shortcut is still there"
"$WINE" reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall key is still there"
query "$run_key" | grep -q Brisaloo && fail "the Run value is still there"
echo "installed and uninstalled cleanly"
