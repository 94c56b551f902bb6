// The band each log channel is held in, day by day: the profile's targets and
// tolerances, the schedules' days over them, and the operation mode.
#include "core/LogTargets.h"
#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

uint32_t Date(unsigned year, unsigned month, unsigned day)
{
    return month | day << 8 | year << 16;
}

int64_t LocalMs(int year, wxDateTime::Month month, int day, int hour = 0, int minute = 0)
{
    return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), month, year,
                      static_cast<wxDateTime::wxDateTime_t>(hour),
                      static_cast<wxDateTime::wxDateTime_t>(minute))
        .GetValue()
        .GetValue();
}

NodeConfig Profile(uint32_t mode)
{
    NodeConfig c;
    c[kIndexOperationMode] = mode;
    c[kIndexEc1Target] = 1500;
    c[kIndexEc2Target] = 1200;
    c[kIndexPh1Target] = FloatToWord(6.2f);
    c[kIndexPh2Target] = FloatToWord(5.8f);
    c[kIndexEc1Tolerance] = 100;
    c[kIndexEc2Tolerance] = 50;
    c[kIndexPh1Tolerance] = FloatToWord(0.2f);
    c[kIndexPh2Tolerance] = FloatToWord(0.3f);
    return c;
}

ScheduleEntry Entry(uint32_t date, uint32_t ec, float ph)
{
    ScheduleEntry e;
    e.date() = date;
    e.targetEc() = ec;
    e.targetPh() = FloatToWord(ph);
    return e;
}

// Channel 1's schedule, not in date order: a day before the log, two
// entries of 2 January (the first counts), a day not maintained, a day after.
NodeSchedule ChannelOneSchedule()
{
    return {Entry(Date(2025, 1, 2), 1600, 6.0f), Entry(Date(2024, 12, 30), 1000, 5.5f),
            Entry(Date(2025, 1, 3), 0, 6.1f), Entry(Date(2025, 1, 2), 9999, 7.0f),
            Entry(Date(2025, 1, 10), 1800, 6.5f)};
}

void ExpectTarget(const ChannelTarget& t, double target, double tolerance)
{
    EXPECT_TRUE(t.adjusted);
    EXPECT_NEAR(t.target, target, 1e-6);
    EXPECT_NEAR(t.tolerance, tolerance, 1e-6);
}

} // namespace

TEST(LogTargets, ProfileAndScheduleDayByDay)
{
    LogTargets targets;
    targets.SetProfile(Profile(kModeDualChannelDualEnv));
    targets.SetSchedule(1, ChannelOneSchedule());
    EXPECT_TRUE(targets.HasProfile());
    EXPECT_TRUE(targets.HasSchedule(1));
    EXPECT_FALSE(targets.HasSchedule(2));

    // 1 January: no entry, the profile's targets.
    ExpectTarget(targets.TargetOn(0, Date(2025, 1, 1)), 1500, 100);
    ExpectTarget(targets.TargetOn(2, Date(2025, 1, 1)), 6.2, 0.2);
    // 2 January: the first of its two entries, with the profile's tolerances.
    ExpectTarget(targets.TargetOn(0, Date(2025, 1, 2)), 1600, 100);
    ExpectTarget(targets.TargetOn(2, Date(2025, 1, 2)), 6.0, 0.2);
    // 3 January: EC not maintained that day, PH still is.
    EXPECT_FALSE(targets.TargetOn(0, Date(2025, 1, 3)).adjusted);
    ExpectTarget(targets.TargetOn(2, Date(2025, 1, 3)), 6.1, 0.2);
    // Days before and after the log keep their entries.
    ExpectTarget(targets.TargetOn(0, Date(2024, 12, 30)), 1000, 100);
    ExpectTarget(targets.TargetOn(0, Date(2025, 1, 10)), 1800, 100);
    ExpectTarget(targets.TargetOn(0, Date(2025, 1, 11)), 1500, 100);
    // Channel 2 has no schedule; temperatures never have a target.
    ExpectTarget(targets.TargetOn(1, Date(2025, 1, 2)), 1200, 50);
    ExpectTarget(targets.TargetOn(3, Date(2025, 1, 2)), 5.8, 0.3);
    EXPECT_FALSE(targets.TargetOn(4, Date(2025, 1, 2)).adjusted);
    EXPECT_FALSE(targets.TargetOn(5, Date(2025, 1, 2)).adjusted);
    // A record whose date is no day gets the profile's target.
    ExpectTarget(targets.TargetOn(0, Date(2025, 13, 2)), 1500, 100);

    // A schedule for channel 2 changes channel 2 only; setting one again replaces it.
    targets.SetSchedule(2, {Entry(Date(2025, 1, 2), 900, 5.0f)});
    ExpectTarget(targets.TargetOn(1, Date(2025, 1, 2)), 900, 50);
    ExpectTarget(targets.TargetOn(3, Date(2025, 1, 2)), 5.0, 0.3);
    ExpectTarget(targets.TargetOn(0, Date(2025, 1, 2)), 1600, 100);
    targets.SetSchedule(1, {});
    ExpectTarget(targets.TargetOn(0, Date(2025, 1, 2)), 1500, 100);

    targets.Clear();
    EXPECT_FALSE(targets.HasProfile());
    EXPECT_FALSE(targets.HasSchedule(2));
    EXPECT_FALSE(targets.TargetOn(1, Date(2025, 1, 2)).adjusted);
}

