# live.cmake -- live reload, natively: ffx_add_demo's NAME-live, the demo
# with its effect in a shared library (NAME-effect.so) that is built again
# and swapped in between two frames whenever one of its sources is saved,
# the clock running on (P pauses it, the arrow keys move it by a second, a
# sync editor pauses and seeks it; with music, the music's clock, which then
# waits at the music's end). The headers the sources include are watched
# too, as the last build found them: ninja's record of them, or the
# compiler's dependency files beside the objects. The effect's own extra
# libraries are not linked into the library: the program provides common/
# and the palette. `cmake --build . --target live` (the project's first
# demo) or NAME-run-live builds and runs it; `NAME-live --at SECONDS` starts
# it there. A development tool: it is built only by these targets, and no
# release carries it.
include_guard(GLOBAL)

# ffx_demo_live(NAME SOURCES OBJECTS SYNC DEPTH IMAGES FONTS): OBJECTS are
# the program's framework objects without the timer's clock; SYNC the sync
# file, or ""; IMAGES and FONTS the pictures and fonts (NAME=FILE:SIZE),
# absolute, watched too: a saved one is taken up at once.
function(ffx_demo_live name sources objects sync depth images fonts)
  add_library(${name}_live_effect SHARED EXCLUDE_FROM_ALL ${sources})
  target_include_directories(${name}_live_effect PRIVATE ${FFX_ROOT}/include
                             $<TARGET_PROPERTY:${name}_effect,INCLUDE_DIRECTORIES>)
  target_compile_options(${name}_live_effect PRIVATE -ffp-contract=off
                         $<TARGET_PROPERTY:${name}_effect,COMPILE_OPTIONS>)
  set_target_properties(${name}_live_effect PROPERTIES PREFIX "" OUTPUT_NAME ${name}-effect)

  set(watched)
  foreach(source ${sources})
    get_filename_component(source ${source} ABSOLUTE)
    list(APPEND watched ${source})
  endforeach()
  list(JOIN watched "|" watched)
  add_executable(${name}-live EXCLUDE_FROM_ALL ${FFX_ROOT}/winapi/sdl2/main.cpp
                 ${FFX_ROOT}/tools/live/live_effect.cpp ${objects})
  # The effect's library finds the configuration, the palette and common/
  # in the program.
  set_target_properties(${name}-live PROPERTIES ENABLE_EXPORTS ON)
  target_link_libraries(${name}-live PRIVATE ffx_internal ffx_sdl2 ffx_live
                        "$<LINK_LIBRARY:WHOLE_ARCHIVE,ffx_common,ffx_palette>")
  # What the sources include: ninja's record, or the compiler's files.
  set(ninja "")
  if(CMAKE_GENERATOR MATCHES "Ninja")
    set(ninja "${CMAKE_MAKE_PROGRAM}")
  endif()
  target_compile_definitions(${name}-live PRIVATE
    FFX_LIVE_LIBRARY="$<TARGET_FILE:${name}_live_effect>" FFX_LIVE_SOURCES="${watched}"
    FFX_LIVE_BUILD="${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${name}_live_effect"
    FFX_LIVE_OBJECTS="$<JOIN:$<TARGET_OBJECTS:${name}_live_effect>,|>" FFX_LIVE_NINJA="${ninja}"
    FFX_LIVE_BINARY_DIR="${CMAKE_BINARY_DIR}" FFX_LIVE_SYNC="${sync}"
    FFX_LIVE_DEPTH=${depth} FFX_LIVE_IMAGES="$<JOIN:${images},|>" FFX_LIVE_FONTS="$<JOIN:${fonts},|>")
  add_dependencies(${name}-live ${name}_live_effect)

  add_custom_target(${name}-run-live COMMAND $<TARGET_FILE:${name}-live>
                    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} USES_TERMINAL VERBATIM)
  add_dependencies(${name}-run-live ${name}-live)
  if(NOT TARGET live)
    add_custom_target(live)
    add_dependencies(live ${name}-run-live)
  endif()
endfunction()
