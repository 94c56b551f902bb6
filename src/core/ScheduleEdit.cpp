#include "core/ScheduleEdit.h"

#include "core/NodeConfig.h"
#include "core/ParameterTable.h"
#include "core/WordHelpers.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>

namespace {

constexpr int64_t kLastYear = 65535;

// Days from 1 January of year 0 to the given civil date (proleptic
// Gregorian), after H. Hinnant's days_from_civil shifted to year 0.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 60; // 0000-03-01 is day 60
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d)
{
    z += 60;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0);
}

bool IsLeap(int64_t y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

unsigned DaysInMonth(int64_t y, unsigned m)
{
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

template <typename T> wxString ExampleList(const std::vector<T>& items, wxString (*text)(T))
{
    wxString list;
    for (std::size_t i = 0; i < items.size() && i < 3; ++i)
        list += (i ? ", " : "") + text(items[i]);
    if (items.size() > 3)
        list += ", ...";
    return list;
}

wxString RowText(std::size_t row)
{
    return wxString::Format("%zu", row + 1);
}

wxString DateText(uint32_t date)
{
    return FormatIsoDate(date);
}

} // namespace

bool PackedDateToDays(uint32_t packedDate, int64_t& days)
{
    const unsigned m = packedDate & 0xFFu;
    const unsigned d = (packedDate >> 8) & 0xFFu;
    const int64_t y = packedDate >> 16;
    if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m))
        return false;
    days = DaysFromCivil(y, m, d);
    return true;
}

bool DaysToPackedDate(int64_t days, uint32_t& packedDate)
{
    if (days < 0 || days > DaysFromCivil(kLastYear, 12, 31))
        return false;
    int64_t y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(days, y, m, d);
    packedDate = (static_cast<uint32_t>(y) << 16) | (d << 8) | m;
    return true;
}

bool AddDaysToPackedDate(uint32_t packedDate, int64_t days, uint32_t& shifted)
{
    int64_t from = 0;
    return PackedDateToDays(packedDate, from) && DaysToPackedDate(from + days, shifted);
}

ShiftOutcome ShiftScheduleDates(NodeSchedule& schedule, const std::vector<std::size_t>& rows, int64_t days)
{
    std::vector<std::size_t> chosen = rows;
    if (chosen.empty())
        for (std::size_t i = 0; i < schedule.size(); ++i)
            chosen.push_back(i);
    std::vector<uint32_t> dates(chosen.size());
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        const std::size_t row = chosen[k];
        int64_t from = 0;
        if (row >= schedule.size() || !PackedDateToDays(schedule[row].date(), from))
            return {false, row, true};
        if (!DaysToPackedDate(from + days, dates[k]))
            return {false, row, false};
    }
    for (std::size_t k = 0; k < chosen.size(); ++k)
        schedule[chosen[k]].date() = dates[k];
    return {true, 0, false};
}

ScheduleChecks CheckSchedule(const NodeSchedule& schedule)
{
    ScheduleChecks checks;
    std::map<int64_t, std::size_t> seen; // day -> times seen
    for (std::size_t row = 0; row < schedule.size(); ++row) {
        const ScheduleEntry& entry = schedule[row];
        int64_t day = 0;
        if (!PackedDateToDays(entry[kScheduleDate], day))
            checks.notADate.push_back(row);
        else if (++seen[day] == 2)
            checks.repeatedDates.push_back(entry[kScheduleDate]);
        if (!IsValidValue(46, entry[kScheduleTargetEc]) || !IsValidValue(48, entry[kScheduleTargetPh]))
            checks.outOfRange.push_back(row);
        bool anyRatio = false;
        for (std::size_t w = kScheduleEcRatio; w < kScheduleEntryWords; ++w)
            anyRatio = anyRatio || entry[w] != 0;
        if (!anyRatio)
            checks.withoutRatio.push_back(row);
    }
    if (!seen.empty()) {
        const int64_t span = seen.rbegin()->first - seen.begin()->first + 1;
        checks.missingDays = static_cast<std::size_t>(span) - seen.size();
    }
    return checks;
}

wxString DescribeScheduleChecks(const ScheduleChecks& checks)
{
    wxArrayString parts;
    if (!checks.repeatedDates.empty())
        parts.push_back(
            wxString::Format("%zu %s twice (the controller uses the first): ", checks.repeatedDates.size(),
                             checks.repeatedDates.size() == 1 ? "date appears" : "dates appear") +
            ExampleList(checks.repeatedDates, DateText));
    if (checks.missingDays != 0)
        parts.push_back(
            wxString::Format("%zu %s missing", checks.missingDays, checks.missingDays == 1 ? "day" : "days"));
    if (!checks.outOfRange.empty())
        parts.push_back("targets outside the profile's ranges in row " +
                        ExampleList(checks.outOfRange, RowText));
    if (!checks.withoutRatio.empty())
        parts.push_back("no ratios in row " + ExampleList(checks.withoutRatio, RowText));
    if (!checks.notADate.empty())
        parts.push_back("no real date in row " + ExampleList(checks.notADate, RowText));
    if (parts.empty())
        return "No problems found.";
    wxString line;
    for (const wxString& part : parts)
        line += (line.empty() ? "" : "; ") + part;
    return line + ".";
}

std::string FormatIsoDate(uint32_t packedDate)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", packedDate >> 16, packedDate & 0xFFu,
                  (packedDate >> 8) & 0xFFu);
    return text;
}

std::string FormatShortestFloat(float value)
{
    char text[64];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string ExportScheduleCsv(const NodeSchedule& schedule)
{
    const bool reserved = std::any_of(schedule.begin(), schedule.end(),
                                      [](const ScheduleEntry& e) { return e[kScheduleReserved] != 0; });
    ScheduleColumnLabels labels;
    FillScheduleColumnLabels(labels);
    std::string out;
    out.reserve(80 * (schedule.size() + 1));
    for (int c = 1; c < kScheduleColumnCount; ++c)
        out += (c > 1 ? "," : "") + labels[static_cast<std::size_t>(c)].ToStdString();
    out += reserved ? ",Reserved\r\n" : "\r\n";
    for (const ScheduleEntry& entry : schedule) {
        out += FormatIsoDate(entry[kScheduleDate]);
        out += ',' + std::to_string(entry[kScheduleTargetEc]);
        out += ',' + FormatShortestFloat(WordToFloat(entry[kScheduleTargetPh]));
        for (std::size_t w = kScheduleEcRatio; w < kScheduleEntryWords; ++w)
            out += ',' + std::to_string(entry[w]);
        if (reserved)
            out += ',' + std::to_string(entry[kScheduleReserved]);
        out += "\r\n";
    }
    return out;
}
