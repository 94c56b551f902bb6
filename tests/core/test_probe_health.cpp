#include "core/GrowTimeline.h"
#include "core/ProbeHealth.h"
#include "core/WordHelpers.h"

#include "log_words.h"
#include "time_zone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// One record a minute from 12:00 on 3 March 2025, every probe moving by its
// last digit as a working probe does: EC1 1500/1501, EC2 1400/1401, PH1
// 6.20/6.21, PH2 6.30/6.31, TE 20.0/20.1 and 21.0/21.1.
std::vector<LogRecord> MinuteLog(int minutes)
{
    std::vector<LogRecord> log(static_cast<size_t>(minutes));
    for (int i = 0; i < minutes; ++i) {
        LogRecord& r = log[static_cast<size_t>(i)];
        r.fill(0);
        const int odd = i % 2;
        r[kLogEc1] = static_cast<uint32_t>(1500 + odd);
        r[kLogEc2] = static_cast<uint32_t>(1400 + odd);
        r[kLogPh1] = FloatToWord(odd ? 6.21f : 6.2f);
        r[kLogPh2] = FloatToWord(odd ? 6.31f : 6.3f);
        r[kLogTe1] = FloatToWord(odd ? 20.1f : 20.0f);
        r[kLogTe2] = FloatToWord(odd ? 21.1f : 21.0f);
        r[kLogDate] = LogDate(2025, 3, 3);
        r[kLogTime] = LogTime(12 + i / 60, i % 60, 0);
    }
    return log;
}

int64_t Ms(wxDateTime::wxDateTime_t hour, wxDateTime::wxDateTime_t minute)
{
    return static_cast<int64_t>(wxDateTime(3, wxDateTime::Mar, 2025, hour, minute, 0).GetValue().GetValue());
}

std::vector<ProbeFinding> Only(const std::vector<ProbeFinding>& all, ProbeFindingKind kind)
{
    std::vector<ProbeFinding> out;
    for (const ProbeFinding& f : all)
        if (f.kind == kind)
            out.push_back(f);
    return out;
}

LogTargets Targets(uint32_t mode)
{
    NodeConfig c;
    c[kIndexOperationMode] = mode;
    c[kIndexEc1Target] = 1500;
    c[kIndexEc2Target] = 1400;
    c[kIndexPh1Target] = FloatToWord(6.2f);
    c[kIndexPh2Target] = FloatToWord(6.3f);
    c[kIndexEc1Tolerance] = 100;
    c[kIndexEc2Tolerance] = 50;
    c[kIndexPh1Tolerance] = FloatToWord(0.2f);
    c[kIndexPh2Tolerance] = FloatToWord(0.3f);
    LogTargets t;
    t.SetProfile(c);
    return t;
}

} // namespace

TEST(ProbeHealth, AHealthyLogHasNoFindings)
{
    const std::vector<LogRecord> log = MinuteLog(300);
    const LogTargets targets = Targets(kModeDualChannelSingleEnv);
    EXPECT_TRUE(FindProbeTrouble(log.data(), 300, &targets).empty());
    EXPECT_TRUE(FindProbeTrouble(nullptr, 0, &targets).empty());
}

TEST(ProbeHealth, StuckLongerThanTheThresholdWhileTheTwinMoves)
{
    WithTimeZone utc("UTC");
    std::vector<LogRecord> log = MinuteLog(300);
    for (int i = 10; i <= 69; ++i) // 59 minutes unchanged: fine
        log[i][kLogEc1] = 1555;
    for (int i = 100; i <= 161; ++i) // 61 minutes unchanged
        log[i][kLogEc1] = 1666;
    for (int i = 200; i <= 280; ++i) { // both probes unchanged: the water may just be still
        log[i][kLogTe1] = FloatToWord(19.5f);
        log[i][kLogTe2] = FloatToWord(19.5f);
    }
    const std::vector<ProbeFinding> stuck =
        Only(FindProbeTrouble(log.data(), 300, nullptr), ProbeFindingKind::Stuck);
    ASSERT_EQ(stuck.size(), 1u);
    EXPECT_EQ(stuck[0].channel, 0);
    EXPECT_EQ(stuck[0].fromMs, Ms(13, 40));
    EXPECT_EQ(stuck[0].toMs, Ms(14, 41));
    EXPECT_EQ(stuck[0].reason, "EC Channel 1 stuck at 1666 for 1 h 01 min while EC Channel 2 moved");
    EXPECT_TRUE(stuck[0].IsTrouble());

    // A lower threshold finds the 59 minutes too.
    ProbeThresholds t;
    t.stuckMs = 30 * 60 * 1000;
    EXPECT_EQ(Only(FindProbeTrouble(log.data(), 300, nullptr, t), ProbeFindingKind::Stuck).size(), 2u);
}

