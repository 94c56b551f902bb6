#include "ui/UnsavedChanges.h"

#include <wx/msgdlg.h>

wxString UnsavedChangesCaption()
{
    return "Unsaved Changes";
}

wxString UnsavedChangesQuestion(const std::vector<wxString>& what, const wxString& action)
{
    wxString listed;
    for (size_t i = 0; i < what.size(); ++i) {
        if (i > 0)
            listed += i + 1 == what.size() ? " and " : ", ";
        listed += what[i];
    }
    return "Save the changes to " + listed + " before " + action + "?";
}

UnsavedAnswer AskAboutUnsavedChanges(wxWindow* parent, const wxString& question, bool canCancel)
{
    // Yes, No and Cancel, relabelled: the toolkit lays them out in the
    // platform's order and makes Escape mean Cancel.
    const long buttons = canCancel ? wxYES_NO | wxCANCEL | wxCANCEL_DEFAULT : wxYES_NO | wxYES_DEFAULT;
    wxMessageDialog dialog(parent, question, UnsavedChangesCaption(), buttons | wxICON_WARNING | wxCENTRE);
    dialog.SetYesNoCancelLabels("Save", "Discard", "Cancel");
    switch (dialog.ShowModal()) {
    case wxID_YES:
        return UnsavedAnswer::Save;
    case wxID_NO:
        return UnsavedAnswer::Discard;
    default:
        // A closed box without Cancel has not said "Discard": keep the work.
        return canCancel ? UnsavedAnswer::Cancel : UnsavedAnswer::Save;
    }
}
