# SPDX-License-Identifier: GPL-3.0-or-later
# The core must build without Qt: its sources may not include a Qt header and
# the target may not link a Qt library. Checked at configure time, so a slip
# fails the build instead of creeping in.
function(brisaloo_check_core_is_plain target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    if(NOT IS_ABSOLUTE "${source}")
      set(source "${source_dir}/${source}")
    endif()
    file(STRINGS "${source}" qt_includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
    if(qt_includes)
      message(FATAL_ERROR "${source} includes Qt (${qt_includes}); the core must stay plain C++.")
    endif()
  endforeach()
  # Headers next to the sources are checked too.
  file(GLOB_RECURSE headers ${source_dir}/files/*.h ${source_dir}/countdown/*.h ${source_dir}/trivia/*.h
       ${source_dir}/notes/*.h ${source_dir}/app/*.h)
  foreach(header IN LISTS headers)
    file(STRINGS "${header}" qt_includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
    if(qt_includes)
      message(FATAL_ERROR "${header} includes Qt (${qt_includes}); the core must stay plain C++.")
    endif()
  endforeach()
  get_target_property(libs ${target} LINK_LIBRARIES)
  if(libs AND "${libs}" MATCHES "Qt")
    message(FATAL_ERROR "${target} links Qt (${libs}); the core must stay plain C++.")
  endif()
endfunction()
