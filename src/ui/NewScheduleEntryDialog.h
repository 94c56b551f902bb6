// The dialog behind the schedule page's "Add": a start date, a number of
// days, the targets and three rows of six dosage ratios. It checks only that
// the date field names a date ("Add New Entries" refuses otherwise); the page
// reads it with ReadEntry after an OK and checks the day count.
#pragma once

#include "core/NodeSchedule.h"
#include "ui/DateEntryCtrl.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

#include <array>
#include <cstdint>

class NewScheduleEntryDialog : public wxDialog {
public:
    NewScheduleEntryDialog(wxWindow* parent, wxWindowID id = wxID_ANY,
                           const wxString& title = "Add New Schedule Entry",
                           const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(500, 250),
                           long style = wxDEFAULT_DIALOG_STYLE);

    // Fills words 1 to 21 of entry from the controls (word 0 is left alone)
    // and days from the days field. Reads the controls anew on every call.
    void ReadEntry(ScheduleEntry& entry, uint32_t& days) const;

    // Fills the controls with entry for "Edit Entry...": its date, targets
    // and ratios, the days fixed at 1, and the OK button reading
    // "Replace Entry". A field widens its length limit to show a stored
    // value whole.
    void FillForEdit(const ScheduleEntry& entry);

    using RatioFields = std::array<wxTextCtrl*, kScheduleActuators>;

    DateEntryCtrl* GetDatePicker() const { return datePicker; }
    wxTextCtrl* GetDaysField() const { return daysField; }
    wxTextCtrl* GetEcField() const { return ecField; }
    wxTextCtrl* GetPhField() const { return phField; }
    const RatioFields& GetEcUpFields() const { return ecUpFields; }
    const RatioFields& GetPhUpFields() const { return phUpFields; }
    const RatioFields& GetPhDownFields() const { return phDownFields; }

private:
    void OnAddNewEntries(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void EndWith(int code);

    wxButton* okButton = nullptr;

    DateEntryCtrl* datePicker = nullptr;
    wxTextCtrl* daysField = nullptr;
    wxTextCtrl* ecField = nullptr;
    wxTextCtrl* phField = nullptr;
    RatioFields ecUpFields{};
    RatioFields phUpFields{};
    RatioFields phDownFields{};
};
