// A season of logs merged into one timeline: literal record times in, the
// literal timeline out.
#include "temp_dir.h"
#include "time_zone.h"

#include "core/GrowTimeline.h"
#include "core/Words.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

uint32_t Date(int year, int month, int day)
{
    return static_cast<uint32_t>(month) | static_cast<uint32_t>(day) << 8 | static_cast<uint32_t>(year) << 16;
}

// A record of 2026-03-<day> hh:mm whose EC 1 reads `ec` (which record it is).
LogRecord At(int day, int hour, int minute, uint32_t ec)
{
    LogRecord r{};
    r[kLogDate] = Date(2026, 3, day);
    r[kLogTime] = static_cast<uint32_t>(hour) | static_cast<uint32_t>(minute) << 8;
    r[kLogEc1] = ec;
    return r;
}

NodeLog Log(const std::vector<LogRecord>& records)
{
    return MakeNodeLog(records.data(), static_cast<uint32_t>(records.size()));
}

// Each merged record as "day hh:mm ec".
std::vector<std::string> Timeline(const GrowTimeline& t)
{
    std::vector<std::string> out;
    for (uint32_t i = 0; i < t.log.count; ++i) {
        const LogRecord& r = t.log[i];
        char text[40];
        std::snprintf(text, sizeof text, "%u %02u:%02u %u", (r[kLogDate] >> 8) & 0xFF, r[kLogTime] & 0xFF,
                      (r[kLogTime] >> 8) & 0xFF, r[kLogEc1]);
        out.emplace_back(text);
    }
    return out;
}

wxString WriteLog(const TempDir& dir, const std::string& name, const std::vector<LogRecord>& records)
{
    std::vector<unsigned char> bytes(records.size() * kLogRecordSize);
    for (size_t i = 0; i < records.size(); ++i)
        StoreWordsLE(records[i].data(), kLogRecordWords, bytes.data() + i * kLogRecordSize);
    const wxString path = dir.File(name);
    WriteBytes(path, bytes);
    return path;
}

} // namespace

TEST(GrowTimeline, OverlappingRepeatedOutOfOrderAndUndatedRecords)
{
    const WithTimeZone utc("UTC");
    LogRecord undated = At(1, 25, 0, 99); // hour 25
    const NodeLog first = Log({At(1, 10, 0, 1), At(1, 10, 2, 3), At(1, 10, 1, 2), undated});
    // The card copied again a minute later: the same records and one more;
    // a record of 10:01 that differs from the first log's stays, after it.
    const NodeLog second = Log({At(1, 10, 2, 3), At(1, 10, 3, 4), At(1, 10, 1, 5), At(1, 10, 0, 1)});
    const GrowTimeline t = MergeLogs({first, second});
    EXPECT_EQ(Timeline(t),
              (std::vector<std::string>{"1 10:00 1", "1 10:01 2", "1 10:01 5", "1 10:02 3", "1 10:03 4"}));
    EXPECT_EQ(t.read, 8u);
    EXPECT_EQ(t.duplicates, 2u);
    EXPECT_EQ(t.undated, 1u);
    EXPECT_TRUE(t.unreadable.empty());

    // Logs named out of order (a later month first) merge the same way.
    const NodeLog april = Log({At(30, 23, 0, 7), At(31, 0, 0, 8)});
    const NodeLog march = Log({At(2, 8, 0, 6)});
    const GrowTimeline months = MergeLogs({april, march});
    EXPECT_EQ(Timeline(months), (std::vector<std::string>{"2 08:00 6", "30 23:00 7", "31 00:00 8"}));
    EXPECT_EQ(months.duplicates, 0u);

    // Only undated records, or none at all: an empty timeline.
    const GrowTimeline none = MergeLogs({Log({undated}), NodeLog{}});
    EXPECT_EQ(none.log.count, 0u);
    EXPECT_EQ(none.undated, 1u);
}

