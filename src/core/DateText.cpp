#include "core/DateText.h"

#include <array>
#include <vector>

namespace {

enum class Field { Day, Month, Year };

// A short form taken apart: the three fields in order and the literal text
// before, between and after them.
struct ShortForm {
    bool usable = false;
    std::array<Field, 3> order{};
    std::array<wxString, 4> literals; // before the first field, between, after the last
    wxString separators;              // every literal character
};

bool IsAsciiDigit(wxUniChar c)
{
    return c >= '0' && c <= '9';
}

ShortForm Analyse(wxString format)
{
    format.Replace("%D", "%m/%d/%y");
    format.Replace("%F", "%Y-%m-%d");
    ShortForm form;
    int fields = 0;
    bool seen[3] = {false, false, false};
    for (std::size_t i = 0; i < format.length(); ++i) {
        const wxUniChar c = format[i];
        if (c != '%') {
            form.literals[static_cast<std::size_t>(fields)] += c;
            continue;
        }
        // glibc's padding flags and E/O modifiers ("%-d", "%Ey") change nothing we read.
        std::size_t j = i + 1;
        while (j < format.length() && wxString("-_0^#EO").Find(format[j]) != wxNOT_FOUND)
            ++j;
        if (j >= format.length())
            return ShortForm{};
        i = j;
        Field field;
        switch (format[j].GetValue()) {
        case 'd':
        case 'e':
            field = Field::Day;
            break;
        case 'm':
            field = Field::Month;
            break;
        case 'y':
        case 'Y':
            field = Field::Year;
            break;
        case '%':
            form.literals[static_cast<std::size_t>(fields)] += '%';
            continue;
        default:
            return ShortForm{}; // month names, weekdays, ...: not a numeric form
        }
        const auto index = static_cast<std::size_t>(field);
        if (seen[index] || fields == 3)
            return ShortForm{};
        seen[index] = true;
        form.order[static_cast<std::size_t>(fields)] = field;
        ++fields;
    }
    if (fields != 3 || form.literals[1].empty() || form.literals[2].empty())
        return ShortForm{}; // fields must be told apart by something
    for (const wxString& literal : form.literals)
        form.separators += literal;
    form.usable = true;
    return form;
}

// Runs of ASCII digits and runs of anything else, in text order.
struct Run {
    bool digits;
    wxString text;
};

std::vector<Run> SplitRuns(const wxString& text)
{
    std::vector<Run> runs;
    for (const wxUniChar c : text) {
        const bool digit = IsAsciiDigit(c);
        if (runs.empty() || runs.back().digits != digit)
            runs.push_back(Run{digit, wxString()});
        runs.back().text += c;
    }
    return runs;
}

unsigned long DigitsValue(const wxString& digits)
{
    unsigned long value = 0;
    for (const wxUniChar c : digits)
        value = value * 10 + (c.GetValue() - '0');
    return value;
}

bool AllIn(const wxString& text, const wxString& allowed)
{
    for (const wxUniChar c : text)
        if (allowed.Find(c) == wxNOT_FOUND)
            return false;
    return true;
}

// The date of three digit runs, or wxInvalidDateTime when they name no day.
wxDateTime MakeDate(const wxString& dayText, const wxString& monthText, const wxString& yearText)
{
    if (dayText.length() > 2 || monthText.length() > 2)
        return wxInvalidDateTime;
    int year;
    if (yearText.length() == 2)
        year = 2000 + static_cast<int>(DigitsValue(yearText));
    else if (yearText.length() == 4)
        year = static_cast<int>(DigitsValue(yearText));
    else
        return wxInvalidDateTime;
    const unsigned long month = DigitsValue(monthText);
    const unsigned long day = DigitsValue(dayText);
    if (year < 1000 || month < 1 || month > 12 || day < 1)
        return wxInvalidDateTime;
    const auto wxMonth = static_cast<wxDateTime::Month>(month - 1);
    if (day > wxDateTime::GetNumberOfDays(wxMonth, year))
        return wxInvalidDateTime;
    return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), wxMonth, year, 0, 0, 0, 0);
}

