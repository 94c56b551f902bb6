// The records a chart of a node log spans, and what the chart view says of
// the others. A damaged record at an end of the log (power lost while the
// controller wrote it, most often the last one) must not hide the readings
// of every good record: the span runs from the first to the last record
// with a real date and time, and the records before and after it are left
// out and counted. Pure: no window.
#pragma once

#include "core/NodeLog.h"

#include <wx/string.h>

#include <cstdint>

class LogSeries;

struct LogSpan {
    uint32_t begin = 0;              // the first record with a real date and time
    uint32_t end = 0;                // one past the last such record; begin == end: none has one
    int64_t firstMs = 0, lastMs = 0; // their times, ms since the epoch (0 when none)

    bool Empty() const { return begin == end; }
};

// Looks from each end of the log for a record with a real date and time;
// records in between are not looked at (one that has none stops the plot
// there, as any other record outside the span).
LogSpan FindLogSpan(const LogRecord* records, uint32_t count);

// The note a chart of the filled series shows under its title; empty when
// every record is plotted. Names a record (by its number in the file, from
// 1) only when the plot stopped at it; counts the records left out at the
// ends, as in "1 record has no valid date or time and is not plotted";
// says when some channel found no memory to be charted (lackedMemory).
wxString LogChartNote(const LogSeries& series, bool lackedMemory = false);

// The dates of the log's span for a window title: "06/01/21 - 06/03/21",
// one date when both are the same day, empty when no record has a real
// date and time.
wxString LogSpanDates(const LogRecord* records, uint32_t count);
