# release.cmake -- a demo's party release, natively: NAME-release (and
# `release` for a project's first demo) runs scripts/party-release, which
# builds NAME.exe and the page with the project's windows and web presets,
# makes the 1080p video and the screenshot with NAME-capture, and writes
# NAME-VERSION-party.zip into this build folder. INFO is a text file of the
# demo's credits for its info file, or "".
include_guard(GLOBAL)

function(ffx_demo_release name version page width height info)
  file(RELATIVE_PATH relative ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  if(NOT relative)
    set(relative .)
  endif()
  set(credits -)
  if(info)
    get_filename_component(credits ${info} ABSOLUTE)
  endif()
  add_custom_target(${name}-release
                    COMMAND sh ${FFX_ROOT}/scripts/party-release ${name} ${version} ${CMAKE_SOURCE_DIR}
                            ${relative} $<TARGET_FILE:${name}-capture> ${page} ${width} ${height}
                            "${PROJECT_DESCRIPTION}" ${credits} ${CMAKE_BINARY_DIR}
                    USES_TERMINAL VERBATIM)
  add_dependencies(${name}-release ${name}-capture)
  if(NOT TARGET release)
    add_custom_target(release)
    add_dependencies(release ${name}-release)
  endif()
endfunction()
