// The log summary: each channel's figures over the records in view and how
// they kept to their band, and the whole log's span, interval and gaps.
#include "core/LogSummary.h"
#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace {

constexpr uint32_t kNoReading = 0xFFFFFFFFu;

// A record of 2 January 2025 at secondsIntoDay.
LogRecord At(uint32_t secondsIntoDay)
{
    LogRecord r{};
    const uint32_t day = 2 + secondsIntoDay / 86400;
    const uint32_t s = secondsIntoDay % 86400;
    r[kLogDate] = 1u | day << 8 | 2025u << 16;
    r[kLogTime] = (s / 3600) | ((s / 60) % 60) << 8 | (s % 60) << 16;
    return r;
}

struct Log {
    std::vector<LogRecord> records;
    LogSeries series;

    void Fill() { ASSERT_TRUE(series.Fill(records.data(), static_cast<uint32_t>(records.size())).Whole()); }
    double Day(size_t i) const { return series.Days()[i]; }
    LogSummary Summarise(double lo, double hi, const bool (&wanted)[kLogChannelCount],
                         const LogTargets* targets) const
    {
        return SummariseLog(records.data(), series.Days(), series.FilledCount(), series.FirstTimeMs(), lo, hi,
                            wanted, targets);
    }
};

// EC1 every ten minutes from 10:00 against a band of 1500 +/- 100:
//   index  0    1    2    3    4    5    6    7    8    9
//   EC1  1500 1650 1700 1550 1380 1390 1350 1500 1700 (none)
// Excursions: 1-2 (back at 3, 20 min), 4-6 (back at 7, 30 min, furthest
// 1350), 8 (never back: 0 min; the missing reading after it is skipped).
Log BandLog()
{
    const uint32_t ec[] = {1500, 1650, 1700, 1550, 1380, 1390, 1350, 1500, 1700, kNoReading};
    Log log;
    for (uint32_t i = 0; i < 10; ++i) {
        LogRecord r = At(36000 + 600 * i);
        r[kLogEc1] = ec[i];
        r[kLogTe1] = FloatToWord(20.0f + 0.5f * static_cast<float>(i));
        log.records.push_back(r);
    }
    return log;
}

LogTargets Band()
{
    NodeConfig c;
    c[kIndexOperationMode] = kModeDualChannelDualEnv;
    c[kIndexEc1Target] = 1500;
    c[kIndexEc1Tolerance] = 100;
    c[kIndexPh1Target] = FloatToWord(6.2f);
    c[kIndexPh1Tolerance] = FloatToWord(0.2f);
    LogTargets t;
    t.SetProfile(c);
    return t;
}

constexpr bool kEc1AndTe1[kLogChannelCount] = {true, false, false, false, true, false};

} // namespace

TEST(LogSummary, ChannelFiguresAndExcursions)
{
    Log log = BandLog();
    log.Fill();
    const LogTargets targets = Band();
    const LogSummary s = log.Summarise(-1, 1, kEc1AndTe1, &targets);
    EXPECT_EQ(s.inView, 10u);

    const ChannelSummary& ec = s.channels[0];
    ASSERT_TRUE(ec.any);
    EXPECT_EQ(ec.lowest, 1350);
    EXPECT_EQ(ec.lowestIndex, 6u);
    EXPECT_EQ(ec.highest, 1700);
    EXPECT_EQ(ec.highestIndex, 2u); // the first of the two
    EXPECT_NEAR(ec.mean, 13720.0 / 9, 1e-9);
    EXPECT_EQ(ec.last, 1700);
    EXPECT_EQ(ec.lastIndex, 8u);
    EXPECT_TRUE(ec.banded);
    EXPECT_NEAR(ec.insideShare, 3.0 / 9, 1e-12);
    EXPECT_EQ(ec.excursions, 3u);
    EXPECT_EQ(ec.longestStart, 4u);
    EXPECT_EQ(ec.longestMs, 30 * 60 * 1000);
    EXPECT_EQ(ec.furthest, 1350);

    // Temperatures have figures but never a band; channels not wanted nothing.
    const ChannelSummary& te = s.channels[4];
    ASSERT_TRUE(te.any);
    EXPECT_NEAR(te.lowest, 20.0, 1e-6);
    EXPECT_NEAR(te.highest, 24.5, 1e-6);
    EXPECT_EQ(te.highestIndex, 9u);
    EXPECT_NEAR(te.mean, 22.25, 1e-6);
    EXPECT_FALSE(te.banded);
    EXPECT_EQ(te.excursions, 0u);
    EXPECT_FALSE(s.channels[1].any);
    EXPECT_FALSE(s.channels[2].any);

    // Without targets: the same figures, no band.
    const LogSummary plain = log.Summarise(-1, 1, kEc1AndTe1, nullptr);
    EXPECT_EQ(plain.channels[0].lowest, 1350);
    EXPECT_FALSE(plain.channels[0].banded);
    EXPECT_EQ(plain.channels[0].excursions, 0u);
}

