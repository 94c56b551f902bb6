#include "core/FileResult.h"

#include <wx/filename.h>
#include <wx/log.h>

LoadResult<wxFileOffset> OpenForLoad(const wxString& path, wxFile& file)
{
    wxLogNull quiet; // the page tells the user; no log dialogs from wxFile
    if (path.empty() || !wxFileName::FileExists(path))
        return FailedLoad<wxFileOffset>(LoadStatus::Missing, "no file at \"" + path + "\"");
    if (!file.Open(path, wxFile::read))
        return FailedLoad<wxFileOffset>(LoadStatus::ReadError, "cannot open \"" + path + "\"");
    const wxFileOffset length = file.Length();
    if (length < 0) {
        file.Close();
        return FailedLoad<wxFileOffset>(LoadStatus::ReadError, "the length of \"" + path + "\" is unknown");
    }
    return LoadedResult(length);
}
