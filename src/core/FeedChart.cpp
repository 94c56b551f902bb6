#include "core/FeedChart.h"

#include "core/NodeConfig.h"
#include "core/ScheduleEdit.h"
#include "core/WordHelpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

namespace {

// Lower-case letters and digits only; "µ" counts as "u".
std::string Normalise(const std::string& header)
{
    std::string out;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const auto c = static_cast<unsigned char>(header[i]);
        if (c == 0xC2 && i + 1 < header.size() && static_cast<unsigned char>(header[i + 1]) == 0xB5) {
            out += 'u';
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A ratio header such as "ecratio3", "ecup3", "phupratio2", "phdo6".
std::optional<std::size_t> RatioRole(std::string name)
{
    const std::size_t ratio = name.find("ratio");
    if (ratio != std::string::npos)
        name.erase(ratio, 5);
    if (name.size() < 3 || name.back() < '1' || name.back() > '6')
        return std::nullopt;
    const auto actuator = static_cast<std::size_t>(name.back() - '1');
    name.pop_back();
    if (name == "ec" || name == "ecup")
        return kFeedEcRatio + actuator;
    if (name == "phup")
        return kFeedPhUpRatio + actuator;
    if (name == "phdown" || name == "phdo" || name == "phdn")
        return kFeedPhDownRatio + actuator;
    return std::nullopt;
}

// The role a header names, with what it says of the day kind and EC unit.
std::optional<std::size_t> HeaderRole(const std::string& name, FeedMapping& mapping)
{
    if (auto ratio = RatioRole(name))
        return ratio;
    if (StartsWith(name, "date")) {
        mapping.dayKind = FeedDayKind::Date;
        return kFeedDay;
    }
    if (StartsWith(name, "day")) {
        mapping.dayKind = FeedDayKind::DayNumber;
        return kFeedDay;
    }
    if (StartsWith(name, "week") || name == "wk") {
        mapping.dayKind = FeedDayKind::WeekNumber;
        return kFeedDay;
    }
    if (name == "ph" || name == "targetph" || name == "phtarget")
        return kFeedTargetPh;
    if (name == "reserved")
        return kFeedReserved;
    std::string ec = StartsWith(name, "target") ? name.substr(6) : name;
    if (!StartsWith(ec, "ec") && !StartsWith(ec, "ppm") && !StartsWith(ec, "tds"))
        return std::nullopt;
    if (Contains(ec, "ppm") || Contains(ec, "tds"))
        mapping.ecUnit = Contains(ec, "700") ? FeedEcUnit::Ppm700 : FeedEcUnit::Ppm500;
    else if (Contains(ec.substr(2), "ms"))
        mapping.ecUnit = FeedEcUnit::MilliSiemens;
    else
        mapping.ecUnit = FeedEcUnit::MicroSiemens;
    return kFeedTargetEc;
}

// Blanks trimmed, a decimal comma made a point, a leading plus dropped.
bool CleanNumber(const std::string& text, bool decimalComma, std::string& out)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return false;
    out = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (decimalComma)
        for (char& c : out)
            if (c == ',')
                c = '.';
    if (out[0] == '+')
        out.erase(0, 1);
    return !out.empty() &&
           (std::isdigit(static_cast<unsigned char>(out[0])) || out[0] == '-' || out[0] == '.');
}

bool ReadFeedFloat(const std::string& text, bool decimalComma, float& value)
{
    std::string clean;
    if (!CleanNumber(text, decimalComma, clean))
        return false;
    const std::from_chars_result r = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    return r.ec == std::errc() && r.ptr == clean.data() + clean.size() && std::isfinite(value);
}

struct RowValues {
    std::size_t line = 0;
    int64_t day = 0; // a day number, a week number or the days of a date
    double ec = 0;   // microsiemens
    float ph = 0;
    std::array<uint32_t, 18> ratios{};
    uint32_t reserved = 0;
};

struct Expander {
    const CsvTable& table;
    const FeedMapping& mapping;
    bool decimalComma = false;
    FeedImport result;
    bool overflow = false;

    wxString ColumnName(std::size_t role) const
    {
        const int column = mapping.column[role];
        if (mapping.header && !table.rows.empty() &&
            static_cast<std::size_t>(column) < table.rows[0].cells.size() &&
            !table.rows[0].cells[static_cast<std::size_t>(column)].empty())
            return wxString::FromUTF8(table.rows[0].cells[static_cast<std::size_t>(column)]);
        return wxString::Format("column %d", column + 1);
    }
    void Problem(std::size_t line, std::size_t role, const wxString& message)
    {
        result.problems.push_back({line, ColumnName(role), message});
    }
    static std::string Cell(const CsvRow& row, int column)
    {
        return column >= 0 && static_cast<std::size_t>(column) < row.cells.size()
                   ? row.cells[static_cast<std::size_t>(column)]
                   : std::string();
    }
    bool ReadDay(const CsvRow& row, RowValues& values);
    bool ReadTargets(const CsvRow& row, RowValues& values);
    bool ReadWholeNumbers(const CsvRow& row, RowValues& values);
    void Emit(const RowValues& from, const RowValues* next, int64_t firstDay);
    void AddEntry(const RowValues& values, int64_t day, double ec, float ph);
};

bool Expander::ReadDay(const CsvRow& row, RowValues& values)
{
    const std::string text = Cell(row, mapping.column[kFeedDay]);
    const wxString quoted = "\"" + wxString::FromUTF8(text) + "\"";
    if (mapping.dayKind == FeedDayKind::Date) {
        uint32_t date = 0;
        if (ReadFeedDate(text, date) && PackedDateToDays(date, values.day))
            return true;
        Problem(row.line, kFeedDay, text.empty() ? wxString("There is no date.") : quoted + " is no date.");
        return false;
    }
    double number = 0;
    const bool week = mapping.dayKind == FeedDayKind::WeekNumber;
    if (ReadFeedNumber(text, decimalComma, number) && number >= 0 && number <= 100000 &&
        number == std::floor(number)) {
        values.day = static_cast<int64_t>(number);
        return true;
    }
    Problem(row.line, kFeedDay,
            (text.empty() ? wxString("There is no ") : quoted + " is no ") +
                (week ? "week number." : "day number."));
    return false;
}

bool Expander::ReadTargets(const CsvRow& row, RowValues& values)
{
    bool ok = true;
    const std::string ecText = Cell(row, mapping.column[kFeedTargetEc]);
    double ec = 0;
    if (ecText.find_first_not_of(" \t") == std::string::npos) {
        values.ec = 0;
    } else if (!ReadFeedNumber(ecText, decimalComma, ec)) {
        Problem(row.line, kFeedTargetEc, "\"" + wxString::FromUTF8(ecText) + "\" is no number.");
        ok = false;
    } else {
        values.ec = EcToMicroSiemens(ec, mapping.ecUnit);
        if (values.ec < 0 || values.ec > 20000) {
            Problem(row.line, kFeedTargetEc,
                    wxString::Format("Target EC %.0f uS is outside 0 to 20000 uS.", values.ec));
            ok = false;
        }
    }
    const std::string phText = Cell(row, mapping.column[kFeedTargetPh]);
    if (phText.find_first_not_of(" \t") == std::string::npos) {
        values.ph = 0;
    } else if (!ReadFeedFloat(phText, decimalComma, values.ph)) {
        Problem(row.line, kFeedTargetPh, "\"" + wxString::FromUTF8(phText) + "\" is no number.");
        ok = false;
    } else if (!IsValidValue(48, FloatToWord(values.ph))) {
        Problem(row.line, kFeedTargetPh,
                "Target PH " + wxString::FromUTF8(FormatShortestFloat(values.ph)) +
                    " is outside 1 to 14 (or 0).");
        ok = false;
    }
    return ok;
}

bool Expander::ReadWholeNumbers(const CsvRow& row, RowValues& values)
{
    bool ok = true;
    for (std::size_t role = kFeedEcRatio; role <= kFeedReserved; ++role) {
        const std::string text = Cell(row, mapping.column[role]);
        if (text.find_first_not_of(" \t") == std::string::npos)
            continue; // an empty cell is 0
        double number = 0;
        if (!ReadFeedNumber(text, decimalComma, number) || number < 0 || number > 4294967295.0 ||
            number != std::floor(number)) {
            Problem(row.line, role, "\"" + wxString::FromUTF8(text) + "\" is no whole number.");
            ok = false;
            continue;
        }
        if (role == kFeedReserved)
            values.reserved = static_cast<uint32_t>(number);
        else
            values.ratios[role - kFeedEcRatio] = static_cast<uint32_t>(number);
    }
    return ok;
}

void Expander::AddEntry(const RowValues& values, int64_t day, double ec, float ph)
{
    if (result.entries.size() >= kScheduleFileMaxEntries) {
        overflow = true;
        return;
    }
    ScheduleEntry entry;
    entry.reserved() = values.reserved;
    if (!DaysToPackedDate(day, entry.date())) {
        Problem(values.line, kFeedDay, "The day falls outside the years 0 to 65535.");
        return;
    }
    entry.targetEc() = static_cast<uint32_t>(std::lround(ec));
    entry.targetPh() = FloatToWord(ph);
    for (std::size_t k = 0; k < values.ratios.size(); ++k)
        entry[kScheduleEcRatio + k] = values.ratios[k];
    result.entries.push_back(entry);
}

void Expander::Emit(const RowValues& from, const RowValues* next, int64_t firstDay)
{
    int64_t start = 0;
    PackedDateToDays(mapping.start, start);
    if (mapping.dayKind == FeedDayKind::Date) {
        AddEntry(from, from.day, from.ec, from.ph);
    } else if (mapping.dayKind == FeedDayKind::DayNumber) {
        AddEntry(from, start + (from.day - firstDay), from.ec, from.ph);
    } else {
        const bool ramp = mapping.ramped && next && next->day == from.day + 1;
        for (int d = 0; d < 7; ++d) {
            double ec = from.ec;
            float ph = from.ph;
            if (ramp) {
                ec += (next->ec - from.ec) * d / 7.0;
                const double p = from.ph + (static_cast<double>(next->ph) - from.ph) * d / 7.0;
                ph = static_cast<float>(std::round(p * 100.0) / 100.0);
            }
            AddEntry(from, start + 7 * (from.day - firstDay) + d, ec, ph);
        }
    }
}

} // namespace

wxString FeedRoleName(std::size_t role)
{
    if (role == kFeedDay)
        return "Day";
    if (role == kFeedTargetEc)
        return "Target EC";
    if (role == kFeedTargetPh)
        return "Target PH";
    if (role == kFeedReserved)
        return "Reserved";
    if (role >= kFeedEcRatio && role < kFeedPhUpRatio)
        return wxString::Format("EC Ratio %zu", role - kFeedEcRatio + 1);
    if (role >= kFeedPhUpRatio && role < kFeedPhDownRatio)
        return wxString::Format("PH UP Ratio %zu", role - kFeedPhUpRatio + 1);
    if (role >= kFeedPhDownRatio && role < kFeedReserved)
        return wxString::Format("PH DOWN Ratio %zu", role - kFeedPhDownRatio + 1);
    return wxString();
}

wxString FeedEcUnitName(FeedEcUnit unit)
{
    switch (unit) {
    case FeedEcUnit::MilliSiemens:
        return "mS/cm";
    case FeedEcUnit::Ppm500:
        return "ppm (500 scale)";
    case FeedEcUnit::Ppm700:
        return "ppm (700 scale)";
    case FeedEcUnit::MicroSiemens:
        break;
    }
    return "uS/cm";
}

FeedMapping GuessFeedMapping(const CsvTable& table)
{
    FeedMapping mapping;
    if (table.rows.empty())
        return mapping;
    const std::vector<std::string>& header = table.rows[0].cells;
    for (std::size_t c = 0; c < header.size(); ++c) {
        FeedMapping said = mapping; // the kind and unit this header speaks of
        const std::optional<std::size_t> role = HeaderRole(Normalise(header[c]), said);
        if (!role || mapping.column[*role] != FeedMapping::kNoColumn)
            continue;
        mapping.column[*role] = static_cast<int>(c);
        mapping.dayKind = said.dayKind;
        mapping.ecUnit = said.ecUnit;
    }
    mapping.header = false;
    for (int column : mapping.column)
        mapping.header = mapping.header || column != FeedMapping::kNoColumn;
    return mapping;
}

double EcToMicroSiemens(double value, FeedEcUnit unit)
{
    switch (unit) {
    case FeedEcUnit::MilliSiemens:
        return std::round(value * 1000.0);
    case FeedEcUnit::Ppm500:
        return std::round(value * 2.0);
    case FeedEcUnit::Ppm700:
        return std::round(value * 10.0 / 7.0);
    case FeedEcUnit::MicroSiemens:
        break;
    }
    return std::round(value);
}

bool ReadFeedNumber(const std::string& text, bool decimalComma, double& value)
{
    std::string clean;
    if (!CleanNumber(text, decimalComma, clean))
        return false;
    const std::from_chars_result r = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    return r.ec == std::errc() && r.ptr == clean.data() + clean.size() && std::isfinite(value);
}

bool ReadFeedDate(const std::string& text, uint32_t& packedDate)
{
    unsigned a = 0, b = 0, c = 0;
    char tail = 0;
    unsigned year = 0, month = 0, day = 0;
    if (std::sscanf(text.c_str(), " %4u-%2u-%2u %c", &a, &b, &c, &tail) == 3) {
        year = a, month = b, day = c;
    } else if (std::sscanf(text.c_str(), " %2u.%2u.%4u %c", &a, &b, &c, &tail) == 3) {
        day = a, month = b, year = c;
    } else {
        return false;
    }
    const uint32_t word = (year << 16) | (day << 8) | month;
    int64_t days = 0;
    if (!PackedDateToDays(word, days))
        return false;
    packedDate = word;
    return true;
}

FeedImport ExpandFeedChart(const CsvTable& table, const FeedMapping& mapping)
{
    Expander expander{table, mapping, table.separator == ';', {}, false};
    if (mapping.column[kFeedDay] == FeedMapping::kNoColumn) {
        expander.result.problems.push_back({0, "Day", "No column is chosen as the day."});
        return expander.result;
    }
    int64_t startDay = 0;
    if (mapping.dayKind != FeedDayKind::Date && !PackedDateToDays(mapping.start, startDay)) {
        expander.result.problems.push_back({0, "Day", "No start date is chosen."});
        return expander.result;
    }
    std::vector<RowValues> rows;
    std::map<int64_t, std::size_t> numbered; // day or week number -> its line
    for (std::size_t r = mapping.header ? 1 : 0; r < table.rows.size(); ++r) {
        const CsvRow& row = table.rows[r];
        RowValues values;
        values.line = row.line;
        const bool dayRead = expander.ReadDay(row, values);
        bool ok = expander.ReadTargets(row, values) && dayRead;
        ok = expander.ReadWholeNumbers(row, values) && ok;
        if (dayRead && mapping.dayKind != FeedDayKind::Date) {
            const auto [at, fresh] = numbered.emplace(values.day, row.line);
            if (!fresh) {
                expander.Problem(row.line, kFeedDay,
                                 wxString::Format("%s %lld appears again (first on line %zu).",
                                                  mapping.dayKind == FeedDayKind::WeekNumber ? "Week" : "Day",
                                                  static_cast<long long>(values.day), at->second));
                ok = false;
            }
        }
        if (ok)
            rows.push_back(values);
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        expander.Emit(rows[i], i + 1 < rows.size() ? &rows[i + 1] : nullptr, rows[0].day);
    if (expander.overflow)
        expander.result.problems.push_back(
            {0, "Day", wxString::Format("The chart makes more than %zu entries.", kScheduleFileMaxEntries)});
    std::stable_sort(expander.result.problems.begin(), expander.result.problems.end(),
                     [](const FeedProblem& a, const FeedProblem& b) { return a.line < b.line; });
    return expander.result;
}

wxString FormatFeedProblem(const FeedProblem& problem)
{
    const wxString where = problem.line ? wxString::Format("Line %zu, ", problem.line) : wxString();
    return where + "\"" + problem.column + "\": " + problem.message;
}