TEST(LogSummary, ViewRange)
{
    Log log = BandLog();
    log.Fill();
    const LogTargets targets = Band();
    // Records 3 to 6: the view's excursion never comes back inside it.
    const LogSummary s = log.Summarise(log.Day(3), log.Day(6), kEc1AndTe1, &targets);
    EXPECT_EQ(s.inView, 4u);
    const ChannelSummary& ec = s.channels[0];
    EXPECT_EQ(ec.lowest, 1350);
    EXPECT_EQ(ec.lowestIndex, 6u);
    EXPECT_EQ(ec.highest, 1550);
    EXPECT_EQ(ec.highestIndex, 3u);
    EXPECT_EQ(ec.last, 1350);
    EXPECT_NEAR(ec.insideShare, 0.25, 1e-12);
    EXPECT_EQ(ec.excursions, 1u);
    EXPECT_EQ(ec.longestStart, 4u);
    EXPECT_EQ(ec.longestMs, 20 * 60 * 1000);
    EXPECT_EQ(ec.furthest, 1350);
    // The log-wide part is over every record whatever the view.
    EXPECT_EQ(s.log.count, 10u);
    EXPECT_EQ(s.log.lastIndex, 9u);

    // A view between records holds none of them.
    const LogSummary empty = log.Summarise(log.Day(3) + 1e-6, log.Day(4) - 1e-6, kEc1AndTe1, &targets);
    EXPECT_EQ(empty.inView, 0u);
    EXPECT_FALSE(empty.channels[0].any);
    EXPECT_FALSE(empty.channels[0].banded);
}

TEST(LogSummary, ScheduledDayChangesTheBandMidLog)
{
    // Two days of EC 1650 at noon and 13:00; 3 January's schedule moves the
    // target to 1600, which holds 1650.
    Log log;
    for (uint32_t s : {43200u, 46800u, 86400u + 43200u, 86400u + 46800u}) {
        LogRecord r = At(s);
        r[kLogEc1] = 1650;
        log.records.push_back(r);
    }
    log.Fill();
    LogTargets targets = Band();
    ScheduleEntry e;
    e.date() = 1u | 3u << 8 | 2025u << 16;
    e.targetEc() = 1600;
    e.targetPh() = FloatToWord(6.0f);
    targets.SetSchedule(1, {e});
    const LogSummary s = log.Summarise(-1, 2, kEc1AndTe1, &targets);
    const ChannelSummary& ec = s.channels[0];
    EXPECT_NEAR(ec.insideShare, 0.5, 1e-12);
    EXPECT_EQ(ec.excursions, 1u);
    EXPECT_EQ(ec.longestStart, 0u);
    // Out from noon on the 2nd until the first record back inside, noon on the 3rd.
    EXPECT_EQ(ec.longestMs, 24 * 3600 * 1000);
    EXPECT_EQ(ec.furthest, 1650);
}

TEST(LogSummary, GapsOutOfOrderAndUsualInterval)
{
    // Steps: 60 60 60 60 s, a 2 h gap, 60 s, one record 120 s back, 180 s,
    // a 15 min gap. Positive steps 60 x5, 180, 900, 7200: the median is 60 s.
    Log log;
    for (uint32_t s : {0u, 60u, 120u, 180u, 240u, 7440u, 7500u, 7380u, 7560u, 8460u})
        log.records.push_back(At(36000 + s));
    log.Fill();
    const LogSummary s = log.Summarise(-1, 1, kEc1AndTe1, nullptr);
    EXPECT_EQ(s.log.count, 10u);
    EXPECT_EQ(s.log.firstIndex, 0u);
    EXPECT_EQ(s.log.lastIndex, 9u);
    EXPECT_EQ(s.log.usualIntervalMs, 60000);
    EXPECT_EQ(s.log.gaps, 2u);
    EXPECT_EQ(s.log.longestGapMs, 7200000);
    EXPECT_EQ(s.log.longestGapStart, 4u);
    EXPECT_EQ(s.log.outOfOrder, 1u);
    // Out of order, the view is found record by record: 7380 s to 7500 s
    // holds records 5, 6 and 7, and up to 7560 s record 8 too.
    const LogSummary view = log.Summarise(log.Day(7), log.Day(6), kEc1AndTe1, nullptr);
    EXPECT_EQ(view.inView, 3u);
    EXPECT_EQ(view.channels[0].lastIndex, 7u);
    const LogSummary view2 = log.Summarise(log.Day(7), log.Day(8), kEc1AndTe1, nullptr);
    EXPECT_EQ(view2.inView, 4u);
}

