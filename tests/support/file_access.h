// Portable ways for tests to take file access away, and to know whether doing
// so locks this process out at all. Permission bits bind an ordinary user on
// Linux; they do not bind root, and on Windows they are only a read-only
// attribute, which neither stops reading a file nor creating files in a
// folder. So the tests ask the system instead of guessing from the platform.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

// No access to a file at all (restore with AllowAccess).
inline void DenyAccess(const std::filesystem::path& path)
{
    std::filesystem::permissions(path, std::filesystem::perms::none);
}

// A folder whose files can be read and listed but not created, renamed or removed.
inline void MakeReadOnlyFolder(const std::filesystem::path& folder)
{
    using std::filesystem::perms;
    std::filesystem::permissions(folder, perms::owner_read | perms::owner_exec | perms::group_read |
                                             perms::group_exec | perms::others_read | perms::others_exec);
}

inline void AllowAccess(const std::filesystem::path& path)
{
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
}

// Whether DenyAccess and MakeReadOnlyFolder actually stop this process from
// reading such a file and from creating a file in such a folder. Tried once.
inline bool AccessCanBeDenied()
{
    static const bool denied = [] {
        namespace fs = std::filesystem;
        std::error_code ec;
        const fs::path probe =
            fs::temp_directory_path() / ("halvane-access-probe-" + std::to_string(std::random_device{}()));
        if (!fs::create_directory(probe, ec))
            return false;
        const fs::path file = probe / "f";
        std::ofstream(file) << "x";
        DenyAccess(file);
        const bool readRefused = !std::ifstream(file).is_open();
        AllowAccess(file);
        MakeReadOnlyFolder(probe);
        const bool createRefused = !std::ofstream(probe / "g").is_open();
        AllowAccess(probe);
        fs::remove_all(probe, ec);
        return readRefused && createRefused;
    }();
    return denied;
}
