#include "ui/NewScheduleEntryDialog.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "core/ScheduleEdit.h"
#include "core/WordHelpers.h"
#include "ui/ScreenFit.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

namespace {

constexpr int kDaysMaxLength = 3;
constexpr int kTargetMaxLength = 5;
constexpr int kRatioMaxLength = 3;
const char* const kDateLabel = "Date: ";

wxTextCtrl* MakeField(wxWindow* parent, const wxString& text, int width, int maxLength)
{
    auto* field =
        new wxTextCtrl(parent, wxID_ANY, text, wxDefaultPosition, wxSize(parent->FromDIP(width), -1), 0);
    field->SetMaxLength(static_cast<unsigned long>(maxLength));
    return field;
}

// "      1:" ... "      6:", built from the actuator number.
wxString ActuatorLabel(std::size_t actuator)
{
    return "      " + wxString::Format("%u", static_cast<unsigned>(actuator + 1)) + ":";
}

// The rows are flexible grids: each column as wide as its own cells. Cells
// all as wide as the widest (the date picker's) would make the dialog wider
// than a 640-pixel screen.

// One row of six ratio fields, each behind its actuator label.
wxSizer* MakeRatioRow(wxWindow* parent, const wxString& title, NewScheduleEntryDialog::RatioFields& fields,
                      int proportion)
{
    auto* grid = new wxFlexGridSizer(1, 13, 0, 0);
    grid->Add(new wxStaticText(parent, wxID_ANY, title), proportion, wxALL, parent->FromDIP(2));
    for (std::size_t k = 0; k < kScheduleActuators; ++k) {
        grid->Add(new wxStaticText(parent, wxID_ANY, ActuatorLabel(k)), proportion, wxALL,
                  parent->FromDIP(1));
        fields[k] = MakeField(parent, "0", 30, kRatioMaxLength);
        grid->Add(fields[k], proportion, wxALL, parent->FromDIP(1));
    }
    return grid;
}

} // namespace

NewScheduleEntryDialog::NewScheduleEntryDialog(wxWindow* parent, wxWindowID id, const wxString& title,
                                               const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);

    auto* box = new wxBoxSizer(wxVERTICAL);

    auto* dateRow = new wxFlexGridSizer(1, 6, 0, 0);
    dateRow->Add(new wxStaticText(this, wxID_ANY, kDateLabel), 1, wxALL, FromDIP(1));
    datePicker = new DateEntryCtrl(this, wxID_ANY, wxDefaultDateTime, wxDefaultPosition, wxDefaultSize,
                                   wxTAB_TRAVERSAL | wxNO_BORDER, "datectrl");
    dateRow->Add(datePicker, 1, wxALL, FromDIP(1));
    dateRow->Add(1, 1, 1, wxALL, FromDIP(1));
    dateRow->Add(new wxStaticText(this, wxID_ANY, "Days: "), 1, wxALL, FromDIP(1));
    daysField = MakeField(this, "1", 70, kDaysMaxLength);
    dateRow->Add(daysField, 1, wxALL, FromDIP(1));

    auto* targetRow = new wxFlexGridSizer(1, 6, 0, 0);
    targetRow->Add(new wxStaticText(this, wxID_ANY, "Target EC: "), 1, wxALL, FromDIP(1));
    ecField = MakeField(this, "", 70, kTargetMaxLength);
    targetRow->Add(ecField, 1, wxALL, FromDIP(1));
    targetRow->Add(1, 1, 1, wxALL, FromDIP(1));
    targetRow->Add(new wxStaticText(this, wxID_ANY, "Target PH: "), 1, wxALL, FromDIP(1));
    phField = MakeField(this, "", 70, kTargetMaxLength);
    targetRow->Add(phField, 1, wxALL, FromDIP(1));

    wxSizer* ecUpRow = MakeRatioRow(this, "ECUP: ", ecUpFields, 2);
    wxSizer* phUpRow = MakeRatioRow(this, "PHUP: ", phUpFields, 2);
    wxSizer* phDownRow = MakeRatioRow(this, "PHDO: ", phDownFields, 1);

    auto* buttonRow = new wxBoxSizer(wxHORIZONTAL);
    auto* addButton = new wxButton(this, wxID_OK, "Add New Entries");
    auto* cancelButton = new wxButton(this, wxID_CANCEL, "Cancel");
    buttonRow->Add(addButton, 0, wxALL, FromDIP(5));
    buttonRow->Add(cancelButton, 0, wxALL, FromDIP(5));
    okButton = addButton;
    addButton->SetDefault(); // Enter in a field adds, Escape cancels

    for (wxSizer* row :
         {static_cast<wxSizer*>(dateRow), static_cast<wxSizer*>(targetRow), ecUpRow, phUpRow, phDownRow})
        box->Add(row, 1, wxALL, FromDIP(5));
    box->Add(buttonRow, 1, wxEXPAND, 5);
    SetSizer(box);

    // The rows of thirteen cells need more than 500 pixels with most desktop
    // fonts; grow rather than cut off the sixth actuator's fields.
    const wxSize needed = ClientToWindowSize(box->CalcMin());
    SetSize(std::max(GetSize().x, needed.x), std::max(GetSize().y, needed.y));
    Layout();
    PlaceOnParent(*this);

    addButton->Bind(wxEVT_BUTTON, &NewScheduleEntryDialog::OnAddNewEntries, this);
    cancelButton->Bind(wxEVT_BUTTON, &NewScheduleEntryDialog::OnCancel, this);
}

