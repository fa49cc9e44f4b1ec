# run.cmake -- the targets that run a demo from its build folder, made by
# ffx_add_demo for the platform being configured:
#   natively       NAME-run       the program on the current display;
#   for Windows    NAME-run-wine  NAME.exe under Wine, in a virtual desktop
#                                 of the demo's size (a prefix of its own in
#                                 the build folder, made on first use);
#   for the web    NAME-serve     the build folder on a local static server
#                                 (python3, which Emscripten needs anyway),
#                                 printing the page's address;
# and for the first demo a project declares, the same as `run`, `run-wine`
# and `serve`.
include_guard(GLOBAL)

set(FFX_SERVE_PORT 8000 CACHE STRING "The port of the serve targets' local web server")

function(ffx_demo_run_targets name width height page)
  if(WIN32)
    set(suffix run-wine)
    set(command bash ${FFX_ROOT}/cmake/run-wine.sh $<TARGET_FILE:${name}> ${width}x${height}
                ${CMAKE_BINARY_DIR}/wine-prefix)
  elseif(EMSCRIPTEN)
    find_program(FFX_PYTHON3 python3 REQUIRED)
    set(suffix serve)
    set(command ${CMAKE_COMMAND} -E echo "${name}: http://localhost:${FFX_SERVE_PORT}/${page} (Ctrl+C stops the server)"
        COMMAND ${FFX_PYTHON3} -m http.server ${FFX_SERVE_PORT} --bind 127.0.0.1
                --directory ${CMAKE_CURRENT_BINARY_DIR})
  else()
    set(suffix run)
    set(command $<TARGET_FILE:${name}>)
  endif()
  add_custom_target(${name}-${suffix} COMMAND ${command} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                    USES_TERMINAL VERBATIM)
  add_dependencies(${name}-${suffix} ${name})
  if(NOT TARGET ${suffix})
    add_custom_target(${suffix})
    add_dependencies(${suffix} ${name}-${suffix})
  endif()
endfunction()
