// Texts of the log page's list: one cell formatter for a (status item, word)
// pair, and the fifteen columns it is called for.
#pragma once

#include "core/NodeLog.h"

#include <wx/string.h>

#include <cstdint>
#include <vector>

constexpr unsigned kLogColumnCount = 15;

struct LogColumn {
    const char* header;
    int width;     // pixels at the default font
    unsigned item; // status item (record word) shown in the column
};

// Date, Time, Core, EC1, EC2, PH1, PH2, TE1, TE2, AC1 .. AC6.
const LogColumn& GetLogColumn(unsigned column);

// The text of status item `item` holding `word`:
//   11, 12, 21-30  unsigned decimal
//   13, 14         "%f" of the PH value when 1 < value < 14, otherwise "0.000000"
//   15, 16         "%f" of the float value
//   31             the PackedDate, "%x" (InvalidDateTimeText() when it is no real date)
//   32             the PackedTime, "%X" (InvalidDateTimeText() when it is no real time)
//   anything else  empty (so the "Core" column, item 5, stays empty)
wxString FormatLogCell(unsigned item, uint32_t word);

// The text of one list cell: FormatLogCell of the column's item in record r.
inline wxString LogCellText(const LogRecord& r, unsigned column)
{
    const unsigned item = GetLogColumn(column).item;
    return FormatLogCell(item, r[item]);
}

// The widest texts a column's cells show, for making the column as wide:
// "%x" and "%X" of WidestDateTimeSample() and InvalidDateTimeText() for Date
// and Time; the largest 32-bit count for EC and AC; a PH just under 14; for
// TE readings below zero and above 100. Nothing for Core, which stays empty.
std::vector<wxString> LogColumnSampleTexts(unsigned column);
