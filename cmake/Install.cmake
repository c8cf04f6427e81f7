# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts where, and the Debian package CPack makes of it.
#
#   bin/brisaloo, bin/brisaloo-trivia
#   share/brisaloo/triv.dat                       the sample trivia
#   share/applications/brisaloo.desktop          the launcher
#   share/metainfo/<id>.metainfo.xml              AppStream description
#   share/icons/hicolor/<N>x<N>/apps/brisaloo.png and scalable/apps/brisaloo.svg
#   share/man/man1/brisaloo.1.gz, brisaloo-trivia.1.gz
#   share/doc/brisaloo/copyright, changelog.gz    licence and history, as Debian keeps them
#
# An installed brisaloo finds the trivia at ../share/brisaloo/triv.dat from its
# own directory (app/DataLocation.h), so the layout must stay relative.

include(GNUInstallDirs)

# Windows has a layout and an installer of its own.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/InstallWindows.cmake)
  return()
endif()

set(BRISALOO_APP_ID io.github.brisaloo.Brisaloo)
set(BRISALOO_RES_DIR ${PROJECT_SOURCE_DIR}/res)

set(BRISALOO_PROGRAMS brisaloo)
if(TARGET brisaloo-trivia)
  list(APPEND BRISALOO_PROGRAMS brisaloo-trivia)
endif()
install(TARGETS ${BRISALOO_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (`cmake --install --strip`, and the package) also drops
# the compiler's .comment and .note sections, which nothing at run time reads.
foreach(program IN LISTS BRISALOO_PROGRAMS)
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
endforeach()
if(TARGET brisaloo_trivia_data)
  install(FILES ${CMAKE_BINARY_DIR}/triv.dat DESTINATION ${CMAKE_INSTALL_DATADIR}/brisaloo)
endif()

install(FILES ${BRISALOO_RES_DIR}/brisaloo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${BRISALOO_RES_DIR}/${BRISALOO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS BRISALOO_ICON_SIZES)
  install(FILES ${BRISALOO_RES_DIR}/icons/hicolor/${size}x${size}/apps/brisaloo.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${BRISALOO_RES_DIR}/icons/brisaloo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The manual pages carry the version. They and the changelog are installed
# compressed, without a time stamp in the gzip header (-n) so that the same
# source makes the same package.
set(BRISALOO_GZIPPED)
foreach(page brisaloo.1 brisaloo-trivia.1)
  configure_file(${BRISALOO_RES_DIR}/man/${page}.in ${CMAKE_BINARY_DIR}/man/${page} @ONLY)
  list(APPEND BRISALOO_GZIPPED ${CMAKE_BINARY_DIR}/man/${page})
endforeach()
configure_file(${BRISALOO_RES_DIR}/debian/changelog ${CMAKE_BINARY_DIR}/doc/changelog COPYONLY)
list(APPEND BRISALOO_GZIPPED ${CMAKE_BINARY_DIR}/doc/changelog)
foreach(file IN LISTS BRISALOO_GZIPPED)
  add_custom_command(OUTPUT ${file}.gz COMMAND gzip -9nc ${file} > ${file}.gz DEPENDS ${file})
  list(APPEND BRISALOO_GZIPPED_OUTPUTS ${file}.gz)
endforeach()
add_custom_target(brisaloo_gzipped_docs ALL DEPENDS ${BRISALOO_GZIPPED_OUTPUTS})
install(FILES ${CMAKE_BINARY_DIR}/man/brisaloo.1.gz ${CMAKE_BINARY_DIR}/man/brisaloo-trivia.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Debian looks for the licence and history of a package under its own name.
install(FILES ${BRISALOO_RES_DIR}/debian/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brisaloo)

# `cpack -G DEB` in the build directory (or `cmake --build build --target
# package`) makes brisaloo_<version>_<arch>.deb. Its dependencies are read
# from the programs' shared libraries by dpkg-shlibdeps (Debian: dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brisaloo)
set(CPACK_PACKAGE_VENDOR "Brisaloo developers")
set(CPACK_PACKAGE_CONTACT "Brisaloo developers <maintainers@brisaloo.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "count down to the moment of your arrival")
set(CPACK_PACKAGE_DESCRIPTION
    "Brisaloo counts down to the moment you arrive at a destination, in days,\n\
hours, minutes and seconds and as running totals, in a small window and the\n\
tray. Beside the countdown it rotates trivia questions and keeps notes for\n\
the way. brisaloo --print puts the countdown into status bars and scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Under a Wayland session Qt needs its Wayland plugin to run natively.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
