# music.cmake -- the music tools (tools/music: ffxmusic, ffxcompose), built
# at configure time for the machine doing the build, whatever the demos are
# built for: a cross build runs them too. Sets FFX_MUSIC_TOOL,
# FFX_COMPOSE_TOOL, FFX_SYNC_TOOL, FFX_SCORE_TOOL, FFX_ASSETS_TOOL and
# FFX_ICON_TOOL (tools/assets). They are built once for every build of the
# tree and of the projects that use it, in its build/host-tools (one at a
# time, under a lock), or in this build's folder where the tree cannot be
# written.
include_guard(GLOBAL)

function(ffx_music_tools)
  set(dir ${FFX_ROOT}/build/host-tools)
  execute_process(COMMAND ${CMAKE_COMMAND} -E make_directory ${dir} RESULT_VARIABLE readonly
                  OUTPUT_QUIET ERROR_QUIET)
  if(readonly)
    set(dir ${CMAKE_BINARY_DIR}/music-tools)
    file(MAKE_DIRECTORY ${dir})
  endif()
  file(LOCK ${dir}/.lock GUARD FUNCTION TIMEOUT 900)
  set(source ${FFX_ROOT}/tools/music)
  file(GLOB sources ${source}/* ${FFX_ROOT}/tools/assets/*)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${sources})
  # The host's compiler, not the toolchain's.
  set(host ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX --unset=CMAKE_TOOLCHAIN_FILE)
  if(NOT EXISTS ${dir}/CMakeCache.txt)
    execute_process(COMMAND ${host} ${CMAKE_COMMAND} -S ${source} -B ${dir} -G ${CMAKE_GENERATOR}
                            -DCMAKE_BUILD_TYPE=Release
                    RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
    if(failed)
      message(FATAL_ERROR "ffxdemo: cannot configure the music tools:\n${log}")
    endif()
  endif()
  execute_process(COMMAND ${host} ${CMAKE_COMMAND} --build ${dir}
                  RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
  if(failed)
    message(FATAL_ERROR "ffxdemo: cannot build the music tools:\n${log}")
  endif()
  set(FFX_MUSIC_TOOL ${dir}/ffxmusic PARENT_SCOPE)
  set(FFX_COMPOSE_TOOL ${dir}/ffxcompose PARENT_SCOPE)
  set(FFX_SYNC_TOOL ${dir}/ffxsync PARENT_SCOPE)
  set(FFX_ASSETS_TOOL ${dir}/ffxassets PARENT_SCOPE)
  set(FFX_SCORE_TOOL ${dir}/ffxscore PARENT_SCOPE)
  set(FFX_ICON_TOOL ${dir}/ffxicon PARENT_SCOPE)
endfunction()

# ffx_demo_music(NAME FILE LOOP LENGTH_MS FADE_MS): checks FILE now (one line naming it and the
# reason when it cannot be decoded; indented, so that CMake does not wrap
# it) and again whenever it changes, and makes the object library NAME_music
# with it as MP3 (common/music.h); in the browser, with its length only, and
# the page's script NAME_music.js with the MP3. NAME_score has its score
# (common/score.h).
function(ffx_demo_music name file loop length_ms fade_ms)
  ffx_music_tools()
  get_filename_component(music ${file} ABSOLUTE)
  if(NOT EXISTS ${music})
    message(FATAL_ERROR " ffx_add_demo(${name}): MUSIC ${music}: no such file")
  endif()
  execute_process(COMMAND ${FFX_MUSIC_TOOL} ${music} RESULT_VARIABLE failed OUTPUT_QUIET
                  ERROR_VARIABLE why ERROR_STRIP_TRAILING_WHITESPACE)
  if(failed)
    message(FATAL_ERROR " ffx_add_demo(${name}): MUSIC ${why}")
  endif()
  # In the browser the page loads the MP3 in a script of its own; every
  # other program carries it.
  if(EMSCRIPTEN)
    set(coded ${CMAKE_CURRENT_BINARY_DIR}/${name}_music.js)
  else()
    set(coded ${CMAKE_CURRENT_BINARY_DIR}/${name}_music.mp3)
  endif()
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}_music.cpp)
  # The demo's LENGTH, cut and faded at build time (tools/music/length.h).
  set(length "")
  if(length_ms)
    set(length ${length_ms} ${fade_ms})
  endif()
  add_custom_command(OUTPUT ${coded} ${source}
                     COMMAND ${FFX_MUSIC_TOOL} ${music} ${coded} ${source} ${loop} ${length}
                     DEPENDS ${music} ${FFX_MUSIC_TOOL}
                     COMMENT "Encoding the music of ${name}" VERBATIM)
  set_source_files_properties(${source} PROPERTIES OBJECT_DEPENDS ${coded})
  add_library(${name}_music OBJECT ${source})
  target_link_libraries(${name}_music PRIVATE ffx_internal)
  # Its score, NAME_score (common/score.h): for every program and tool.
  set(score ${CMAKE_CURRENT_BINARY_DIR}/${name}_score.cpp)
  add_custom_command(OUTPUT ${score}
                     COMMAND ${FFX_SCORE_TOOL} ${music} ${score} ${length}
                     DEPENDS ${music} ${FFX_SCORE_TOOL}
                     COMMENT "Compiling the score of ${name}'s music" VERBATIM)
  add_library(${name}_score OBJECT ${score})
  target_link_libraries(${name}_score PRIVATE ffx_internal)
endfunction()
