#include "core/AppConfigFile.h"
#include "core/Version.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
std::vector<unsigned char> Pattern(size_t size)
{
    std::vector<unsigned char> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>((i * 31 + i / 50) & 0xFF);
    return bytes;
}
} // namespace

TEST(AppConfig, LengthsThatAreWholeRecordsLoadInFileOrder)
{
    TempDir dir;
    for (size_t records : {size_t(0), size_t(1), size_t(3), size_t(255), size_t(256)}) {
        SCOPED_TRACE(testing::Message() << records << " records");
        const wxString path = dir.File("appconfig.txt");
        const auto bytes = Pattern(records * 50);
        WriteBytes(path, bytes);
        const auto loaded = ReadAppConfig(path);
        EXPECT_EQ(loaded.status, LoadStatus::Loaded);
        const auto& table = loaded.value;
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->recordCount, records);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), table->Record(0)));
        EXPECT_FALSE(table->file.IsOpened());
    }
}

TEST(AppConfig, MoreThanTheBufferHoldsIsCutAtTwoHundredFiftySixRecords)
{
    // The buffer holds 256 records (12800 bytes); a longer file is read up to
    // that point and never beyond it, and the count says what was read.
    TempDir dir;
    const wxString path = dir.File("appconfig.txt");
    for (size_t records : {size_t(257), size_t(300), size_t(1000)}) {
        SCOPED_TRACE(testing::Message() << records << " records");
        const auto bytes = Pattern(records * 50);
        WriteBytes(path, bytes);
        const auto loaded = ReadAppConfig(path);
        EXPECT_EQ(loaded.status, LoadStatus::Loaded);
        const auto& table = loaded.value;
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->recordCount, 256);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 12800, table->Record(0)));
    }
}

TEST(AppConfig, BadLengthsAndMissingFiles)
{
    TempDir dir;
    const wxString path = dir.File("appconfig.txt");
    for (size_t size : {size_t(49), size_t(51), size_t(101), size_t(12801), size_t(12849)}) {
        SCOPED_TRACE(testing::Message() << size << " bytes");
        WriteBytes(path, Pattern(size));
        const auto loaded = ReadAppConfig(path);
        EXPECT_EQ(loaded.status, LoadStatus::BadLength);
        const auto& table = loaded.value;
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->recordCount, 0);
        EXPECT_FALSE(table->file.IsOpened());
    }
    const auto loaded = ReadAppConfig(dir.File("nothing-here.txt"));
    EXPECT_EQ(loaded.status, LoadStatus::Missing);
    const auto& missing = loaded.value;
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->recordCount, 0);
    // A folder where the file should be is not readable as a file.
    const auto folder = ReadAppConfig(wxString::FromUTF8(dir.Path().string()));
    EXPECT_NE(folder.status, LoadStatus::Loaded);
    ASSERT_NE(folder.value, nullptr);
    EXPECT_EQ(folder.value->recordCount, 0);
}

TEST(Version, TextsAreBuiltFromTheVersionNumbers)
{
    EXPECT_EQ(GetVersionText(), "0.9.0.1");
    EXPECT_EQ(GetClientTitle(), "HALVANE DUO CLIENT v0.9.0.1");
    EXPECT_EQ(GetBuildDateText(), "04/02/12");
}