TEST(LogTargets, ModeAndZeroTargetsLeaveChannelsUnadjusted)
{
    LogTargets targets;
    // Without a profile a schedule alone gives no band.
    targets.SetSchedule(1, ChannelOneSchedule());
    EXPECT_FALSE(targets.TargetOn(0, Date(2025, 1, 2)).adjusted);
    EXPECT_FALSE(targets.TargetOn(2, Date(2025, 1, 1)).adjusted);

    targets.SetProfile(Profile(kModeSingleChannel));
    ExpectTarget(targets.TargetOn(0, Date(2025, 1, 2)), 1600, 100);
    ExpectTarget(targets.TargetOn(2, Date(2025, 1, 1)), 6.2, 0.2);
    EXPECT_FALSE(targets.TargetOn(1, Date(2025, 1, 1)).adjusted);
    EXPECT_FALSE(targets.TargetOn(3, Date(2025, 1, 1)).adjusted);

    targets.SetProfile(Profile(kModePassive));
    for (int k = 0; k < 6; ++k)
        EXPECT_FALSE(targets.TargetOn(k, Date(2025, 1, 2)).adjusted) << "channel " << k;

    NodeConfig zero = Profile(kModeDualChannelSingleEnv);
    zero[kIndexEc2Target] = 0;
    zero[kIndexPh1Target] = FloatToWord(0.0f);
    targets.SetProfile(zero);
    EXPECT_FALSE(targets.TargetOn(1, Date(2025, 1, 1)).adjusted);
    EXPECT_FALSE(targets.TargetOn(2, Date(2025, 1, 1)).adjusted);
    // The schedule's day still sets a PH on channel 1.
    ExpectTarget(targets.TargetOn(2, Date(2025, 1, 2)), 6.0, 0.2);
    ExpectTarget(targets.TargetOn(3, Date(2025, 1, 1)), 5.8, 0.3);
}

TEST(LogTargets, BandEdgesAreInside)
{
    ChannelTarget ec;
    ec.adjusted = true;
    ec.target = 1500;
    ec.tolerance = 100;
    EXPECT_TRUE(ec.Contains(1400));
    EXPECT_TRUE(ec.Contains(1600));
    EXPECT_TRUE(ec.Contains(1500));
    EXPECT_FALSE(ec.Contains(1600.5));
    EXPECT_FALSE(ec.Contains(1399.5));
    EXPECT_FALSE(ec.Contains(std::nan("")));

    // PH as the profile stores it, readings as the log stores them.
    LogTargets targets;
    targets.SetProfile(Profile(kModeDualChannelDualEnv));
    const ChannelTarget ph = targets.TargetOn(2, Date(2025, 1, 1));
    EXPECT_TRUE(ph.Contains(static_cast<double>(6.4f)));
    EXPECT_TRUE(ph.Contains(static_cast<double>(6.0f)));
    EXPECT_FALSE(ph.Contains(static_cast<double>(6.41f)));
    EXPECT_FALSE(ph.Contains(static_cast<double>(5.99f)));
    const ChannelTarget ph2 = targets.TargetOn(3, Date(2025, 1, 1)); // 5.8 +/- 0.3
    EXPECT_TRUE(ph2.Contains(static_cast<double>(6.1f)));
    EXPECT_TRUE(ph2.Contains(static_cast<double>(5.5f)));
    EXPECT_FALSE(ph2.Contains(static_cast<double>(6.11f)));

    ChannelTarget none;
    EXPECT_FALSE(none.Contains(0));
}

