# ffxdemo.cmake -- ffx_add_demo: an effect (FFX_Init, FFX_Render,
# FFX_Shutdown; include/ffxdemo.h) built into the framework's program for the
# platform being configured, with its offline tools.
#
#   ffx_add_demo(NAME SOURCES file... [DEPTH 8|32] [WIDTH w HEIGHT h]
#                [MUSIC file [LOOP]] [LENGTH seconds [FADE seconds]]
#                [SYNC file [BPM n] [ROWS_PER_BEAT n] | [MUSIC_ROWS]]
#                [IMAGES file...] [FONTS name=file:size...]
#                [CHECK_TIMES ms...] [DIGESTS file] [PAGE file] [CAPTURE name]
#                [ICON file] [INFO file])
#
# DEPTH, WIDTH and HEIGHT are the configuration (default 32, 640, 480), put in
# initialised data as `width`, `height` and `depth`. MUSIC is a file any of
# FFmpeg's decoders reads (tracker modules too), checked and decoded at build
# time (cmake/music.cmake): the program plays it and its position is the
# picture's clock; at its end the demo ends, or with LOOP both start again.
# LENGTH ends the demo there (exit 0, as at its music's end): the music is
# cut to it (or lengthened with silence) at build time and fades out over
# its last FADE seconds; the capture tool's default duration, the page's
# end and the live program's end follow it. SYNC is the sync editors' XML
# project file (.rocket), its keys compiled
# into every program and tool (cmake/sync.cmake); BPM and ROWS_PER_BEAT (8
# unless given) come from the keywords or the file's beatsPerMin and
# rowsPerBeat, and must agree; with MUSIC_ROWS the rows are instead a
# tracker module's own, as it plays (common/score.h). MUSIC's score (its
# rows, notes and loudness, FFX_MusicPosition and the rest) is in every
# program and tool. IMAGES are pictures (PNG, JPEG, GIF, BMP,
# WebP) and FONTS fonts FreeType reads, rasterised at `size` pixels, all
# compiled into every program and tool (cmake/assets.cmake; the effect asks
# for them with FFX_GetImage and FFX_GetFont). ICON is a picture made the
# .exe's icon (cmake/windows.cmake); without it the .exe has none. INFO is
# a text file of the demo's credits, for its party release's info file.
# It makes, in the caller's binary folder:
#   natively       NAME (over the SDL2 stand-in) and NAME-capture (PNG files
#                  and videos; CAPTURE names it otherwise; its --version is
#                  the calling project's version, else ffxdemo's);
#   for Windows    NAME.exe (the MinGW-w64 toolchain file in this folder),
#                  stripped, with its manifest and version information, and
#                  NAME-debug.exe, the same as linked;
#   for the web    NAME.js and the page NAME.html titled NAME (PAGE names
#                  the page otherwise; Emscripten's toolchain file);
#   everywhere     NAME-digest, which prints a digest of the frame at each of
#                  CHECK_TIMES (elapsed milliseconds, rendered in that order;
#                  the times on its command line instead, when given), so
#                  that scripts/frame-digests can hold the three builds to
#                  the same frames, and to DIGESTS, a file of its output;
#   to run it      NAME-run, NAME-run-wine or NAME-serve, per platform, and
#                  run, run-wine or serve for a project's first demo
#                  (cmake/run.cmake); natively NAME-run-live, or live, with
#                  live reload (cmake/live.cmake);
#   a release      natively NAME-release, or release for a project's first
#                  demo: NAME-VERSION-party.zip (cmake/release.cmake).
# The targets NAME_effect (the SOURCES) and NAME_config are the caller's to
# add libraries or options to.
include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/music.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/sync.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/assets.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/run.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/live.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/windows.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/release.cmake)

# The tree's folder, for the function called from another project's folders.
get_filename_component(root "${CMAKE_CURRENT_LIST_DIR}/.." REALPATH)
set(FFX_ROOT ${root} CACHE INTERNAL "ffxdemo's source tree")
set(FFX_VERSION ${PROJECT_VERSION} CACHE INTERNAL "ffxdemo's version")

