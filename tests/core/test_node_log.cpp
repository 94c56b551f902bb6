// Loading node log files and turning their words into the log page's texts.
#include "core/LargeBuffer.h"
#include "core/LogText.h"
#include "core/NodeLog.h"
#include "core/WordHelpers.h"

#include "file_access.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace {

std::vector<unsigned char> Pattern(size_t size, unsigned seed = 0)
{
    std::vector<unsigned char> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(i * 13 + seed);
    return bytes;
}

// Word n of record r read straight from the file's bytes (little-endian).
uint32_t FileWord(const std::vector<unsigned char>& bytes, size_t r, size_t n)
{
    const unsigned char* p = bytes.data() + r * kLogRecordSize + n * 4;
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void ExpectLogIsFile(const NodeLog& log, const std::vector<unsigned char>& bytes)
{
    ASSERT_EQ(size_t{log.count}, bytes.size() / kLogRecordSize);
    for (size_t r = 0; r < log.count; ++r)
        for (size_t n = 0; n < kLogRecordWords; ++n)
            ASSERT_EQ(log[r][n], FileWord(bytes, r, n)) << "record " << r << " word " << n;
}

NodeLog LoadedOk(const TempDir& dir, const std::vector<unsigned char>& bytes)
{
    const wxString path = dir.File("ok.hvl");
    WriteBytes(path, bytes);
    LoadResult<NodeLog> loaded = LoadNodeLog(path);
    EXPECT_EQ(loaded.status, LoadStatus::Loaded);
    EXPECT_TRUE(loaded.reason.empty());
    return loaded.value;
}

LogRecord Blank()
{
    LogRecord r{};
    return r;
}

} // namespace

