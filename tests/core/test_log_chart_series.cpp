// The point series a chart view plots from a node log.
#include "log_words.h"
#include "time_zone.h"

#include "core/LogSeries.h"
#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <wx/utils.h>

#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

LogRecord Record(uint32_t date, uint32_t time, uint32_t seed)
{
    LogRecord r{};
    r[kLogDate] = date;
    r[kLogTime] = time;
    r[kLogEc1] = 1000 + seed;
    r[kLogEc2] = 0xFFFFFFFFu - seed;
    r[kLogPh1] = FloatToWord(0.5f + static_cast<float>(seed));
    r[kLogPh2] = FloatToWord(6.25f);
    r[kLogTe1] = FloatToWord(-4.5f);
    r[kLogTe2] = FloatToWord(21.0f + static_cast<float>(seed));
    return r;
}

} // namespace

TEST(LogSeries, TimeInDaysSinceTheFirstRecordAndValuesAsStored)
{
    const std::vector<LogRecord> log = {Record(LogDate(2012, 12, 31), LogTime(0, 0, 0), 0),
                                        Record(LogDate(2012, 12, 31), LogTime(12, 0, 0), 1),
                                        Record(LogDate(2013, 1, 1), LogTime(0, 0, 0), 2)};
    LogSeries series;
    ASSERT_TRUE(series.Fill(log.data(), 3).Whole());
    EXPECT_EQ(series.Count(), 3u);
    EXPECT_EQ(series.FilledCount(), 3u);
    EXPECT_EQ(series.Stop(), LogSpanStop::None);
    const double xs[] = {0.0, 0.5, 1.0};
    for (size_t i = 0; i < 3; ++i)
        EXPECT_DOUBLE_EQ(series.Days()[i], xs[i]) << "point " << i;
    EXPECT_EQ(series.SharedDays().get(), series.Days()) << "one time column for every channel";
    std::shared_ptr<const double[]> y[kLogChannelCount];
    for (int k = 0; k < kLogChannelCount; ++k) {
        y[k] = series.ChannelValues(log.data(), k);
        ASSERT_TRUE(y[k]) << "channel " << k;
    }
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(y[0][i], 1000.0 + i);
        EXPECT_EQ(y[1][i], 4294967295.0 - i) << "EC is unsigned";
        EXPECT_EQ(y[2][i], 0.5 + i) << "no PH range rule on the chart";
        EXPECT_EQ(y[3][i], 6.25);
        EXPECT_EQ(y[4][i], -4.5);
        EXPECT_EQ(y[5][i], 21.0 + i);
    }
    for (int k = 0; k < kLogChannelCount; ++k)
        EXPECT_EQ(LogChannelValue(log[1], k), y[k][1]);
    EXPECT_FALSE(series.ChannelValues(log.data(), 6)) << "no such channel";
    EXPECT_FALSE(series.ChannelValues(log.data(), -1)) << "no such channel";
}

TEST(LogSeries, OneRecordIsOnePointAtZero)
{
    const LogRecord r = Record(LogDate(2020, 2, 29), LogTime(23, 59, 59), 5);
    LogSeries series;
    ASSERT_TRUE(series.Fill(&r, 1).Whole());
    EXPECT_EQ(series.FilledCount(), 1u);
    EXPECT_EQ(series.Days()[0], 0.0);
    EXPECT_EQ(series.ChannelValues(&r, 0)[0], 1005.0);
}