TEST(ProbeHealth, EcBelowTheThresholdOnlyWhereATargetIsHeld)
{
    WithTimeZone utc("UTC");
    std::vector<LogRecord> log = MinuteLog(120);
    for (int i = 30; i <= 39; ++i) {
        log[i][kLogEc1] = 99; // just below 100 uS
        log[i][kLogEc2] = 40;
    }
    log[50][kLogEc1] = 100; // at the threshold: fine

    const LogTargets single = Targets(kModeSingleChannel); // channel 2 holds no target
    const std::vector<ProbeFinding> low =
        Only(FindProbeTrouble(log.data(), 120, &single), ProbeFindingKind::LowEc);
    ASSERT_EQ(low.size(), 1u);
    EXPECT_EQ(low[0].channel, 0);
    EXPECT_EQ(low[0].fromMs, Ms(12, 30));
    EXPECT_EQ(low[0].toMs, Ms(12, 39));
    EXPECT_EQ(low[0].reason, "EC Channel 1 below 100 uS while its EC target is held");

    const LogTargets dual = Targets(kModeDualChannelDualEnv);
    EXPECT_EQ(Only(FindProbeTrouble(log.data(), 120, &dual), ProbeFindingKind::LowEc).size(), 2u);
    EXPECT_TRUE(Only(FindProbeTrouble(log.data(), 120, nullptr), ProbeFindingKind::LowEc).empty());
    const LogTargets passive = Targets(kModePassive);
    EXPECT_TRUE(Only(FindProbeTrouble(log.data(), 120, &passive), ProbeFindingKind::LowEc).empty());
}

TEST(ProbeHealth, ASpikeThatReturnsIsCountedAStepThatStaysIsNot)
{
    WithTimeZone utc("UTC");
    std::vector<LogRecord> log = MinuteLog(120);
    log[50][kLogPh1] = FloatToWord(9.0f); // one reading off, back the next minute
    for (int i = 80; i < 120; ++i)        // a new level that stays
        log[i][kLogEc2] = static_cast<uint32_t>(1900 + i % 2);
    log[20][kLogTe2] = FloatToWord(30.0f); // off for longer than five minutes
    for (int i = 21; i <= 26; ++i)
        log[i][kLogTe2] = FloatToWord(30.1f);

    const std::vector<ProbeFinding> all = FindProbeTrouble(log.data(), 120, nullptr);
    const std::vector<ProbeFinding> spikes = Only(all, ProbeFindingKind::Spike);
    ASSERT_EQ(spikes.size(), 1u);
    EXPECT_EQ(spikes[0].channel, 2);
    EXPECT_EQ(spikes[0].fromMs, Ms(12, 50));
    EXPECT_EQ(spikes[0].toMs, Ms(12, 50));
    EXPECT_EQ(spikes[0].reason, "PH Channel 1 spike to 9.00, back within 1 min");
    EXPECT_FALSE(spikes[0].IsTrouble());
}

TEST(ProbeHealth, DropoutsCountedWithTheirLongestRun)
{
    WithTimeZone utc("UTC");
    std::vector<LogRecord> log = MinuteLog(60);
    log[5][kLogEc2] = 0xFFFFFFFFu; // never measured
    for (int i = 20; i <= 22; ++i)
        log[i][kLogEc2] = 0xFFFFFFFFu;
    log[40][kLogPh2] = FloatToWord(std::nanf(""));
    log[41][kLogPh2] = FloatToWord(25.0f); // no PH there is

    const std::vector<ProbeFinding> drop =
        Only(FindProbeTrouble(log.data(), 60, nullptr), ProbeFindingKind::Dropouts);
    ASSERT_EQ(drop.size(), 2u);
    EXPECT_EQ(drop[0].channel, 1);
    EXPECT_EQ(drop[0].fromMs, Ms(12, 20));
    EXPECT_EQ(drop[0].toMs, Ms(12, 22));
    EXPECT_EQ(drop[0].reason, "EC Channel 2: 4 readings missing or impossible, the longest run 3 (2 min)");
    EXPECT_EQ(drop[1].channel, 3);
    EXPECT_EQ(drop[1].reason, "PH Channel 2: 2 readings missing or impossible, the longest run 2 (1 min)");
}