wxDateTime ParseIso(const std::vector<Run>& runs)
{
    if (runs.size() != 5 || runs[0].text.length() != 4 || runs[1].text != "-" || runs[3].text != "-")
        return wxInvalidDateTime;
    if (!runs[0].digits || !runs[2].digits || !runs[4].digits)
        return wxInvalidDateTime;
    return MakeDate(runs[4].text, runs[2].text, runs[0].text);
}

} // namespace

wxString UserShortDateFormat()
{
    // Day, month and both year forms all differ, so each number in the text
    // names its field.
    const wxString probe = wxDateTime(22, wxDateTime::Nov, 2033, 12, 0, 0, 0).Format("%x");
    wxString format;
    int fields = 0;
    for (const Run& run : SplitRuns(probe)) {
        if (!run.digits) {
            wxString literal = run.text;
            literal.Replace("%", "%%");
            format += literal;
            continue;
        }
        if (run.text == "22")
            format += "%d";
        else if (run.text == "11")
            format += "%m";
        else if (run.text == "2033")
            format += "%Y";
        else if (run.text == "33")
            format += "%y";
        else
            return "%Y-%m-%d";
        ++fields;
    }
    if (fields != 3 || !Analyse(format).usable)
        return "%Y-%m-%d";
    return format;
}

wxDateTime ParseUserDateText(const wxString& text, const wxString& shortFormat)
{
    wxString trimmed = text;
    trimmed.Trim(true).Trim(false);
    const std::vector<Run> runs = SplitRuns(trimmed);

    const wxDateTime iso = ParseIso(runs);
    if (iso.IsValid())
        return iso;

    const ShortForm form = Analyse(shortFormat);
    if (!form.usable)
        return wxInvalidDateTime;
    std::size_t first = 0;
    std::size_t end = runs.size();
    // Text before the first or after the last number only where the form has
    // some there ("2012. 12. 30." in a form ending in a dot).
    if (first < end && !runs[first].digits && !form.literals[0].empty())
        ++first;
    if (end > first && !runs[end - 1].digits && !form.literals[3].empty())
        --end;
    if (end - first != 5)
        return wxInvalidDateTime;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const bool inside = k >= first && k < end;
        const bool wantDigits = inside && (k - first) % 2 == 0;
        if (runs[k].digits != wantDigits)
            return wxInvalidDateTime;
        if (!wantDigits && !AllIn(runs[k].text, form.separators))
            return wxInvalidDateTime;
    }
    std::array<wxString, 3> values;
    for (std::size_t f = 0; f < 3; ++f)
        values[static_cast<std::size_t>(form.order[f])] = runs[first + 2 * f].text;
    return MakeDate(values[static_cast<std::size_t>(Field::Day)],
                    values[static_cast<std::size_t>(Field::Month)],
                    values[static_cast<std::size_t>(Field::Year)]);
}

wxString FormatUserDateText(const wxDateTime& t, const wxString& shortFormat)
{
    if (!t.IsValid())
        return wxString();
    const wxDateTime::Tm tm = t.GetTm(wxDateTime::Local);
    const wxString day = wxString::Format("%02u", static_cast<unsigned>(tm.mday));
    const wxString month = wxString::Format("%02u", static_cast<unsigned>(tm.mon) + 1);
    const wxString year = wxString::Format("%04d", tm.year);
    const ShortForm form = Analyse(shortFormat);
    if (!form.usable)
        return year + "-" + month + "-" + day;
    wxString text = form.literals[0];
    for (std::size_t f = 0; f < 3; ++f) {
        const Field field = form.order[f];
        text += field == Field::Day ? day : field == Field::Month ? month : year;
        text += form.literals[f + 1];
    }
    return text;
}
