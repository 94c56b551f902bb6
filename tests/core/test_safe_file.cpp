#include "core/SafeFile.h"

#include "file_access.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <wx/filename.h>

#include <filesystem>
#include <fstream>

namespace {
size_t FilesIn(const TempDir& dir)
{
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++n;
    return n;
}
} // namespace

TEST(SafeFile, WritesNewAndReplacesExistingFilesWhole)
{
    TempDir dir;
    const wxString path = dir.File("profile.hvc");
    const std::vector<unsigned char> first(400, 0xAB), second(88, 0x11);
    ASSERT_TRUE(WriteFileAtomically(path, first.data(), first.size()).Saved());
    EXPECT_EQ(ReadBytes(path), first);
    ASSERT_TRUE(WriteFileAtomically(path, second.data(), second.size()).Saved());
    EXPECT_EQ(ReadBytes(path), second);
    ASSERT_TRUE(WriteFileAtomically(path, nullptr, 0).Saved());
    EXPECT_TRUE(ReadBytes(path).empty());
    EXPECT_EQ(FilesIn(dir), 1u) << "no temporary file may be left behind";

    // The permissions any new file of the user gets (the umask applies).
    std::ofstream(dir.Path() / "ordinary") << "x";
    EXPECT_EQ(std::filesystem::status(dir.Path() / "profile.hvc").permissions(),
              std::filesystem::status(dir.Path() / "ordinary").permissions());
}

TEST(SafeFile, ReplacesTheOldFileInsteadOfRewritingIt)
{
    // A second name (hard link) of the old file shows how it was replaced: a
    // rename leaves the old file whole under that name; a copy over the old
    // file in place (which an interruption leaves truncated) changes it.
    TempDir dir;
    const wxString path = dir.File("schedule.hvs");
    const std::vector<unsigned char> old(176, 0x22), fresh(88, 0x33);
    WriteBytes(path, old);
    std::error_code ec;
    std::filesystem::create_hard_link(dir.Path() / "schedule.hvs", dir.Path() / "second-name.hvs", ec);
    if (ec)
        GTEST_SKIP() << "no hard links on this file system: " << ec.message();
    ASSERT_TRUE(WriteFileAtomically(path, fresh.data(), fresh.size()).Saved());
    EXPECT_EQ(ReadBytes(path), fresh);
    EXPECT_EQ(ReadBytes(dir.File("second-name.hvs")), old);
    EXPECT_EQ(FilesIn(dir), 2u) << "no temporary file may be left behind";
}

TEST(SafeFile, NamesBeyondAscii)
{
    // Growers name profiles in their own language; the temporary file and
    // the rename must reach the same file on every platform.
    TempDir dir;
    const wxString path = dir.File("N\xC3\xA4hrl\xC3\xB6sung \xCE\xB1\xCF\x80\xCF\x8C \xE6\xB0\xB4.hvc");
    const std::vector<unsigned char> first(400, 1), second(400, 2);
    ASSERT_TRUE(WriteFileAtomically(path, first.data(), first.size()).Saved());
    ASSERT_TRUE(WriteFileAtomically(path, second.data(), second.size()).Saved());
    EXPECT_EQ(ReadBytes(path), second);
    ASSERT_EQ(FilesIn(dir), 1u);
    EXPECT_EQ(
        wxString::FromUTF8(std::filesystem::directory_iterator(dir.Path())->path().filename().u8string()),
        wxFileName(path).GetFullName());
}

TEST(SafeFile, FailureLeavesTheOldFileAndSaysWhy)
{
    TempDir dir;
    const std::vector<unsigned char> bytes(400, 1);

    // The target's folder does not exist.
    SaveResult r = WriteFileAtomically(dir.File("missing/profile.hvc"), bytes.data(), bytes.size());
    EXPECT_EQ(r.status, SaveStatus::Failed);
    EXPECT_FALSE(r.reason.empty());

    // The target is a folder.
    std::filesystem::create_directory(dir.Path() / "folder.hvc");
    r = WriteFileAtomically(dir.File("folder.hvc"), bytes.data(), bytes.size());
    EXPECT_EQ(r.status, SaveStatus::Failed);
    EXPECT_EQ(r.reason, "a folder of that name exists");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "folder.hvc"));

    if (AccessCanBeDenied()) { // not as root, not on Windows
        const wxString path = dir.File("ro/profile.hvc");
        std::filesystem::create_directory(dir.Path() / "ro");
        const std::vector<unsigned char> old(400, 7);
        WriteBytes(path, old);
        MakeReadOnlyFolder(dir.Path() / "ro");
        r = WriteFileAtomically(path, bytes.data(), bytes.size());
        EXPECT_FALSE(r.Saved());
        EXPECT_NE(r.reason.Find("ro"), wxNOT_FOUND);
        EXPECT_EQ(ReadBytes(path), old);
        AllowAccess(dir.Path() / "ro");
    }
    EXPECT_EQ(FilesIn(dir), AccessCanBeDenied() ? 2u : 1u) << "no temporary file may be left behind";
}