TEST(ProbeHealth, TwoProbesInOneReservoirApart)
{
    WithTimeZone utc("UTC");
    std::vector<LogRecord> log = MinuteLog(60);
    for (int i = 10; i <= 19; ++i)
        log[i][kLogEc2] = 1750;            // 250 uS from EC1: more than twice the larger tolerance (2 x 100)
    log[30][kLogPh2] = FloatToWord(6.75f); // 0.55 from PH1, under 2 x 0.3
    for (int i = 40; i <= 41; ++i)
        log[i][kLogPh2] = FloatToWord(6.9f); // 0.7 apart

    const LogTargets one = Targets(kModeDualChannelSingleEnv);
    const std::vector<ProbeFinding> apart =
        Only(FindProbeTrouble(log.data(), 60, &one), ProbeFindingKind::ChannelsDiffer);
    ASSERT_EQ(apart.size(), 2u);
    EXPECT_EQ(apart[0].channel, 0);
    EXPECT_EQ(apart[0].fromMs, Ms(12, 10));
    EXPECT_EQ(apart[0].toMs, Ms(12, 19));
    EXPECT_EQ(apart[0].reason,
              "EC Channel 1 and EC Channel 2 differ by more than 200 (twice the tolerance) in one reservoir");
    EXPECT_EQ(apart[1].channel, 2);
    EXPECT_EQ(apart[1].fromMs, Ms(12, 40));
    EXPECT_EQ(apart[1].toMs, Ms(12, 41));

    // Two reservoirs may differ as they like.
    const LogTargets two = Targets(kModeDualChannelDualEnv);
    EXPECT_TRUE(Only(FindProbeTrouble(log.data(), 60, &two), ProbeFindingKind::ChannelsDiffer).empty());
}

TEST(ProbeHealth, ClockSetBackOrJumpingOverAGap)
{
    WithTimeZone utc("UTC");
    std::vector<LogRecord> log = MinuteLog(120);
    for (int i = 60; i < 90; ++i) // after 12:59 comes 11:00: set back by 1 h 59 min
        log[i][kLogTime] = LogTime(11, i - 60, 0);
    for (int i = 90; i < 100; ++i) // 11:29 to 10:59: half an hour back is no jump
        log[i][kLogTime] = LogTime(10 + (i - 31) / 60, (i - 31) % 60, 0);
    for (int i = 100; i < 120; ++i) // 11:08 to 17:00: forward over a gap
        log[i][kLogTime] = LogTime(17, i - 100, 0);
    log[110][kLogDate] = LogDate(2025, 2, 30); // no real date: passed over

    const std::vector<ProbeFinding> jumps =
        Only(FindProbeTrouble(log.data(), 120, nullptr), ProbeFindingKind::ClockJump);
    ASSERT_EQ(jumps.size(), 2u);
    EXPECT_EQ(jumps[0].channel, -1);
    EXPECT_EQ(jumps[0].fromMs, Ms(11, 0));
    EXPECT_EQ(jumps[0].toMs, Ms(12, 59));
    EXPECT_EQ(jumps[0].reason, "record times go back by 1 h 59 min (clock set back)");
    EXPECT_EQ(jumps[1].fromMs, Ms(11, 8));
    EXPECT_EQ(jumps[1].toMs, Ms(17, 0));
    EXPECT_EQ(jumps[1].reason, "record times jump forward by 5 h 52 min (clock set or records lost)");
}

