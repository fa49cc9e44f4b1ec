# assets.cmake -- a demo's pictures and fonts: ffx_demo_assets(NAME DEPTH
# IMAGES FONTS) checks them now (one line naming the file and the reason
# when one is broken; indented, so that CMake does not wrap it) and again
# whenever one changes, and makes the object library NAME_assets with them
# compiled in (common/asset.h). IMAGES is a list of files, FONTS of
# NAME=FILE:SIZE; files relative to the calling folder. Sets, in the caller,
# NAME_ASSET_IMAGES and NAME_ASSET_FONTS: the same with absolute paths, for
# the live program to watch.
include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/music.cmake)

function(ffx_demo_assets name depth images fonts)
  ffx_music_tools()
  set(arguments "")
  set(files "")
  set(pictures "")
  set(declared "")
  foreach(image ${images})
    get_filename_component(file ${image} ABSOLUTE)
    list(APPEND arguments --image ${file})
    list(APPEND files ${file})
    list(APPEND pictures ${file})
  endforeach()
  foreach(font ${fonts})
    if(NOT font MATCHES "^([^=]+)=(.+):([0-9]+)$")
      message(FATAL_ERROR " ffx_add_demo(${name}): FONTS ${font} is not NAME=FILE:SIZE")
    endif()
    get_filename_component(file ${CMAKE_MATCH_2} ABSOLUTE)
    list(APPEND arguments --font ${CMAKE_MATCH_1}=${file}:${CMAKE_MATCH_3})
    list(APPEND declared ${CMAKE_MATCH_1}=${file}:${CMAKE_MATCH_3})
    list(APPEND files ${file})
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${files})
  execute_process(COMMAND ${FFX_ASSETS_TOOL} ${depth} - ${arguments}
                  RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE why
                  ERROR_STRIP_TRAILING_WHITESPACE)
  if(failed)
    message(FATAL_ERROR " ffx_add_demo(${name}): ${why}")
  endif()
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}_assets.cpp)
  add_custom_command(OUTPUT ${source}
                     COMMAND ${FFX_ASSETS_TOOL} ${depth} ${source} ${arguments}
                     DEPENDS ${files} ${FFX_ASSETS_TOOL}
                     COMMENT "Compiling the pictures and fonts of ${name}" VERBATIM)
  add_library(${name}_assets OBJECT ${source})
  target_link_libraries(${name}_assets PRIVATE ffx_internal)
  set(${name}_ASSET_IMAGES ${pictures} PARENT_SCOPE)
  set(${name}_ASSET_FONTS ${declared} PARENT_SCOPE)
endfunction()
