// The schedule file: any bytes are either refused as a whole or read as
// whole entries in file order, and written back byte for byte; no date word
// raises a wx assertion when shown.
#include "core/NodeSchedule.h"
#include "core/WordHelpers.h"

#include "harness.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LoadResult<NodeSchedule> loaded = ReadScheduleFile(WriteScratchFile(data, size));
    const NodeSchedule& table = loaded.value;
    if (size % kScheduleEntrySize != 0) {
        FuzzCheck(loaded.status == LoadStatus::BadLength && table.empty(), "bad length refused");
        return 0;
    }
    if (size / kScheduleEntrySize > kScheduleFileMaxEntries) {
        FuzzCheck(loaded.status == LoadStatus::TooLarge && table.empty(), "oversized file refused");
        return 0;
    }
    FuzzCheck(loaded.status == LoadStatus::Loaded, "whole entries load");
    FuzzCheck(table.size() == size / kScheduleEntrySize, "count is what the file holds");
    const std::vector<unsigned char> back = EncodeScheduleFile(table);
    FuzzCheck(back.size() == size && (size == 0 || std::memcmp(back.data(), data, size) == 0),
              "written back byte for byte");
    for (const ScheduleEntry& entry : table)
        (void)FormatDateText(DecodePackedDate(entry[kScheduleDate]));
    return 0;
}
