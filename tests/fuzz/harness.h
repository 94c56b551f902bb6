// Shared set-up for the fuzz targets: wxBase started once, every wx
// assertion an abort (so the fuzzer reports it as a crash), and a scratch
// file for decoders that read from a path.
#pragma once

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Writes the input to this process's scratch file and returns its path.
const wxString& WriteScratchFile(const uint8_t* data, size_t size);
std::vector<uint8_t> ReadScratchFile(const wxString& path);
// Aborts with a message when cond is false.
void FuzzCheck(bool cond, const char* what);
