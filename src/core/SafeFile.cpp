#include "core/SafeFile.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

wxString SystemReason(int code)
{
    return code ? wxString::FromUTF8(std::strerror(code)) : wxString("unknown error");
}

// Creates a new, unique file beside the target. Created with the usual
// permissions for a user's file (read and write for everyone, less the umask).
bool CreateTempBeside(const wxFileName& target, wxFile& file, wxString& tempPath, int& code)
{
    static unsigned long counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = target.GetPathWithSep() + "." + target.GetFullName() +
                   wxString::Format(".%lu-%lu.tmp", wxGetProcessId(), ++counter);
        errno = 0;
        if (file.Create(tempPath, false, wxS_DEFAULT))
            return true;
        code = errno;
        if (!wxFileExists(tempPath))
            return false; // not a name clash: the folder refuses us
    }
    return false;
}

// A file name as the system's file calls take it: wxString::fn_str() gives
// wide characters on Windows and bytes elsewhere (what wxFile uses too), so
// one of these two is unused in each build.
[[maybe_unused]] std::filesystem::path SystemPath(const char* name)
{
    return name;
}
[[maybe_unused]] std::filesystem::path SystemPath(const wchar_t* name)
{
    return name;
}

} // namespace

SaveResult WriteFileAtomically(const wxString& path, const void* data, std::size_t size)
{
    wxLogNull quiet; // the caller tells the user; no log dialogs from wxFile
    const wxFileName target(path);
    if (target.GetFullName().empty())
        return FailedSave("no file name was given");
    if (wxFileName::DirExists(path))
        return FailedSave("a folder of that name exists");

    // The temporary file lives in the target's folder so the final rename
    // stays on one file system and replaces the target in one step.
    wxFile temp;
    wxString tempPath;
    int code = 0;
    if (!CreateTempBeside(target, temp, tempPath, code))
        return FailedSave("cannot create a file in \"" + target.GetPath() + "\": " + SystemReason(code));
    wxString error;
    errno = 0;
    bool ok = size == 0 || temp.Write(data, size) == size;
    ok = ok && temp.Flush();
    code = errno;
    ok = temp.Close() && ok;
    if (!ok)
        error = "cannot write \"" + path + "\": " + SystemReason(code ? code : errno);
    if (ok) {
        // One rename that replaces the target, on every system (MoveFileEx on
        // Windows). Not wxRenameFile: where a plain rename cannot replace an
        // existing file (Windows) it copies over the old file in place, and an
        // interrupted copy leaves it truncated.
        std::error_code replaceError;
        std::filesystem::rename(SystemPath(tempPath.fn_str()), SystemPath(path.fn_str()), replaceError);
        if (replaceError) {
            ok = false;
            error = "cannot replace \"" + path + "\": " + wxString(replaceError.message());
        }
    }
    if (!ok) {
        wxRemoveFile(tempPath);
        return FailedSave(error);
    }
    return SavedResult();
}
