# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts where on Windows, and the NSIS installer CPack
# makes of it (the "windows-msvc" preset in CMakePresets.json):
#
#   <Program Files>\Brisaloo\brisaloo.exe, brisaloo-trivia.exe, triv.dat
#   the Qt DLLs and plugins beside them (windeployqt, run by the install)
#
# An installed brisaloo reads triv.dat from its own folder and keeps the
# user's notes in %LOCALAPPDATA%\Brisaloo, as Program Files is not the
# user's to write (app/DataLocation.h). A copy unpacked anywhere writable
# keeps everything beside itself.
#
# Not built or run on the Linux machines: no Qt for Windows is there. The
# core and brisaloo-trivia are cross-built and tested under Wine instead
# (make test-windows).

set(BRISALOO_RES_DIR ${PROJECT_SOURCE_DIR}/res)

install(TARGETS brisaloo RUNTIME DESTINATION .)
if(TARGET brisaloo-trivia)
  install(TARGETS brisaloo-trivia RUNTIME DESTINATION .)
endif()
if(TARGET brisaloo_trivia_data)
  install(FILES ${CMAKE_BINARY_DIR}/triv.dat DESTINATION .)
endif()

# windeployqt copies the Qt libraries, the platform and style plugins the
# program needs (Widgets, Network, Svg for the icon) and, for a MinGW build,
# the compiler's runtime DLLs beside it.
get_target_property(BRISALOO_QMAKE Qt6::qmake IMPORTED_LOCATION)
get_filename_component(BRISALOO_QT_BIN_DIR "${BRISALOO_QMAKE}" DIRECTORY)
find_program(BRISALOO_WINDEPLOYQT windeployqt HINTS "${BRISALOO_QT_BIN_DIR}" REQUIRED)
install(CODE "
  execute_process(
    COMMAND \"${BRISALOO_WINDEPLOYQT}\" --no-translations
            --dir \"\${CMAKE_INSTALL_PREFIX}\" \"\${CMAKE_INSTALL_PREFIX}/brisaloo.exe\"
    COMMAND_ERROR_IS_FATAL ANY)
")

# `cpack` in the build directory makes Brisaloo-<version>-win64.exe: an
# installer with a Start-menu entry and an uninstaller that also takes away
# the autostart value the program may have written.
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Brisaloo)
set(CPACK_PACKAGE_VENDOR "Brisaloo developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "count down to the moment of your arrival")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Brisaloo)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Brisaloo)
set(CPACK_PACKAGE_EXECUTABLES brisaloo Brisaloo)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME Brisaloo)
set(CPACK_NSIS_PACKAGE_NAME Brisaloo)
set(CPACK_NSIS_MUI_ICON ${BRISALOO_RES_DIR}/icons/brisaloo.ico)
set(CPACK_NSIS_MUI_UNIICON ${BRISALOO_RES_DIR}/icons/brisaloo.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME brisaloo.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "DeleteRegValue HKCU 'Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Run' 'Brisaloo'")
include(CPack)
