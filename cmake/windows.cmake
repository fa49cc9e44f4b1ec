# windows.cmake -- what a demo's .exe carries and how it ships, for the
# MinGW-w64 builds: ffx_demo_windows(NAME VERSION ICON) compiles, with the
# toolchain's windres, a manifest (asInvoker, Windows 7 to 11, aware of the
# screen's DPI, so that Windows does not scale it at 125 or 150 %), version
# information (NAME, VERSION) and with ICON (any picture ffxicon reads, or
# "") an icon under IDI_APPLICATION's number, which the window class loads
# from the program; then strips NAME.exe once linked, keeping the program as
# linked beside it as NAME-debug.exe.
include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/music.cmake)

# ffx_check_icon(NAME ICON): one line naming the picture and the reason when
# it cannot be an icon (indented, so that CMake does not wrap it); on every
# platform, so that a broken ICON stops each build alike.
function(ffx_check_icon name icon)
  ffx_music_tools()
  get_filename_component(picture ${icon} ABSOLUTE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${picture})
  execute_process(COMMAND ${FFX_ICON_TOOL} ${picture} - RESULT_VARIABLE failed OUTPUT_QUIET
                  ERROR_VARIABLE why ERROR_STRIP_TRAILING_WHITESPACE)
  if(failed)
    message(FATAL_ERROR " ffx_add_demo(${name}): ICON ${why}")
  endif()
endfunction()

function(ffx_demo_windows name version icon)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${name}_resources)
  string(REGEX MATCHALL "[0-9]+" parts "${version}.0.0.0")
  list(SUBLIST parts 0 4 parts)
  list(JOIN parts "." FFX_RES_VERSION4)
  list(JOIN parts "," FFX_RES_VERSIONC)
  set(FFX_RES_NAME ${name})
  set(FFX_RES_VERSION ${version})
  set(FFX_RES_MANIFEST ${dir}/${name}.manifest)
  set(FFX_RES_ICON "")
  set(depends ${FFX_RES_MANIFEST})
  if(icon) # checked by ffx_add_demo already
    ffx_music_tools()
    get_filename_component(picture ${icon} ABSOLUTE)
    set(ico ${dir}/${name}.ico)
    add_custom_command(OUTPUT ${ico} COMMAND ${FFX_ICON_TOOL} ${picture} ${ico}
                       DEPENDS ${picture} ${FFX_ICON_TOOL}
                       COMMENT "Making the icon of ${name}" VERBATIM)
    set(FFX_RES_ICON "32512 ICON \"${ico}\"")
    list(APPEND depends ${ico})
  endif()
  configure_file(${FFX_ROOT}/cmake/windows/manifest.xml.in ${FFX_RES_MANIFEST} @ONLY)
  configure_file(${FFX_ROOT}/cmake/windows/resources.rc.in ${dir}/${name}.rc @ONLY)
  set(object ${dir}/${name}_resources.o)
  add_custom_command(OUTPUT ${object}
                     COMMAND ${CMAKE_RC_COMPILER} -O coff -i ${dir}/${name}.rc -o ${object}
                     DEPENDS ${dir}/${name}.rc ${depends}
                     COMMENT "Compiling the resources of ${name}.exe" VERBATIM)
  set_source_files_properties(${object} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${name} PRIVATE ${object})
  add_custom_command(TARGET ${name} POST_BUILD
                     COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${name}>
                             $<TARGET_FILE_DIR:${name}>/${name}-debug.exe
                     COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE:${name}>
                     VERBATIM)
endfunction()
