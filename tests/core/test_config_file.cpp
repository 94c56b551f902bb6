// The check a profile must pass before it is written for the controller, and
// the 400-byte configuration file.
#include "core/ConfigFile.h"

#include "core/ConfigRows.h"
#include "core/WordHelpers.h"

#include "file_access.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cmath>
#include <filesystem>

namespace {

// Every entry set and valid, both channels maintained, in the given mode.
NodeConfig ValidProfile(uint32_t mode = kModeDualChannelDualEnv)
{
    NodeConfig c;
    c[1] = mode;
    for (int i = 3; i <= 8; ++i)
        c[i] = 1200;
    for (int i = 9; i <= 44; ++i)
        c[i] = static_cast<uint32_t>(1 + i % 7);
    c[46] = 1500;
    c[47] = 1800;
    c[48] = FloatToWord(6.0f);
    c[49] = FloatToWord(5.8f);
    c[50] = c[51] = 100;
    c[52] = c[53] = FloatToWord(0.2f);
    for (int i = 54; i <= 59; ++i)
        c[i] = 25;
    for (int i = 64; i <= 67; ++i)
        c[i] = 10;
    return c;
}

// An out-of-range value for each checked entry.
uint32_t InvalidValueFor(int index)
{
    switch (KindOf(index)) {
    case ParamKind::PhValue:
        return FloatToWord(index <= 49 ? 0.5f : 2.5f);
    case ParamKind::EcValue:
        return index <= 47 ? 20001 : 3001;
    case ParamKind::CountValue:
        return index >= 64 ? 0 : 65001;
    case ParamKind::ActuatorGroup:
        return index <= 8 ? 65001 : 101;
    default:
        return 0;
    }
}

const int kChannel2Loop[] = {47, 49, 51, 53, 55, 57, 59, 65, 67};

} // namespace

TEST(ValidateForSave, OperationModeIsCheckedFirst)
{
    NodeConfig fresh;
    EXPECT_EQ(ValidateForSave(fresh), 1) << "a cleared profile reports its mode and nothing else";

    for (uint32_t mode : {0u, 0x100u, 0x102u, 0x501u, 0xFFFFFFFFu}) {
        NodeConfig c = ValidProfile(mode);
        c[3] = 70000; // a later fault never hides the mode
        EXPECT_EQ(ValidateForSave(c), 1) << std::hex << mode;
    }
    for (uint32_t mode :
         {kModePassive, kModeSingleChannel, kModeDualChannelSingleEnv, kModeDualChannelDualEnv})
        EXPECT_EQ(ValidateForSave(ValidProfile(mode)), std::nullopt) << std::hex << mode;
}

TEST(ValidateForSave, ReportsTheFirstInvalidEntryInIndexOrder)
{
    // In the mode that uses everything, every checked entry is reported by
    // its own index when it alone is out of range.
    for (int index = 3; index <= 67; ++index) {
        if (KindOf(index) == ParamKind::None)
            continue;
        NodeConfig c = ValidProfile();
        c[index] = InvalidValueFor(index);
        EXPECT_EQ(ValidateForSave(c), index);
    }
    NodeConfig c = ValidProfile();
    c[30] = 101; // actuator 4 of the PH2 UP ratios: its own index, not the group's
    c[50] = 10;
    EXPECT_EQ(ValidateForSave(c), 30);
    c[9] = 1000;
    EXPECT_EQ(ValidateForSave(c), 9);
}

TEST(ValidateForSave, RangeEdges)
{
    struct Case {
        int index;
        uint32_t value;
        bool valid;
    };
    const Case cases[] = {
        {48, 0, true},
        {48, FloatToWord(0.5f), false},
        {48, FloatToWord(1.0f), true},
        {48, FloatToWord(14.0f), true},
        {48, FloatToWord(14.01f), false},
        {48, FloatToWord(std::nanf("")), false},
        {52, FloatToWord(0.01f), true},
        {52, FloatToWord(2.0f), true},
        {52, FloatToWord(2.01f), false},
        {52, FloatToWord(0.009f), false},
        {50, 49, false},
        {50, 50, true},
        {50, 3000, true},
        {50, 3001, false},
        {64, 0, false},
        {64, 1, true},
        {64, 65000, true},
        {54, 0, true},
        {54, 65000, true},
        {54, 65001, false},
        {46, 20000, true},
        {46, 20001, false},
        {3, 65000, true},
        {9, 100, true},
        {44, 0xFFFFFFFF, false},
        {8, 0x80000000, false},
    };
    for (const Case& k : cases) {
        NodeConfig c = ValidProfile();
        c[k.index] = k.value;
        EXPECT_EQ(ValidateForSave(c) == std::nullopt, k.valid) << "index " << k.index << " value " << k.value;
    }
}

