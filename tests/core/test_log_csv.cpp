// A node log exported as comma separated values.
#include "core/LogCsv.h"
#include "core/WordHelpers.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

LogRecord Record(uint32_t date, uint32_t time, uint32_t ec1, float ph1, uint32_t te1Word)
{
    LogRecord r{};
    r[kLogCoreStatus] = 7;
    r[kLogDate] = date;
    r[kLogTime] = time;
    r[kLogEc1] = ec1;
    r[kLogEc2] = 4294967295u;
    r[kLogPh1] = FloatToWord(ph1);
    r[kLogPh2] = FloatToWord(-1.5f);
    r[kLogTe1] = te1Word;
    r[kLogTe2] = FloatToWord(21.0f);
    for (unsigned a = 0; a < 6; ++a)
        r[kLogAc1 + a] = a * 10;
    return r;
}

// 31 December 2012 13:45:30; a 13th month at 00:00:00; 29 February 2012 at 24:00:00.
std::vector<LogRecord> ThreeRecords()
{
    return {Record(12u | 31u << 8 | 2012u << 16, 13u | 45u << 8 | 30u << 16, 1500, 6.2f, 0x3DCCCCD0u),
            Record(13u | 1u << 8 | 2013u << 16, 0, 0, 7.0f, FloatToWord(-0.25f)),
            Record(2u | 29u << 8 | 2012u << 16, 24u, 100000, 5.999f, 0x7FC00000u)};
}

const char kThreeRecordsCsv[] =
    "DateTime,Date,Time,Core,EC1,EC2,PH1,PH2,TE1,TE2,AC1,AC2,AC3,AC4,AC5,AC6\r\n"
    "2012-12-31T13:45:30,2012-12-31,13:45:30,7,1500,4294967295,6.2,-1.5,0.100000024,21,0,10,20,30,40,50\r\n"
    ",,00:00:00,7,0,4294967295,7,-1.5,-0.25,21,0,10,20,30,40,50\r\n"
    ",2012-02-29,,7,100000,4294967295,5.999,-1.5,nan,21,0,10,20,30,40,50\r\n";

} // namespace

TEST(LogCsv, RowsOfAThreeRecordLog)
{
    std::string csv = LogCsvHeader();
    for (const LogRecord& r : ThreeRecords())
        AppendLogCsvRow(csv, r);
    EXPECT_EQ(csv, kThreeRecordsCsv);
}

TEST(LogCsv, FieldsAreQuotedWhenTheyMustBe)
{
    std::string out;
    AppendCsvField(out, "plain");
    out += '|';
    AppendCsvField(out, "a,b");
    out += '|';
    AppendCsvField(out, "say \"hi\"");
    out += '|';
    AppendCsvField(out, "two\r\nlines");
    out += '|';
    AppendCsvField(out, "only\nLF");
    out += '|';
    AppendCsvField(out, "");
    EXPECT_EQ(out, "plain|\"a,b\"|\"say \"\"hi\"\"\"|\"two\r\nlines\"|\"only\nLF\"|");
}

TEST(LogCsv, WritesTheWholeFileWithProgress)
{
    TempDir dir;
    const std::vector<LogRecord> three = ThreeRecords();
    std::vector<std::pair<size_t, size_t>> calls;
    const SaveResult r = WriteLogCsv(
        dir.File("log.csv"), three.size(), [&](size_t i) -> const LogRecord& { return three[i]; },
        [&](size_t done, size_t total) {
            calls.emplace_back(done, total);
            return true;
        });
    EXPECT_TRUE(r.Saved());
    EXPECT_FALSE(r.Cancelled());
    EXPECT_EQ(r.reason, "");
    EXPECT_EQ(ReadAll(dir.Path() / "log.csv"), kThreeRecordsCsv);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), (std::pair<size_t, size_t>{3, 3}));

    // 10,000 rows: progress comes every few thousand, rising, to the end.
    calls.clear();
    const SaveResult big = WriteLogCsv(
        dir.File("big.csv"), 10000, [&](size_t i) -> const LogRecord& { return three[i % 3]; },
        [&](size_t done, size_t total) {
            calls.emplace_back(done, total);
            return true;
        });
    EXPECT_TRUE(big.Saved());
    ASSERT_GE(calls.size(), 3u);
    for (size_t i = 1; i < calls.size(); ++i) {
        EXPECT_GT(calls[i].first, calls[i - 1].first);
        EXPECT_LE(calls[i].first - calls[i - 1].first, 10000u / 2);
        EXPECT_EQ(calls[i].second, 10000u);
    }
    EXPECT_EQ(calls.back().first, 10000u);
    const std::string text = ReadAll(dir.Path() / "big.csv");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10001);
}

TEST(LogCsv, CancelAndFailureWriteNothing)
{
    TempDir dir;
    const std::vector<LogRecord> three = ThreeRecords();
    const auto row = [&](size_t i) -> const LogRecord& { return three[i % 3]; };

    int asked = 0;
    const SaveResult cancelled =
        WriteLogCsv(dir.File("log.csv"), 20000, row, [&](size_t, size_t) { return ++asked < 3; });
    EXPECT_FALSE(cancelled.Saved());
    EXPECT_TRUE(cancelled.Cancelled());
    EXPECT_EQ(cancelled.status, SaveStatus::Cancelled);
    EXPECT_EQ(asked, 3);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "log.csv"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path())); // no temporary file left either

    // Cancelling keeps a file already there as it was.
    {
        std::ofstream(dir.Path() / "old.csv") << "old";
    }
    const SaveResult kept = WriteLogCsv(dir.File("old.csv"), 3, row, [](size_t, size_t) { return false; });
    EXPECT_TRUE(kept.Cancelled());
    EXPECT_EQ(ReadAll(dir.Path() / "old.csv"), "old");

    const SaveResult failed = WriteLogCsv(dir.File("missing/log.csv"), 3, row);
    EXPECT_FALSE(failed.Saved());
    EXPECT_FALSE(failed.Cancelled());
    EXPECT_EQ(failed.status, SaveStatus::Failed);
    EXPECT_FALSE(failed.reason.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing"));
}
