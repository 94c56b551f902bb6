// The axis tick strategies: numbers as the number axis ticks them, and
// calendar time on round steps of local time, summer time included.
#include "time_zone.h"

#include "wx_test_util.h"

#include "chart/AxisTicks.h"
#include "chart_builder.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using Labels = std::vector<std::string>;

bool HaveZone(const char* zone)
{
    struct stat info;
    return stat((std::string("/usr/share/zoneinfo/") + zone).c_str(), &info) == 0;
}

// Milliseconds since the epoch of a local wall-clock time given with its UTC
// offset in hours (+1 CET, +2 CEST).
int64_t Ms(int year, int month, int day, int hour, int minute, int second, int offsetHours)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return (static_cast<int64_t>(timegm(&tm)) - offsetHours * 3600) * 1000;
}

// 2021-01-01T00:00:00Z: value 0 of the charts below.
const int64_t kOrigin = Ms(2021, 1, 1, 0, 0, 0, 0);

double Value(int64_t ms, int64_t origin = kOrigin)
{
    return static_cast<double>(ms - origin) / 86400000.0;
}

chart::CalendarTicks Calendar(int64_t origin = kOrigin)
{
    return chart::CalendarTicks(origin, [](const wxDateTime& d) { return d.Format("%Y-%m-%d"); });
}

Labels LabelsOf(const std::vector<chart::Tick>& ticks)
{
    Labels labels;
    for (const chart::Tick& tick : ticks)
        labels.push_back(tick.label.utf8_string());
    return labels;
}

Labels CalendarLabels(int64_t loMs, int64_t hiMs, int target)
{
    return LabelsOf(Calendar().Make(Value(loMs), Value(hiMs), target));
}

// The local wall-clock time ("HH:MM" or "HH:MM:SS") and date of a value.
std::string WallTime(double value, bool seconds)
{
    const double ms = static_cast<double>(kOrigin) + value * 86400000.0;
    const std::time_t t = static_cast<std::time_t>(std::llround(ms / 1000.0));
    std::tm tm{};
    localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, seconds ? "%H:%M:%S" : "%H:%M", &tm);
    return text;
}

// Values increasing within [lo, hi], each at the wall-clock time its label's
// first line says.
void ExpectTicksAtTheirLabels(const std::vector<chart::Tick>& ticks, double lo, double hi)
{
    for (size_t i = 0; i < ticks.size(); ++i) {
        SCOPED_TRACE(ticks[i].label.utf8_string());
        EXPECT_GE(ticks[i].value, lo);
        EXPECT_LE(ticks[i].value, hi);
        if (i > 0) {
            EXPECT_GT(ticks[i].value, ticks[i - 1].value);
        }
        const std::string first = ticks[i].label.BeforeFirst('\n').utf8_string();
        EXPECT_EQ(WallTime(ticks[i].value, first.size() > 5), first);
    }
}

std::vector<double> ValuesOf(const std::vector<chart::Tick>& ticks)
{
    std::vector<double> values;
    for (const chart::Tick& tick : ticks)
        values.push_back(tick.value);
    return values;
}

class CalendarTicksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveZone("Europe/Berlin"))
            GTEST_FAIL() << "tzdata's Europe/Berlin is not installed";
    }
    WithTimeZone m_zone{"Europe/Berlin"};
};

} // namespace

