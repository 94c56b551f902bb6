# Linux install and Debian package. `cmake --install BUILD` puts the program,
# its desktop entry, AppStream metainfo, hicolor icons, its file types (a
# shared-mime-info package and their icons), manual page and the Debian
# copyright and changelog under the prefix; `cpack` in the build folder
# makes halvane-client_<version>_<arch>.deb of the same files, installed under
# /usr, with its dependencies read from the libraries the program links
# (dpkg-shlibdeps).
include(GNUInstallDirs)

# The reverse-DNS id names the desktop entry, the metainfo and the icons.
set(HALVANE_APP_ID io.halvane.DuoClient)
set(pkg ${CMAKE_SOURCE_DIR}/packaging/linux)

# Relocations resolved at start and then made read-only, as Debian builds its
# own programs (lintian's hardening-no-bindnow).
target_link_options(halvane-client PRIVATE -Wl,-z,relro -Wl,-z,now)

install(TARGETS halvane-client RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${pkg}/${HALVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${pkg}/${HALVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/src/images/icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${HALVANE_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/src/images/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${HALVANE_APP_ID}.svg)
# The file types (profile, schedule, node log) and their icons. The system's
# MIME database is rebuilt from share/mime/packages by the package's trigger
# (or update-mime-database after a plain install).
install(FILES ${pkg}/${HALVANE_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(type profile schedule nodelog)
  install(FILES ${pkg}/mimetypes/application-x-halvane-${type}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
endforeach()

# Manual page and changelog compressed as Debian wants them: gzip -9, no name
# or time stamp in the header (-n), so the same sources give the same bytes.
set(gz ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${gz}/halvane-client.1.gz ${gz}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${gz}
  COMMAND gzip -9nc ${pkg}/halvane-client.1 > ${gz}/halvane-client.1.gz
  COMMAND gzip -9nc ${pkg}/changelog > ${gz}/changelog.gz
  DEPENDS ${pkg}/halvane-client.1 ${pkg}/changelog VERBATIM)
add_custom_target(halvane_packaging_docs ALL DEPENDS ${gz}/halvane-client.1.gz ${gz}/changelog.gz)
install(FILES ${gz}/halvane-client.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${pkg}/copyright ${gz}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/halvane-client)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME halvane-client)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR HALVANE)
set(CPACK_PACKAGE_CONTACT "HALVANE DUO Client developers <duo-client@halvane.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop client for the HALVANE DUO dosing controller")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Prepares the configuration profiles (*.hvc) and day-by-day schedules (*.hvs)\n"
    "of the HALVANE DUO, a dual-channel hydroponic nutrient dosing controller,\n"
    "for its micro-SD card, shows its node logs (*.hvl) as tables and charts, and\n"
    "finds controllers on the local network to open their web client.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The package carries the program without its debugging symbols.
set(CPACK_STRIP_FILES ON)
include(CPack)