TEST(NodeLogLoad, LengthsAroundOneRecord)
{
    TempDir dir;
    struct Case {
        size_t size;
        LoadStatus status;
        uint32_t count;
    };
    const Case cases[] = {
        {0, LoadStatus::Loaded, 0},   {159, LoadStatus::BadLength, 0}, // rejected: nothing of it is published
        {160, LoadStatus::Loaded, 1}, {161, LoadStatus::BadLength, 0}, {319, LoadStatus::BadLength, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes");
        const wxString path = dir.File("log" + std::to_string(c.size) + ".hvl");
        const auto bytes = Pattern(c.size, 1);
        WriteBytes(path, bytes);
        const LoadResult<NodeLog> loaded = LoadNodeLog(path);
        EXPECT_EQ(loaded.status, c.status);
        EXPECT_EQ(loaded.value.count, c.count);
        EXPECT_EQ(loaded.value.records == nullptr, c.count == 0);
        if (c.status == LoadStatus::Loaded)
            ExpectLogIsFile(loaded.value, bytes);
        else
            EXPECT_FALSE(loaded.reason.empty());
    }
}

TEST(NodeLogLoad, MissingPathGivesAnEmptyLog)
{
    TempDir dir;
    LoadResult<NodeLog> loaded = LoadNodeLog(dir.File("no-such.hvl"));
    EXPECT_EQ(loaded.status, LoadStatus::Missing);
    EXPECT_EQ(loaded.value.count, 0u);
    EXPECT_EQ(loaded.value.records, nullptr);
    // A folder is no log file either.
    loaded = LoadNodeLog(wxString::FromUTF8(dir.Path().string()));
    EXPECT_EQ(loaded.status, LoadStatus::Missing);
    EXPECT_EQ(loaded.value.count, 0u);
}

TEST(NodeLogLoad, ManyMoreThanTheOldStagingBufferHeld)
{
    TempDir dir;
    // The last size takes the huge-page path of the record buffer.
    for (size_t records : {1024u, 1025u, 5000u, 60000u}) {
        SCOPED_TRACE(records);
        const auto bytes = Pattern(records * kLogRecordSize, static_cast<unsigned>(records));
        ExpectLogIsFile(LoadedOk(dir, bytes), bytes);
    }
}

TEST(NodeLogLoad, UnreadableFileIsRefused)
{
    TempDir dir;
    // A file we may not read: refused, nothing published.
    const wxString locked = dir.File("locked.hvl");
    WriteBytes(locked, Pattern(2 * kLogRecordSize));
    DenyAccess(dir.Path() / "locked.hvl");
    if (!AccessCanBeDenied())
        GTEST_SKIP() << "this process reads every file (root, or Windows)";
    const LoadResult<NodeLog> loaded = LoadNodeLog(locked);
    EXPECT_EQ(loaded.status, LoadStatus::ReadError);
    EXPECT_EQ(loaded.value.records, nullptr);
    EXPECT_FALSE(loaded.reason.empty());
}

TEST(NodeLogLoad, ShortAndFailedReads)
{
    const auto bytes = Pattern(5 * kLogRecordSize, 4);
    // A file that holds fewer bytes than its length announced (it shrank
    // while being read): only the whole records actually read are published.
    for (size_t available : {size_t{0}, size_t{159}, size_t{160}, 3 * kLogRecordSize + 77}) {
        SCOPED_TRACE(available);
        size_t at = 0;
        auto read = [&](void* buffer, size_t size) -> ssize_t {
            const size_t n = std::min({size, available - at, size_t{100}}); // in small pieces
            std::memcpy(buffer, bytes.data() + at, n);
            at += n;
            return static_cast<ssize_t>(n);
        };
        const LoadResult<NodeLog> loaded = ReadNodeLog(static_cast<int64_t>(bytes.size()), read);
        ASSERT_EQ(loaded.status, LoadStatus::Loaded);
        const NodeLog& log = loaded.value;
        EXPECT_EQ(size_t{log.count}, available / kLogRecordSize);
        ExpectLogIsFile(
            log, std::vector<unsigned char>(bytes.begin(),
                                            bytes.begin() + static_cast<long>(log.count * kLogRecordSize)));
    }

    // A read that fails part way publishes nothing; so does an unknown length
    // and a read that claims more than it was asked for.
    size_t calls = 0;
    auto failing = [&](void* buffer, size_t size) -> ssize_t {
        if (calls++ > 0)
            return -1;
        std::memcpy(buffer, bytes.data(), std::min(size, size_t{320}));
        return 320;
    };
    LoadResult<NodeLog> failed = ReadNodeLog(static_cast<int64_t>(bytes.size()), failing);
    EXPECT_EQ(failed.status, LoadStatus::ReadError);
    EXPECT_EQ(failed.value.records, nullptr);
    EXPECT_EQ(failed.value.count, 0u);
    EXPECT_EQ(calls, 2u);
    EXPECT_EQ(ReadNodeLog(-1, failing).status, LoadStatus::ReadError);
    failed = ReadNodeLog(static_cast<int64_t>(bytes.size()),
                         [](void*, size_t size) { return static_cast<ssize_t>(size + 1); });
    EXPECT_EQ(failed.status, LoadStatus::ReadError);
    EXPECT_EQ(failed.value.records, nullptr);
}

TEST(NodeLogLoad, LargeFilesReadInPartsSideBySide)
{
    // 26 MB: three parts of some 8.7 MB each. Bytes that never repeat at a
    // distance of a part, so a part read to the wrong place shows.
    std::vector<unsigned char> bytes(163840 * kLogRecordSize);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>((i * 2654435761u) >> 13);
    auto fileOf = [&bytes](size_t available, std::atomic<int>* failAt) {
        return [&bytes, available, failAt](void* buffer, size_t size, uint64_t offset) -> ssize_t {
            if (failAt && offset >= static_cast<uint64_t>(failAt->load()))
                return -1;
            if (offset >= available)
                return 0;
            const size_t n = std::min({size, available - static_cast<size_t>(offset), size_t{1} << 20});
            std::memcpy(buffer, bytes.data() + offset, n);
            return static_cast<ssize_t>(n);
        };
    };
    const auto length = static_cast<int64_t>(bytes.size());

    LoadResult<NodeLog> loaded = ReadNodeLogInParts(length, fileOf(bytes.size(), nullptr), 3);
    ASSERT_EQ(loaded.status, LoadStatus::Loaded);
    ExpectLogIsFile(loaded.value, bytes);

    // The file shrank to 12 MB and a half record: the first part whole, the
    // second cut, the third finds nothing. The whole records up to the cut.
    const size_t shrunk = 75000 * kLogRecordSize + 80;
    loaded = ReadNodeLogInParts(length, fileOf(shrunk, nullptr), 3);
    ASSERT_EQ(loaded.status, LoadStatus::Loaded);
    ExpectLogIsFile(loaded.value, std::vector<unsigned char>(bytes.begin(), bytes.begin() + 75000 * 160));

    // A read failing in the last part publishes nothing.
    std::atomic<int> failAt{20 << 20};
    loaded = ReadNodeLogInParts(length, fileOf(bytes.size(), &failAt), 3);
    EXPECT_EQ(loaded.status, LoadStatus::ReadError);
    EXPECT_EQ(loaded.value.records, nullptr);
    EXPECT_EQ(loaded.value.count, 0u);
}

TEST(NodeLogLoad, ChartViewsKeepTheirRecordsAcrossAReload)
{
    TempDir dir;
    const auto first = Pattern(4 * kLogRecordSize, 3);
    NodeLog page = LoadedOk(dir, first);
    const NodeLog view = page; // what a chart view holds
    WriteBytes(dir.File("b.hvl"), Pattern(kLogRecordSize, 9));
    LoadResult<NodeLog> reloaded = LoadNodeLog(dir.File("b.hvl"));
    ASSERT_EQ(reloaded.status, LoadStatus::Loaded);
    page = reloaded.value;
    EXPECT_EQ(page.count, 1u);
    ExpectLogIsFile(view, first); // still whole and readable (ASan would catch a free)
}

TEST(NodeLogLoad, DecodedWordsOfAKnownRecord)
{
    std::vector<unsigned char> bytes(kLogRecordSize, 0);
    const unsigned char ph[] = {0x00, 0x00, 0xD0, 0x40};   // 6.5f
    const unsigned char ec[] = {0xFF, 0xFF, 0xFF, 0xFF};   // 4294967295
    const unsigned char date[] = {0x0C, 0x1F, 0xDC, 0x07}; // 31 December 2012
    const unsigned char time[] = {0x0D, 0x2D, 0x1E, 0x9A}; // 13:45:30, top byte ignored
    std::memcpy(&bytes[kLogPh1 * 4], ph, 4);
    std::memcpy(&bytes[kLogEc1 * 4], ec, 4);
    std::memcpy(&bytes[kLogDate * 4], date, 4);
    std::memcpy(&bytes[kLogTime * 4], time, 4);
    TempDir dir;
    const NodeLog log = LoadedOk(dir, bytes);
    ASSERT_EQ(log.count, 1u);
    const LogRecord& r = log[0];

    EXPECT_EQ(WordToFloat(r[kLogPh1]), 6.5f);
    EXPECT_EQ(r[kLogEc1], 4294967295u);
    const wxDateTime d = DecodePackedDate(r[kLogDate]);
    ASSERT_TRUE(d.IsValid());
    EXPECT_EQ(d.GetDay(), 31);
    EXPECT_EQ(d.GetMonth(), wxDateTime::Dec);
    EXPECT_EQ(d.GetYear(), 2012);
    const wxDateTime t = DecodePackedTime(r[kLogTime]);
    ASSERT_TRUE(t.IsValid());
    EXPECT_EQ(t.GetHour(), 13);
    EXPECT_EQ(t.GetMinute(), 45);
    EXPECT_EQ(t.GetSecond(), 30);

    EXPECT_EQ(LogCellText(r, 0), wxDateTime(31, wxDateTime::Dec, 2012).Format("%x"));
    EXPECT_EQ(LogCellText(r, 1), wxDateTime::Today().SetHour(13).SetMinute(45).SetSecond(30).Format("%X"));
    EXPECT_EQ(LogCellText(r, 3), "4294967295");
    EXPECT_EQ(LogCellText(r, 5), "6.500000");
}

TEST(LogText, ColumnsOfTheList)
{
    const char* headers[] = {"Date", "Time", "Core", "EC1", "EC2", "PH1", "PH2", "TE1",
                             "TE2",  "AC1",  "AC2",  "AC3", "AC4", "AC5", "AC6"};
    const unsigned items[] = {31, 32, 5, 11, 12, 13, 14, 15, 16, 21, 22, 23, 24, 25, 26};
    for (unsigned c = 0; c < kLogColumnCount; ++c) {
        EXPECT_STREQ(GetLogColumn(c).header, headers[c]);
        EXPECT_EQ(GetLogColumn(c).item, items[c]);
        EXPECT_EQ(GetLogColumn(c).width, c == 2 ? 75 : 50);
    }
}

TEST(LogText, CellFormatterRules)
{
    // Unsigned decimals, never negative.
    for (unsigned item : {11u, 12u, 21u, 26u, 27u, 30u}) {
        EXPECT_EQ(FormatLogCell(item, 0), "0") << item;
        EXPECT_EQ(FormatLogCell(item, 0xFFFFFFFFu), "4294967295") << item;
        EXPECT_EQ(FormatLogCell(item, 0x80000000u), "2147483648") << item;
    }
    // PH: only 1 < value < 14 is shown.
    struct Ph {
        float value;
        const char* text;
    };
    const Ph phs[] = {{0.5f, "0.000000"},  {1.0f, "0.000000"},    {14.0f, "0.000000"},
                      {6.5f, "6.500000"},  {13.99f, "13.990000"}, {1.0001f, "1.000100"},
                      {-3.0f, "0.000000"}, {100.0f, "0.000000"}};
    for (unsigned item : {13u, 14u})
        for (const Ph& p : phs)
            EXPECT_EQ(FormatLogCell(item, FloatToWord(p.value)), p.text) << item << " " << p.value;
    EXPECT_EQ(FormatLogCell(13, 0x7FC00000u), "0.000000") << "NaN is no PH";
    // Temperatures: every value as stored.
    for (unsigned item : {15u, 16u}) {
        EXPECT_EQ(FormatLogCell(item, FloatToWord(0.5f)), "0.500000");
        EXPECT_EQ(FormatLogCell(item, FloatToWord(-12.25f)), "-12.250000");
        EXPECT_EQ(FormatLogCell(item, FloatToWord(21.5f)), "21.500000");
    }
    // Everything else is empty, the "Core" item 5 included.
    for (unsigned item : {0u, 1u, 5u, 10u, 17u, 20u, 33u, 39u, 40u, 1000u})
        EXPECT_EQ(FormatLogCell(item, 0x01020304u), "") << item;
}

TEST(LogText, InvalidDatesAndTimesShowTheFixedText)
{
    const uint32_t badDates[] = {0x07DC1F00u /* month 0 */, 0x07DC1F0Du /* month 13 */,
                                 0x07DC000Cu /* day 0 */, 0x07DD1E02u /* 30 Feb */, 0xFFFFFFFFu};
    for (uint32_t w : badDates)
        EXPECT_EQ(FormatLogCell(kLogDate, w), InvalidDateTimeText()) << std::hex << w;
    const uint32_t badTimes[] = {0x00000018u /* 24:00 */, 0x00003C00u /* minute 60 */,
                                 0x003C0000u /* second 60 */, 0xFFFFFFFFu};
    for (uint32_t w : badTimes)
        EXPECT_EQ(FormatLogCell(kLogTime, w), InvalidDateTimeText()) << std::hex << w;
    // Real dates in far years format without a wx assertion.
    for (uint32_t year : {0u, 1u, 1601u, 1969u, 2038u, 9999u, 65535u})
        EXPECT_FALSE(FormatLogCell(kLogDate, year << 16 | 1u << 8 | 1u).empty()) << year;

    // The whole row of a record full of noise formats without a wx assertion.
    LogRecord noise = Blank();
    for (size_t n = 0; n < kLogRecordWords; ++n)
        noise[n] = 0xFFFFFFFFu - static_cast<uint32_t>(n);
    for (unsigned c = 0; c < kLogColumnCount; ++c)
        (void)LogCellText(noise, c);
    EXPECT_EQ(LogCellText(noise, 2), "");
}

TEST(LargeBuffer, SmallBigAndImpossibleSizes)
{
    for (size_t count : {size_t{0}, size_t{1}, size_t{1000}, size_t{3} << 20}) {
        LargeArray<double> values = AllocateLargeArray<double>(count);
        ASSERT_NE(values, nullptr) << count;
        for (size_t i = 0; i < count; i += 4096)
            values[i] = static_cast<double>(i);
        if (count)
            values[count - 1] = 1.0;
    }
    EXPECT_EQ(AllocateLargeArray<LogRecord>(static_cast<size_t>(-1) / 8), nullptr);
}