TEST(LogSummary, UsualIntervalOfJitteredAndOfScatteredSteps)
{
    // 59 60 61 60 60 61: of six steps the lower middle one, 60 s.
    Log jitter;
    uint32_t t = 0;
    jitter.records.push_back(At(t));
    for (uint32_t step : {59u, 60u, 61u, 60u, 60u, 61u})
        jitter.records.push_back(At(t += step));
    jitter.Fill();
    const LogSummary a = jitter.Summarise(-1, 1, kEc1AndTe1, nullptr);
    EXPECT_EQ(a.log.usualIntervalMs, 60000);
    EXPECT_EQ(a.log.gaps, 0u);

    // 101 different steps of 1 to 101 s, shuffled, and a repeated time: 51 s.
    std::vector<uint32_t> steps(101);
    std::iota(steps.begin(), steps.end(), 1u);
    std::shuffle(steps.begin(), steps.end(), std::mt19937(7));
    Log scattered;
    t = 0;
    scattered.records.push_back(At(t));
    scattered.records.push_back(At(t));
    for (uint32_t step : steps)
        scattered.records.push_back(At(t += step));
    scattered.Fill();
    const LogSummary b = scattered.Summarise(-1, 1, kEc1AndTe1, nullptr);
    EXPECT_EQ(b.log.usualIntervalMs, 51000);
    EXPECT_EQ(b.log.outOfOrder, 0u);
}

TEST(LogSummary, Durations)
{
    EXPECT_EQ(DurationText(45000), "45 s");
    EXPECT_EQ(DurationText(0), "0 s");
    EXPECT_EQ(DurationText(12 * 60000 + 5000), "12 min 05 s");
    EXPECT_EQ(DurationText(30 * 60000), "30 min");
    EXPECT_EQ(DurationText(2 * 3600000 + 5 * 60000 + 59000), "2 h 05 min");
    EXPECT_EQ(DurationText(3 * 86400000LL + 4 * 3600000 + 59 * 60000), "3 d 4 h");
}

TEST(LogSummary, Text)
{
    Log log = BandLog();
    log.Fill();
    const LogTargets targets = Band();
    const LogSummary s = log.Summarise(-1, 1, kEc1AndTe1, &targets);
    const wxString text = SummaryText(s, log.records.data(), kEc1AndTe1, &targets);
    EXPECT_EQ(text, wxString::FromUTF8(
                        "Records in view: 10\n"
                        "\n"
                        "EC Channel 1 (target 1500 \xC2\xB1 100)\n"
                        "  Lowest: 1350 at 01/02/2025 11:00:00\n"
                        "  Highest: 1700 at 01/02/2025 10:20:00\n"
                        "  Mean: 1524\n"
                        "  Last: 1700 at 01/02/2025 11:20:00\n"
                        "  Inside the band: 33.3% of readings\n"
                        "  Excursions: 3; longest from 01/02/2025 10:40:00 for 30 min, furthest 1350\n"
                        "\n"
                        "TE Channel 1\n"
                        "  Lowest: 20.00 at 01/02/2025 10:00:00\n"
                        "  Highest: 24.50 at 01/02/2025 11:30:00\n"
                        "  Mean: 22.25\n"
                        "  Last: 24.50 at 01/02/2025 11:30:00\n"
                        "\n"
                        "Whole log\n"
                        "  Records: 10, 01/02/2025 10:00:00 to 01/02/2025 11:30:00\n"
                        "  Usual interval: 10 min\n"
                        "  Gaps (over 10 intervals): none\n"
                        "  Records out of order: 0\n"));

    // A view without records, a PH channel not adjusted, and gaps.
    Log gaps;
    for (uint32_t t : {0u, 60u, 120u, 180u, 240u, 7440u, 7500u, 7380u, 7560u, 8460u})
        gaps.records.push_back(At(36000 + t));
    gaps.Fill();
    constexpr bool ph2[kLogChannelCount] = {false, false, false, true, false, false};
    const LogSummary g = gaps.Summarise(5, 6, ph2, &targets);
    EXPECT_EQ(SummaryText(g, gaps.records.data(), ph2, &targets),
              "Records in view: 0\n"
              "\n"
              "PH Channel 2\n"
              "  No readings in view\n"
              "\n"
              "Whole log\n"
              "  Records: 10, 01/02/2025 10:00:00 to 01/02/2025 12:21:00\n"
              "  Usual interval: 1 min\n"
              "  Gaps (over 10 intervals): 2; longest 2 h 00 min from 01/02/2025 10:04:00\n"
              "  Records out of order: 1\n");
}
