// The dialog behind the schedule page's "Shift Dates...": a number of days
// (negative moves earlier) and whether the selected entry or all entries move.
#pragma once

#include <wx/dialog.h>

class wxRadioButton;
class wxSpinCtrl;

class ShiftDatesDialog : public wxDialog {
public:
    // hasSelection: whether "The selected entry" can be chosen (and is, at first).
    ShiftDatesDialog(wxWindow* parent, bool hasSelection);

    int GetDays() const;
    bool AllEntries() const;

    wxSpinCtrl* GetDaysField() const { return m_days; }
    wxRadioButton* GetSelectedButton() const { return m_selected; }
    wxRadioButton* GetAllButton() const { return m_all; }

private:
    wxSpinCtrl* m_days = nullptr;
    wxRadioButton* m_selected = nullptr;
    wxRadioButton* m_all = nullptr;
};
