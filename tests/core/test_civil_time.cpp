// The shared time rules: calendar days both ways, and a chart's x for a
// record's instant and back.
#include "core/LogChannels.h"
#include "core/LogTargets.h"
#include "util/CivilTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(CivilTime, DaysOfDatesBothWays)
{
    struct Case {
        int64_t year;
        int month, day;
        int64_t days;
    };
    const Case cases[] = {{1970, 1, 1, 0},       {1969, 12, 31, -1},   {2000, 2, 29, 11016},
                          {2000, 3, 1, 11017},   {2024, 2, 29, 19782}, {1900, 3, 1, -25508},
                          {1600, 1, 1, -135140}, {-1, 12, 31, -719529}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days);
        EXPECT_EQ(civil::DaysFromCivil(c.year, c.month, c.day), c.days);
        const civil::Date date = civil::CivilFromDays(c.days);
        EXPECT_EQ(date.year, c.year);
        EXPECT_EQ(date.month, c.month);
        EXPECT_EQ(date.day, c.day);
    }
    EXPECT_EQ(civil::FloorDiv(-1, 86400), -1);
    EXPECT_EQ(civil::FloorMod(-1, 7), 6);
}

TEST(CivilTime, ChartDaysGiveTheRecordInstantsBack)
{
    const int64_t origin = 1735689600123; // 2025-01-01 00:00:00.123 UTC
    EXPECT_EQ(civil::DaysSince(origin + civil::kMsPerDay / 2, origin), 0.5);
    EXPECT_EQ(civil::DaysSince(origin - civil::kMsPerDay, origin), -1.0);
    // Instants all over two years, at odd milliseconds: the
    // round trip is exact.
    for (int64_t ms = -5; ms < 2 * 366 * civil::kMsPerDay; ms += 1005973)
        ASSERT_EQ(civil::MsAtDays(civil::DaysSince(origin + ms, origin), origin), origin + ms) << ms;
    EXPECT_EQ(civil::MsAtDays(0.5 / 86400000.0, 0), 1) << "half a millisecond rounds away from zero";
    EXPECT_EQ(civil::MsAtDays(-0.5 / 86400000.0, 0), -1);
}

TEST(LogChannels, WhatEachChannelMeasuresAndHowItReads)
{
    const LogQuantity quantities[kLogChannelCount] = {LogQuantity::Ec,          LogQuantity::Ec,
                                                      LogQuantity::Ph,          LogQuantity::Ph,
                                                      LogQuantity::Temperature, LogQuantity::Temperature};
    const bool targeted[kLogChannelCount] = {true, true, true, true, false, false};
    for (int k = 0; k < kLogChannelCount; ++k) {
        EXPECT_EQ(LogChannelQuantity(k), quantities[k]) << k;
        EXPECT_EQ(LogChannelHasTarget(k), targeted[k]) << k;
    }
    EXPECT_FALSE(LogChannelHasTarget(-1));
    EXPECT_FALSE(LogChannelHasTarget(6));
    EXPECT_EQ(LogChannelControl(0), 0);
    EXPECT_EQ(LogChannelControl(3), 1);

    EXPECT_EQ(LogChannelWordValue(1, 4294967295u), 4294967295.0);
    EXPECT_EQ(LogChannelWordValue(2, 0x40C66666u), static_cast<double>(6.2f));
    EXPECT_EQ(LogChannelValueText(0, 1499.6), "1500");
    EXPECT_EQ(LogChannelValueText(3, 6.2), "6.20");
    EXPECT_EQ(LogChannelValueText(5, -0.004), "-0.00");
    EXPECT_EQ(LogChannelValueText(4, std::numeric_limits<double>::quiet_NaN()), "no reading");

    ChannelTarget target;
    target.adjusted = true;
    target.target = 1500;
    target.tolerance = 100;
    EXPECT_EQ(TargetText(1, target), wxString::FromUTF8("target 1500 \xC2\xB1 100"));
    target.target = 6.2;
    target.tolerance = 0.2;
    EXPECT_EQ(TargetText(2, target), wxString::FromUTF8("target 6.20 \xC2\xB1 0.20"));
    EXPECT_EQ(TargetText(4, target), "not adjusted");
}
