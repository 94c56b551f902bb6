#include "core/SafeFile.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

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
    wxString error;
    ASSERT_TRUE(WriteFileAtomically(path, first.data(), first.size(), error)) << error;
    EXPECT_EQ(ReadBytes(path), first);
    ASSERT_TRUE(WriteFileAtomically(path, second.data(), second.size(), error)) << error;
    EXPECT_EQ(ReadBytes(path), second);
    ASSERT_TRUE(WriteFileAtomically(path, nullptr, 0, error)) << error;
    EXPECT_TRUE(ReadBytes(path).empty());
    EXPECT_EQ(FilesIn(dir), 1u) << "no temporary file may be left behind";

    struct stat st {};
    ASSERT_EQ(stat(path.fn_str(), &st), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);
}

TEST(SafeFile, FailureLeavesTheOldFileAndSaysWhy)
{
    TempDir dir;
    const std::vector<unsigned char> bytes(400, 1);
    wxString error;

    // The target's folder does not exist.
    EXPECT_FALSE(WriteFileAtomically(dir.File("missing/profile.hvc"), bytes.data(), bytes.size(), error));
    EXPECT_FALSE(error.empty());

    // The target is a folder.
    std::filesystem::create_directory(dir.Path() / "folder.hvc");
    error.clear();
    EXPECT_FALSE(WriteFileAtomically(dir.File("folder.hvc"), bytes.data(), bytes.size(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "folder.hvc"));

    if (geteuid() != 0) {  // root writes anywhere; the read-only case needs a user
        const wxString path = dir.File("ro/profile.hvc");
        std::filesystem::create_directory(dir.Path() / "ro");
        const std::vector<unsigned char> old(400, 7);
        WriteBytes(path, old);
        chmod((dir.Path() / "ro").c_str(), 0555);
        error.clear();
        EXPECT_FALSE(WriteFileAtomically(path, bytes.data(), bytes.size(), error));
        EXPECT_NE(error.Find("ro"), wxNOT_FOUND);
        EXPECT_EQ(ReadBytes(path), old);
        chmod((dir.Path() / "ro").c_str(), 0755);
    }
    EXPECT_EQ(FilesIn(dir), geteuid() != 0 ? 2u : 1u) << "no temporary file may be left behind";
}
