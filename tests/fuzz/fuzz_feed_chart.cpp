// Feed charts: any bytes are either refused with a reason and no rows, or
// read as rows within the limits; the guessed mapping expands without a wx
// assertion, and every entry made carries a real date.
#include "core/CsvTable.h"
#include "core/FeedChart.h"
#include "core/ScheduleEdit.h"

#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LoadResult<CsvTable> read = ParseCsvTable(reinterpret_cast<const char*>(data), size);
    if (!read.Loaded()) {
        FuzzCheck(read.value.rows.empty() && !read.reason.empty(), "a refusal has a reason and no rows");
        return 0;
    }
    std::size_t line = 0;
    for (const CsvRow& row : read.value.rows) {
        FuzzCheck(row.cells.size() <= kCsvMaxColumns, "columns within the limit");
        FuzzCheck(row.line > line, "lines increase");
        line = row.line;
    }
    FeedMapping mapping = GuessFeedMapping(read.value);
    mapping.start = (2024u << 16) | (1u << 8) | 1u;
    for (bool ramped : {false, true}) {
        mapping.ramped = ramped;
        const FeedImport import = ExpandFeedChart(read.value, mapping);
        FuzzCheck(import.entries.size() <= kScheduleFileMaxEntries, "entries within the limit");
        for (const ScheduleEntry& entry : import.entries) {
            int64_t days = 0;
            FuzzCheck(PackedDateToDays(entry[kScheduleDate], days), "every entry has a real date");
        }
        for (const FeedProblem& problem : import.problems)
            (void)FormatFeedProblem(problem);
    }
    return 0;
}