TEST(NumberTicks, TheNumberAxisTicks)
{
    const chart::NumberTicks numbers;
    EXPECT_EQ(ValuesOf(numbers.Make(0, 1, 5)),
              (std::vector<double>{0, 0.2, 0.4, 0.6000000000000001, 0.8, 1}));
    EXPECT_EQ(LabelsOf(numbers.Make(0, 1, 5)), (Labels{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    EXPECT_EQ(ValuesOf(numbers.Make(0, 365, 8)), (std::vector<double>{0, 50, 100, 150, 200, 250, 300, 350}));
    EXPECT_EQ(LabelsOf(numbers.Make(1000, 1012, 3)), (Labels{"1000", "1005", "1010"}));
    EXPECT_EQ(LabelsOf(numbers.Make(1000, 1012, 5)),
              (Labels{"1000", "1002", "1004", "1006", "1008", "1010", "1012"}));
    EXPECT_EQ(LabelsOf(numbers.Make(0, 4294967295.0, 3)), (Labels{"0", "2000000000", "4000000000"}));
    // Ends on the step are ticks, rounding or not; targets out of 3..8 clamp.
    const std::vector<chart::Tick> tenths = numbers.Make(0.3, 0.7, 4);
    ASSERT_EQ(tenths.size(), 5u);
    EXPECT_DOUBLE_EQ(tenths.front().value, 0.3);
    EXPECT_DOUBLE_EQ(tenths.back().value, 0.7);
    EXPECT_EQ(LabelsOf(numbers.Make(0.5, 14, 1)), (Labels{"2", "4", "6", "8", "10", "12", "14"}));
    EXPECT_EQ(LabelsOf(numbers.Make(0.5, 14, 20)), (Labels{"2", "4", "6", "8", "10", "12", "14"}));
    EXPECT_TRUE(numbers.Make(1, 1, 5).empty());
    EXPECT_TRUE(numbers.Make(2, 1, 5).empty());

    // The same as the axis over the same range, for every target.
    const std::vector<std::pair<double, double>> ranges = {
        {0, 1}, {5.8, 7.1}, {-273.15, 40}, {1e9, 1e9 + 3}, {0, 4294967295.0}, {-DBL_MAX, DBL_MAX}};
    for (const auto& range : ranges) {
        std::unique_ptr<XYPlot> plot(MakeChannelPlot({{wxColour(), {0, range.first, 1, range.second}}}));
        const NumberAxis& axis = *plot->GetVerticalAxis(0);
        ASSERT_EQ(axis.GetMinValue(), range.first);
        ASSERT_EQ(axis.GetMaxValue(), range.second);
        for (int target = 0; target <= 10; ++target) {
            SCOPED_TRACE(target);
            const std::vector<chart::Tick> ticks = numbers.Make(range.first, range.second, target);
            const std::vector<double> values = axis.GetTickValues(target);
            ASSERT_EQ(ValuesOf(ticks), values);
            for (size_t i = 0; i < ticks.size(); ++i)
                EXPECT_EQ(ticks[i].label, NumberAxis::FormatTickLabel(values[i], axis.GetTickStep(target)));
        }
    }
}

TEST_F(CalendarTicksTest, HoursAcrossMidnightCarryTheDate)
{
    // Every 3 hours over 12 (summer: +2).
    const int64_t lo = Ms(2021, 6, 14, 18, 0, 0, 2), hi = Ms(2021, 6, 15, 6, 0, 0, 2);
    const std::vector<chart::Tick> ticks = Calendar().Make(Value(lo), Value(hi), 5);
    EXPECT_EQ(LabelsOf(ticks), (Labels{"18:00\n2021-06-14", "21:00", "00:00\n2021-06-15", "03:00", "06:00"}));
    ASSERT_EQ(ticks.size(), 5u);
    for (size_t i = 0; i < ticks.size(); ++i)
        EXPECT_EQ(ticks[i].value, Value(lo + static_cast<int64_t>(i) * 3 * 3600000));
    ExpectTicksAtTheirLabels(ticks, Value(lo), Value(hi));

    // Every hour over 5.
    EXPECT_EQ(CalendarLabels(Ms(2021, 6, 14, 21, 0, 0, 2), Ms(2021, 6, 15, 2, 0, 0, 2), 6),
              (Labels{"21:00\n2021-06-14", "22:00", "23:00", "00:00\n2021-06-15", "01:00", "02:00"}));
    // Not starting on the step: the first tick carries the date.
    EXPECT_EQ(CalendarLabels(Ms(2021, 6, 14, 21, 20, 0, 2), Ms(2021, 6, 15, 2, 10, 0, 2), 5),
              (Labels{"22:00\n2021-06-14", "23:00", "00:00\n2021-06-15", "01:00", "02:00"}));
    // Hours on multiples of the step: 00, 06, 12, 18 (winter: +1).
    EXPECT_EQ(CalendarLabels(Ms(2021, 1, 10, 4, 0, 0, 1), Ms(2021, 1, 11, 8, 0, 0, 1), 5),
              (Labels{"06:00\n2021-01-10", "12:00", "18:00", "00:00\n2021-01-11", "06:00"}));
}

TEST_F(CalendarTicksTest, DaysAcrossAMonthEndAndALeapDay)
{
    const int64_t lo = Ms(2021, 1, 30, 0, 0, 0, 1), hi = Ms(2021, 2, 3, 0, 0, 0, 1);
    const std::vector<chart::Tick> ticks = Calendar().Make(Value(lo), Value(hi), 5);
    EXPECT_EQ(LabelsOf(ticks),
              (Labels{"2021-01-30", "2021-01-31", "2021-02-01", "2021-02-02", "2021-02-03"}));
    ASSERT_EQ(ticks.size(), 5u);
    for (size_t i = 0; i < ticks.size(); ++i)
        EXPECT_EQ(ticks[i].value, Value(lo + static_cast<int64_t>(i) * 86400000));

    EXPECT_EQ(CalendarLabels(Ms(2024, 2, 28, 0, 0, 0, 1), Ms(2024, 3, 1, 0, 0, 0, 1), 3),
              (Labels{"2024-02-28", "2024-02-29", "2024-03-01"}));
    EXPECT_EQ(CalendarLabels(Ms(2024, 2, 28, 0, 0, 0, 1), Ms(2024, 3, 1, 0, 0, 0, 1), 5),
              (Labels{"00:00\n2024-02-28", "12:00", "00:00\n2024-02-29", "12:00", "00:00\n2024-03-01"}));
    // 2023 has no 29 February.
    EXPECT_EQ(CalendarLabels(Ms(2023, 2, 28, 0, 0, 0, 1), Ms(2023, 3, 2, 0, 0, 0, 1), 3),
              (Labels{"2023-02-28", "2023-03-01", "2023-03-02"}));
    // A day tick is local midnight, in summer too.
    const std::vector<chart::Tick> summer =
        Calendar().Make(Value(Ms(2021, 7, 1, 0, 0, 0, 2)), Value(Ms(2021, 7, 5, 0, 0, 0, 2)), 5);
    ASSERT_EQ(summer.size(), 5u);
    EXPECT_EQ(summer[1].value, Value(Ms(2021, 7, 2, 0, 0, 0, 2)));
    EXPECT_EQ(summer[1].label, "2021-07-02");
    // Two-day steps on even day numbers since 1970-01-01, wherever the range
    // starts: 2021-01-01 is day 18628.
    EXPECT_EQ(CalendarLabels(Ms(2021, 1, 1, 0, 0, 0, 1), Ms(2021, 1, 11, 0, 0, 0, 1), 5),
              (Labels{"2021-01-01", "2021-01-03", "2021-01-05", "2021-01-07", "2021-01-09", "2021-01-11"}));
    EXPECT_EQ(CalendarLabels(Ms(2021, 1, 2, 0, 0, 0, 1), Ms(2021, 1, 12, 0, 0, 0, 1), 5),
              (Labels{"2021-01-03", "2021-01-05", "2021-01-07", "2021-01-09", "2021-01-11"}));
}

TEST_F(CalendarTicksTest, WeeksMonthsAndYears)
{
    // Mondays.
    EXPECT_EQ(CalendarLabels(Ms(2021, 6, 1, 12, 0, 0, 2), Ms(2021, 7, 10, 0, 0, 0, 2), 5),
              (Labels{"2021-06-07", "2021-06-14", "2021-06-21", "2021-06-28", "2021-07-05"}));
    // The first of the month across a year end, at local midnight (CET from
    // November, CEST in October).
    const int64_t lo = Ms(2020, 10, 15, 0, 0, 0, 2), hi = Ms(2021, 3, 15, 0, 0, 0, 1);
    const std::vector<chart::Tick> months = Calendar().Make(Value(lo), Value(hi), 5);
    EXPECT_EQ(LabelsOf(months),
              (Labels{"2020-11-01", "2020-12-01", "2021-01-01", "2021-02-01", "2021-03-01"}));
    ASSERT_EQ(months.size(), 5u);
    EXPECT_EQ(months[0].value, Value(Ms(2020, 11, 1, 0, 0, 0, 1)));
    EXPECT_EQ(months[2].value, Value(Ms(2021, 1, 1, 0, 0, 0, 1)));
    // Two months: months 1, 3, 5 ..; three: 1, 4, 7, 10; six: 1, 7.
    EXPECT_EQ(CalendarLabels(lo, hi, 3), (Labels{"2020-11-01", "2021-01-01", "2021-03-01"}));
    EXPECT_EQ(CalendarLabels(Ms(2020, 8, 15, 0, 0, 0, 2), Ms(2021, 8, 15, 0, 0, 0, 2), 4),
              (Labels{"2020-10-01", "2021-01-01", "2021-04-01", "2021-07-01"}));
    EXPECT_EQ(CalendarLabels(Ms(2019, 3, 1, 0, 0, 0, 1), Ms(2021, 3, 1, 0, 0, 0, 1), 3),
              (Labels{"2019-07-01", "2020-01-01", "2020-07-01", "2021-01-01"}));
    // Years: 1 January, on multiples of the step.
    EXPECT_EQ(CalendarLabels(Ms(2000, 1, 1, 0, 0, 0, 1), Ms(2030, 6, 1, 0, 0, 0, 2), 5),
              (Labels{"2000-01-01", "2010-01-01", "2020-01-01", "2030-01-01"}));
    EXPECT_EQ(CalendarLabels(Ms(2017, 6, 1, 0, 0, 0, 2), Ms(2023, 6, 1, 0, 0, 0, 2), 5),
              (Labels{"2018-01-01", "2019-01-01", "2020-01-01", "2021-01-01", "2022-01-01", "2023-01-01"}));
    EXPECT_EQ(CalendarLabels(Ms(1900, 1, 1, 0, 0, 0, 1), Ms(1960, 1, 1, 0, 0, 0, 1), 4),
              (Labels{"1900-01-01", "1920-01-01", "1940-01-01", "1960-01-01"}));
}

TEST_F(CalendarTicksTest, SpringForwardSkipsTheMissingHour)
{
    // 2021-03-28: 02:00 CET became 03:00 CEST.
    const int64_t lo = Ms(2021, 3, 28, 0, 0, 0, 1), hi = Ms(2021, 3, 28, 5, 0, 0, 2);
    const std::vector<chart::Tick> ticks = Calendar().Make(Value(lo), Value(hi), 5);
    EXPECT_EQ(LabelsOf(ticks), (Labels{"00:00\n2021-03-28", "01:00", "03:00", "04:00", "05:00"}));
    ASSERT_EQ(ticks.size(), 5u);
    EXPECT_EQ(ValuesOf(ticks),
              (std::vector<double>{Value(Ms(2021, 3, 28, 0, 0, 0, 1)), Value(Ms(2021, 3, 28, 1, 0, 0, 1)),
                                   Value(Ms(2021, 3, 28, 3, 0, 0, 2)), Value(Ms(2021, 3, 28, 4, 0, 0, 2)),
                                   Value(Ms(2021, 3, 28, 5, 0, 0, 2))}));
    ExpectTicksAtTheirLabels(ticks, Value(lo), Value(hi));
    // Every half hour: 02:00 and 02:30 do not exist.
    const std::vector<chart::Tick> halves =
        Calendar().Make(Value(Ms(2021, 3, 28, 0, 30, 0, 1)), Value(Ms(2021, 3, 28, 4, 0, 0, 2)), 8);
    EXPECT_EQ(LabelsOf(halves), (Labels{"00:30\n2021-03-28", "01:00", "01:30", "03:00", "03:30", "04:00"}));
    ExpectTicksAtTheirLabels(halves, Value(Ms(2021, 3, 28, 0, 30, 0, 1)), Value(Ms(2021, 3, 28, 4, 0, 0, 2)));
    // A range that starts just before the jump: the first tick after it.
    EXPECT_EQ(CalendarLabels(Ms(2021, 3, 28, 1, 59, 30, 1), Ms(2021, 3, 28, 3, 4, 0, 2), 5),
              (Labels{"03:00\n2021-03-28", "03:01", "03:02", "03:03", "03:04"}));
    // Days across the change are local midnights, 23 hours apart.
    const std::vector<chart::Tick> days =
        Calendar().Make(Value(Ms(2021, 3, 26, 0, 0, 0, 1)), Value(Ms(2021, 3, 30, 0, 0, 0, 2)), 5);
    EXPECT_EQ(LabelsOf(days), (Labels{"2021-03-26", "2021-03-27", "2021-03-28", "2021-03-29", "2021-03-30"}));
    ASSERT_EQ(days.size(), 5u);
    EXPECT_EQ(days[3].value, Value(Ms(2021, 3, 29, 0, 0, 0, 2)));
    EXPECT_NEAR(days[3].value - days[2].value, 23.0 / 24, 1e-9);
}

TEST_F(CalendarTicksTest, ADayWhoseMidnightIsSkippedStartsAfterTheGap)
{
    if (!HaveZone("America/Sao_Paulo"))
        GTEST_FAIL() << "tzdata's America/Sao_Paulo is not installed";
    // 2018-11-04: 00:00 BRT (-3) became 01:00 BRST (-2).
    WithTimeZone zone("America/Sao_Paulo");
    const std::vector<chart::Tick> days =
        Calendar().Make(Value(Ms(2018, 11, 2, 0, 0, 0, -3)), Value(Ms(2018, 11, 6, 0, 0, 0, -2)), 5);
    EXPECT_EQ(LabelsOf(days), (Labels{"2018-11-02", "2018-11-03", "2018-11-04", "2018-11-05", "2018-11-06"}));
    ASSERT_EQ(days.size(), 5u);
    EXPECT_EQ(days[2].value, Value(Ms(2018, 11, 4, 1, 0, 0, -2)));
    EXPECT_EQ(days[3].value, Value(Ms(2018, 11, 5, 0, 0, 0, -2)));
    // Hours: no 00:00 that day; the date goes on the first tick of the day.
    EXPECT_EQ(CalendarLabels(Ms(2018, 11, 3, 21, 0, 0, -3), Ms(2018, 11, 4, 3, 0, 0, -2), 5),
              (Labels{"21:00\n2018-11-03", "22:00", "23:00", "01:00\n2018-11-04", "02:00", "03:00"}));
}

TEST_F(CalendarTicksTest, AutumnChangeGivesARepeatedHourOneTick)
{
    // 2021-10-31: 03:00 CEST became 02:00 CET; 02:00 .. 02:59 came twice.
    const int64_t lo = Ms(2021, 10, 31, 0, 0, 0, 2), hi = Ms(2021, 10, 31, 5, 0, 0, 1);
    const std::vector<chart::Tick> ticks = Calendar().Make(Value(lo), Value(hi), 6);
    EXPECT_EQ(LabelsOf(ticks), (Labels{"00:00\n2021-10-31", "01:00", "02:00", "03:00", "04:00", "05:00"}));
    ASSERT_EQ(ticks.size(), 6u);
    // 02:00 at its first occurrence (CEST), then 03:00 CET two hours on.
    EXPECT_EQ(ticks[2].value, Value(Ms(2021, 10, 31, 2, 0, 0, 2)));
    EXPECT_EQ(ticks[3].value, Value(Ms(2021, 10, 31, 3, 0, 0, 1)));
    EXPECT_NEAR(ticks[3].value - ticks[2].value, 2.0 / 24, 1e-9);
    ExpectTicksAtTheirLabels(ticks, Value(lo), Value(hi));

    // Every half hour from 01:00: 02:00 and 02:30 once each.
    const std::vector<chart::Tick> halves =
        Calendar().Make(Value(Ms(2021, 10, 31, 1, 0, 0, 2)), Value(Ms(2021, 10, 31, 3, 30, 0, 1)), 8);
    EXPECT_EQ(LabelsOf(halves), (Labels{"01:00\n2021-10-31", "01:30", "02:00", "02:30", "03:00", "03:30"}));
    ExpectTicksAtTheirLabels(halves, Value(Ms(2021, 10, 31, 1, 0, 0, 2)),
                             Value(Ms(2021, 10, 31, 3, 30, 0, 1)));

    // From 02:30 CEST to 02:30 CET: the clock goes back to 02:00 at 03:00
    // CEST, and no tick repeats a time already shown.
    const std::vector<chart::Tick> back =
        Calendar().Make(Value(Ms(2021, 10, 31, 2, 30, 0, 2)), Value(Ms(2021, 10, 31, 2, 30, 0, 1)), 5);
    EXPECT_EQ(LabelsOf(back), (Labels{"02:30\n2021-10-31", "02:35", "02:40", "02:45", "02:50", "02:55"}));
    ExpectTicksAtTheirLabels(back, Value(Ms(2021, 10, 31, 2, 30, 0, 2)),
                             Value(Ms(2021, 10, 31, 2, 30, 0, 1)));

    // A range within the second 02:00 .. 02:59 still gets its ticks (CET).
    const std::vector<chart::Tick> second =
        Calendar().Make(Value(Ms(2021, 10, 31, 2, 0, 0, 1)), Value(Ms(2021, 10, 31, 2, 50, 0, 1)), 6);
    EXPECT_EQ(LabelsOf(second), (Labels{"02:00\n2021-10-31", "02:10", "02:20", "02:30", "02:40", "02:50"}));
    ASSERT_EQ(second.size(), 6u);
    EXPECT_EQ(second[0].value, Value(Ms(2021, 10, 31, 2, 0, 0, 1)));

    // Days across the change: local midnights, 25 hours apart.
    const std::vector<chart::Tick> days =
        Calendar().Make(Value(Ms(2021, 10, 29, 0, 0, 0, 2)), Value(Ms(2021, 11, 2, 0, 0, 0, 1)), 5);
    EXPECT_EQ(LabelsOf(days), (Labels{"2021-10-29", "2021-10-30", "2021-10-31", "2021-11-01", "2021-11-02"}));
    ASSERT_EQ(days.size(), 5u);
    EXPECT_NEAR(days[3].value - days[2].value, 25.0 / 24, 1e-9);
}

TEST_F(CalendarTicksTest, SummerTimeBefore1970)
{
    // 1947-04-06: 02:00 CET became 04:00 CEST; 1948-10-03: 03:00 CEST became
    // 02:00 CET (instants before the epoch).
    const int64_t springLo = Ms(1947, 4, 6, 0, 0, 0, 1), springHi = Ms(1947, 4, 6, 6, 0, 0, 2);
    const std::vector<chart::Tick> spring = Calendar().Make(Value(springLo), Value(springHi), 6);
    EXPECT_EQ(LabelsOf(spring), (Labels{"00:00\n1947-04-06", "01:00", "02:00", "04:00", "05:00", "06:00"}));
    ExpectTicksAtTheirLabels(spring, Value(springLo), Value(springHi));
    const int64_t autumnLo = Ms(1948, 10, 3, 0, 0, 0, 2), autumnHi = Ms(1948, 10, 3, 5, 0, 0, 1);
    const std::vector<chart::Tick> autumn = Calendar().Make(Value(autumnLo), Value(autumnHi), 6);
    EXPECT_EQ(LabelsOf(autumn), (Labels{"00:00\n1948-10-03", "01:00", "02:00", "03:00", "04:00", "05:00"}));
    ASSERT_EQ(autumn.size(), 6u);
    EXPECT_EQ(autumn[3].value, Value(Ms(1948, 10, 3, 3, 0, 0, 1)));
    ExpectTicksAtTheirLabels(autumn, Value(autumnLo), Value(autumnHi));
}

TEST_F(CalendarTicksTest, AMinuteGetsSecondTicks)
{
    const int64_t lo = Ms(2021, 6, 14, 12, 0, 0, 2), hi = Ms(2021, 6, 14, 12, 1, 0, 2);
    EXPECT_EQ(CalendarLabels(lo, hi, 5),
              (Labels{"12:00:00\n2021-06-14", "12:00:15", "12:00:30", "12:00:45", "12:01:00"}));
    EXPECT_EQ(CalendarLabels(lo, hi, 3), (Labels{"12:00:00\n2021-06-14", "12:00:30", "12:01:00"}));
    EXPECT_EQ(CalendarLabels(lo, hi, 8), (Labels{"12:00:00\n2021-06-14", "12:00:10", "12:00:20", "12:00:30",
                                                 "12:00:40", "12:00:50", "12:01:00"}));
    // Any minute, any target: at least three ticks with seconds.
    for (int start = 0; start < 60; start += 7) {
        for (int target = 0; target <= 10; ++target) {
            const int64_t from = Ms(2021, 6, 14, 23, 59, start, 2);
            const double a = Value(from), b = Value(from + 60000);
            const std::vector<chart::Tick> ticks = Calendar().Make(a, b, target);
            SCOPED_TRACE(std::to_string(start) + " " + std::to_string(target));
            EXPECT_GE(ticks.size(), 3u);
            EXPECT_LE(ticks.size(), 8u);
            for (const chart::Tick& tick : ticks)
                EXPECT_EQ(tick.label.BeforeFirst('\n').length(), 8u) << tick.label;
            ExpectTicksAtTheirLabels(ticks, a, b);
        }
    }
    // Two seconds: every second.
    EXPECT_EQ(CalendarLabels(lo, lo + 2000, 5), (Labels{"12:00:00\n2021-06-14", "12:00:01", "12:00:02"}));
}

TEST_F(CalendarTicksTest, TheOriginCanBeAnyInstant)
{
    // Value 0 at 2021-06-14 12:34:56.789 UTC: ticks still on round local times.
    const int64_t origin = Ms(2021, 6, 14, 12, 34, 56, 0) + 789;
    const std::vector<chart::Tick> ticks = Calendar(origin).Make(
        Value(Ms(2021, 6, 14, 15, 0, 0, 2), origin), Value(Ms(2021, 6, 14, 20, 0, 0, 2), origin), 6);
    EXPECT_EQ(LabelsOf(ticks), (Labels{"15:00\n2021-06-14", "16:00", "17:00", "18:00", "19:00", "20:00"}));
    ASSERT_EQ(ticks.size(), 6u);
    EXPECT_EQ(ticks[1].value, Value(Ms(2021, 6, 14, 16, 0, 0, 2), origin));
    // No formatter: ISO dates.
    const chart::CalendarTicks plain(kOrigin, chart::DateFormatter());
    EXPECT_EQ(LabelsOf(plain.Make(Value(Ms(2021, 1, 30, 0, 0, 0, 1)), Value(Ms(2021, 2, 1, 0, 0, 0, 1)), 3)),
              (Labels{"2021-01-30", "2021-01-31", "2021-02-01"}));
}

TEST_F(CalendarTicksTest, ExtremeRangesGiveFewTicksAndReturn)
{
    const double kMax = DBL_MAX;
    const std::vector<std::pair<double, double>> ranges = {
        {-kMax, kMax},         {0, kMax},          {-kMax, 0},
        {1e300, 2e300},        {-2e300, -1e300},   {0, 1e-12},
        {1e9, 1e9 + 1e-6},     {-1e6, 1e6},        {-800000, -700000},
        {2900000, 3000000},    {2914000, 2915000}, {-25000, -20000},
        {-1e10, 1e10},         {1e10, 1e10 + 1},   {-1e12, -1e12 + 1},
        {0, 1.0 / 86400 / 2},  {0, 3.0 / 86400},   {-18628.0 - 1e-9, -18628.0 + 1e-9},
        {2913000.0, 2915000.0}}; // 9999 .. 10001
    const std::vector<int64_t> origins = {kOrigin, 0, std::numeric_limits<int64_t>::max(),
                                          std::numeric_limits<int64_t>::min(), -62135596800000};
    for (const char* zone : {"Europe/Berlin", "UTC", "Asia/Kathmandu", "America/Sao_Paulo"}) {
        WithTimeZone tz(zone);
        for (int64_t origin : origins) {
            const chart::CalendarTicks calendar(origin,
                                                [](const wxDateTime& d) { return d.Format("%Y-%m-%d"); });
            for (const auto& range : ranges) {
                for (int target : {-5, 1, 5, 8, 100}) {
                    SCOPED_TRACE(std::string(zone) + " " + std::to_string(origin) + " " +
                                 std::to_string(range.first) + " .. " + std::to_string(range.second) +
                                 " for " + std::to_string(target));
                    const std::vector<chart::Tick> ticks = calendar.Make(range.first, range.second, target);
                    ASSERT_LE(ticks.size(), 8u);
                    for (size_t i = 0; i < ticks.size(); ++i) {
                        EXPECT_GE(ticks[i].value, range.first);
                        EXPECT_LE(ticks[i].value, range.second);
                        EXPECT_FALSE(ticks[i].label.empty());
                        if (i > 0) {
                            EXPECT_GT(ticks[i].value, ticks[i - 1].value);
                        }
                    }
                }
            }
        }
    }
    // Far from now, ranges still get ticks.
    EXPECT_GE(Calendar().Make(-1e6, 1e6, 5).size(), 3u);        // 3500 BC .. 7800 AD
    EXPECT_GE(Calendar().Make(2900000, 3000000, 5).size(), 3u); // beyond 9999
    EXPECT_GE(Calendar().Make(-30000, -29999, 5).size(), 3u);   // 1938
    EXPECT_EQ(
        LabelsOf(Calendar().Make(Value(Ms(9999, 6, 1, 0, 0, 0, 2)), Value(Ms(10001, 6, 1, 0, 0, 0, 2)), 4)),
        (Labels{"9999-07-01", "10000-01-01", "10000-07-01", "10001-01-01"}));
    // Unusable ranges: nothing.
    EXPECT_TRUE(Calendar().Make(1, 1, 5).empty());
    EXPECT_TRUE(Calendar().Make(2, 1, 5).empty());
    EXPECT_TRUE(Calendar().Make(std::nan(""), 1, 5).empty());
    EXPECT_TRUE(Calendar().Make(0, std::numeric_limits<double>::infinity(), 5).empty());
}
