# Cross toolchain for the Windows build: Debian's MinGW-w64 for x86_64 with the
# posix thread model (std::thread and std::mutex work), programs run by wine.
# HALVANE_WINX_PREFIX is the prefix with the static wxMSW and its libraries
# (scripts/windows/build-wx.sh prints it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_halvane_target x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_halvane_target}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_halvane_target}-g++-posix)
set(CMAKE_RC_COMPILER ${_halvane_target}-windres)
set(CMAKE_AR /usr/bin/${_halvane_target}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${_halvane_target}-ranlib CACHE FILEPATH "")

# try_compile projects get the variable too, so they find the same roots.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES HALVANE_WINX_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${_halvane_target} ${HALVANE_WINX_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(HALVANE_WINE NAMES wine)
if(HALVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${HALVANE_WINE})
endif()