TEST(GrowTimeline, ManyRecordsOfOneTimeKeepTheirOrderAndCountOnce)
{
    const WithTimeZone utc("UTC");
    // A clock stuck at 12:00: forty records of that time, each written twice.
    std::vector<LogRecord> stuck;
    for (uint32_t n = 0; n < 40; ++n)
        stuck.push_back(At(5, 12, 0, 100 + n));
    std::vector<LogRecord> twice = stuck;
    twice.insert(twice.end(), stuck.begin(), stuck.end());
    twice.push_back(At(5, 11, 59, 1));
    const GrowTimeline t = MergeLogs({Log(twice)});
    ASSERT_EQ(t.log.count, 41u);
    EXPECT_EQ(t.duplicates, 40u);
    EXPECT_EQ(Timeline(t).front(), "5 11:59 1");
    for (uint32_t n = 0; n < 40; ++n)
        EXPECT_EQ(t.log[n + 1][kLogEc1], 100 + n);
}

TEST(GrowTimeline, LogFilesThatCannotBeReadAreNamedAndTheRestMerge)
{
    const WithTimeZone utc("UTC");
    const TempDir dir;
    const wxString one = WriteLog(dir, "one.hvl", {At(1, 0, 0, 1), At(1, 0, 1, 2)});
    const wxString two = WriteLog(dir, "zwei März.hvl", {At(2, 0, 0, 3)});
    const wxString cut = dir.File("cut.hvl");
    WriteBytes(cut, std::vector<unsigned char>(161, 0));
    const wxString gone = dir.File("gone.hvl");
    const GrowTimeline t = MergeLogFiles({two, gone, one, cut});
    EXPECT_EQ(Timeline(t), (std::vector<std::string>{"1 00:00 1", "1 00:01 2", "2 00:00 3"}));
    ASSERT_EQ(t.unreadable.size(), 2u);
    EXPECT_EQ(t.unreadable[0].path, gone);
    EXPECT_EQ(t.unreadable[0].status, LoadStatus::Missing);
    EXPECT_EQ(t.unreadable[0].reason, "no such file");
    EXPECT_EQ(t.unreadable[1].path, cut);
    EXPECT_EQ(t.unreadable[1].reason, "the length is not a whole number of 160-byte records");

    const GrowTimeline nothing = MergeLogFiles({gone});
    EXPECT_EQ(nothing.log.count, 0u);
    EXPECT_EQ(nothing.unreadable.size(), 1u);
}

TEST(GrowTimeline, UsualStepIgnoresGapsAndRepeats)
{
    // A minute apart, one repeat and a day's gap: the usual step is a minute.
    const double minute = 1.0 / 1440;
    const double days[] = {0, minute, minute, 2 * minute, 3 * minute, 1 + 3 * minute, 1 + 4 * minute};
    EXPECT_DOUBLE_EQ(UsualStepDays(days, 7), minute);
    EXPECT_EQ(UsualStepDays(days, 1), 0);
    const double same[] = {2, 2, 2};
    EXPECT_EQ(UsualStepDays(same, 3), 0);

    // A year and more into a log, a minute between days differs in its last
    // bits from one step to the next: the usual step is a minute all the same.
    std::vector<double> later(5000);
    for (size_t i = 0; i < later.size(); ++i)
        later[i] =
            static_cast<double>(int64_t{400} * 86400000 + static_cast<int64_t>(i) * 60000) / 86400000.0;
    EXPECT_EQ(UsualStepDays(later.data(), 5000), 1.0 / 1440);
    // No step more than half of them: their middle (the later of two).
    const double spread[] = {0, minute, 6 * minute, 8 * minute, 12 * minute, 15 * minute};
    EXPECT_EQ(UsualStepDays(spread, 6), 3.0 / 1440);
    const double halves[] = {0,          1 * minute, 2 * minute,  3 * minute, 4 * minute,
                             6 * minute, 8 * minute, 10 * minute, 12 * minute};
    EXPECT_EQ(UsualStepDays(halves, 9), 2.0 / 1440);
    // Most steps are two minutes, though the first is not.
    const double mostly[] = {0, 5 * minute, 7 * minute, 9 * minute, 10 * minute, 12 * minute, 14 * minute};
    EXPECT_EQ(UsualStepDays(mostly, 7), 2.0 / 1440);
}