TEST(ValidateForSave, ZeroTargetSwitchesOffItsLoopsChecks)
{
    struct Loop {
        int target;
        std::vector<int> dependents;
    };
    const Loop loops[] = {
        {46, {50, 54, 64}}, {47, {51, 55, 65}}, {48, {52, 56, 58, 66}}, {49, {53, 57, 59, 67}}};
    for (const Loop& loop : loops) {
        SCOPED_TRACE(testing::Message() << "target " << loop.target);
        NodeConfig c = ValidProfile();
        c[loop.target] = 0;
        for (int d : loop.dependents)
            c[d] = InvalidValueFor(d);
        EXPECT_EQ(ValidateForSave(c), std::nullopt);

        // With the target set again the first dependent is reported.
        c[loop.target] = ValidProfile()[loop.target];
        EXPECT_EQ(ValidateForSave(c), loop.dependents.front());
    }

    // EC1 target 0 lets a tolerance of 0 pass; a target of 1000 reports it as entry 50.
    NodeConfig c = ValidProfile();
    c[46] = 0;
    c[50] = 0;
    EXPECT_EQ(ValidateForSave(c), std::nullopt);
    c[46] = 1000;
    EXPECT_EQ(ValidateForSave(c), 50);

    // Only the all-zero pattern switches a PH loop off: -0.0 is a valid
    // target of "0" yet the loop is still checked.
    c = ValidProfile();
    c[48] = 0x80000000u;
    c[52] = 0;
    EXPECT_EQ(ValidateForSave(c), 52);

    // A zero target does not switch off the other channel or the ratios.
    c = ValidProfile();
    c[46] = c[48] = 0;
    c[51] = 1;
    EXPECT_EQ(ValidateForSave(c), 51);
    c = ValidProfile();
    c[46] = c[47] = c[48] = c[49] = 0;
    c[15] = 101;
    EXPECT_EQ(ValidateForSave(c), 15);
}

TEST(ValidateForSave, ModeExemptions)
{
    // Passive: nothing from 46 to 67 is checked, rates and ratios still are.
    NodeConfig passive = ValidProfile(kModePassive);
    for (int i = 46; i <= 67; ++i)
        passive[i] = 0xFFFFFFFF;
    EXPECT_EQ(ValidateForSave(passive), std::nullopt);
    passive[8] = 65001;
    EXPECT_EQ(ValidateForSave(passive), 8);
    passive[8] = 0;
    passive[40] = 101;
    EXPECT_EQ(ValidateForSave(passive), 40);

    // Both single-channel modes: channel 2's loop is not checked, its ratios
    // and all of channel 1 are.
    for (uint32_t mode : {kModeSingleChannel, kModeDualChannelSingleEnv}) {
        SCOPED_TRACE(testing::Message() << std::hex << mode);
        NodeConfig c = ValidProfile(mode);
        for (int i : kChannel2Loop)
            c[i] = InvalidValueFor(i);
        EXPECT_EQ(ValidateForSave(c), std::nullopt);
        for (int ratio : {15, 20, 27, 32, 39, 44}) {
            NodeConfig r = c;
            r[ratio] = 101;
            EXPECT_EQ(ValidateForSave(r), ratio);
        }
        for (int own : {46, 48, 50, 52, 54, 56, 58, 64, 66}) {
            NodeConfig r = c;
            r[own] = InvalidValueFor(own);
            EXPECT_EQ(ValidateForSave(r), own);
        }
    }

    // The dual mode checks channel 2's loop.
    for (int i : kChannel2Loop) {
        NodeConfig c = ValidProfile(kModeDualChannelDualEnv);
        c[i] = InvalidValueFor(i);
        EXPECT_EQ(ValidateForSave(c), i);
    }
}

