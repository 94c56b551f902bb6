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
  if(HALVANE_WINDOWS_TESTS)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests/windows ${CMAKE_BINARY_DIR}/tests)
  endif()
endfunction()
