// The schedule table's file: 88-byte entries back to back, read and written
// whole.
#include "core/NodeSchedule.h"
#include "core/WordHelpers.h"

#include "file_access.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

std::vector<unsigned char> Pattern(std::size_t size)
{
    std::vector<unsigned char> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(i * 13 + 5);
    return bytes;
}

ScheduleEntry MarchEntry()
{
    ScheduleEntry e;
    e.date() = EncodePackedDate(wxDateTime(7, wxDateTime::Mar, 2013));
    e.targetEc() = 1500;
    e.targetPh() = FloatToWord(6.5f);
    e.ecRatio(0) = 1;
    e.ecRatio(1) = 2;
    return e;
}

// A refused file: the status, no entries, and a reason.
void ExpectRefused(const LoadResult<NodeSchedule>& read, LoadStatus status)
{
    EXPECT_EQ(read.status, status);
    EXPECT_TRUE(read.value.empty());
    EXPECT_FALSE(read.reason.empty());
}

} // namespace

TEST(ScheduleFile, SeventhOfMarchExampleBytes)
{
    const auto bytes = EncodeScheduleFile({MarchEntry()});
    ASSERT_EQ(bytes.size(), 88u);
    const std::vector<unsigned char> head = {0x00, 0x00, 0x00, 0x00, 0x03, 0x07, 0xDD, 0x07,
                                             0xDC, 0x05, 0x00, 0x00, 0x00, 0x00, 0xD0, 0x40,
                                             0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00};
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 24), head);
    EXPECT_TRUE(std::all_of(bytes.begin() + 24, bytes.end(), [](unsigned char b) { return b == 0; }));

    // The same bytes through the file, and the date reads back as that day.
    TempDir dir;
    ASSERT_TRUE(WriteScheduleFile(dir.File("march.hvs"), {MarchEntry()}).Saved());
    EXPECT_EQ(ReadBytes(dir.File("march.hvs")), bytes);
    const LoadResult<NodeSchedule> read = ReadScheduleFile(dir.File("march.hvs"));
    ASSERT_EQ(read.status, LoadStatus::Loaded);
    const NodeSchedule& back = read.value;
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0], MarchEntry());
    EXPECT_EQ(DecodePackedDate(back[0][kScheduleDate]), wxDateTime(7, wxDateTime::Mar, 2013));
}

TEST(ScheduleFile, EmptyTableIsAnEmptyFileAndBack)
{
    TempDir dir;
    const wxString path = dir.File("empty.hvs");
    WriteBytes(path, Pattern(880)); // an old file is replaced, not appended to
    ASSERT_TRUE(WriteScheduleFile(path, {}).Saved());
    EXPECT_TRUE(std::filesystem::exists(path.utf8_string()));
    EXPECT_TRUE(ReadBytes(path).empty());

    const LoadResult<NodeSchedule> read = ReadScheduleFile(path);
    EXPECT_EQ(read.status, LoadStatus::Loaded);
    EXPECT_TRUE(read.value.empty());
}

TEST(ScheduleFile, LengthsThatAreNotWholeEntriesAreRefused)
{
    TempDir dir;
    for (std::size_t size : {1, 87, 89, 100, 365 * 88 + 1}) {
        SCOPED_TRACE(size);
        const wxString path = dir.File("odd.hvs");
        WriteBytes(path, Pattern(size));
        ExpectRefused(ReadScheduleFile(path), LoadStatus::BadLength);

        NodeSchedule decoded(3);
        const auto bytes = Pattern(size);
        EXPECT_FALSE(DecodeScheduleFile(bytes.data(), bytes.size(), decoded));
        EXPECT_TRUE(decoded.empty());
    }
}

