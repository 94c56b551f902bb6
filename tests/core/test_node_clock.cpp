#include "core/NodeClock.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t kMin = 60;
constexpr int64_t kHour = 3600;
constexpr int64_t kDay = 86400;

uint32_t Date(unsigned day, unsigned month, unsigned year)
{
    return month | day << 8 | year << 16;
}

uint32_t Time(unsigned hour, unsigned minute, unsigned second)
{
    return hour | minute << 8 | second << 16;
}

} // namespace

TEST(NodeClock, WithinTwoMinutesEitherWayIsOk)
{
    EXPECT_EQ(FormatClockDifference(0), "ok");
    EXPECT_EQ(FormatClockDifference(120), "ok");
    EXPECT_EQ(FormatClockDifference(-120), "ok");
    EXPECT_EQ(FormatClockDifference(121), "2 min ahead");
    EXPECT_EQ(FormatClockDifference(-121), "2 min behind");
}

TEST(NodeClock, MinutesUnderAnHourHoursAndMinutesUnderTwoDaysThenDays)
{
    // Rounded to the nearest minute, and the unit chosen on the rounded value.
    EXPECT_EQ(FormatClockDifference(-(5 * kMin + 29)), "5 min behind");
    EXPECT_EQ(FormatClockDifference(-(5 * kMin + 30)), "6 min behind");
    EXPECT_EQ(FormatClockDifference(59 * kMin + 29), "59 min ahead");
    EXPECT_EQ(FormatClockDifference(59 * kMin + 30), "1 h 0 min ahead");
    EXPECT_EQ(FormatClockDifference(-3 * kHour), "3 h 0 min behind");
    EXPECT_EQ(FormatClockDifference(-(3 * kHour + 12 * kMin + 5)), "3 h 12 min behind");
    EXPECT_EQ(FormatClockDifference(47 * kHour + 59 * kMin), "47 h 59 min ahead");
    EXPECT_EQ(FormatClockDifference(2 * kDay), "2 days ahead");
    // Whole days, rounded down: two days and 23 hours are "2 days".
    EXPECT_EQ(FormatClockDifference(-(2 * kDay + 23 * kHour)), "2 days behind");
    EXPECT_EQ(FormatClockDifference(-400 * kDay), "400 days behind");
    // The far ends of the range neither overflow nor lose their sign.
    EXPECT_EQ(FormatClockDifference(INT64_MIN).EndsWith(" days behind"), true);
    EXPECT_EQ(FormatClockDifference(INT64_MAX).EndsWith(" days ahead"), true);
}

TEST(NodeClock, ControllerWordsAgainstTheArrival)
{
    const wxDateTime arrival(10, wxDateTime::Dec, 2026, 15, 30, 10);

    NodeClock c = CompareNodeClock(Date(10, 12, 2026), Time(15, 31, 40), arrival);
    EXPECT_EQ(c.text, "ok");
    EXPECT_FALSE(c.off);

    c = CompareNodeClock(Date(10, 12, 2026), Time(12, 30, 10), arrival);
    EXPECT_EQ(c.text, "3 h 0 min behind");
    EXPECT_TRUE(c.off);

    // Across midnight and a month's end.
    c = CompareNodeClock(Date(1, 1, 2027), Time(0, 0, 0), wxDateTime(31, wxDateTime::Dec, 2026, 23, 57, 0));
    EXPECT_EQ(c.text, "3 min ahead");
    EXPECT_TRUE(c.off);

    c = CompareNodeClock(Date(7, 12, 2026), Time(15, 30, 10), arrival);
    EXPECT_EQ(c.text, "3 days behind");

    // Words that are no real date or time: month 13, 30 February, hour 24.
    for (const auto& [date, time] :
         {std::pair{Date(1, 13, 2026), Time(0, 0, 0)}, std::pair{Date(30, 2, 2026), Time(0, 0, 0)},
          std::pair{Date(10, 12, 2026), Time(24, 0, 0)}, std::pair{0u, 0u}}) {
        c = CompareNodeClock(date, time, arrival);
        EXPECT_EQ(c.text, "(invalid)");
        EXPECT_TRUE(c.off);
    }
}
