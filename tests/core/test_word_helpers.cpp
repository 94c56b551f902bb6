#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

uint32_t Date(unsigned day, unsigned month, unsigned year)
{
    return month | day << 8 | year << 16;
}

uint32_t Time(unsigned hour, unsigned minute, unsigned second, unsigned top = 0)
{
    return hour | minute << 8 | second << 16 | top << 24;
}

} // namespace

TEST(WordText, DecimalReadsTheWordAsSigned)
{
    EXPECT_EQ(FormatDecimal(0), "0");
    EXPECT_EQ(FormatDecimal(0xFFFFFFFFu), "-1");
    EXPECT_EQ(FormatDecimal(46), "46");
    EXPECT_EQ(FormatDecimal(0x7FFFFFFFu), "2147483647");
    EXPECT_EQ(FormatDecimal(0x80000000u), "-2147483648");
}

TEST(WordText, TwoDecimalsRoundsToHundredths)
{
    EXPECT_EQ(FormatTwoDecimals(0), "0.00");
    EXPECT_EQ(FormatTwoDecimals(FloatToWord(2.0f)), "2.00");
    EXPECT_EQ(FormatTwoDecimals(FloatToWord(7.0f)), "7.00");
    EXPECT_EQ(FormatTwoDecimals(FloatToWord(0.01f)), "0.01");
    EXPECT_EQ(FormatTwoDecimals(FloatToWord(14.0f)), "14.00");
    EXPECT_EQ(FormatTwoDecimals(FloatToWord(6.456f)), "6.46");
    EXPECT_EQ(FormatTwoDecimals(FloatToWord(-1.5f)), "-1.50");
    // Any bit pattern has a text, NaN and infinities included.
    EXPECT_FALSE(FormatTwoDecimals(0x7FC00000u).empty());
    EXPECT_FALSE(FormatTwoDecimals(0x7F800000u).empty());
}

TEST(WordText, FloatWordsKeepTheirBits)
{
    EXPECT_EQ(FloatToWord(1.0f), 0x3F800000u);
    EXPECT_EQ(WordToFloat(0x40E00000u), 7.0f);
    for (uint32_t w : {0u, 1u, 0x3C23D70Au, 0x7FC00001u, 0xFF800000u, 0xFFFFFFFFu}) {
        EXPECT_EQ(FloatToWord(WordToFloat(w)), w) << std::hex << w;
    }
    EXPECT_TRUE(std::isnan(WordToFloat(0x7FC00000u)));
}

TEST(WordText, IpAddressFirstOctetInLowestByte)
{
    EXPECT_EQ(FormatIpAddress(0), "0.0.0.0");
    EXPECT_EQ(FormatIpAddress(0xFFFFFFFFu), "255.255.255.255");
    // bytes in memory C0 A8 01 01
    EXPECT_EQ(FormatIpAddress(0x0101A8C0u), "192.168.1.1");
    EXPECT_EQ(FormatIpAddress(0x0A01A8C0u), "192.168.1.10");
}

TEST(WordText, IpAddressSplitAndJoin)
{
    EXPECT_EQ(SplitIpAddress(0x0101A8C0u), (IpOctets{192, 168, 1, 1}));
    EXPECT_EQ(SplitIpAddress(0xFF00FF0Au), (IpOctets{10, 255, 0, 255}));
    EXPECT_EQ(JoinIpAddress({192, 168, 1, 1}), 0x0101A8C0u);
    EXPECT_EQ(JoinIpAddress({10, 255, 0, 255}), 0xFF00FF0Au);
    // Only the low byte of each octet is kept (300 is stored as 44).
    EXPECT_EQ(JoinIpAddress({300, 0, 0, 256}), 0x0000002Cu);
    for (uint32_t w : {0u, 0xFFFFFFFFu, 0x0101A8C0u, 0x12345678u})
        EXPECT_EQ(JoinIpAddress(SplitIpAddress(w)), w) << std::hex << w;
}

TEST(WordDates, MonthTablesBothWays)
{
    EXPECT_EQ(WordMonthToMonth(1), wxDateTime::Jan);
    EXPECT_EQ(WordMonthToMonth(12), wxDateTime::Dec);
    EXPECT_EQ(WordMonthToMonth(0), wxDateTime::Inv_Month);
    EXPECT_EQ(WordMonthToMonth(13), wxDateTime::Inv_Month);
    EXPECT_EQ(WordMonthToMonth(255), wxDateTime::Inv_Month);
    EXPECT_EQ(MonthToWordMonth(wxDateTime::Jan), 1u);
    EXPECT_EQ(MonthToWordMonth(wxDateTime::Dec), 12u);
    EXPECT_EQ(MonthToWordMonth(wxDateTime::Inv_Month), 0u);
}

TEST(WordDates, DecodeRealDates)
{
    const wxDateTime d = DecodePackedDate(Date(29, 2, 2012));
    ASSERT_TRUE(d.IsValid());
    EXPECT_EQ(d.GetDay(), 29);
    EXPECT_EQ(d.GetMonth(), wxDateTime::Feb);
    EXPECT_EQ(d.GetYear(), 2012);
    EXPECT_EQ(d.GetHour(), 0);
    EXPECT_EQ(d.GetMinute(), 0);
    EXPECT_EQ(d.GetSecond(), 0);
    EXPECT_EQ(d.GetMillisecond(), 0);

    const wxDateTime dt = DecodePackedDateTime(Date(7, 3, 2013), Time(15, 30, 10, 0xAB));
    ASSERT_TRUE(dt.IsValid());
    EXPECT_EQ(dt.GetYear(), 2013);
    EXPECT_EQ(dt.GetMonth(), wxDateTime::Mar);
    EXPECT_EQ(dt.GetDay(), 7);
    EXPECT_EQ(dt.GetHour(), 15);
    EXPECT_EQ(dt.GetMinute(), 30);
    EXPECT_EQ(dt.GetSecond(), 10);

    // The year field is the full 16 bits; extreme years still decode.
    EXPECT_TRUE(DecodePackedDate(Date(1, 1, 0)).IsValid());
    EXPECT_EQ(DecodePackedDate(Date(31, 12, 65535)).GetYear(), 65535);
}

