// Two grows compared over the same crop days, or a year apart by calendar.
#include "time_zone.h"

#include "core/GrowComparison.h"
#include "core/LogChannels.h"
#include "core/NodeConfig.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Reading {
    int year, month, day, hour, minute;
    uint32_t ec1;
};

std::shared_ptr<ComparedGrow> MakeGrow(const char* name, GrowDate start, const std::vector<Reading>& readings,
                                       uint32_t target, uint32_t tolerance)
{
    auto grow = std::make_shared<ComparedGrow>();
    grow->name = name;
    grow->start = start;
    std::shared_ptr<LogRecord[]> records(new LogRecord[readings.size()]());
    for (size_t i = 0; i < readings.size(); ++i) {
        const Reading& r = readings[i];
        records[i][kLogDate] = static_cast<uint32_t>(r.month) | static_cast<uint32_t>(r.day) << 8 |
                               static_cast<uint32_t>(r.year) << 16;
        records[i][kLogTime] = static_cast<uint32_t>(r.hour) | static_cast<uint32_t>(r.minute) << 8;
        records[i][kLogEc1] = r.ec1;
    }
    grow->log.records = records;
    grow->log.count = static_cast<uint32_t>(readings.size());
    grow->series.Fill(grow->log.records.get(), grow->log.count);
    NodeConfig profile;
    profile[kIndexOperationMode] = kModeDualChannelDualEnv;
    profile[kIndexEc1Target] = target;
    profile[kIndexEc1Tolerance] = tolerance;
    grow->targets.SetProfile(profile);
    return grow;
}

int64_t At(const char* text)
{
    int64_t ms = 0;
    EXPECT_TRUE(ParseLocalTime(text, ms)) << text;
    return ms;
}

// This season: started 1 March 2025, EC1 against 1500 +/- 100 on its crop
// day 1: in band, out (10:10 and 10:20), back in at 10:30; a harvest on day 4.
std::shared_ptr<ComparedGrow> ThisSeason()
{
    auto grow = MakeGrow("Tomatoes 2025", {2025, 3, 1},
                         {{2025, 3, 2, 10, 0, 1500},
                          {2025, 3, 2, 10, 10, 1650},
                          {2025, 3, 2, 10, 20, 1750},
                          {2025, 3, 2, 10, 30, 1500}},
                         1500, 100);
    GrowNote harvest;
    harvest.timeMs = At("2025-03-05T12:00:00");
    harvest.kind = NoteKind::Harvest;
    harvest.yield = "4.5 kg";
    grow->journal.Add(harvest);
    return grow;
}

} // namespace

TEST(GrowComparison, ByCropDayComparesTheSameStretchOfEachSeasonWithItsOwnBand)
{
    WithTimeZone zone("Europe/Berlin");
    const auto mine = ThisSeason();
    // Last season: started 10 June 2024, against 1400 +/- 100; its crop day 1
    // runs from 09:50 to 10:40, so only 10:00 to 10:30 is common: 1450 in,
    // 1600 out, 1400 in, 1350 in (the 09:50 and 10:40 readings left out
    // would change the mean).
    const auto other = MakeGrow("Tomatoes 2024", {2024, 6, 10},
                                {{2024, 6, 11, 9, 50, 1900},
                                 {2024, 6, 11, 10, 0, 1450},
                                 {2024, 6, 11, 10, 10, 1600},
                                 {2024, 6, 11, 10, 20, 1400},
                                 {2024, 6, 11, 10, 30, 1350},
                                 {2024, 6, 11, 10, 40, 1000}},
                                1400, 100);
    const GrowComparison c = CompareGrows(*mine, *other, GrowAlignment::CropDay);
    ASSERT_TRUE(c.overlap);
    EXPECT_EQ(At("2025-03-02T10:00:00"), c.fromMs);
    EXPECT_EQ(At("2025-03-02T10:30:00"), c.toMs);
    EXPECT_EQ(1, c.firstDay);
    EXPECT_EQ(1, c.lastDay);
    // The other grow's own days since its first record (09:50).
    EXPECT_DOUBLE_EQ(10.0 / 1440, c.other.lo);
    EXPECT_DOUBLE_EQ(40.0 / 1440, c.other.hi);

    const ChannelSummary& a = c.mine.summary.channels[0];
    const ChannelSummary& b = c.other.summary.channels[0];
    EXPECT_DOUBLE_EQ(0.5, a.insideShare);
    EXPECT_DOUBLE_EQ(0.75, b.insideShare);
    EXPECT_EQ(1u, a.excursions);
    EXPECT_EQ(1u, b.excursions);
    EXPECT_EQ(20 * 60000, a.longestMs);
    EXPECT_EQ(10 * 60000, b.longestMs);
    EXPECT_DOUBLE_EQ(1600, a.mean);
    EXPECT_DOUBLE_EQ(1450, b.mean);

    const wxString text = ComparisonText(c, mine->name, other->name);
    EXPECT_TRUE(text.StartsWith("\"Tomatoes 2025\" | \"Tomatoes 2024\" | difference, by crop day\n"
                                "Over Day 1 to Day 1 (2025-03-02T10:00:00 to 2025-03-02T10:30:00)\n"
                                "EC Channel 1\n"
                                "  Time in band: 50.0 % | 75.0 % | -25.0 points\n"
                                "  Excursions: 1 | 1 | 0\n"
                                "  Longest excursion: 20 min | 10 min | +10 min\n"
                                "  Mean: 1600 | 1450 | +150\n"))
        << text;
    EXPECT_TRUE(text.EndsWith("Harvests\n"
                              "  Tomatoes 2025: Day 4 4.5 kg\n"
                              "  Tomatoes 2024: no harvest noted\n"))
        << text;
}

