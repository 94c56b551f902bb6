#include "ui/SavePath.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

wxString WithDefaultExtension(const wxString& path, const wxString& extension)
{
    const wxFileName name(path);
    if (name.GetFullName().empty() || !name.GetExt().empty())
        return path;
    return path.EndsWith(".") ? path + extension : path + "." + extension;
}

wxString ReplaceQuestion(const wxString& path)
{
    return "A file named \"" + wxFileName(path).GetFullName() + "\" already exists in \"" +
           wxFileName(path).GetPath() + "\".\nDo you want to replace it?";
}

wxString ChooseSavePath(wxWindow* parent, const wxString& path, const wxString& extension,
                        const wxString& caption)
{
    const wxString full = WithDefaultExtension(path, extension);
    if (full == path || !wxFileExists(full))
        return full;
    const int answer = wxMessageBox(ReplaceQuestion(full), caption,
                                    wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION | wxCENTRE, parent);
    return answer == wxYES ? full : wxString();
}
