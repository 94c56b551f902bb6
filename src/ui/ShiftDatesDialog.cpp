#include "ui/ShiftDatesDialog.h"

#include "ui/ScreenFit.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

namespace {
// A hundred years either way; the page refuses what leaves the dates a
// schedule can hold.
constexpr int kMostDays = 36525;
} // namespace

ShiftDatesDialog::ShiftDatesDialog(wxWindow* parent, bool hasSelection)
    : wxDialog(parent, wxID_ANY, "Shift Dates")
{
    auto* box = new wxBoxSizer(wxVERTICAL);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, "Move by (days, negative for earlier):"), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
    m_days = new wxSpinCtrl(this, wxID_ANY, "7", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS,
                            -kMostDays, kMostDays, 7);
    row->Add(m_days, 0);
    box->Add(row, 0, wxALL, FromDIP(8));
    m_selected =
        new wxRadioButton(this, wxID_ANY, "The selected entry", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_all = new wxRadioButton(this, wxID_ANY, "All entries");
    box->Add(m_selected, 0, wxLEFT | wxRIGHT, FromDIP(8));
    box->Add(m_all, 0, wxALL, FromDIP(8));
    m_selected->Enable(hasSelection);
    (hasSelection ? m_selected : m_all)->SetValue(true);
    box->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, FromDIP(8));
    SetSizerAndFit(box);
    PlaceOnParent(*this);
    m_days->SetFocus();
}

int ShiftDatesDialog::GetDays() const
{
    return m_days->GetValue();
}

bool ShiftDatesDialog::AllEntries() const
{
    return m_all->GetValue();
}
