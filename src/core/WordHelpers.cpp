#include "core/WordHelpers.h"

#include <cstring>

wxString FormatDecimal(uint32_t word)
{
    return wxString::Format("%d", static_cast<int>(static_cast<int32_t>(word)));
}

wxString FormatTwoDecimals(uint32_t floatWord)
{
    return wxString::Format("%2.2f", static_cast<double>(WordToFloat(floatWord)));
}

uint32_t FloatToWord(float value)
{
    uint32_t word;
    std::memcpy(&word, &value, sizeof word);
    return word;
}

IpOctets SplitIpAddress(uint32_t word)
{
    IpOctets octets{};
    for (std::size_t j = 0; j < octets.size(); ++j)
        octets[j] = (word >> (8 * j)) & 0xFFu;
    return octets;
}

uint32_t JoinIpAddress(const IpOctets& octets)
{
    uint32_t word = 0;
    for (std::size_t j = 0; j < octets.size(); ++j)
        word |= (octets[j] & 0xFFu) << (8 * j);
    return word;
}

wxString FormatIpAddress(uint32_t word)
{
    const IpOctets octets = SplitIpAddress(word);
    wxString text;
    text << octets[0] << "." << octets[1] << "." << octets[2] << "." << octets[3];
    return text;
}

wxDateTime::Month WordMonthToMonth(uint32_t monthByte)
{
    if (monthByte >= 1 && monthByte <= 12)
        return static_cast<wxDateTime::Month>(monthByte - 1);
    return wxDateTime::Inv_Month;
}

uint32_t MonthToWordMonth(wxDateTime::Month month)
{
    if (month >= wxDateTime::Jan && month <= wxDateTime::Dec)
        return static_cast<uint32_t>(month) + 1;
    return 0;
}

namespace {

struct DateFields {
    wxDateTime::wxDateTime_t day;
    wxDateTime::Month month;
    int year;
};

struct TimeFields {
    wxDateTime::wxDateTime_t hour, minute, second;
};

// True when the date word names a real day. wxDateTime::Set asserts on an
// invalid month or a day beyond the month's length, so we check first.
bool SplitDate(uint32_t dateWord, DateFields& out)
{
    const wxDateTime::Month month = WordMonthToMonth(dateWord & 0xFFu);
    const unsigned day = (dateWord >> 8) & 0xFFu;
    const int year = static_cast<int>(dateWord >> 16);
    if (month == wxDateTime::Inv_Month || day == 0)
        return false;
    if (day > wxDateTime::GetNumberOfDays(month, year))
        return false;
    out = {static_cast<wxDateTime::wxDateTime_t>(day), month, year};
    return true;
}

bool SplitTime(uint32_t timeWord, TimeFields& out)
{
    const unsigned hour = timeWord & 0xFFu;
    const unsigned minute = (timeWord >> 8) & 0xFFu;
    const unsigned second = (timeWord >> 16) & 0xFFu;
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    out = {static_cast<wxDateTime::wxDateTime_t>(hour), static_cast<wxDateTime::wxDateTime_t>(minute),
           static_cast<wxDateTime::wxDateTime_t>(second)};
    return true;
}

} // namespace

wxDateTime DecodePackedDate(uint32_t dateWord)
{
    DateFields d;
    if (!SplitDate(dateWord, d))
        return wxInvalidDateTime;
    return wxDateTime(d.day, d.month, d.year, 0, 0, 0, 0);
}

wxDateTime DecodePackedTime(uint32_t timeWord)
{
    TimeFields t;
    if (!SplitTime(timeWord, t))
        return wxInvalidDateTime;
    wxDateTime today = wxDateTime::Today();
    today.SetHour(t.hour).SetMinute(t.minute).SetSecond(t.second).SetMillisecond(0);
    return today;
}

wxDateTime DecodePackedDateTime(uint32_t dateWord, uint32_t timeWord)
{
    DateFields d;
    TimeFields t;
    if (!SplitDate(dateWord, d) || !SplitTime(timeWord, t))
        return wxInvalidDateTime;
    return wxDateTime(d.day, d.month, d.year, t.hour, t.minute, t.second, 0);
}

uint32_t EncodePackedDate(const wxDateTime& t)
{
    if (!t.IsValid())
        return 0;
    const wxDateTime::Tm tm = t.GetTm(wxDateTime::Local);
    const uint32_t month = MonthToWordMonth(tm.mon);
    const uint32_t day = tm.mday;
    const uint32_t year = static_cast<uint32_t>(tm.year) & 0xFFFFu;
    return month | day << 8 | year << 16;
}

wxString InvalidDateTimeText()
{
    return "(invalid)";
}

wxString FormatDateText(const wxDateTime& t)
{
    return t.IsValid() ? t.Format("%x") : InvalidDateTimeText();
}

wxString FormatTimeText(const wxDateTime& t)
{
    return t.IsValid() ? t.Format("%X") : InvalidDateTimeText();
}

wxDateTime WidestDateTimeSample()
{
    return wxDateTime(31, wxDateTime::Dec, 2012, 23, 59, 59);
}