TEST(ProbeHealth, InAGrowEachLogsClockIsCheckedOnItsOwn)
{
    WithTimeZone utc("UTC");
    // The morning's log, 12:00 to 12:59, its clock set back by two hours
    // at 12:40 (12:39 is followed by 10:40); the evening's, 16:00 to 16:59,
    // three hours after the morning's last record.
    std::vector<LogRecord> morning = MinuteLog(60);
    for (int i = 40; i < 60; ++i)
        morning[static_cast<size_t>(i)][kLogTime] = LogTime(10, i, 0);
    std::vector<LogRecord> evening = MinuteLog(60);
    for (int i = 0; i < 60; ++i)
        evening[static_cast<size_t>(i)][kLogTime] = LogTime(16, i, 0);
    const GrowTimeline grow = MergeLogs({MakeNodeLog(evening.data(), 60), MakeNodeLog(morning.data(), 60)});
    ASSERT_EQ(grow.log.count, 120u);
    ASSERT_EQ(grow.clocks.size(), 2u);
    EXPECT_EQ(grow.clocks[0].usualStepMs, 60000);
    EXPECT_TRUE(grow.clocks[0].steps.empty());
    EXPECT_EQ(grow.clocks[1].usualStepMs, 60000);
    EXPECT_EQ(grow.clocks[1].steps, (std::vector<std::pair<int64_t, int64_t>>{{Ms(12, 39), Ms(10, 40)}}));

    // In time order the set-back clock is gone from the records: what is
    // left are two jumps forward, over the hour the morning's clock went
    // back (10:59 to 12:00) and from the morning's log to the evening's.
    const std::vector<ProbeFinding> merged =
        Only(FindProbeTrouble(grow.log.records.get(), grow.log.count, nullptr), ProbeFindingKind::ClockJump);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].reason, "record times jump forward by 1 h 01 min (clock set or records lost)");
    EXPECT_EQ(merged[1].reason, "record times jump forward by 3 h 21 min (clock set or records lost)");
    // Log by log: the morning's clock set back, and nothing between logs.
    const std::vector<ProbeFinding> byLog = Only(
        FindProbeTrouble(grow.log.records.get(), grow.log.count, nullptr, ProbeThresholds(), &grow.clocks),
        ProbeFindingKind::ClockJump);
    ASSERT_EQ(byLog.size(), 1u);
    EXPECT_EQ(byLog[0].fromMs, Ms(10, 40));
    EXPECT_EQ(byLog[0].toMs, Ms(12, 39));
    EXPECT_EQ(byLog[0].reason, "record times go back by 1 h 59 min (clock set back)");
    // A threshold of two hours lets it pass.
    ProbeThresholds lenient;
    lenient.clockJumpMs = int64_t{2} * 60 * 60 * 1000;
    EXPECT_TRUE(Only(FindProbeTrouble(grow.log.records.get(), grow.log.count, nullptr, lenient, &grow.clocks),
                     ProbeFindingKind::ClockJump)
                    .empty());
}

TEST(ProbeHealth, ClockStepsKeepEveryStepBackAndEveryGap)
{
    // Minute steps, one back by 30 s, one forward by 10 min (ten usual
    // steps: no gap) and one by 10 min 1 ms.
    const std::vector<int64_t> ms = {0, 60000, 120000, 90000, 150000, 750000, 810000, 1410001, 1470000};
    const LogClockSteps steps = ReadClockSteps(ms.data(), ms.size());
    EXPECT_EQ(steps.usualStepMs, 60000);
    EXPECT_EQ(steps.steps, (std::vector<std::pair<int64_t, int64_t>>{{120000, 90000}, {810000, 1410001}}));
    EXPECT_EQ(ReadClockSteps(ms.data(), 1).usualStepMs, 0);
    EXPECT_TRUE(ReadClockSteps(ms.data(), 0).steps.empty());
}

TEST(ProbeHealth, ALogWrittenTwiceADayHasNoGaps)
{
    WithTimeZone utc("UTC");
    std::vector<LogRecord> log = MinuteLog(20);
    for (int i = 0; i < 20; ++i) {
        log[i][kLogDate] = LogDate(2025, 3, 3 + i / 2);
        log[i][kLogTime] = LogTime(i % 2 ? 22 : 10, 0, 0);
    }
    EXPECT_TRUE(Only(FindProbeTrouble(log.data(), 20, nullptr), ProbeFindingKind::ClockJump).empty());
    // Five days without records are a gap even so.
    for (int i = 10; i < 20; ++i)
        log[i][kLogDate] = LogDate(2025, 3, 8 + i / 2);
    const std::vector<ProbeFinding> jumps =
        Only(FindProbeTrouble(log.data(), 20, nullptr), ProbeFindingKind::ClockJump);
    ASSERT_EQ(jumps.size(), 1u);
    EXPECT_EQ(jumps[0].reason, "record times jump forward by 5 d 12 h (clock set or records lost)");
}

TEST(ProbeHealth, TheSummaryListsTroubleInViewAndCountsSpikes)
{
    WithTimeZone utc("UTC");
    const std::vector<ProbeFinding> findings = {
        {ProbeFindingKind::Stuck, 0, Ms(13, 40), Ms(14, 41), "EC Channel 1 stuck"},
        {ProbeFindingKind::Spike, 2, Ms(12, 50), Ms(12, 50), "PH Channel 1 spike"},
        {ProbeFindingKind::Spike, 2, Ms(12, 55), Ms(12, 55), "PH Channel 1 spike"},
        {ProbeFindingKind::LowEc, 1, Ms(12, 0), Ms(12, 10), "EC Channel 2 low"},
        {ProbeFindingKind::ClockJump, -1, Ms(15, 0), Ms(17, 0), "clock set"},
    };
    const bool ec1AndPh1[kLogChannelCount] = {true, false, true, false, false, false};
    // 12:30 to 16:00: the stuck stretch and the clock, not EC2 (unplotted).
    EXPECT_EQ(ProbeFindingsText(findings, Ms(12, 30), Ms(16, 0), ec1AndPh1),
              "\nProbe checks\n"
              "  03/03/2025 13:40:00 to 03/03/2025 14:41:00: EC Channel 1 stuck\n"
              "  03/03/2025 15:00:00 to 03/03/2025 17:00:00: clock set\n"
              "  PH Channel 1: 2 spikes that returned (no trouble)\n");
    EXPECT_EQ(ProbeFindingsText(findings, Ms(12, 0), Ms(12, 20), ec1AndPh1),
              "\nProbe checks\n  No trouble found\n");
}

