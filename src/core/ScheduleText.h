// Texts of the schedule page's list: one cell formatter for a (column, word)
// pair; column c shows word c of an entry.
#pragma once

#include <wx/string.h>

#include <cstdint>
#include <vector>

// The text of word `word` in column `column`:
//   1        the PackedDate, "%x" (InvalidDateTimeText() when it is no real date)
//   3        "%f" of the PH float
//   2, 4-21  unsigned decimal
//   anything else  empty (so column 0, the reserved word, stays blank)
wxString FormatScheduleCell(int column, uint32_t word);

// The widest texts column `column` shows for the entries the new-entry dialog
// makes (its fields take at most five characters for the targets and three
// for the ratios): "%x" of WidestDateTimeSample() and InvalidDateTimeText()
// for the date, 99999 as EC and PH, 999 as a ratio. Nothing for column 0.
std::vector<wxString> ScheduleColumnSampleTexts(int column);