TEST(LogTargets, InstantsAndStepsFollowLocalDays)
{
    LogTargets targets;
    targets.SetProfile(Profile(kModeDualChannelDualEnv));
    NodeSchedule schedule = ChannelOneSchedule();
    schedule.push_back(Entry(Date(2025, 1, 4), 1500, 6.2f)); // the profile's own targets
    targets.SetSchedule(1, schedule);

    ExpectTarget(targets.TargetAt(0, LocalMs(2025, wxDateTime::Jan, 2, 23, 59)), 1600, 100);
    EXPECT_FALSE(targets.TargetAt(0, LocalMs(2025, wxDateTime::Jan, 3, 0, 0)).adjusted);
    ExpectTarget(targets.TargetAt(0, LocalMs(2025, wxDateTime::Jan, 1, 0, 0) - 1), 1500, 100);

    const int64_t from = LocalMs(2025, wxDateTime::Jan, 1, 12);
    const int64_t to = LocalMs(2025, wxDateTime::Jan, 5, 12);
    const std::vector<TargetStep> ec = targets.Steps(0, from, to);
    ASSERT_EQ(ec.size(), 4u);
    EXPECT_EQ(ec[0].fromMs, from);
    EXPECT_EQ(ec[0].toMs, LocalMs(2025, wxDateTime::Jan, 2));
    ExpectTarget(ec[0].target, 1500, 100);
    EXPECT_EQ(ec[1].fromMs, LocalMs(2025, wxDateTime::Jan, 2));
    EXPECT_EQ(ec[1].toMs, LocalMs(2025, wxDateTime::Jan, 3));
    ExpectTarget(ec[1].target, 1600, 100);
    EXPECT_EQ(ec[2].fromMs, LocalMs(2025, wxDateTime::Jan, 3));
    EXPECT_EQ(ec[2].toMs, LocalMs(2025, wxDateTime::Jan, 4));
    EXPECT_FALSE(ec[2].target.adjusted);
    // 4 January repeats the profile: one step with the days after it.
    EXPECT_EQ(ec[3].fromMs, LocalMs(2025, wxDateTime::Jan, 4));
    EXPECT_EQ(ec[3].toMs, to);
    ExpectTarget(ec[3].target, 1500, 100);

    // PH1 is maintained on 3 January (6.1).
    const std::vector<TargetStep> ph = targets.Steps(2, from, to);
    ASSERT_EQ(ph.size(), 4u);
    ExpectTarget(ph[0].target, 6.2, 0.2);
    ExpectTarget(ph[1].target, 6.0, 0.2);
    ExpectTarget(ph[2].target, 6.1, 0.2);
    ExpectTarget(ph[3].target, 6.2, 0.2);

    // No schedule: one step over the whole range.
    const std::vector<TargetStep> ec2 = targets.Steps(1, from, to);
    ASSERT_EQ(ec2.size(), 1u);
    EXPECT_EQ(ec2[0].fromMs, from);
    EXPECT_EQ(ec2[0].toMs, to);
    ExpectTarget(ec2[0].target, 1200, 50);

    // Within a day not maintained, and for temperatures: no steps.
    EXPECT_TRUE(
        targets.Steps(0, LocalMs(2025, wxDateTime::Jan, 3, 1), LocalMs(2025, wxDateTime::Jan, 3, 5)).empty());
    EXPECT_TRUE(targets.Steps(4, from, to).empty());
    targets.SetProfile(Profile(kModeSingleChannel));
    EXPECT_TRUE(targets.Steps(1, from, to).empty());
}

TEST(LogTargets, TargetTexts)
{
    LogTargets targets;
    targets.SetProfile(Profile(kModeDualChannelDualEnv));
    EXPECT_EQ(TargetText(0, targets.TargetOn(0, Date(2025, 1, 1))),
              wxString::FromUTF8("target 1500 \xC2\xB1 100"));
    EXPECT_EQ(TargetText(2, targets.TargetOn(2, Date(2025, 1, 1))),
              wxString::FromUTF8("target 6.20 \xC2\xB1 0.20"));
    EXPECT_EQ(TargetText(3, targets.TargetOn(3, Date(2025, 1, 1))),
              wxString::FromUTF8("target 5.80 \xC2\xB1 0.30"));
    EXPECT_EQ(TargetText(4, targets.TargetOn(4, Date(2025, 1, 1))), "not adjusted");
    EXPECT_EQ(TargetText(0, ChannelTarget{}), "not adjusted");
}
