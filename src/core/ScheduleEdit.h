// Changes and checks of a whole schedule that the page offers beyond its
// buttons: calendar arithmetic on PackedDates, shifting dates, the checks a
// grower needs (dates twice, days missing, targets the profile refuses,
// entries without ratios) and the CSV export of the entries.
#pragma once

#include "core/NodeSchedule.h"

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Days since 1 January of year 0 (proleptic Gregorian) of a PackedDate;
// false when the word names no real day.
bool PackedDateToDays(uint32_t packedDate, int64_t& days);
// The PackedDate of a day number; false when its year is outside 0 to 65535,
// the years a PackedDate holds.
bool DaysToPackedDate(int64_t days, uint32_t& packedDate);
// date + days; false when either end is no PackedDate.
bool AddDaysToPackedDate(uint32_t packedDate, int64_t days, uint32_t& shifted);

struct ShiftOutcome {
    bool shifted = false;
    std::size_t failedRow = 0; // when not shifted: the first row that cannot move
    bool notADate = false;     // that row's date is no real day (rather than leaving the range)
};
// Moves the dates of the given rows (all rows when rows is empty) by days.
// All or nothing: on failure the schedule is unchanged.
ShiftOutcome ShiftScheduleDates(NodeSchedule& schedule, const std::vector<std::size_t>& rows, int64_t days);

struct ScheduleChecks {
    std::vector<uint32_t> repeatedDates;   // each date found more than once, in the order first seen
    std::size_t missingDays = 0;           // days between the first and last date with no entry
    std::vector<std::size_t> outOfRange;   // rows whose target EC or PH the profile refuses
    std::vector<std::size_t> withoutRatio; // rows whose 18 ratios are all 0
    std::vector<std::size_t> notADate;     // rows whose date is no real day
};
ScheduleChecks CheckSchedule(const NodeSchedule& schedule);
// One line for the page: "No problems found." or the findings, each with up
// to three examples (rows counted from 1), such as
// "2 dates appear twice (the controller uses the first): 2024-03-01, ...; 3 days missing".
wxString DescribeScheduleChecks(const ScheduleChecks& checks);

// "2024-03-01"; the fields as numbers even when they name no real day.
std::string FormatIsoDate(uint32_t packedDate);
// The shortest text that reads back as the same single (6.5, 5.8).
std::string FormatShortestFloat(float value);

// The entries as CSV: a header row of the page's column titles ("Date", "EC",
// "PH", "EC Ratio 1" ... "PH DOWN Ratio 6", and "Reserved" when any entry's
// reserved word is not 0), then one row per entry: ISO dates, values as
// stored. Lines end with CRLF, as RFC 4180 has it.
std::string ExportScheduleCsv(const NodeSchedule& schedule);
