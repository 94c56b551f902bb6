// Turning the controller's 32-bit words into display text and date-times, and
// calendar dates back into words.
//
// Every record the controller writes is a sequence of little-endian 32-bit
// words. These helpers are pure: they never fail, never assert and never hand
// an out-of-range field to wxDateTime (which would raise a wx assertion, a
// modal dialog in the GUI). A date or time word whose fields do not form a
// real date or time decodes to wxInvalidDateTime, and every place that shows
// such a value shows InvalidDateTimeText().
#pragma once

#include <wx/datetime.h>
#include <wx/string.h>

#include <array>
#include <cstdint>
#include <cstring>

// Decimal text of the word read as a signed 32-bit integer ("%d").
wxString FormatDecimal(uint32_t word);

// The single-precision value in the word widened to double, "%2.2f".
wxString FormatTwoDecimals(uint32_t floatWord);

// Inline: the chart and the summary read a year of words through it.
inline float WordToFloat(uint32_t word)
{
    float value;
    static_assert(sizeof value == sizeof word, "float must be 32 bits");
    std::memcpy(&value, &word, sizeof value);
    return value;
}
uint32_t FloatToWord(float value);

// An IPv4 address word: byte 0 (least significant) is the first octet.
using IpOctets = std::array<uint32_t, 4>;
// The four octets of the word, first octet first, each 0..255.
IpOctets SplitIpAddress(uint32_t word);
// The word of four octets, first octet first; only the low 8 bits of each
// octet count (300 is stored as 44).
uint32_t JoinIpAddress(const IpOctets& octets);

// Dotted IPv4 text of SplitIpAddress(word).
wxString FormatIpAddress(uint32_t word);

// Month byte 1..12 to wxDateTime::Jan..Dec; anything else gives Inv_Month.
wxDateTime::Month WordMonthToMonth(uint32_t monthByte);
// wxDateTime::Jan..Dec to 1..12; anything else gives 0.
uint32_t MonthToWordMonth(wxDateTime::Month month);

// PackedDate: bits 0-7 month, 8-15 day, 16-31 year. Local midnight of that day.
wxDateTime DecodePackedDate(uint32_t dateWord);
// PackedTime: bits 0-7 hour, 8-15 minute, 16-23 second (24-31 ignored). Today, local.
wxDateTime DecodePackedTime(uint32_t timeWord);
// Both words into one local date-time.
wxDateTime DecodePackedDateTime(uint32_t dateWord, uint32_t timeWord);
// The local calendar date of t as a PackedDate; the time of day is dropped.
// An invalid t gives 0 (which decodes as invalid again).
uint32_t EncodePackedDate(const wxDateTime& t);

// The one text the program shows for a date or time it cannot decode.
wxString InvalidDateTimeText();
// "%x" of a valid date-time, InvalidDateTimeText() otherwise.
wxString FormatDateText(const wxDateTime& t);
// "%X" of a valid date-time, InvalidDateTimeText() otherwise.
wxString FormatTimeText(const wxDateTime& t);
// 31 December 2012 23:59:59, local: two-digit day and month, a time in the
// afternoon and the last second of the day, so that its "%x" and "%X" are as
// long as a date and a time get in the user's locale. Columns that show
// dates and times are made as wide as these texts.
wxDateTime WidestDateTimeSample();
