# The Windows build: cross-compiled with MinGW-w64 (cmake/mingw-w64-x86_64.cmake)
# against the static wxMSW in HALVANE_WINX_PREFIX (scripts/windows/build-wx.sh),
# linked into one exe that needs no DLLs beyond Windows' own. Only the core
# tests are built (wine runs them); the GUI, system, benchmark and fuzz suites
# are the Linux build's.
if(NOT HALVANE_WINX_PREFIX OR NOT EXISTS "${HALVANE_WINX_PREFIX}/bin/wx-config")
  message(FATAL_ERROR "HALVANE_WINX_PREFIX must name the wxMSW prefix (scripts/windows-build.sh)")
endif()
enable_language(RC)

set(wxWidgets_CONFIG_EXECUTABLE "${HALVANE_WINX_PREFIX}/bin/wx-config" CACHE FILEPATH "wx-config of wxMSW" FORCE)
set(wxWidgets_USE_STATIC ON)

# The C and C++ runtimes and winpthread go into the exe.
add_link_options(-static -static-libgcc -static-libstdc++)

# scripts/windows-build.sh builds the exe before it packages it: CPack's
# install step then builds nothing (not the tests, which "all" holds).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(HALVANE_WINDOWS_TESTS ${HALVANE_BUILD_TESTS})
set(HALVANE_BUILD_TESTS OFF)
set(HALVANE_BUILD_BENCH OFF)
set(HALVANE_BUILD_FUZZ OFF)

# Called once the targets exist: a GUI-subsystem exe with the icon, version and
# manifest resources; the core tests.
function(halvane_windows_targets)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(HALVANE_ICO ${CMAKE_BINARY_DIR}/halvane.ico)
  add_custom_command(OUTPUT ${HALVANE_ICO}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/windows/xpm_to_ico.py
            ${CMAKE_SOURCE_DIR}/src/images/icon.xpm ${HALVANE_ICO}
    DEPENDS ${CMAKE_SOURCE_DIR}/src/images/icon.xpm ${CMAKE_SOURCE_DIR}/scripts/windows/xpm_to_ico.py
    COMMENT "Windows icon from icon.xpm")
  configure_file(${CMAKE_SOURCE_DIR}/src/windows/halvane.rc.in ${CMAKE_BINARY_DIR}/halvane.rc @ONLY)
  set_source_files_properties(${CMAKE_BINARY_DIR}/halvane.rc PROPERTIES OBJECT_DEPENDS ${HALVANE_ICO})
  target_sources(halvane-client PRIVATE ${CMAKE_BINARY_DIR}/halvane.rc)
  set_target_properties(halvane-client PROPERTIES WIN32_EXECUTABLE ON)
  target_link_options(halvane-client PRIVATE -s)
  halvane_windows_installer()
  if(HALVANE_WINDOWS_TESTS)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests/windows ${CMAKE_BINARY_DIR}/tests)
  endif()
endfunction()

# The installer, build-windows/halvane-client-<version>-win64.exe: CPack's NSIS
# generator run on Linux with Debian's makensis. The exe goes to
# "C:\Program Files\HALVANE DUO CLIENT\bin" (CPack's Start menu entries point
# into bin), with a Start menu folder holding the program and its uninstaller,
# an entry under Uninstall in the registry, and the file types *.hvc, *.hvs
# and *.hvl registered to open with the program (packaging/windows/
# filetypes.nsh; the uninstaller removes them). makensis is told to build a
# 64-bit installer: the program is 64-bit only, and wine64 without wine32
# (Debian's default) runs no 32-bit installer at all.
function(halvane_windows_installer)
  install(TARGETS halvane-client RUNTIME DESTINATION bin)
  set(CPACK_GENERATOR NSIS)
  set(CPACK_PACKAGE_NAME "halvane-client")
  set(CPACK_PACKAGE_VENDOR "HALVANE")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HALVANE DUO CLIENT")
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_PACKAGE_FILE_NAME "halvane-client-${PROJECT_VERSION}-win64")
  set(CPACK_PACKAGE_INSTALL_DIRECTORY "HALVANE DUO CLIENT")
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "HALVANE DUO CLIENT")
  set(CPACK_PACKAGE_EXECUTABLES "halvane-client" "HALVANE DUO CLIENT")
  set(CPACK_NSIS_PACKAGE_NAME "HALVANE DUO CLIENT")
  set(CPACK_NSIS_DISPLAY_NAME "HALVANE DUO CLIENT ${PROJECT_VERSION}")
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  set(CPACK_NSIS_EXECUTABLE makensis)
  # NSIS quotes a path in backticks: the source folder may hold spaces.
  set(CPACK_NSIS_DEFINES "Target amd64-unicode\n!include `${CMAKE_SOURCE_DIR}/packaging/windows/filetypes.nsh`")
  set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!insertmacro HalvaneRegisterTypes")
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!insertmacro HalvaneUnregisterTypes")
  set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/halvane.ico)
  set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/halvane.ico)
  set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\halvane-client.exe")
  set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
  # No license page: without a file of our own CPack would show CMake's.
  set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
  set(CPACK_OUTPUT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackConfig.cmake)
  set(CPACK_SOURCE_OUTPUT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackSourceConfig.cmake)
  # Before include(CPack), which leaves the source package's name in CPACK_PACKAGE_FILE_NAME.
  set(HALVANE_INSTALLER ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.exe PARENT_SCOPE)
  include(CPack)
endfunction()
