#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Brisaloo needs to build, test and run, and only
# those that are missing. The tray tests run on a private session bus
# (dbus-daemon: dbus-run-session); the Wayland smoke test runs a headless
# weston with the Qt Wayland plugin. Uses sudo when not run as root.
set -eu

PACKAGES="cmake ninja-build g++ make pkg-config
qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
libgtest-dev libgmock-dev googletest libbenchmark-dev
clang-format xvfb xauth locales tzdata
desktop-file-utils appstream man-db
dbus-daemon weston qt6-wayland"
# Extra packages for the benchmarks and fuzzing passes, the .deb package and
# its check (dpkg-dev, file, lintian) and redrawing the icons (librsvg2-bin):
# BRISALOO_DEPS=full.
if [ "${BRISALOO_DEPS:-}" = "full" ]; then
  PACKAGES="$PACKAGES clang libclang-rt-14-dev x11-utils xdotool imagemagick faketime
  dpkg-dev file lintian librsvg2-bin trayer valgrind"
fi

# The Windows build, its packages and its tests under Wine (make
# test-windows): BRISALOO_DEPS=windows. Only what that build needs, not Qt:
# icoutils makes the icon, nsis and zip the packages, xvfb gives the window
# tests a display of their own.
if [ "${BRISALOO_DEPS:-}" = "windows" ]; then
  PACKAGES="cmake ninja-build make g++-mingw-w64-x86-64-posix googletest wine64 icoutils nsis zip xvfb"
fi

missing=""
for pkg in $PACKAGES; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $pkg" ;;
  esac
done
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi

if [ -n "$missing" ]; then
  echo "Installing:$missing"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

# The tests check that the arrival text stays English under German and French.
for loc in de_DE fr_FR; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc.utf-\?8$"; then
    $SUDO localedef -i "$loc" -f UTF-8 "$loc.UTF-8" 2>/dev/null || true
  fi
done
