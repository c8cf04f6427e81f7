#!/bin/sh
# Checks of `cmake --install` into a scratch prefix. One check per call:
#   check-install.sh install BUILD_DIR PREFIX   install afresh
#   check-install.sh layout PREFIX SIZES...     every file is where it belongs
#   check-install.sh desktop PREFIX             the launcher validates
#   check-install.sh metainfo PREFIX            the AppStream file validates
#   check-install.sh manpages PREFIX            the manual pages format cleanly
#   check-install.sh trivia PREFIX              the installed tool reads the installed trivia
#   check-install.sh version PREFIX VERSION     the installed program runs, without a display
# Exits 77 (skipped) when a validator is not installed.
set -eu

APP_ID=io.github.brisaloo.Brisaloo
SKIP=77

skip_without() {
  if ! command -v "$1" >/dev/null 2>&1; then
    echo "SKIP: $1 is not installed (Debian package: $2)"
    exit $SKIP
  fi
}

mode=$1
shift
case "$mode" in
install)
  build=$1 prefix=$2
  rm -rf "$prefix"
  cmake --install "$build" --prefix "$prefix"
  ;;
layout)
  prefix=$1
  shift
  icon_sizes="$*"  # the icon's PNG sizes, from BRISALOO_ICON_SIZES
  missing=0
  expect() {
    if [ ! -f "$prefix/$1" ]; then
      echo "missing: $1"
      missing=1
    fi
  }
  for tool in brisaloo brisaloo-trivia; do
    expect "bin/$tool"
    if [ -f "$prefix/bin/$tool" ] && [ ! -x "$prefix/bin/$tool" ]; then
      echo "not executable: bin/$tool"
      missing=1
    fi
  done
  expect share/brisaloo/triv.dat
  expect share/applications/brisaloo.desktop
  expect "share/metainfo/$APP_ID.metainfo.xml"
  for size in $icon_sizes; do
    expect "share/icons/hicolor/${size}x${size}/apps/brisaloo.png"
  done
  expect share/icons/hicolor/scalable/apps/brisaloo.svg
  expect share/man/man1/brisaloo.1
  expect share/man/man1/brisaloo-trivia.1
  [ "$missing" -eq 0 ] || exit 1
  echo "all installed files present under $prefix"
  ;;
desktop)
  skip_without desktop-file-validate desktop-file-utils
  desktop-file-validate "$1/share/applications/brisaloo.desktop"
  # The launcher names an icon the install provides.
  grep -qx 'Icon=brisaloo' "$1/share/applications/brisaloo.desktop"
  ;;
metainfo)
  skip_without appstreamcli appstream
  appstreamcli validate --no-net "$1/share/metainfo/$APP_ID.metainfo.xml"
  grep -q '<launchable type="desktop-id">brisaloo.desktop</launchable>' \
    "$1/share/metainfo/$APP_ID.metainfo.xml"
  ;;
manpages)
  skip_without man man-db
  for page in brisaloo brisaloo-trivia; do
    # Warnings from the formatter are the failures here.
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
      man --warnings -E UTF-8 -l -Tutf8 -Z "$1/share/man/man1/$page.1" 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
      echo "$page.1: $warnings"
      exit 1
    fi
    if grep -q '@[A-Z_]*@' "$1/share/man/man1/$page.1"; then
      echo "$page.1: a placeholder was not filled in"
      exit 1
    fi
  done
  echo "manual pages format without warnings"
  ;;
trivia)
  "$1/bin/brisaloo-trivia" check "$1/share/brisaloo/triv.dat"
  ;;
version)
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1/bin/brisaloo" --version)
  if [ "$out" != "brisaloo $2" ]; then
    echo "brisaloo --version said \"$out\", expected \"brisaloo $2\""
    exit 1
  fi
  echo "$out"
  ;;
*)
  echo "check-install.sh: unknown check $mode" >&2
  exit 2
  ;;
esac