# ffx_seconds_ms(NAME KEYWORD TEXT OUT): TEXT, seconds with up to three
# decimals, as whole milliseconds in OUT; stops the configuring otherwise.
function(ffx_seconds_ms name keyword text out)
  if(NOT text MATCHES "^([0-9]+)(\\.([0-9]?[0-9]?[0-9]?))?$" OR CMAKE_MATCH_1 GREATER 4294966)
    message(FATAL_ERROR " ffx_add_demo(${name}): ${keyword} is seconds (at most 4294966, three decimals), not '${text}'")
  endif()
  string(SUBSTRING "${CMAKE_MATCH_3}000" 0 3 thousandths)
  math(EXPR ms "${CMAKE_MATCH_1} * 1000 + 1${thousandths} - 1000")
  set(${out} ${ms} PARENT_SCOPE)
endfunction()

function(ffx_add_demo name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "LOOP;MUSIC_ROWS" "DEPTH;WIDTH;HEIGHT;MUSIC;SYNC;BPM;ROWS_PER_BEAT;DIGESTS;PAGE;CAPTURE;ICON;LENGTH;FADE;INFO"
                        "SOURCES;CHECK_TIMES;IMAGES;FONTS")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "ffx_add_demo(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT arg_SOURCES)
    message(FATAL_ERROR "ffx_add_demo(${name}): SOURCES names no file")
  endif()
  if(NOT DEFINED arg_DEPTH)
    set(arg_DEPTH 32)
  endif()
  if(NOT arg_DEPTH MATCHES "^(8|32)$")
    message(FATAL_ERROR "ffx_add_demo(${name}): DEPTH is 8 or 32, not '${arg_DEPTH}'")
  endif()
  if(DEFINED arg_WIDTH OR DEFINED arg_HEIGHT)
    if(NOT arg_WIDTH MATCHES "^[1-9][0-9]?[0-9]?[0-9]?$" OR NOT arg_HEIGHT MATCHES "^[1-9][0-9]?[0-9]?[0-9]?$")
      message(FATAL_ERROR
        "ffx_add_demo(${name}): WIDTH and HEIGHT go together, each 1 to 9999 pixels")
    endif()
  else()
    set(arg_WIDTH 640)
    set(arg_HEIGHT 480)
  endif()
  if(arg_LOOP AND NOT arg_MUSIC)
    message(FATAL_ERROR "ffx_add_demo(${name}): LOOP needs MUSIC")
  endif()
  if(NOT arg_CHECK_TIMES)
    set(arg_CHECK_TIMES 0 40 1000 1125 5000 60000 3600000)
  endif()
  if(NOT arg_PAGE)
    set(arg_PAGE ${name}.html)
  endif()
  if(NOT arg_CAPTURE)
    set(arg_CAPTURE ${name}-capture)
  endif()
  if(arg_ICON)
    ffx_check_icon(${name} ${arg_ICON})
  endif()
  set(length_ms 0)
  set(fade_ms 0)
  if(DEFINED arg_LENGTH)
    ffx_seconds_ms(${name} LENGTH "${arg_LENGTH}" length_ms)
    if(length_ms EQUAL 0)
      message(FATAL_ERROR " ffx_add_demo(${name}): LENGTH must be more than 0 seconds")
    endif()
    if(arg_LOOP)
      message(FATAL_ERROR " ffx_add_demo(${name}): LENGTH ends the demo, LOOP plays its music for ever: give one")
    endif()
  endif()
  if(DEFINED arg_FADE)
    if(NOT DEFINED arg_LENGTH OR NOT arg_MUSIC)
      message(FATAL_ERROR " ffx_add_demo(${name}): FADE fades the MUSIC out before LENGTH: it needs both")
    endif()
    ffx_seconds_ms(${name} FADE "${arg_FADE}" fade_ms)
    if(fade_ms GREATER length_ms)
      message(FATAL_ERROR " ffx_add_demo(${name}): FADE ${arg_FADE} is longer than LENGTH ${arg_LENGTH}")
    endif()
  endif()
  # The calling project's version, else ffxdemo's.
  set(version ${PROJECT_VERSION})
  if(NOT version)
    set(version ${FFX_VERSION})
  endif()

  # The configuration, in the programs' initialised data.
  set(config ${CMAKE_CURRENT_BINARY_DIR}/${name}_config.cpp)
  file(CONFIGURE OUTPUT ${config} @ONLY CONTENT
"// The configuration of @name@, written by ffx_add_demo.
#include \"ffxdemo.h\"

const int32_t width = @arg_WIDTH@;
const int32_t height = @arg_HEIGHT@;
const int32_t depth = @arg_DEPTH@;

// The demo's LENGTH in milliseconds, 0 for none (app/demo_length.h).
extern const uint32_t demoLength;
const uint32_t demoLength = @length_ms@;
")
  add_library(${name}_config OBJECT ${config})
  target_link_libraries(${name}_config PRIVATE ffx_contract)

  add_library(${name}_effect STATIC ${arg_SOURCES})
  target_link_libraries(${name}_effect PUBLIC ffx_contract)

  # The framework's own parts of each program, with the loop's clock: the
  # music's (the page's own in the browser), or the timer's.
  # The sync tracks, the demo's or none, in every program and tool.
  if(arg_SYNC)
    foreach(setting BPM ROWS_PER_BEAT)
      if(NOT DEFINED arg_${setting})
        set(arg_${setting} -)
      endif()
    endforeach()
    if(arg_MUSIC_ROWS)
      if(NOT arg_MUSIC OR NOT arg_BPM STREQUAL "-" OR NOT arg_ROWS_PER_BEAT STREQUAL "-")
        message(FATAL_ERROR " ffx_add_demo(${name}): MUSIC_ROWS needs MUSIC (a tracker module), and no BPM or ROWS_PER_BEAT")
      endif()
      set(arg_BPM music)
      ffx_music_tools()
      get_filename_component(music ${arg_MUSIC} ABSOLUTE)
      execute_process(COMMAND ${FFX_SCORE_TOOL} ${music} - ROWS RESULT_VARIABLE failed OUTPUT_QUIET
                      ERROR_VARIABLE why ERROR_STRIP_TRAILING_WHITESPACE)
      if(failed)
        message(FATAL_ERROR " ffx_add_demo(${name}): MUSIC ${why}")
      endif()
    endif()
    ffx_demo_sync(${name} ${arg_SYNC} ${arg_BPM} ${arg_ROWS_PER_BEAT})
    set(tracks $<TARGET_OBJECTS:${name}_sync>)
  elseif(DEFINED arg_BPM OR DEFINED arg_ROWS_PER_BEAT OR arg_MUSIC_ROWS)
    message(FATAL_ERROR "ffx_add_demo(${name}): BPM, ROWS_PER_BEAT and MUSIC_ROWS need SYNC")
  else()
    set(tracks $<TARGET_OBJECTS:ffx_track_none>)
  endif()
  # The pictures and fonts, the demo's or none, with the tracks.
  set(${name}_ASSET_IMAGES "")
  set(${name}_ASSET_FONTS "")
  if(arg_IMAGES OR arg_FONTS)
    ffx_demo_assets(${name} ${arg_DEPTH} "${arg_IMAGES}" "${arg_FONTS}")
    list(APPEND tracks $<TARGET_OBJECTS:${name}_assets>)
  else()
    list(APPEND tracks $<TARGET_OBJECTS:ffx_asset_none>)
  endif()
  # The music's score, the demo's or none, with them too.
  if(arg_MUSIC)
    ffx_demo_music(${name} ${arg_MUSIC} "$<BOOL:${arg_LOOP}>" ${length_ms} ${fade_ms})
    list(APPEND tracks $<TARGET_OBJECTS:${name}_score>)
  else()
    list(APPEND tracks $<TARGET_OBJECTS:ffx_score_none>)
  endif()
  set(framework $<TARGET_OBJECTS:ffx_framework> $<TARGET_OBJECTS:${name}_config> ${tracks})
  if(arg_MUSIC)
    if(EMSCRIPTEN)
      list(APPEND framework $<TARGET_OBJECTS:ffx_web_clock_music> $<TARGET_OBJECTS:${name}_music>)
    else()
      list(APPEND framework $<TARGET_OBJECTS:ffx_clock_music> $<TARGET_OBJECTS:ffx_music_acm>
           $<TARGET_OBJECTS:${name}_music>)
    endif()
  endif()
  set(live_objects ${framework}) # with the live clock, where there is no music
  if(NOT arg_MUSIC)
    list(APPEND framework $<TARGET_OBJECTS:ffx_clock_timer>)
  endif()
  # The frame buffer's guard: a checked zone in the browser, which cannot
  # protect a page; a protected page elsewhere.
  if(EMSCRIPTEN)
    list(APPEND framework $<TARGET_OBJECTS:ffx_guard_zone>)
  else()
    list(APPEND framework $<TARGET_OBJECTS:ffx_guard_page>)
    list(APPEND live_objects $<TARGET_OBJECTS:ffx_guard_page>)
  endif()
  set(libraries ${name}_effect ffx_palette ffx_common)

  list(JOIN arg_CHECK_TIMES "," times)
  add_executable(${name}-digest ${FFX_ROOT}/tools/digest/digest.cpp $<TARGET_OBJECTS:${name}_config>
                 ${tracks})
  target_link_libraries(${name}-digest PRIVATE ffx_internal ffx_offline ${libraries})
  target_compile_definitions(${name}-digest PRIVATE FFX_CHECK_TIMES=${times})
  if(arg_DIGESTS)
    get_filename_component(digests ${arg_DIGESTS} ABSOLUTE)
    set_target_properties(${name}-digest PROPERTIES FFX_DIGESTS ${digests})
  endif()

  if(WIN32)
    add_executable(${name} WIN32 ${framework})
    target_link_libraries(${name} PRIVATE ${libraries} user32 gdi32 winmm ddraw dxguid)
    if(arg_MUSIC)
      target_link_libraries(${name} PRIVATE dsound msacm32 ole32)
    endif()
    ffx_demo_windows(${name} ${version} "${arg_ICON}")
    # Self-contained: no runtime DLLs of the compiler.
    foreach(program ${name} ${name}-digest)
      target_link_options(${program} PRIVATE -static -static-libgcc -static-libstdc++)
    endforeach()
  elseif(EMSCRIPTEN)
    add_executable(${name} ${framework} $<TARGET_OBJECTS:ffx_winapi_core>
                   $<TARGET_OBJECTS:ffx_web>)
    target_link_libraries(${name} PRIVATE ffx_web_program ${libraries})
    set_target_properties(${name} PROPERTIES SUFFIX .js)
    # The music in a script of its own, which the page loads before the
    # module: a change to the effect links the module alone.
    set(FFX_MUSIC_SCRIPT "")
    if(arg_MUSIC)
      add_custom_target(${name}_music_script DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${name}_music.js)
      add_dependencies(${name} ${name}_music_script)
      set(FFX_MUSIC_SCRIPT "<script src=\"${name}_music.js\"></script>")
    endif()
    set(FFX_PAGE_TITLE ${name})
    set(FFX_SCRIPT ${name}.js)
    configure_file(${FFX_ROOT}/winapi/web/page/index.html ${CMAKE_CURRENT_BINARY_DIR}/${arg_PAGE} @ONLY)
    target_link_options(${name}-digest PRIVATE -sENVIRONMENT=node -sEXIT_RUNTIME -sSINGLE_FILE
                        -sALLOW_MEMORY_GROWTH)
    set_target_properties(${name}-digest PROPERTIES SUFFIX .js)
  else()
    add_executable(${name} ${FFX_ROOT}/winapi/sdl2/main.cpp ${framework})
    target_link_libraries(${name} PRIVATE ffx_internal ffx_sdl2 ${libraries})
    if(arg_MUSIC)
      target_link_libraries(${name} PRIVATE ffx_winapi_acm)
    endif()
    add_executable(${name}-capture ${FFX_ROOT}/tools/capture/main.cpp $<TARGET_OBJECTS:${name}_config>
                   ${tracks})
    target_link_libraries(${name}-capture PRIVATE ffx_internal ffx_capture ${libraries})
    if(arg_MUSIC)
      # The same MP3 decoded the same way as the program's.
      target_sources(${name}-capture PRIVATE $<TARGET_OBJECTS:ffx_music_acm> $<TARGET_OBJECTS:${name}_music>)
      target_link_libraries(${name}-capture PRIVATE ffx_winapi_acm)
      target_compile_definitions(${name}-capture PRIVATE FFX_HAS_MUSIC=1)
    endif()
    target_compile_definitions(${name}-capture PRIVATE FFX_TOOL_NAME="${arg_CAPTURE}"
                               FFX_TOOL_VERSION="${version}")
    set_target_properties(${name}-capture PROPERTIES OUTPUT_NAME ${arg_CAPTURE})
    set(sync "")
    if(arg_SYNC)
      get_filename_component(sync ${arg_SYNC} ABSOLUTE)
    endif()
    ffx_demo_release(${name} ${version} ${arg_PAGE} ${arg_WIDTH} ${arg_HEIGHT} "${arg_INFO}")
    ffx_demo_live(${name} "${arg_SOURCES}" "${live_objects}" "${sync}" ${arg_DEPTH}
                  "${${name}_ASSET_IMAGES}" "${${name}_ASSET_FONTS}")
    if(arg_MUSIC)
      target_link_libraries(${name}-live PRIVATE ffx_winapi_acm)
    endif()
  endif()
  ffx_demo_run_targets(${name} ${arg_WIDTH} ${arg_HEIGHT} ${arg_PAGE})
endfunction()