// The chart keeps its findings while the targets it is given stay the same.
TEST(ProbeHealth, TargetsAreTheSameOnlyWithTheSameProfileAndSchedules)
{
    EXPECT_EQ(Targets(kModeDualChannelSingleEnv), Targets(kModeDualChannelSingleEnv));
    EXPECT_NE(Targets(kModeDualChannelSingleEnv), Targets(kModeDualChannelDualEnv));
    EXPECT_NE(Targets(kModeSingleChannel), LogTargets());
    LogTargets scheduled = Targets(kModeSingleChannel);
    ScheduleEntry entry{};
    entry[kScheduleDate] = LogDate(2025, 3, 3);
    entry[kScheduleTargetEc] = 1800;
    scheduled.SetSchedule(1, NodeSchedule{entry});
    EXPECT_NE(scheduled, Targets(kModeSingleChannel));
    LogTargets same = Targets(kModeSingleChannel);
    same.SetSchedule(1, NodeSchedule{entry});
    EXPECT_EQ(scheduled, same);
}

// Twenty days of records, long enough for the checks to share the work out:
// the findings are those of a short log, in the rules' order.
TEST(ProbeHealth, ALongLogIsCheckedAsAShortOne)
{
    WithTimeZone utc("UTC");
    constexpr int kMinutes = 20 * 1440;
    std::vector<LogRecord> log(kMinutes);
    for (int i = 0; i < kMinutes; ++i) {
        LogRecord& r = log[static_cast<size_t>(i)];
        r.fill(0);
        const int odd = i % 2;
        r[kLogEc1] = static_cast<uint32_t>(1500 + odd);
        r[kLogEc2] = static_cast<uint32_t>(1400 + odd);
        r[kLogPh1] = FloatToWord(i == 20000 ? 9.0f : odd ? 6.21f : 6.2f);
        r[kLogPh2] = FloatToWord(odd ? 6.31f : 6.3f);
        r[kLogTe1] = FloatToWord(odd ? 20.1f : 20.0f);
        r[kLogTe2] = FloatToWord(odd ? 21.1f : 21.0f);
        r[kLogDate] = LogDate(2025, 3, 3 + i / 1440);
        r[kLogTime] = LogTime(i % 1440 / 60, i % 60, 0);
    }
    for (int i = 1000; i <= 1070; ++i)
        log[static_cast<size_t>(i)][kLogEc1] = 1600;
    log[25000][kLogEc2] = 0xFFFFFFFFu;
    // Records with no real time, in either half of the log, are passed over.
    log[500][kLogTime] = LogTime(8, 61, 0);
    log[27000][kLogTime] = LogTime(24, 0, 61);
    const auto at = [](int day, int hour, int minute) {
        return static_cast<int64_t>(wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), wxDateTime::Mar,
                                               2025, static_cast<wxDateTime::wxDateTime_t>(hour),
                                               static_cast<wxDateTime::wxDateTime_t>(minute), 0)
                                        .GetValue()
                                        .GetValue());
    };
    const std::vector<ProbeFinding> all = FindProbeTrouble(log.data(), kMinutes, nullptr);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].kind, ProbeFindingKind::Stuck);
    EXPECT_EQ(all[0].fromMs, at(3, 16, 40)); // record 1000
    EXPECT_EQ(all[0].toMs, at(3, 17, 50));
    EXPECT_EQ(all[1].kind, ProbeFindingKind::Dropouts);
    EXPECT_EQ(all[1].reason, "EC Channel 2: 1 readings missing or impossible, the longest run 1 (0 s)");
    EXPECT_EQ(all[1].fromMs, at(20, 8, 40)); // record 25000
    EXPECT_EQ(all[2].kind, ProbeFindingKind::Spike);
    EXPECT_EQ(all[2].reason, "PH Channel 1 spike to 9.00, back within 1 min");
    EXPECT_EQ(all[2].fromMs, at(16, 21, 20)); // record 20000
}
