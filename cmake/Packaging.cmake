# The release files, all under dist/ and all named and stamped with the
# project's one version number: on the Windows build the zip and the per-user
# installer, on the Linux build the Debian package of tarvex-cli. `make dist`
# builds the `dist` target of both.

set(TARVEX_DIST_DIR ${PROJECT_SOURCE_DIR}/dist)
# Installing needs only the programs, not every test of the build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

if(WIN32)
  # Text files for Windows users: CR LF, so that every editor shows lines.
  configure_file(scripts/packaging/README.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(LICENSE LICENSE @ONLY NEWLINE_STYLE CRLF)
  install(TARGETS tarvex tarvex-cli RUNTIME DESTINATION .)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/LICENSE DESTINATION .)

  find_program(TARVEX_MAKENSIS makensis REQUIRED)
  set(TARVEX_DIST_STAGE ${CMAKE_BINARY_DIR}/dist-stage)
  set(TARVEX_NSIS_SCRIPT ${PROJECT_SOURCE_DIR}/scripts/packaging/tarvex.nsi)
  set(TARVEX_ZIP ${TARVEX_DIST_DIR}/tarvex-${PROJECT_VERSION}-win64.zip)
  set(TARVEX_SETUP ${TARVEX_DIST_DIR}/tarvex-${PROJECT_VERSION}-setup.exe)
  add_custom_command(
    OUTPUT ${TARVEX_ZIP} ${TARVEX_SETUP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${TARVEX_DIST_STAGE}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${TARVEX_DIST_STAGE} --strip
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVEX_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${TARVEX_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${TARVEX_DIST_STAGE}
            ${CMAKE_COMMAND} -E tar cf ${TARVEX_ZIP} --format=zip tarvex.exe tarvex-cli.exe README.txt LICENSE
    COMMAND ${TARVEX_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${TARVEX_DIST_STAGE}
            -DSOURCE=${PROJECT_SOURCE_DIR} -DOUTFILE=${TARVEX_SETUP} ${TARVEX_NSIS_SCRIPT}
    DEPENDS tarvex tarvex-cli ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/LICENSE ${TARVEX_NSIS_SCRIPT}
            ${PROJECT_SOURCE_DIR}/app/win/res/tarvex.ico
    COMMENT "Packing ${TARVEX_ZIP} and ${TARVEX_SETUP}"
    VERBATIM)
  add_custom_target(dist DEPENDS ${TARVEX_ZIP} ${TARVEX_SETUP})
else()
  # The manual page, compressed as Debian keeps them.
  configure_file(cli/tarvex-cli.1.in tarvex-cli.1 @ONLY)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/tarvex-cli.1.gz
    COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/tarvex-cli.1
    DEPENDS ${CMAKE_BINARY_DIR}/tarvex-cli.1
    VERBATIM)
  add_custom_target(tarvex-cli-manual ALL DEPENDS ${CMAKE_BINARY_DIR}/tarvex-cli.1.gz)
  install(TARGETS tarvex-cli RUNTIME DESTINATION bin)
  install(FILES ${CMAKE_BINARY_DIR}/tarvex-cli.1.gz DESTINATION share/man/man1)
  install(FILES LICENSE DESTINATION share/doc/tarvex-cli RENAME copyright)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME tarvex-cli)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_PACKAGE_VENDOR "The Tarvex developers")
  set(CPACK_PACKAGE_CONTACT "The Tarvex developers")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shift the timings of SRT subtitle files, or translate their text")
  set(CPACK_PACKAGE_DESCRIPTION
      "tarvex-cli moves every timestamp of an SRT subtitle file earlier or later,\nor re-bases the file so that its first subtitle starts at a given time,\nkeeping the input beside the result. It can also have the text of each\nsubtitle translated by a web translation service.")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION video)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The film's sound is decoded by FFmpeg's libraries, named here as well as
  # found by shlibdeps, so the package asks for them whichever program links them.
  get_property(TARVEX_MEDIA_DEB_DEPENDS GLOBAL PROPERTY TARVEX_MEDIA_DEB_DEPENDS)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${TARVEX_MEDIA_DEB_DEPENDS}")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_OUTPUT_FILE_PREFIX ${TARVEX_DIST_DIR})
  include(CPack)
  add_custom_target(dist
    COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
    DEPENDS tarvex-cli tarvex-cli-manual
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Packing tarvex-cli_${PROJECT_VERSION}_amd64.deb"
    VERBATIM)
endif()
