#include "core/SafeFile.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
wxString SystemReason()
{
    const int code = errno;
    return code ? wxString::FromUTF8(std::strerror(code)) : wxString("unknown error");
}
} // namespace

bool WriteFileAtomically(const wxString& path, const void* data, std::size_t size, wxString& error)
{
    wxLogNull quiet;  // the caller tells the user; no log dialogs from wxFile
    const wxFileName target(path);
    if (target.GetFullName().empty()) {
        error = "no file name was given";
        return false;
    }
    if (wxFileName::DirExists(path)) {
        error = "a folder of that name exists";
        return false;
    }

    // The temporary file must live in the target's folder so the rename
    // stays on one file system.
    wxFile temp;
    const wxString tempPath = wxFileName::CreateTempFileName(target.GetPathWithSep() + ".halvane", &temp);
    if (tempPath.empty() || !temp.IsOpened()) {
        errno = errno ? errno : EACCES;
        error = "cannot create a file in \"" + target.GetPath() + "\": " + SystemReason();
        return false;
    }
    errno = 0;
    bool ok = size == 0 || temp.Write(data, size) == size;
    if (!ok)
        error = "cannot write \"" + path + "\": " + SystemReason();
    if (ok && !temp.Flush()) {
        ok = false;
        error = "cannot write \"" + path + "\": " + SystemReason();
    }
    if (ok && !temp.Close()) {
        ok = false;
        error = "cannot write \"" + path + "\": " + SystemReason();
    }
    if (temp.IsOpened())
        temp.Close();
    // Files for the controller's card are readable and writable by everyone
    // (less the user's umask), like any file the user saves.
    if (ok) {
        const mode_t mask = umask(0);
        umask(mask);
        wxChmod(tempPath, 0666 & ~mask);
    }
    if (ok) {
        errno = 0;
        if (std::rename(tempPath.fn_str(), path.fn_str()) != 0) {
            ok = false;
            error = "cannot replace \"" + path + "\": " + SystemReason();
        }
    }
    if (!ok)
        wxRemoveFile(tempPath);
    return ok;
}
