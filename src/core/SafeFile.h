// Writing a file the user chose, whole or not at all.
#pragma once

#include <wx/string.h>

#include <cstddef>

// Writes size bytes to a temporary file beside path, then renames it over
// path, so a failed or interrupted save never leaves a truncated file where a
// good one was. On failure returns false, leaves path as it was, removes the
// temporary file and puts a one-line reason into error (for the user).
bool WriteFileAtomically(const wxString& path, const void* data, std::size_t size, wxString& error);
