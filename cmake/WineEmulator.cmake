# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the Windows programs of a cross build under Wine: tests, and the
# trivia packing the build does. The Wine prefix is private to the build
# directory, Wine's own messages are off and no display is needed. The first
# run creates the prefix (once, under a lock, as ctest runs tests in parallel).
find_program(BRISALOO_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/bin NO_DEFAULT_PATH)
if(NOT BRISALOO_WINE)
  message(FATAL_ERROR "Wine is needed to run the Windows build (Debian: wine64)")
endif()
find_program(BRISALOO_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine /usr/bin
             NO_DEFAULT_PATH)
set(BRISALOO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(BRISALOO_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run.sh)
file(WRITE ${BRISALOO_WINE_RUN} "#!/bin/sh
export WINEPREFIX='${BRISALOO_WINEPREFIX}'
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f \"$WINEPREFIX/system.reg\" ]; then
  mkdir -p \"$WINEPREFIX\"
  flock \"$WINEPREFIX.lock\" sh -c '[ -f \"$WINEPREFIX/system.reg\" ] || \"${BRISALOO_WINE}\" wineboot --init >/dev/null 2>&1; \"${BRISALOO_WINESERVER}\" -w 2>/dev/null || true'
fi
exec '${BRISALOO_WINE}' \"$@\"
")
file(CHMOD ${BRISALOO_WINE_RUN} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${BRISALOO_WINE_RUN})
