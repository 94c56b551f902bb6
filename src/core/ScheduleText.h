// Texts of the schedule page's list: one cell formatter for a (column, word)
// pair; column c shows word c of an entry.
#pragma once

#include <wx/string.h>

#include <cstdint>

// The text of word `word` in column `column`:
//   1        the PackedDate, "%x" (InvalidDateTimeText() when it is no real date)
//   3        "%f" of the PH float
//   2, 4-21  unsigned decimal
//   anything else  empty (so column 0, the reserved word, stays blank)
wxString FormatScheduleCell(int column, uint32_t word);
