// A note of the journal: its date and time, its kind, its text, and for a
// calibration the solution's value and the reading before, for a harvest
// the yield.
#pragma once

#include "core/GrowJournal.h"

#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

class NoteDialog : public wxDialog {
public:
    NoteDialog(wxWindow* parent, const wxString& title, const GrowNote& note);

    // The note as entered (valid once the dialog ended with OK).
    const GrowNote& GetNote() const { return m_note; }

    wxTextCtrl* GetTimeCtrl() const { return m_time; }
    wxChoice* GetKindCtrl() const { return m_kind; }
    wxTextCtrl* GetTextCtrl() const { return m_text; }
    wxTextCtrl* GetSolutionCtrl() const { return m_solution; }
    wxTextCtrl* GetBeforeCtrl() const { return m_before; }
    wxTextCtrl* GetYieldCtrl() const { return m_yield; }

    // OK: checks the fields (telling what is wrong) and takes them.
    bool TransferDataFromWindow() override;

private:
    void OnKind(wxCommandEvent& event);
    void EnableDetails();

    GrowNote m_note;
    wxTextCtrl* m_time = nullptr;
    wxChoice* m_kind = nullptr;
    wxTextCtrl* m_text = nullptr;
    wxTextCtrl* m_solution = nullptr;
    wxTextCtrl* m_before = nullptr;
    wxTextCtrl* m_yield = nullptr;
};
