# sync.cmake -- a demo's sync tracks: ffx_demo_sync(NAME FILE BPM
# ROWS_PER_BEAT) checks FILE, the sync editors' XML project file, now (one
# line naming it, the line and the reason when it is broken; indented, so
# that CMake does not wrap it) and again whenever it changes, and makes the
# object library NAME_sync with its keys compiled in (common/track.h). BPM
# and ROWS_PER_BEAT are "-" where not given.
include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/music.cmake)

function(ffx_demo_sync name file bpm rows_per_beat)
  ffx_music_tools()
  get_filename_component(sync ${file} ABSOLUTE)
  if(NOT EXISTS ${sync})
    message(FATAL_ERROR " ffx_add_demo(${name}): SYNC ${sync}: no such file")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${sync})
  execute_process(COMMAND ${FFX_SYNC_TOOL} ${sync} ${bpm} ${rows_per_beat}
                  RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE why
                  ERROR_STRIP_TRAILING_WHITESPACE)
  if(failed)
    message(FATAL_ERROR " ffx_add_demo(${name}): SYNC ${why}")
  endif()
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}_sync.cpp)
  add_custom_command(OUTPUT ${source}
                     COMMAND ${FFX_SYNC_TOOL} ${sync} ${bpm} ${rows_per_beat} ${source}
                     DEPENDS ${sync} ${FFX_SYNC_TOOL}
                     COMMENT "Compiling the sync tracks of ${name}" VERBATIM)
  add_library(${name}_sync OBJECT ${source})
  target_link_libraries(${name}_sync PRIVATE ffx_internal)
endfunction()
