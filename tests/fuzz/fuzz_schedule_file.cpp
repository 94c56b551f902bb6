// The schedule file: any bytes are either refused as a whole or read as
// whole entries in file order, and written back byte for byte; no date word
// raises a wx assertion when shown.
#include "core/NodeSchedule.h"
#include "core/WordHelpers.h"

#include "harness.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ScheduleFileStatus status;
    const NodeSchedule table = ReadScheduleFile(WriteScratchFile(data, size), status);
    if (size % kScheduleEntrySize != 0) {
        FuzzCheck(status == ScheduleFileStatus::BadLength && table.empty(), "bad length refused");
        return 0;
    }
    if (size / kScheduleEntrySize > kScheduleFileMaxEntries) {
        FuzzCheck(status == ScheduleFileStatus::TooLarge && table.empty(), "oversized file refused");
        return 0;
    }
    FuzzCheck(status == ScheduleFileStatus::Loaded, "whole entries load");
    FuzzCheck(table.size() == size / kScheduleEntrySize, "count is what the file holds");
    const std::vector<unsigned char> back = EncodeScheduleFile(table);
    FuzzCheck(back.size() == size && (size == 0 || std::memcmp(back.data(), data, size) == 0),
              "written back byte for byte");
    for (const ScheduleEntry& entry : table)
        (void)FormatDateText(DecodePackedDate(entry[kScheduleDate]));
    return 0;
}
