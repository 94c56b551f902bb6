#include "core/LogCsv.h"
#include "core/ProbeFlags.h"
#include "core/WordHelpers.h"

#include "log_words.h"
#include "temp_dir.h"
#include "time_zone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int64_t Ms(wxDateTime::wxDateTime_t hour, wxDateTime::wxDateTime_t minute)
{
    return static_cast<int64_t>(wxDateTime(3, wxDateTime::Mar, 2025, hour, minute, 0).GetValue().GetValue());
}

LogRecord Record(int hour, int minute)
{
    LogRecord r{};
    r[kLogEc1] = 1500;
    r[kLogEc2] = 1400;
    r[kLogPh1] = FloatToWord(6.2f);
    r[kLogPh2] = FloatToWord(6.3f);
    r[kLogTe1] = FloatToWord(20.0f);
    r[kLogTe2] = FloatToWord(21.0f);
    r[kLogDate] = LogDate(2025, 3, 3);
    r[kLogTime] = LogTime(hour, minute, 0);
    return r;
}

std::string Fields(const ProbeFlags& flags, const LogRecord& r)
{
    std::string out;
    flags.AppendCsvFields(out, r);
    return out;
}

} // namespace

TEST(ProbeFlags, EachRecordNamesTheChannelsEachCheckFlagsAtItsTime)
{
    WithTimeZone utc("UTC");
    const ProbeFlags flags({
        {ProbeFindingKind::Stuck, 0, Ms(12, 10), Ms(12, 20), "stuck"},
        {ProbeFindingKind::Stuck, 5, Ms(12, 15), Ms(12, 15), "stuck"},
        {ProbeFindingKind::ChannelsDiffer, 2, Ms(12, 15), Ms(12, 16), "apart"},
        {ProbeFindingKind::LowEc, 1, Ms(11, 0), Ms(11, 5), "low"},
        {ProbeFindingKind::Spike, 3, Ms(12, 5), Ms(12, 5), "spike"},
        // Set back: the stretch runs from the later record's earlier time.
        {ProbeFindingKind::ClockJump, -1, Ms(12, 15), Ms(14, 0), "clock"},
        {ProbeFindingKind::Dropouts, 4, Ms(12, 0), Ms(13, 0), "longest run only"},
    });
    EXPECT_EQ(ProbeFlags::CsvHeader(), ",Stuck,Low EC,Missing,Probes Apart,Clock Jump,Spike");
    EXPECT_EQ(Fields(flags, Record(12, 0)), ",,,,,,");
    EXPECT_EQ(Fields(flags, Record(12, 5)), ",,,,,,PH2");
    EXPECT_EQ(Fields(flags, Record(12, 10)), ",EC1,,,,,");
    EXPECT_EQ(Fields(flags, Record(12, 20)), ",EC1,,,,clock,");
    EXPECT_EQ(Fields(flags, Record(11, 3)), ",,EC2,,,,");
    // Missing readings come from the record itself.
    LogRecord r = Record(12, 15);
    r[kLogEc2] = 0xFFFFFFFFu;
    r[kLogTe1] = FloatToWord(std::nanf(""));
    EXPECT_EQ(Fields(flags, r), ",EC1 TE2,,EC2 TE1,PH1 PH2,clock,");
    // No real time: no findings, only what is missing.
    r[kLogDate] = LogDate(2025, 2, 30);
    EXPECT_EQ(Fields(flags, r), ",,,EC2 TE1,,,");
}

TEST(ProbeFlags, TheCsvCarriesTheFlagColumnsAfterTheFifteen)
{
    WithTimeZone utc("UTC");
    TempDir dir;
    const std::vector<LogRecord> records = {Record(12, 9), Record(12, 10)};
    const ProbeFlags flags({{ProbeFindingKind::Stuck, 0, Ms(12, 10), Ms(12, 20), "stuck"}});
    const LogCsvExtra extra = flags.CsvColumns();
    const wxString path = dir.File("flags.csv");
    ASSERT_TRUE(
        WriteLogCsv(
            path, records.size(), [&](size_t i) -> const LogRecord& { return records[i]; }, nullptr, &extra)
            .Saved());
    std::ifstream in(path.utf8_string(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string plain;
    for (const LogRecord& r : records)
        AppendLogCsvRow(plain, r);
    const std::string header = LogCsvHeader();
    const std::string row0 = plain.substr(0, plain.find("\r\n"));
    const std::string row1 = plain.substr(row0.size() + 2, plain.size() - row0.size() - 4);
    EXPECT_EQ(text, header.substr(0, header.size() - 2) +
                        ",Stuck,Low EC,Missing,Probes Apart,Clock Jump,Spike\r\n" + row0 + ",,,,,,\r\n" +
                        row1 + ",EC1,,,,,\r\n");
    EXPECT_TRUE(row1.rfind("2025-03-03T12:10:00,", 0) == 0) << row1;
}