TEST(ScheduleFile, CapacityLimitsAddingNotReading)
{
    TempDir dir;
    for (std::size_t count : {std::size_t{1}, std::size_t{365}, std::size_t{400}, kScheduleFileMaxEntries}) {
        SCOPED_TRACE(count);
        const auto bytes = Pattern(count * 88);
        const wxString path = dir.File("many.hvs");
        WriteBytes(path, bytes);
        const LoadResult<NodeSchedule> read = ReadScheduleFile(path);
        ASSERT_EQ(read.status, LoadStatus::Loaded);
        const NodeSchedule& table = read.value;
        ASSERT_EQ(table.size(), count);
        // In file order, every word little-endian.
        const std::size_t last = count - 1;
        EXPECT_EQ(table[last][21], static_cast<uint32_t>(bytes[last * 88 + 84]) |
                                       static_cast<uint32_t>(bytes[last * 88 + 85]) << 8 |
                                       static_cast<uint32_t>(bytes[last * 88 + 86]) << 16 |
                                       static_cast<uint32_t>(bytes[last * 88 + 87]) << 24);
        // Written back, byte for byte.
        ASSERT_TRUE(WriteScheduleFile(dir.File("copy.hvs"), table).Saved());
        EXPECT_EQ(ReadBytes(dir.File("copy.hvs")), bytes);
    }
}

TEST(ScheduleFile, AFileBeyondTenYearsOfDaysIsRefusedNotAllocated)
{
    TempDir dir;
    const wxString path = dir.File("huge.hvs");
    WriteBytes(path, Pattern((kScheduleFileMaxEntries + 1) * 88));
    ExpectRefused(ReadScheduleFile(path), LoadStatus::TooLarge);
}

TEST(ScheduleFile, ReservedWordAndAnyValuesSurviveARoundTrip)
{
    NodeSchedule table(3);
    table[0].reserved() = 0xDEADBEEF;
    table[0].date() = 0x00FF0D0D; // month 13, day 13: not a date, kept as it is
    table[1].targetPh() = FloatToWord(-0.0f);
    table[2].phDownRatio(5) = 0xFFFFFFFF;
    table[2].reserved() = 1;
    TempDir dir;
    ASSERT_TRUE(WriteScheduleFile(dir.File("r.hvs"), table).Saved());
    const LoadResult<NodeSchedule> read = ReadScheduleFile(dir.File("r.hvs"));
    ASSERT_EQ(read.status, LoadStatus::Loaded);
    const NodeSchedule& back = read.value;
    EXPECT_EQ(back, table);
    EXPECT_EQ(back[0][kScheduleReserved], 0xDEADBEEFu);
    EXPECT_FALSE(DecodePackedDate(back[0][kScheduleDate]).IsValid()); // and no wx assertion
}

TEST(ScheduleFile, MissingUnreadableAndFailedSaves)
{
    TempDir dir;
    ExpectRefused(ReadScheduleFile(dir.File("absent.hvs")), LoadStatus::Missing);

    // A save into a folder that does not exist fails and says why.
    SaveResult saved = WriteScheduleFile(dir.File("nowhere/s.hvs"), {MarchEntry()});
    EXPECT_EQ(saved.status, SaveStatus::Failed);
    EXPECT_FALSE(saved.reason.empty());

    // A save that fails leaves the old file whole.
    const wxString path = dir.File("keep.hvs");
    const auto old = Pattern(176);
    WriteBytes(path, old);
    if (AccessCanBeDenied()) { // not as root, not on Windows
        MakeReadOnlyFolder(dir.Path());
        saved = WriteScheduleFile(path, {MarchEntry()});
        EXPECT_EQ(saved.status, SaveStatus::Failed);
        EXPECT_FALSE(saved.reason.empty());
        AllowAccess(dir.Path());
    }
    EXPECT_EQ(ReadBytes(path), old);

    // A file whose content does not match the length it reports (files under
    // /proc report 0 bytes) is not taken for an empty schedule.
#ifdef __linux__
    ExpectRefused(ReadScheduleFile("/proc/self/status"), LoadStatus::ReadError);
#endif

    if (AccessCanBeDenied()) {
        DenyAccess(dir.Path() / "keep.hvs");
        ExpectRefused(ReadScheduleFile(path), LoadStatus::ReadError);
    }
}