TEST(LogSeries, RecordsOutsideTheSpanStopTheFill)
{
    const uint32_t day = LogDate(2021, 6, 1);
    // Middle records may be out of order among themselves; equal times are fine.
    const std::vector<LogRecord> ok = {Record(day, LogTime(1, 0, 0), 0), Record(day, LogTime(5, 0, 0), 1),
                                       Record(day, LogTime(3, 0, 0), 2), Record(day, LogTime(5, 0, 0), 3),
                                       Record(day, LogTime(6, 0, 0), 4), Record(day, LogTime(6, 0, 0), 5)};
    LogSeries series;
    EXPECT_TRUE(series.Fill(ok.data(), static_cast<uint32_t>(ok.size())).Whole());
    EXPECT_EQ(series.FilledCount(), 6u);

    struct Case {
        const char* what;
        std::vector<LogRecord> log;
        LogSpanStop stop;
        uint32_t filled;
    };
    const Case cases[] = {
        {"earlier than the first",
         {Record(day, LogTime(1, 0, 0), 0), Record(day, LogTime(2, 0, 0), 1),
          Record(day, LogTime(0, 59, 59), 2), Record(day, LogTime(3, 0, 0), 3)},
         LogSpanStop::OutOfSpan,
         2},
        {"later than the last",
         {Record(day, LogTime(1, 0, 0), 0), Record(LogDate(2021, 6, 2), LogTime(0, 0, 0), 1),
          Record(day, LogTime(3, 0, 0), 2)},
         LogSpanStop::OutOfSpan,
         1},
        {"last before first",
         {Record(day, LogTime(4, 0, 0), 0), Record(day, LogTime(3, 0, 0), 1)},
         LogSpanStop::OutOfSpan,
         0},
        {"invalid date in the middle",
         {Record(day, LogTime(1, 0, 0), 0), Record(day, LogTime(2, 0, 0), 1),
          Record(LogDate(2021, 13, 1), LogTime(2, 0, 0), 2), Record(day, LogTime(3, 0, 0), 3)},
         LogSpanStop::InvalidDateTime,
         2},
        {"invalid time in the middle",
         {Record(day, LogTime(1, 0, 0), 0), Record(day, LogTime(1, 60, 0), 1),
          Record(day, LogTime(3, 0, 0), 2)},
         LogSpanStop::InvalidDateTime,
         1},
        {"invalid single record",
         {Record(LogDate(0, 0, 0), LogTime(0, 0, 0), 0)},
         LogSpanStop::InvalidDateTime,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LogSeries s;
        const LogFill fill = s.Fill(c.log.data(), static_cast<uint32_t>(c.log.size()));
        EXPECT_EQ(fill.stop, c.stop);
        EXPECT_EQ(fill.filled, c.filled);
        EXPECT_EQ(s.Stop(), c.stop);
        EXPECT_EQ(s.FilledCount(), c.filled);
        EXPECT_EQ(s.StopIndex(), c.filled);
        EXPECT_EQ(s.Count(), c.log.size());
        if (s.FilledCount() == 0) {
            EXPECT_EQ(s.Days(), nullptr);
            EXPECT_FALSE(s.ChannelValues(c.log.data(), 5));
        }
        const std::shared_ptr<const double[]> te2 = s.ChannelValues(c.log.data(), 5);
        for (uint32_t i = 0; i < s.FilledCount(); ++i)
            EXPECT_EQ(te2[i], 21.0 + i) << "filled points keep their values";
    }
}

TEST(LogSeries, ALongLogStopsAtItsFirstBadRecordWhereverItLies)
{
    // Five months a minute apart: long enough to be filled in parts side by
    // side. Its first bad records lie deep inside it; the earliest one stops
    // the fill, however the records are shared out.
    const WithTimeZone utc("UTC");
    std::vector<LogRecord> log;
    const int monthDays[] = {31, 28, 31, 30, 31, 30}; // January to June 2021
    for (int i = 0, month = 0, day = 0; i < 200000; ++i) {
        if (i > 0 && i % 1440 == 0 && ++day == monthDays[month]) {
            day = 0;
            ++month;
        }
        log.push_back(Record(LogDate(2021, month + 1, day + 1), LogTime(i / 60 % 24, i % 60, 0), 0));
    }
    ASSERT_EQ(log.back()[kLogDate], LogDate(2021, 5, 19));
    LogSeries series;
    ASSERT_TRUE(series.Fill(log.data(), 200000).Whole());
    EXPECT_EQ(series.Days()[1440], 1.0);
    EXPECT_DOUBLE_EQ(series.Days()[199999], 199999.0 / 1440);

    log[170000][kLogTime] = LogTime(25, 0, 0);
    EXPECT_EQ(series.Fill(log.data(), 200000).stop, LogSpanStop::InvalidDateTime);
    EXPECT_EQ(series.FilledCount(), 170000u);
    EXPECT_DOUBLE_EQ(series.Days()[169999], 169999.0 / 1440);

    log[120001][kLogDate] = LogDate(2030, 1, 1);
    const LogFill fill = series.Fill(log.data(), 200000);
    EXPECT_EQ(fill.stop, LogSpanStop::OutOfSpan);
    EXPECT_EQ(fill.filled, 120001u);
    EXPECT_EQ(series.StopIndex(), 120001u);

    log[3][kLogTime] = LogTime(0, 61, 0);
    EXPECT_EQ(series.Fill(log.data(), 200000).stop, LogSpanStop::InvalidDateTime);
    EXPECT_EQ(series.FilledCount(), 3u);
}

TEST(LogSeries, FastTimeDecodingMatchesTheToolkitEverywhere)
{
    // Across daylight saving changes (a missing and a repeated hour), far
    // years, and invalid fields, the per-hour cache gives what a full
    // conversion of every record gives.
    for (const char* zone : {"UTC0", "Europe/Berlin", "America/New_York", "Australia/Lord_Howe"}) {
        SCOPED_TRACE(zone);
        WithTimeZone tz(zone);
        LogTimeDecoder decoder;
        std::vector<std::pair<uint32_t, uint32_t>> words;
        for (uint32_t date :
             {LogDate(2021, 3, 28), LogDate(2021, 10, 31), LogDate(2021, 3, 14), LogDate(2021, 11, 7),
              LogDate(2021, 4, 4), LogDate(2021, 10, 3), LogDate(1969, 12, 31), LogDate(2200, 7, 4),
              LogDate(2021, 2, 29), LogDate(2021, 0, 1)})
            for (int hour = 0; hour <= 24; ++hour)
                for (int minute : {0, 1, 29, 30, 59, 60})
                    for (int second : {0, 30, 59, 61})
                        words.emplace_back(date, LogTime(hour, minute, second) | 0xAB000000u);
        for (const auto& [date, time] : words) {
            int64_t direct = 0, fast = 0;
            const bool directOk = LogRecordTime(date, time, direct);
            ASSERT_EQ(decoder.Decode(date, time, fast), directOk) << std::hex << date << " " << time;
            if (directOk) {
                ASSERT_EQ(fast, direct) << std::hex << date << " " << time;
            }
        }
    }
}

TEST(LogSeries, FastTimeDecodingMatchesTheToolkitDayAfterDay)
{
    // A record every 7 min 13 s through a whole year and across the ends of
    // the years the C library converts, as a long log gives them, in zones
    // with whole-hour, half-hour and southern changes.
    for (const char* zone : {"Europe/Berlin", "America/New_York", "Australia/Lord_Howe", "Asia/Kolkata"}) {
        SCOPED_TRACE(zone);
        WithTimeZone tz(zone);
        for (const auto& [from, days] :
             {std::pair<wxDateTime, int>{wxDateTime(1, wxDateTime::Jan, 2021), 366},
              {wxDateTime(28, wxDateTime::Dec, 1970), 8},
              {wxDateTime(28, wxDateTime::Dec, 2036), 8}}) {
            LogTimeDecoder decoder;
            for (int64_t s = 0; s < int64_t{days} * 86400; s += 433) {
                const wxDateTime t = from + wxTimeSpan::Seconds(s);
                const uint32_t date = LogDate(t.GetYear(), t.GetMonth() + 1, t.GetDay());
                const uint32_t time = LogTime(t.GetHour(), t.GetMinute(), t.GetSecond());
                int64_t direct = 0, fast = 0;
                const bool directOk = LogRecordTime(date, time, direct);
                ASSERT_EQ(decoder.Decode(date, time, fast), directOk) << t.FormatISOCombined().utf8_string();
                if (directOk) {
                    ASSERT_EQ(fast, direct) << t.FormatISOCombined().utf8_string();
                }
            }
        }
    }
}

TEST(LogSeries, FarYearsKeepTheirOrder)
{
    const std::vector<LogRecord> log = {Record(LogDate(0, 1, 1), LogTime(0, 0, 0), 0),
                                        Record(LogDate(1969, 12, 31), LogTime(23, 59, 59), 1),
                                        Record(LogDate(2038, 1, 19), LogTime(3, 14, 8), 2),
                                        Record(LogDate(65535, 12, 31), LogTime(23, 59, 59), 3)};
    LogSeries series;
    ASSERT_TRUE(series.Fill(log.data(), 4).Whole());
    for (uint32_t i = 1; i < 4; ++i)
        EXPECT_GT(series.Days()[i], series.Days()[i - 1]) << i;
}

TEST(LogSeries, RefillAndRelease)
{
    const std::vector<LogRecord> two = {Record(LogDate(2021, 1, 1), LogTime(0, 0, 0), 0),
                                        Record(LogDate(2021, 1, 2), LogTime(6, 0, 0), 1)};
    LogSeries series;
    ASSERT_TRUE(series.Fill(two.data(), 2).Whole());
    EXPECT_DOUBLE_EQ(series.Days()[1], 1.25);
    series.Release();
    EXPECT_EQ(series.Days(), nullptr);
    EXPECT_EQ(series.FilledCount(), 0u);
    ASSERT_TRUE(series.Fill(two.data(), 1).Whole());
    EXPECT_EQ(series.FilledCount(), 1u);
}