TEST(GrowComparison, ByCalendarMovesTheOtherSeasonByWholeYears)
{
    WithTimeZone zone("Europe/Berlin");
    const auto mine = ThisSeason();
    // Started 20 February 2024 (crop day 11 on 2 March): by crop day nothing
    // is common; by calendar 2 March 2024 falls on 2 March 2025.
    const auto other = MakeGrow(
        "Tomatoes 2024", {2024, 2, 20},
        {{2024, 3, 2, 10, 20, 1400}, {2024, 3, 2, 10, 30, 1450}, {2024, 3, 2, 10, 50, 1400}}, 1400, 100);
    const GrowComparison byDay = CompareGrows(*mine, *other, GrowAlignment::CropDay);
    EXPECT_FALSE(byDay.overlap);
    EXPECT_TRUE(ComparisonText(byDay, mine->name, other->name)
                    .Contains("by crop day\nThe grows have no records over the same days.\nHarvests\n"));

    const GrowComparison byDate = CompareGrows(*mine, *other, GrowAlignment::Calendar);
    ASSERT_TRUE(byDate.overlap);
    EXPECT_EQ(At("2025-03-02T10:20:00"), byDate.fromMs);
    EXPECT_EQ(At("2025-03-02T10:30:00"), byDate.toMs);
    EXPECT_EQ(1, byDate.firstDay);
    EXPECT_DOUBLE_EQ(1.0, byDate.other.summary.channels[0].insideShare);
    EXPECT_EQ(2u, byDate.other.summary.inView);
    EXPECT_EQ(2u, byDate.mine.summary.inView);
    // From its first record's date, 2 March 2024, to 2 March 2025; from its
    // start it would cross 29 February and put the records on 3 March.
    EXPECT_EQ(365 * 86400000LL, AlignmentShiftMs(mine->start, *other, GrowAlignment::Calendar));
}

TEST(GrowComparison, AMissingProfileIsNamedAndTheGrowComparedWithoutItsBand)
{
    WithTimeZone zone("Europe/Berlin");
    const auto mine = ThisSeason();
    Grow grow;
    grow.name = "No profile";
    grow.start = {2024, 3, 1};
    grow.profile = "/nonexistent-halvane/last.hvc";
    const auto records =
        MakeGrow("", {2024, 3, 1}, {{2024, 3, 2, 10, 0, 1400}, {2024, 3, 2, 10, 30, 1700}}, 0, 0);
    std::vector<std::pair<wxString, wxString>> unreadable;
    const auto other = PrepareComparedGrow(grow, records->log, unreadable);
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_EQ(unreadable[0].first, "/nonexistent-halvane/last.hvc");
    EXPECT_EQ(unreadable[0].second, "no such file");
    EXPECT_FALSE(other->targets.HasProfile());
    EXPECT_EQ(other->series.FilledCount(), 2u);

    const wxString text =
        ComparisonText(CompareGrows(*mine, *other, GrowAlignment::CropDay), mine->name, other->name);
    EXPECT_TRUE(text.Contains("EC Channel 1\n"
                              "  Time in band: 50.0 % | no band\n"
                              "  Excursions: 1 | no band\n"
                              "  Longest excursion: 20 min | no band\n"
                              "  Mean: 1600 | 1550 | +50\n"))
        << text;
}
