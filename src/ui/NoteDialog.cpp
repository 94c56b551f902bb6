#include "ui/NoteDialog.h"

#include "core/GrowFile.h"

#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <cmath>
#include <limits>

namespace {

wxString NumberText(double value)
{
    return std::isnan(value) ? wxString() : wxString::FromCDouble(value);
}

// An empty field is no value (NaN); otherwise a number in the C form or
// the user's ("7.01" or "7,01"); false for anything else.
bool ReadNumber(const wxString& text, double& value)
{
    wxString t = text;
    t.Trim().Trim(false);
    if (t.empty()) {
        value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    t.Replace(",", ".");
    return t.ToCDouble(&value) && std::isfinite(value);
}

} // namespace

NoteDialog::NoteDialog(wxWindow* parent, const wxString& title, const GrowNote& note)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_note(note)
{
    auto* grid = new wxFlexGridSizer(2, wxSize(FromDIP(6), FromDIP(6)));
    grid->AddGrowableCol(1);
    grid->AddGrowableRow(2);
    auto add = [this, grid](const char* label, wxWindow* control) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), wxSizerFlags().CentreVertical());
        grid->Add(control, wxSizerFlags().Expand());
    };
    wxString time = wxString::FromUTF8(FormatLocalTime(note.timeMs));
    time.Replace("T", " ");
    m_time = new wxTextCtrl(this, wxID_ANY, time);
    add("Date and time:", m_time);
    m_kind = new wxChoice(this, wxID_ANY);
    for (int k = 0; k < kNoteKindCount; ++k)
        m_kind->Append(NoteKindName(static_cast<NoteKind>(k)));
    m_kind->SetSelection(static_cast<int>(note.kind));
    add("Kind:", m_kind);
    m_text = new wxTextCtrl(this, wxID_ANY, note.text, wxDefaultPosition, FromDIP(wxSize(320, 80)),
                            wxTE_MULTILINE);
    add("Note:", m_text);
    m_solution = new wxTextCtrl(this, wxID_ANY, NumberText(note.solution));
    add("Solution's value:", m_solution);
    m_before = new wxTextCtrl(this, wxID_ANY, NumberText(note.readingBefore));
    add("Reading before:", m_before);
    m_yield = new wxTextCtrl(this, wxID_ANY, note.yield);
    add("Yield:", m_yield);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, wxSizerFlags(1).Expand().Border());
    top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), wxSizerFlags().Expand().Border());
    SetSizerAndFit(top);
    m_kind->Bind(wxEVT_CHOICE, &NoteDialog::OnKind, this);
    EnableDetails();
    CentreOnParent();
}

void NoteDialog::EnableDetails()
{
    const auto kind = static_cast<NoteKind>(m_kind->GetSelection());
    m_solution->Enable(kind == NoteKind::Calibration);
    m_before->Enable(kind == NoteKind::Calibration);
    m_yield->Enable(kind == NoteKind::Harvest);
}

void NoteDialog::OnKind(wxCommandEvent&)
{
    EnableDetails();
}

bool NoteDialog::TransferDataFromWindow()
{
    GrowNote note;
    wxString time = m_time->GetValue();
    time.Trim().Trim(false);
    time.Replace(" ", "T");
    wxString problem;
    if (!ParseLocalTime(time.utf8_string(), note.timeMs))
        problem = "The date and time must read like 2026-03-04 10:20:00.";
    note.kind =
        static_cast<NoteKind>(m_kind->GetSelection() < 0 ? kNoteKindCount - 1 : m_kind->GetSelection());
    note.text = m_text->GetValue();
    if (note.kind == NoteKind::Calibration && (!ReadNumber(m_solution->GetValue(), note.solution) ||
                                               !ReadNumber(m_before->GetValue(), note.readingBefore)))
        problem = "The solution's value and the reading before must be numbers (or left empty).";
    if (note.kind == NoteKind::Harvest)
        note.yield = m_yield->GetValue();
    if (!problem.empty()) {
        wxMessageBox(problem, wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
        return false;
    }
    m_note = note;
    return true;
}
