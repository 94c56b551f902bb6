// A log whose first or last records have no real date or time: the chart
// spans the records that have one, and its note and title tell the truth.
#include "log_words.h"
#include "time_zone.h"

#include "core/LogSeries.h"
#include "core/LogSpan.h"
#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// EC 1 reads 1000 + n, so a point shows which record it came from.
LogRecord Record(uint32_t date, uint32_t time, uint32_t n)
{
    LogRecord r{};
    r[kLogDate] = date;
    r[kLogTime] = time;
    r[kLogEc1] = 1000 + n;
    r[kLogPh1] = FloatToWord(6.0f + 0.25f * static_cast<float>(n));
    return r;
}

const uint32_t kDec31 = LogDate(2012, 12, 31), kJan1 = LogDate(2013, 1, 1);

struct Case {
    const char* what;
    std::vector<LogRecord> log;
    int32_t result;
    std::vector<double> days; // the points' x
    std::vector<double> ec1;  // and their EC 1 values
    std::vector<double> ph1;  // and PH 1
    const char* note;
    const char* dates;
};

} // namespace

TEST(LogSpan, RecordsWithoutARealDateOrTimeAtTheEndsAreLeftOut)
{
    const WithTimeZone utc("UTC");
    const LogRecord evening = Record(kDec31, LogTime(18, 0, 0), 1);
    const LogRecord morning = Record(kJan1, LogTime(6, 0, 0), 2);
    const LogRecord noon = Record(kJan1, LogTime(12, 0, 0), 3);
    const Case cases[] = {
        {"last record at hour 25",
         {evening, morning, Record(kJan1, LogTime(25, 0, 0), 9)},
         0,
         {0.0, 0.5},
         {1001, 1002},
         {6.25, 6.5},
         "1 record has no valid date or time and is not plotted",
         "12/31/12 - 01/01/13"},
        {"last record in month 13",
         {evening, morning, noon, Record(LogDate(2013, 13, 1), LogTime(7, 0, 0), 9)},
         0,
         {0.0, 0.5, 0.75},
         {1001, 1002, 1003},
         {6.25, 6.5, 6.75},
         "1 record has no valid date or time and is not plotted",
         "12/31/12 - 01/01/13"},
        {"first record in month 0",
         {Record(LogDate(2012, 0, 31), LogTime(1, 0, 0), 9), evening, morning},
         0,
         {0.0, 0.5},
         {1001, 1002},
         {6.25, 6.5},
         "1 record has no valid date or time and is not plotted",
         "12/31/12 - 01/01/13"},
        {"first on day 40, last at minute 61",
         {Record(LogDate(2012, 12, 40), LogTime(1, 0, 0), 8), evening, morning, noon,
          Record(kJan1, LogTime(13, 61, 0), 9)},
         0,
         {0.0, 0.5, 0.75},
         {1001, 1002, 1003},
         {6.25, 6.5, 6.75},
         "2 records have no valid date or time and are not plotted",
         "12/31/12 - 01/01/13"},
        {"two at each end, one good record between",
         {Record(LogDate(2013, 13, 1), LogTime(1, 0, 0), 6), Record(kJan1, LogTime(25, 0, 0), 7), morning,
          Record(LogDate(2013, 1, 40), LogTime(1, 0, 0), 8),
          Record(LogDate(2013, 0, 1), LogTime(1, 0, 0), 9)},
         0,
         {0.0},
         {1002},
         {6.5},
         "4 records have no valid date or time and are not plotted",
         "01/01/13"},
        {"ends and the middle invalid: the middle one stops the plot",
         {Record(kDec31, LogTime(25, 0, 0), 7), evening, Record(LogDate(2013, 13, 1), LogTime(1, 0, 0), 8),
          morning, Record(kJan1, LogTime(6, 61, 0), 9)},
         -1,
         {0.0},
         {1001},
         {6.25},
         "1 of 5 records shown: record 3 has an invalid date or time; "
         "2 records have no valid date or time and are not plotted",
         "12/31/12 - 01/01/13"},
        {"first invalid, a later one outside the span of the valid ones",
         {Record(LogDate(2012, 0, 1), LogTime(1, 0, 0), 7), evening, noon, morning},
         -1,
         {0.0},
         {1001},
         {6.25},
         "1 of 4 records shown: record 3 is outside the time span of the first and last record with a valid "
         "date and time; 1 record has no valid date or time and is not plotted",
         "12/31/12 - 01/01/13"},
        {"only record at minute 61",
         {Record(kDec31, LogTime(1, 61, 0), 9)},
         -1,
         {},
         {},
         {},
         "0 of 1 records shown: no record has a valid date and time",
         ""},
        {"no record valid",
         {Record(LogDate(2012, 13, 1), LogTime(1, 0, 0), 7), Record(kDec31, LogTime(25, 0, 0), 8),
          Record(LogDate(2012, 12, 40), LogTime(1, 0, 0), 9)},
         -1,
         {},
         {},
         {},
         "0 of 3 records shown: no record has a valid date and time",
         ""},
        {"an invalid record in the middle only",
         {evening, Record(kJan1, LogTime(25, 0, 0), 9), morning},
         -1,
         {0.0},
         {1001},
         {6.25},
         "1 of 3 records shown: record 2 has an invalid date or time",
         "12/31/12 - 01/01/13"},
        {"every record valid",
         {evening, morning},
         0,
         {0.0, 0.5},
         {1001, 1002},
         {6.25, 6.5},
         "",
         "12/31/12 - 01/01/13"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto count = static_cast<uint32_t>(c.log.size());
        LogSeries series;
        EXPECT_EQ(series.Fill(c.log.data(), count).Whole() ? 0 : -1, c.result);
        ASSERT_EQ(series.FilledCount(), c.days.size());
        std::vector<double> days, ec1, ph1;
        const auto ec = series.ChannelValues(c.log.data(), 0);
        const auto ph = series.ChannelValues(c.log.data(), 2);
        for (uint32_t i = 0; i < series.FilledCount(); ++i) {
            days.push_back(series.Days()[i]);
            ec1.push_back(ec[i]);
            ph1.push_back(ph[i]);
        }
        EXPECT_EQ(days, c.days);
        EXPECT_EQ(ec1, c.ec1);
        EXPECT_EQ(ph1, c.ph1);
        EXPECT_EQ(LogChartNote(series).utf8_string(), c.note);
        EXPECT_EQ(LogSpanDates(c.log.data(), count).utf8_string(), c.dates);
    }
}

TEST(LogSpan, TheSpanRunsFromTheFirstToTheLastRecordWithARealDateAndTime)
{
    const WithTimeZone utc("UTC");
    const std::vector<LogRecord> log = {
        Record(kDec31, LogTime(0, 60, 0), 0), Record(kDec31, LogTime(1, 0, 0), 1),
        Record(LogDate(2012, 2, 30), LogTime(1, 0, 0), 2), Record(kDec31, LogTime(2, 0, 0), 3),
        Record(kDec31, LogTime(2, 0, 60), 4)};
    const LogSpan span = FindLogSpan(log.data(), 5);
    EXPECT_EQ(span.begin, 1u);
    EXPECT_EQ(span.end, 4u) << "the invalid record in the middle does not end the span";
    EXPECT_EQ(span.firstMs, 1356915600000);
    EXPECT_EQ(span.lastMs, 1356919200000);
    LogSeries series;
    EXPECT_FALSE(series.Fill(log.data(), 5).Whole());
    EXPECT_EQ(series.Begin(), 1u);
    EXPECT_EQ(series.LeftOutCount(), 2u);
    EXPECT_EQ(series.FirstTimeMs(), 1356915600000);
    EXPECT_EQ(series.StopIndex(), 2u) << "record 3 in the file";

    EXPECT_TRUE(FindLogSpan(log.data(), 0).Empty());
    EXPECT_TRUE(FindLogSpan(log.data(), 1).Empty());
    const LogSpan one = FindLogSpan(log.data(), 3);
    EXPECT_EQ(one.begin, 1u);
    EXPECT_EQ(one.end, 2u);
    EXPECT_EQ(one.lastMs, one.firstMs);
}

TEST(LogSpan, TheNoteSaysWhenAChannelFoundNoMemory)
{
    const WithTimeZone utc("UTC");
    const LogRecord evening = Record(kDec31, LogTime(18, 0, 0), 1);
    const LogRecord morning = Record(kJan1, LogTime(6, 0, 0), 2);
    LogSeries series;
    std::vector<LogRecord> log = {evening, morning};
    ASSERT_TRUE(series.Fill(log.data(), 2).Whole());
    EXPECT_EQ(LogChartNote(series).utf8_string(), "");
    EXPECT_EQ(LogChartNote(series, true).utf8_string(),
              "Not enough memory to chart every channel of 2 records");
    log.push_back(Record(LogDate(2013, 13, 1), LogTime(6, 0, 0), 3));
    ASSERT_TRUE(series.Fill(log.data(), 3).Whole()) << "the span, records 1 and 2, is whole";
    EXPECT_EQ(
        LogChartNote(series, true).utf8_string(),
        "1 record has no valid date or time and is not plotted; Not enough memory to chart every channel of "
        "3 records");
}
