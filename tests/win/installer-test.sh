#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The installer installs silently into the user's folders and registers its
# uninstaller; the uninstaller takes away what was installed and the
# autostart value, and leaves the user's notes. Then, in a folder of the
# user's choosing: an upgrade over a running copy ends it, replaces the
# program in that same folder and starts it again; an uninstall while it runs
# ends it and takes the program away. The running copy ends as a user's
# Exit would: the note edit pending in its Notes dialog is saved.
#   installer-test.sh STATE_DIR SETUP.EXE EDIT_RUNNING_NOTE.EXE
set -eu
state=$1 setup=$2 edit_running_note=$3
. "$state/env"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brisaloo'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
# A failure ends the copies the test started: left running, they would hold
# the test's output open.
fail() {
  echo "$*"
  "$WINESERVER" -k 2>/dev/null || true
  exit 1
}
query() { "$WINE" reg query "$@" 2>/dev/null | tr -d '\r'; }

# What a failed run may have left in the prefix: an install to be upgraded.
"$WINE" reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
"$WINE" "$setup" /S
"$WINESERVER" -w
local_app_data=$("$WINE" cmd /c echo %LOCALAPPDATA% | tr -d '\r')
dir=$("$WINE" winepath -u "$local_app_data\\Programs\\Brisaloo" | tr -d '\r')
for file in brisaloo.exe brisaloo.com brisaloo-trivia.exe triv.dat LICENSE.txt uninstall.exe; do
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
for file in brisaloo.exe brisaloo.com brisaloo-trivia.exe triv.dat LICENSE.txt uninstall.exe; do
  [ ! -e "$dir/$file" ] || fail "left behind: $file"
done
[ -f "$dir/notes.dat" ] && [ -f "$data/notes.dat" ] || fail "the uninstaller removed the user's notes"
[ ! -e "$shortcut" ] || fail "the shortcut is still there"
"$WINE" reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall key is still there"
query "$run_key" | grep -q Brisaloo && fail "the Run value is still there"
echo "installed and uninstalled cleanly"

# Brisaloo's visible windows on the test's display; waits of up to 30 s.
windows() { xdotool search --onlyvisible --classname brisaloo.exe 2>/dev/null | wc -l; }
wait_for() {
  i=0
  while ! eval "$1"; do
    i=$((i + 1)) && [ $i -lt 300 ] || return 1
    sleep 0.1
  done
}
custom_win='C:\Tools\Brisaloo'  # /D= takes no quotes, so no blank
custom=$("$WINE" winepath -u "$custom_win" | tr -d '\r')
"$WINE" "$setup" /S "/D=$custom_win"
"$WINESERVER" -w
[ -f "$custom/brisaloo.exe" ] || fail "not installed into the folder asked for"
"$WINE" "$custom/brisaloo.exe" &
old=$!
wait_for '[ "$(windows)" -eq 1 ]' || fail "the installed program shows no window"
touch -d 2000-01-01 "$custom/brisaloo.exe"

# A copy that does not end when asked (stopped here): a silent upgrade
# fails and changes nothing.
kill -STOP $old
status=0 && "$WINE" "$setup" /S || status=$?
kill -CONT $old
[ $status -ne 0 ] || fail "a silent upgrade over a copy that did not end reported success"
[ "$(stat -c %Y "$custom/brisaloo.exe")" -lt 946771200 ] || fail "the failed upgrade changed brisaloo.exe"
# Woken, the copy takes the request to close it still had; a new one starts.
wait_for '! kill -0 $old 2>/dev/null' || fail "the stopped copy did not close once woken"
printf 'Packing\r\nSocks\r\n.\r\n' >"$custom/notes.dat"
"$WINE" "$custom/brisaloo.exe" &
old=$!
wait_for '[ "$(windows)" -eq 1 ]' || fail "the installed program shows no window"
"$WINE" "$edit_running_note" 'Socks, hat' || fail "could not leave a note edit pending (exit code $?)"

"$WINE" "$setup" /S  # no folder given: the first install's
wait_for '! kill -0 $old 2>/dev/null' || fail "the upgrade left the running copy running"
status=0 && wait $old || status=$?
[ $status -eq 0 ] || fail "the running copy did not end normally (exit code $status)"
[ "$(stat -c %Y "$custom/brisaloo.exe")" -gt 946771200 ] || fail "the upgrade left the old brisaloo.exe"
[ ! -e "$dir/brisaloo.exe" ] || fail "the upgrade installed a second copy in the default folder"
grep -q 'Socks, hat' "$custom/notes.dat" || fail "the upgrade lost the running copy's pending note edit"
wait_for '[ "$(windows)" -eq 1 ]' || fail "the upgrade did not start Brisaloo again"

echo note >"$custom/notes.dat"
"$WINE" "$custom/uninstall.exe" /S
timeout 60 "$WINESERVER" -w || fail "Brisaloo still runs after the uninstall"
[ ! -e "$custom/brisaloo.exe" ] || fail "the uninstall left brisaloo.exe behind"
[ -f "$custom/notes.dat" ] || fail "the uninstaller removed the user's notes"
echo "an upgrade and an uninstall over a running copy, in the folder of the first install"