TEST(ValidateForSave, NetworkAndReservedSlotsNeverBlock)
{
    NodeConfig c = ValidProfile();
    for (int i : {0, 2, 45, 60, 61, 62, 63, 68, 70, 75, 79})
        c[i] = 0xDEADBEEF;
    for (int i = 80; i < kParameterCount; ++i)
        c[i] = 0xFFFFFFFF;
    EXPECT_EQ(ValidateForSave(c), std::nullopt);
}

// ---------------------------------------------------------------------------

namespace {

NodeConfig EverySlotSet()
{
    NodeConfig c = ValidProfile();
    for (int i : {0, 2, 45, 60, 61, 62, 63, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 85, 99})
        c[i] = 0xA5000000u | static_cast<uint32_t>(i * 0x10101);
    WriteTextField(c, kIndexHostname, HostnameBytes("greenhouse007"));
    WriteTextField(c, kIndexUsername, PaddedBytes("abc"));
    WriteTextField(c, kIndexPassword, PaddedBytes("Secret16Letters0"));
    c[84] = 192u | 168u << 8 | 1u << 16 | 10u << 24;
    c[86] = 0x0101A8C0;
    c[87] = 0x00FFFFFF;
    c[88] = 0x08080808;
    c[89] = 0x04040808;
    c[98] = 1;
    return c;
}

std::vector<unsigned char> Bytes(size_t n, unsigned char seed)
{
    std::vector<unsigned char> b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<unsigned char>(seed + i * 13);
    return b;
}

uint32_t WordAt(const std::vector<unsigned char>& b, size_t slot)
{
    return static_cast<uint32_t>(b[4 * slot]) | static_cast<uint32_t>(b[4 * slot + 1]) << 8 |
           static_cast<uint32_t>(b[4 * slot + 2]) << 16 | static_cast<uint32_t>(b[4 * slot + 3]) << 24;
}

} // namespace

TEST(ConfigFile, RoundTripKeepsEveryByte)
{
    TempDir dir;
    const NodeConfig original = EverySlotSet();
    for (int i = 0; i < kParameterCount; ++i)
        ASSERT_NE(original[i], 0u) << "slot " << i << " should be non-zero for this test";

    const wxString first = dir.File("first.hvc"), second = dir.File("second.hvc");
    const SaveResult saved = WriteConfigFile(first, original);
    ASSERT_TRUE(saved.Saved()) << saved.reason;
    EXPECT_TRUE(saved.reason.empty());
    const auto bytes = ReadBytes(first);
    ASSERT_EQ(bytes.size(), 400u);

    // The layout: slot i at 4 * i, little-endian; text and addresses in reading order.
    for (size_t i = 0; i < 100; ++i)
        EXPECT_EQ(WordAt(bytes, i), original[static_cast<int>(i)]) << "slot " << i;
    EXPECT_EQ(std::string(bytes.begin() + 320, bytes.begin() + 333), "greenhouse007");
    EXPECT_EQ(bytes[333], 0);
    EXPECT_EQ(std::string(bytes.begin() + 360, bytes.begin() + 376), "abc             ");
    EXPECT_EQ(std::string(bytes.begin() + 376, bytes.begin() + 392), "Secret16Letters0");
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 336, bytes.begin() + 340),
              (std::vector<unsigned char>{0xC0, 0xA8, 0x01, 0x0A}));
    EXPECT_EQ(WordToFloat(WordAt(bytes, 49)), 5.8f);

    const LoadResult<NodeConfig> loaded = ReadConfigFile(first);
    ASSERT_EQ(loaded.status, LoadStatus::Loaded);
    EXPECT_TRUE(loaded.reason.empty());
    EXPECT_EQ(loaded.value, original);
    ASSERT_TRUE(WriteConfigFile(second, loaded.value).Saved());
    EXPECT_EQ(ReadBytes(second), bytes);

    // Encode and decode agree with the file.
    const ConfigImage image = EncodeConfig(original);
    EXPECT_EQ(std::vector<unsigned char>(image.begin(), image.end()), bytes);
    EXPECT_EQ(DecodeConfig(image.data(), image.size()), original);
}

