// A summary of a log's records in view as text the user can read, select and
// copy: "Copy" puts it all on the clipboard.
#pragma once

#include <wx/dialog.h>

class wxTextCtrl;

class LogSummaryDialog : public wxDialog {
public:
    LogSummaryDialog(wxWindow* parent, const wxString& text);

    const wxTextCtrl* GetTextCtrl() const { return m_text; }
    // Puts the text on the clipboard; false when the clipboard cannot be
    // opened.
    bool CopyText();

private:
    void OnCopy(wxCommandEvent& event);

    wxTextCtrl* m_text = nullptr;
};