void NewScheduleEntryDialog::ReadEntry(ScheduleEntry& entry, uint32_t& days) const
{
    entry.date() = EncodePackedDate(datePicker->GetValue());
    entry.targetEc() = ReadUnsignedWrapping(ecField->GetValue());
    entry.targetPh() = FloatToWord(static_cast<float>(ReadDecimalText(phField->GetValue())));
    for (std::size_t k = 0; k < kScheduleActuators; ++k) {
        entry.ecRatio(k) = ReadUnsignedWrapping(ecUpFields[k]->GetValue());
        entry.phUpRatio(k) = ReadUnsignedWrapping(phUpFields[k]->GetValue());
        entry.phDownRatio(k) = ReadUnsignedWrapping(phDownFields[k]->GetValue());
    }
    days = ReadUnsignedWrapping(daysField->GetValue());
}

namespace {
void ShowWhole(wxTextCtrl* field, const wxString& text)
{
    field->SetMaxLength(std::max<unsigned long>(static_cast<unsigned long>(text.length()), 5));
    field->ChangeValue(text);
}
} // namespace

void NewScheduleEntryDialog::FillForEdit(const ScheduleEntry& entry)
{
    datePicker->SetValue(DecodePackedDate(entry[kScheduleDate]));
    daysField->ChangeValue("1");
    daysField->Disable();
    ShowWhole(ecField, wxString::Format("%lu", static_cast<unsigned long>(entry[kScheduleTargetEc])));
    ShowWhole(phField, wxString::FromUTF8(FormatShortestFloat(WordToFloat(entry[kScheduleTargetPh]))));
    for (std::size_t k = 0; k < kScheduleActuators; ++k) {
        ShowWhole(ecUpFields[k],
                  wxString::Format("%lu", static_cast<unsigned long>(entry[kScheduleEcRatio + k])));
        ShowWhole(phUpFields[k],
                  wxString::Format("%lu", static_cast<unsigned long>(entry[kSchedulePhUpRatio + k])));
        ShowWhole(phDownFields[k],
                  wxString::Format("%lu", static_cast<unsigned long>(entry[kSchedulePhDownRatio + k])));
    }
    okButton->SetLabel("Replace Entry");
    Layout();
}

void NewScheduleEntryDialog::OnAddNewEntries(wxCommandEvent&)
{
    // A text that names no date is never replaced by some other date: the
    // user is told, and the dialog stays open to mend it.
    if (!datePicker->GetValue().IsValid()) {
        const wxString format = datePicker->GetShortFormat();
        const wxDateTime example(31, wxDateTime::Dec, 2012);
        wxString field = kDateLabel;
        field.Trim();
        wxMessageBox("\"" + field + "\" holds no date: \"" + datePicker->GetTextCtrl()->GetValue() +
                         "\".\nType a date such as " + FormatUserDateText(example, format) + " or " +
                         FormatUserDateText(example, "%Y-%m-%d") + ".",
                     "Error", wxOK | wxICON_WARNING | wxCENTRE, this);
        datePicker->GetTextCtrl()->SetFocus();
        return;
    }
    EndWith(wxID_OK);
}

void NewScheduleEntryDialog::OnCancel(wxCommandEvent&)
{
    EndWith(wxID_CANCEL);
}

void NewScheduleEntryDialog::EndWith(int code)
{
    // Shown modally in use; a modeless show (in a test or a future caller)
    // must not trip EndModal's assertion.
    if (IsModal()) {
        EndModal(code);
    } else {
        SetReturnCode(code);
        Hide();
    }
}
