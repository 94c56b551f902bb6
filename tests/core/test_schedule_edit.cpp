// Shifting a schedule's dates and the checks the schedule page shows.
#include "core/ScheduleEdit.h"
#include "core/WordHelpers.h"

#include <gtest/gtest.h>

namespace {

uint32_t Date(unsigned year, unsigned month, unsigned day)
{
    return (year << 16) | (day << 8) | month;
}

ScheduleEntry Entry(uint32_t date, uint32_t ec = 1200, float ph = 6.0f, uint32_t ratio = 1)
{
    ScheduleEntry e;
    e.date() = date;
    e.targetEc() = ec;
    e.targetPh() = FloatToWord(ph);
    e.ecRatio(0) = ratio;
    return e;
}

} // namespace

TEST(ScheduleEdit, CalendarArithmeticOverMonthYearAndLeapDays)
{
    uint32_t out = 0;
    ASSERT_TRUE(AddDaysToPackedDate(Date(2012, 12, 30), 3, out));
    EXPECT_EQ(Date(2013, 1, 2), out);
    ASSERT_TRUE(AddDaysToPackedDate(Date(2012, 2, 28), 1, out));
    EXPECT_EQ(Date(2012, 2, 29), out);
    ASSERT_TRUE(AddDaysToPackedDate(Date(2100, 3, 1), -1, out));
    EXPECT_EQ(Date(2100, 2, 28), out); // 2100 is no leap year
    ASSERT_TRUE(AddDaysToPackedDate(Date(2000, 3, 1), -1, out));
    EXPECT_EQ(Date(2000, 2, 29), out);
    EXPECT_TRUE(AddDaysToPackedDate(Date(65535, 12, 30), 1, out));
    EXPECT_FALSE(AddDaysToPackedDate(Date(65535, 12, 31), 1, out));
    EXPECT_FALSE(AddDaysToPackedDate(Date(0, 1, 1), -1, out));
    EXPECT_FALSE(AddDaysToPackedDate(Date(2013, 2, 29), 0, out));
    EXPECT_EQ("2024-03-07", FormatIsoDate(Date(2024, 3, 7)));
}

TEST(ScheduleEdit, ShiftMovesTheChosenRowsOrNone)
{
    NodeSchedule s = {Entry(Date(2024, 1, 30)), Entry(Date(2024, 1, 31)), Entry(Date(65535, 12, 20))};
    ShiftOutcome one = ShiftScheduleDates(s, {1}, 30);
    EXPECT_TRUE(one.shifted);
    EXPECT_EQ(Date(2024, 1, 30), s[0].date());
    EXPECT_EQ(Date(2024, 3, 1), s[1].date());

    const NodeSchedule before = s;
    ShiftOutcome all = ShiftScheduleDates(s, {}, 12);
    EXPECT_FALSE(all.shifted);
    EXPECT_EQ(2u, all.failedRow);
    EXPECT_FALSE(all.notADate);
    EXPECT_EQ(before, s); // nothing moved

    ASSERT_TRUE(ShiftScheduleDates(s, {}, -7).shifted);
    EXPECT_EQ(Date(2024, 1, 23), s[0].date());
    EXPECT_EQ(Date(2024, 2, 23), s[1].date());
    EXPECT_EQ(Date(65535, 12, 13), s[2].date());

    s[1].date() = Date(2024, 13, 1);
    ShiftOutcome bad = ShiftScheduleDates(s, {}, 1);
    EXPECT_FALSE(bad.shifted);
    EXPECT_EQ(1u, bad.failedRow);
    EXPECT_TRUE(bad.notADate);
}

TEST(ScheduleEdit, ChecksFindRepeatsGapsRangesAndMissingRatios)
{
    EXPECT_EQ("No problems found.", DescribeScheduleChecks(CheckSchedule({})));
    EXPECT_EQ("No problems found.", DescribeScheduleChecks(CheckSchedule(
                                        {Entry(Date(2024, 3, 1)), Entry(Date(2024, 3, 2), 0, 0.0f)})));

    NodeSchedule s = {Entry(Date(2024, 3, 1)),
                      Entry(Date(2024, 3, 5), 20001),          // EC too high; 3 days missing before it
                      Entry(Date(2024, 3, 1), 1200, 0.5f),     // a date twice, PH below 1
                      Entry(Date(2024, 3, 2), 1200, 6.0f, 0)}; // no ratios
    const ScheduleChecks checks = CheckSchedule(s);
    EXPECT_EQ(std::vector<uint32_t>{Date(2024, 3, 1)}, checks.repeatedDates);
    EXPECT_EQ(2u, checks.missingDays); // the 3rd and the 4th
    EXPECT_EQ((std::vector<std::size_t>{1, 2}), checks.outOfRange);
    EXPECT_EQ(std::vector<std::size_t>{3}, checks.withoutRatio);
    EXPECT_EQ("1 date appears twice (the controller uses the first): 2024-03-01; 2 days missing; "
              "targets outside the profile's ranges in row 2, 3; no ratios in row 4.",
              DescribeScheduleChecks(checks));

    s.push_back(Entry(Date(2024, 2, 30)));
    EXPECT_EQ(std::vector<std::size_t>{4}, CheckSchedule(s).notADate);
}
