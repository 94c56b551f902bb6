// The settings file: any bytes load without reading past the 12800-byte
// buffer, and the count matches what the file holds.
#include "core/AppConfigFile.h"

#include "harness.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto loaded = ReadAppConfig(WriteScratchFile(data, size));
    const auto& table = loaded.value;
    FuzzCheck(table != nullptr, "always a table");
    if (size % kAppConfigRecordSize != 0) {
        FuzzCheck(loaded.status == LoadStatus::BadLength && table->recordCount == 0, "bad length refused");
        return 0;
    }
    FuzzCheck(loaded.status == LoadStatus::Loaded, "whole records load");
    const size_t kept = size < kAppConfigBufferSize ? size : kAppConfigBufferSize;
    FuzzCheck(table->recordCount == kept / kAppConfigRecordSize, "count is what was read");
    FuzzCheck(kept == 0 || std::memcmp(table->Record(0), data, kept) == 0, "records in file order");
    return 0;
}
