# package.cmake -- what ffxdemo installs (cmake --install, under any prefix,
# the folders of GNUInstallDirs) and the .deb that CPack makes of the same
# files: the demo, ffxcapture, the desktop entry, the manual pages of both,
# and the copyright and changelog files as Debian wants them. Native builds
# of this tree only.
include(GNUInstallDirs)

find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

# The manual page is made from ffxcapture's own --help and --version, so the
# two always agree; manual pages and changelogs go compressed, without a
# time stamp (gzip -n).
set(manpage ${CMAKE_BINARY_DIR}/ffxcapture.1)
set(changelog ${CMAKE_BINARY_DIR}/changelog)
add_custom_command(OUTPUT ${manpage}.gz
  COMMAND ${HELP2MAN} --no-info --section=1
          "--name=render the ffxdemo effect offline to PNG files or a video"
          --output=${manpage} $<TARGET_FILE:ffxdemo-capture>
  COMMAND ${GZIP} -9nf ${manpage}
  DEPENDS ffxdemo-capture
  COMMENT "ffxcapture's manual page from its --help")
configure_file(packaging/ffxdemo.1.in ${CMAKE_BINARY_DIR}/ffxdemo.1 @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/ffxdemo.1.gz
  COMMAND ${GZIP} -9nc ${CMAKE_BINARY_DIR}/ffxdemo.1 > ${CMAKE_BINARY_DIR}/ffxdemo.1.gz
  DEPENDS ${CMAKE_BINARY_DIR}/ffxdemo.1)
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog}.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
add_custom_target(ffx_package_files ALL
  DEPENDS ${manpage}.gz ${CMAKE_BINARY_DIR}/ffxdemo.1.gz ${changelog}.gz)

install(TARGETS ffxdemo ffxdemo-capture RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/ffxdemo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${manpage}.gz ${CMAKE_BINARY_DIR}/ffxdemo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ffxdemo)
set(CPACK_PACKAGE_VENDOR "The ffxdemo developers")
set(CPACK_PACKAGE_CONTACT "The ffxdemo developers <ffxdemo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "full-screen software-rendered graphics demo")
set(CPACK_PACKAGE_DESCRIPTION "Each frame an effect renders a 640 x 480 picture in memory: a
drifting two-sine plasma, the elapsed time in its own bitmap font and a
scrolling music-tracker-style note grid. Space toggles a frame-rate readout,
Escape quits. ffxcapture renders the demo offline to PNG files or to a video
(H.264, lossless RGB H.264 or VP9), faster than real time.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries from the programs themselves (dpkg-shlibdeps); the font the
# demo's frame-rate readout is drawn with, found through fontconfig, besides.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
