// A feed chart (a table of days or weeks with target EC, target PH and
// dosage ratios, as a nutrient maker publishes it or a grower keeps it) turned
// into schedule entries: which column holds what, guessed from the headers
// and changed by the user; the EC unit; day and week numbers counted from a
// start date; weeks stepped or ramped; and every problem with its line.
#pragma once

#include "core/CsvTable.h"
#include "core/NodeSchedule.h"

#include <wx/string.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// What a column of the chart may hold. The order is that of the entry's
// words from the date on; kFeedReserved carries word 0 through an export.
enum FeedRole : std::size_t {
    kFeedDay = 0,
    kFeedTargetEc = 1,
    kFeedTargetPh = 2,
    kFeedEcRatio = 3,      // 3..8, actuators 1..6
    kFeedPhUpRatio = 9,    // 9..14
    kFeedPhDownRatio = 15, // 15..20
    kFeedReserved = 21,
    kFeedRoleCount = 22,
};

enum class FeedDayKind { Date, DayNumber, WeekNumber };
enum class FeedEcUnit { MicroSiemens, MilliSiemens, Ppm500, Ppm700 };

struct FeedMapping {
    static constexpr int kNoColumn = -1;
    std::array<int, kFeedRoleCount> column; // the table column of each role, or kNoColumn
    bool header = true;                     // the first row names the columns
    FeedDayKind dayKind = FeedDayKind::Date;
    FeedEcUnit ecUnit = FeedEcUnit::MicroSiemens;
    uint32_t start = 0;  // PackedDate of the first day or week
    bool ramped = false; // weeks: targets move day by day to the next week's

    FeedMapping() { column.fill(kNoColumn); }
};

struct FeedProblem {
    std::size_t line = 0; // file line, from 1
    wxString column;      // the column's header (or "column N")
    wxString message;     // one sentence
};

struct FeedImport {
    NodeSchedule entries;
    std::vector<FeedProblem> problems; // in line order
};

// The role's name as the mapping dialog lists it ("Day", "Target EC", "EC
// Ratio 1", ... "Reserved").
wxString FeedRoleName(std::size_t role);
wxString FeedEcUnitName(FeedEcUnit unit); // "uS/cm", "mS/cm", "ppm (500 scale)", "ppm (700 scale)"

// Guesses the mapping from the first row: the day from "Date", "Day" or
// "Week" (also "Wk"); EC from "EC", "Target EC", "PPM" or "TDS" with its unit
// in the header ("uS", "mS", "500", "700"; ppm without a scale is the 500
// scale); PH from "PH" or "Target PH"; the ratios from "EC Ratio 1", "ECUP 1",
// "EC Up 1", "PH UP Ratio 1", "PHUP 1", "PH DOWN Ratio 1", "PHDO 1", "PH Down 1"
// and so on; "Reserved". Case, blanks and punctuation do not matter. When no
// header is recognised, the first row is data and nothing is mapped.
FeedMapping GuessFeedMapping(const CsvTable& table);

// The EC in microsiemens of a value in unit, rounded to a whole number.
double EcToMicroSiemens(double value, FeedEcUnit unit);

// Reads a number as a spreadsheet writes it: blanks around it, a decimal
// point, or a decimal comma when decimalComma. False for anything else.
bool ReadFeedNumber(const std::string& text, bool decimalComma, double& value);
// Reads a date as ISO (2024-03-01) or day.month.year (01.03.2024). The
// PackedDate, false when the text names no real date.
bool ReadFeedDate(const std::string& text, uint32_t& packedDate);

// The entries and problems of a chart read with a mapping. Entries are made
// in row order even when problems are found (for the preview); a caller adds
// them only when there are none.
FeedImport ExpandFeedChart(const CsvTable& table, const FeedMapping& mapping);

// "Line 4, "EC": "abc" is no number."
wxString FormatFeedProblem(const FeedProblem& problem);