// Every field out of range gives an invalid date-time and never a wx
// assertion (this binary has the default assert handler, which aborts under
// the sanitizer build and prints otherwise; the fuzz target makes it fatal).
TEST(WordDates, OutOfRangeFieldsGiveInvalidDateTimes)
{
    const uint32_t badDates[] = {
        0,                 // cleared word
        Date(1, 0, 2012),  // month 0
        Date(1, 13, 2012), // month 13
        Date(0, 5, 2012),  // day 0
        Date(32, 1, 2012), // beyond January
        Date(31, 4, 2012), // beyond April
        Date(29, 2, 2013), // not a leap year
        Date(30, 2, 2012), // beyond a leap February
        Date(29, 2, 1900), // century, not leap
        0xFFFFFFFFu,
    };
    for (uint32_t w : badDates) {
        EXPECT_FALSE(DecodePackedDate(w).IsValid()) << std::hex << w;
        EXPECT_FALSE(DecodePackedDateTime(w, Time(12, 0, 0)).IsValid()) << std::hex << w;
    }
    EXPECT_TRUE(DecodePackedDate(Date(29, 2, 2000)).IsValid());

    const uint32_t badTimes[] = {Time(24, 0, 0), Time(0, 60, 0), Time(0, 0, 60), 0x00FFFFFFu};
    for (uint32_t w : badTimes) {
        EXPECT_FALSE(DecodePackedTime(w).IsValid()) << std::hex << w;
        EXPECT_FALSE(DecodePackedDateTime(Date(1, 1, 2020), w).IsValid()) << std::hex << w;
    }
}

TEST(WordDates, TimeIsTodayAndIgnoresTheTopByte)
{
    for (unsigned top : {0u, 0x5Au, 0xFFu}) {
        const wxDateTime t = DecodePackedTime(Time(15, 30, 10, top));
        ASSERT_TRUE(t.IsValid());
        EXPECT_EQ(t.GetHour(), 15);
        EXPECT_EQ(t.GetMinute(), 30);
        EXPECT_EQ(t.GetSecond(), 10);
        EXPECT_EQ(t.GetMillisecond(), 0);
        EXPECT_TRUE(t.IsSameDate(wxDateTime::Today()));
    }
    const wxDateTime midnight = DecodePackedTime(0);
    ASSERT_TRUE(midnight.IsValid());
    EXPECT_EQ(midnight.GetHour(), 0);
    const wxDateTime last = DecodePackedTime(Time(23, 59, 59));
    EXPECT_EQ(last.GetHour(), 23);
    EXPECT_EQ(last.GetSecond(), 59);
}

TEST(WordDates, EncodeDropsTheTimeAndRoundTrips)
{
    const uint32_t expected = 12u | 7u << 8 | 2026u << 16;
    EXPECT_EQ(EncodePackedDate(wxDateTime(7, wxDateTime::Dec, 2026)), expected);
    EXPECT_EQ(EncodePackedDate(wxDateTime(7, wxDateTime::Dec, 2026, 23, 59, 59, 999)), expected);
    // 29 February 2012 is the bytes 02 1D DC 07.
    EXPECT_EQ(EncodePackedDate(wxDateTime(29, wxDateTime::Feb, 2012, 13, 5)), 0x07DC1D02u);
    EXPECT_EQ(EncodePackedDate(wxInvalidDateTime), 0u);

    const wxDateTime t(14, wxDateTime::Aug, 2019, 18, 42, 7);
    const wxDateTime back = DecodePackedDate(EncodePackedDate(t));
    ASSERT_TRUE(back.IsValid());
    EXPECT_TRUE(back.IsSameDate(t));
    EXPECT_EQ(back.GetHour(), 0);
    EXPECT_EQ(back.GetMinute(), 0);
    EXPECT_EQ(back, t.GetDateOnly());
}

TEST(WordDates, TextOfValidAndInvalidValues)
{
    const wxDateTime d = DecodePackedDate(Date(7, 3, 2013));
    EXPECT_EQ(FormatDateText(d), d.Format("%x"));
    EXPECT_NE(FormatDateText(d), InvalidDateTimeText());
    const wxDateTime t = DecodePackedTime(Time(9, 5, 3));
    EXPECT_EQ(FormatTimeText(t), t.Format("%X"));

    EXPECT_EQ(FormatDateText(DecodePackedDate(Date(31, 2, 2013))), InvalidDateTimeText());
    EXPECT_EQ(FormatTimeText(DecodePackedTime(Time(25, 0, 0))), InvalidDateTimeText());
    EXPECT_FALSE(InvalidDateTimeText().empty());
    // Extreme but real years still have a text.
    EXPECT_FALSE(FormatDateText(DecodePackedDate(Date(31, 12, 65535))).empty());
    EXPECT_FALSE(FormatDateText(DecodePackedDate(Date(1, 1, 0))).empty());
}
