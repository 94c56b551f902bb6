// Writing a file the user chose, whole or not at all.
#pragma once

#include "core/FileResult.h"

#include <wx/string.h>

#include <cstddef>

// Writes size bytes to a temporary file beside path, then renames it over
// path, so a failed or interrupted save never leaves a truncated file where a
// good one was. On failure leaves path as it was, removes the temporary file
// and returns Failed with a one-line reason (for the user).
SaveResult WriteFileAtomically(const wxString& path, const void* data, std::size_t size);
