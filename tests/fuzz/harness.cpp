#include "harness.h"

#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace {
void AbortOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                   const wxString& msg)
{
    std::fprintf(stderr, "wx assertion %s:%d %s: %s %s\n", file.utf8_str().data(), line,
                 func.utf8_str().data(), cond.utf8_str().data(), msg.utf8_str().data());
    std::abort();
}

wxString& ScratchPath()
{
    static wxString path = wxFileName::GetTempDir() + wxString::Format("/halvane-fuzz-%d.bin", getpid());
    return path;
}

void RemoveScratch()
{
    std::remove(ScratchPath().fn_str());
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static wxInitializer init;
    if (!init.IsOk())
        std::abort();
    wxSetAssertHandler(AbortOnAssert);
    wxLog::EnableLogging(false);
    ScratchPath(); // constructed before the exit handler that uses it is registered
    std::atexit(RemoveScratch);
    return 0;
}

const wxString& WriteScratchFile(const uint8_t* data, size_t size)
{
    std::ofstream out(ScratchPath().utf8_string(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return ScratchPath();
}

std::vector<uint8_t> ReadScratchFile(const wxString& path)
{
    std::ifstream in(path.utf8_string(), std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void FuzzCheck(bool cond, const char* what)
{
    if (!cond) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}
