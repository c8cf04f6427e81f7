#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks of `cmake --install` into a scratch prefix. One check per call:
#   check-install.sh install BUILD_DIR PREFIX   install afresh
#   check-install.sh layout PREFIX SIZES...     every file is where it belongs
#   check-install.sh desktop PREFIX             the launcher validates
#   check-install.sh metainfo PREFIX            the AppStream file validates
#   check-install.sh manpages PREFIX            the manual pages format cleanly
#   check-install.sh trivia PREFIX              the installed tool reads the installed trivia
#   check-install.sh version PREFIX VERSION     the installed program runs, without a display
#   check-install.sh lintian BUILD_DIR          the Debian package builds and lintian finds nothing
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
  expect share/man/man1/brisaloo.1.gz
  expect share/man/man1/brisaloo-trivia.1.gz
  expect share/doc/brisaloo/copyright
  expect share/doc/brisaloo/changelog.gz
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
      man --warnings -E UTF-8 -l -Tutf8 -Z "$1/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
      echo "$page.1: $warnings"
      exit 1
    fi
    if gzip -dc "$1/share/man/man1/$page.1.gz" | grep -q '@[A-Z_]*@'; then
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
lintian)
  skip_without lintian lintian
  skip_without dpkg-shlibdeps dpkg-dev
  build=$1
  rm -f "$build"/brisaloo_*.deb
  (cd "$build" && cpack -G DEB >cpack.log 2>&1) || {
    cat "$build/cpack.log"
    exit 1
  }
  deb=$(ls "$build"/brisaloo_*.deb)
  # Every tag fails, the pedantic and informational ones too, and overrides
  # are not honoured. One exception: lintian's spelling check also reads the
  # packed icons and trivia as text, and a "word" found there that no source
  # file holds is a chance run of bytes, not a misspelling.
  lintian --pedantic --display-info --no-override --tag-display-limit 0 "$deb" >"$build/lintian.log" 2>&1 || true
  failed=0
  while IFS= read -r line; do
    case "$line" in
    "running with root privileges"*) continue ;;
    *" spelling-error-in-binary "*)
      word=$(echo "$line" | awk '{ print $4 }')
      if ! grep -rqw -- "$word" "$BRISALOO_SOURCE_DIR/src"; then
        echo "passed over: $line"
        continue
      fi
      ;;
    esac
    echo "$line"
    failed=1
  done <"$build/lintian.log"
  [ "$failed" -eq 0 ] || exit 1
  echo "lintian finds nothing in $(basename "$deb")"
  ;;
*)
  echo "check-install.sh: unknown check $mode" >&2
  exit 2
  ;;
esac
