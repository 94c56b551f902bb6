// A fresh temporary directory, removed with its contents at scope end.
#pragma once

#include <wx/string.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        for (;;) {
            auto candidate = std::filesystem::temp_directory_path() /
                             ("halvane-test-" + std::to_string(rd()) + std::to_string(rd()));
            if (std::filesystem::create_directory(candidate)) {
                m_path = candidate;
                break;
            }
        }
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Full path of a file inside the directory (name in UTF-8), as wx text.
    wxString File(const std::string& name) const
    {
        return wxString::FromUTF8((m_path / std::filesystem::u8path(name)).u8string());
    }

private:
    std::filesystem::path m_path;
};

// Whole-file helpers for tests (paths through UTF-8, so any name works on
// Windows too, where a narrow file name means the ANSI code page).
inline std::vector<unsigned char> ReadBytes(const wxString& path)
{
    std::ifstream in(std::filesystem::u8path(path.utf8_string()), std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const wxString& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(std::filesystem::u8path(path.utf8_string()), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