TEST(ConfigFile, LengthsAsTheyComeFromDisk)
{
    TempDir dir;

    // Not a whole number of words: refused, with a reason.
    for (size_t size : {1u, 3u, 399u, 401u, 402u, 403u}) {
        const wxString path = dir.File("bad" + std::to_string(size) + ".hvc");
        WriteBytes(path, Bytes(size, 1));
        const LoadResult<NodeConfig> r = ReadConfigFile(path);
        EXPECT_EQ(r.status, LoadStatus::BadLength) << size;
        EXPECT_FALSE(r.reason.empty()) << size;
    }

    // Longer by whole words: the first 400 bytes.
    const auto long404 = Bytes(404, 9);
    WriteBytes(dir.File("long.hvc"), long404);
    LoadResult<NodeConfig> r = ReadConfigFile(dir.File("long.hvc"));
    ASSERT_EQ(r.status, LoadStatus::Loaded);
    for (size_t i = 0; i < 100; ++i)
        EXPECT_EQ(r.value[static_cast<int>(i)], WordAt(long404, i)) << i;

    // Shorter by whole words: the file's words, zeros after them.
    const auto short40 = Bytes(40, 77);
    WriteBytes(dir.File("short.hvc"), short40);
    r = ReadConfigFile(dir.File("short.hvc"));
    ASSERT_EQ(r.status, LoadStatus::Loaded);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(r.value[i], i < 10 ? WordAt(short40, static_cast<size_t>(i)) : 0u) << i;

    // Empty file: an all-zero profile.
    WriteBytes(dir.File("empty.hvc"), {});
    r = ReadConfigFile(dir.File("empty.hvc"));
    ASSERT_EQ(r.status, LoadStatus::Loaded);
    EXPECT_EQ(r.value, NodeConfig{});

    // Nothing at the path (or a folder).
    for (const wxString& path : {dir.File("nothing.hvc"), dir.File(""), wxString()})
        EXPECT_EQ(ReadConfigFile(path).status, LoadStatus::Missing) << path;

    if (AccessCanBeDenied()) { // not as root, not on Windows
        const wxString locked = dir.File("locked.hvc");
        WriteBytes(locked, Bytes(400, 3));
        DenyAccess(dir.Path() / "locked.hvc");
        EXPECT_EQ(ReadConfigFile(locked).status, LoadStatus::ReadError);
    }
}

TEST(ConfigFile, FailedSaveLeavesTheOldFileAndNoPartialFile)
{
    TempDir dir;
    const SaveResult failed = WriteConfigFile(dir.File("no/such/folder/p.hvc"), EverySlotSet());
    EXPECT_EQ(failed.status, SaveStatus::Failed);
    EXPECT_NE(failed.reason.Find("folder"), wxNOT_FOUND) << failed.reason;
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    // A full file system: needs a private mount namespace, so Linux and root
    // only. The child makes a one-page tmpfs, fills it, and tries to replace a
    // profile.
#ifndef __linux__
    GTEST_SKIP() << "full file system case needs a Linux mount namespace";
#else
    if (geteuid() != 0)
        GTEST_SKIP() << "full file system case needs root (mount namespace)";
    const std::string mountPoint = (dir.Path() / "card").string();
    std::filesystem::create_directory(mountPoint);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=8k") != 0)
            _exit(77);
        const wxString path = wxString::FromUTF8(mountPoint + "/profile.hvc");
        const std::vector<unsigned char> old(400, 0x5A);
        WriteBytes(path, old);
        // Fill what is left.
        {
            const std::vector<unsigned char> block(4096, 1);
            FILE* f = std::fopen((mountPoint + "/filler").c_str(), "wb");
            if (!f)
                _exit(10);
            while (std::fwrite(block.data(), 1, block.size(), f) == block.size() && std::fflush(f) == 0) {
            }
            std::fclose(f);
        }
        const SaveResult result = WriteConfigFile(path, EverySlotSet());
        if (result.Saved())
            _exit(11);
        if (result.reason.empty())
            _exit(12);
        if (ReadBytes(path) != old)
            _exit(13);
        size_t files = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(mountPoint))
            ++files;
        _exit(files == 2 ? 0 : 14);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10 no filler, 11 written, 12 no reason, 13 old file changed, "
                                         "14 temporary file left";
#endif
}
