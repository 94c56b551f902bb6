# The program's icon at 32 to 256 px, embedded for the windows' icon bundles
# (the 16 px one is the XPM). The PNGs are checked in (scripts/make_images.py
# draws them), so this turns them into a header at configure time with CMake
# alone, and reconfigures when one changes. The header lives in the build
# folder and is never edited by hand.
function(halvane_embed_icons header)
  set(text "// Made by cmake/HalvaneIcons.cmake from src/images/icon-N.png: do not edit.\n")
  string(APPEND text "#pragma once\n#include <cstddef>\n\nstruct EmbeddedIcon {\n    int size;\n")
  string(APPEND text "    const unsigned char* data;\n    std::size_t length;\n};\n\n")
  set(table "")
  foreach(size ${ARGN})
    set(png ${CMAKE_SOURCE_DIR}/src/images/icon-${size}.png)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${png})
    file(READ ${png} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND text "static const unsigned char icon_${size}_png[] = {${bytes}};\n")
    string(APPEND table "    {${size}, icon_${size}_png, sizeof(icon_${size}_png)},\n")
  endforeach()
  string(APPEND text "\nstatic const EmbeddedIcon kEmbeddedIcons[] = {\n${table}};\n")
  file(WRITE ${header}.tmp "${text}")
  configure_file(${header}.tmp ${header} COPYONLY)
endfunction()
