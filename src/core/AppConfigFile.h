// The settings file "appconfig.txt": fixed 50-byte records back to back, no
// header. The program gives the records no meaning; it only loads them.
#pragma once

#include "core/FileResult.h"

#include <wx/file.h>
#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <memory>

constexpr size_t kAppConfigRecordSize = 50;
constexpr size_t kAppConfigRecordSlots = 256;
constexpr size_t kAppConfigBufferSize = kAppConfigRecordSize * kAppConfigRecordSlots; // 12800

struct AppConfigFile {
    wxFile file; // open only while the file is read
    // Number of records held. Sixteen bits wide so that all 256 slots of the
    // buffer can be counted; a longer file is cut to its first 256 records.
    uint16_t recordCount = 0;
    std::unique_ptr<unsigned char[]> records{new unsigned char[kAppConfigBufferSize]()};

    const unsigned char* Record(size_t i) const { return records.get() + i * kAppConfigRecordSize; }
};

// Reads the settings file at path. Statuses: Loaded (possibly 0 records,
// possibly cut to 256), Missing (normal, nothing to say), BadLength (not a
// whole number of records), ReadError (the file exists but could not be
// opened or read). The value is a table whatever the status (never null),
// with no records unless Loaded. Never reads more than 12800 bytes, and
// recordCount always equals the number of whole records actually read.
LoadResult<std::unique_ptr<AppConfigFile>> ReadAppConfig(const wxString& path);
