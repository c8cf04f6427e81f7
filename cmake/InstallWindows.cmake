# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows packages, made by the build (target brisaloo_packages, also run
# by `make package-windows` and `make test-windows`):
#
#   package/        brisaloo.exe, brisaloo.com (its console companion),
#                   brisaloo-trivia.exe (stripped), triv.dat and
#                   LICENSE.txt, the GPL the programs come under
#   brisaloo-<version>-setup.exe   the per-user installer (installer/brisaloo.nsi)
#   brisaloo-<version>-win64.zip   the portable copy: the same files
#
# Installed, the program lives in %LOCALAPPDATA%\Programs\Brisaloo; unpacked
# anywhere writable it keeps its data beside itself (app/DataLocation.h).
find_program(BRISALOO_MAKENSIS makensis)  # Debian: nsis
find_program(BRISALOO_ZIP zip)
if(NOT BRISALOO_MAKENSIS OR NOT BRISALOO_ZIP)
  message(STATUS "makensis or zip not found: no Windows installer or zip")
  return()
endif()

set(BRISALOO_STAGE ${CMAKE_BINARY_DIR}/package)
set(BRISALOO_SETUP ${CMAKE_BINARY_DIR}/brisaloo-${PROJECT_VERSION}-setup.exe)
set(BRISALOO_ZIP_FILE ${CMAKE_BINARY_DIR}/brisaloo-${PROJECT_VERSION}-win64.zip)
set(BRISALOO_PACKAGED_FILES ${BRISALOO_STAGE}/brisaloo.exe ${BRISALOO_STAGE}/brisaloo.com
                            ${BRISALOO_STAGE}/brisaloo-trivia.exe
                            ${BRISALOO_STAGE}/triv.dat ${BRISALOO_STAGE}/LICENSE.txt)

# The shipped programs without their debugging information.
set(stage_commands COMMAND ${CMAKE_COMMAND} -E make_directory ${BRISALOO_STAGE})
foreach(program brisaloo brisaloo-trivia brisaloo_console)
  if(CMAKE_STRIP)
    list(APPEND stage_commands COMMAND ${CMAKE_STRIP} --strip-all -o
         ${BRISALOO_STAGE}/$<TARGET_FILE_NAME:${program}> $<TARGET_FILE:${program}>)
  else()
    list(APPEND stage_commands COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${program}> ${BRISALOO_STAGE})
  endif()
endforeach()
add_custom_command(
  OUTPUT ${BRISALOO_PACKAGED_FILES}
  ${stage_commands}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/triv.dat ${BRISALOO_STAGE}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${BRISALOO_STAGE}/LICENSE.txt
  DEPENDS brisaloo brisaloo-trivia brisaloo_console brisaloo_trivia_data ${CMAKE_BINARY_DIR}/triv.dat
          ${PROJECT_SOURCE_DIR}/LICENSE
  COMMENT "Staging the Windows programs" VERBATIM)

set(BRISALOO_ICO ${CMAKE_BINARY_DIR}/src/win/brisaloo.ico)  # made in src/win
add_custom_command(
  OUTPUT ${BRISALOO_SETUP}
  COMMAND ${BRISALOO_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${BRISALOO_STAGE}
          -DOUTFILE=${BRISALOO_SETUP} -DICON=${BRISALOO_ICO} ${PROJECT_SOURCE_DIR}/installer/brisaloo.nsi
  DEPENDS ${BRISALOO_PACKAGED_FILES} ${PROJECT_SOURCE_DIR}/installer/brisaloo.nsi brisaloo_ico
  COMMENT "Making brisaloo-${PROJECT_VERSION}-setup.exe" VERBATIM)
# -X: no extra file attributes; the same files make the same zip.
add_custom_command(
  OUTPUT ${BRISALOO_ZIP_FILE}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${BRISALOO_ZIP_FILE}
  COMMAND ${BRISALOO_ZIP} -q -j -X ${BRISALOO_ZIP_FILE} ${BRISALOO_PACKAGED_FILES}
  DEPENDS ${BRISALOO_PACKAGED_FILES}
  COMMENT "Making brisaloo-${PROJECT_VERSION}-win64.zip" VERBATIM)
add_custom_target(brisaloo_packages ALL DEPENDS ${BRISALOO_SETUP} ${BRISALOO_ZIP_FILE})
