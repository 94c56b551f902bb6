#include "ui/LogSummaryDialog.h"

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

LogSummaryDialog::LogSummaryDialog(wxWindow* parent, const wxString& text)
    : wxDialog(parent, wxID_ANY, "Summary", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_text = new wxTextCtrl(this, wxID_ANY, text, wxDefaultPosition, wxDefaultSize,
                            wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
    // Figures line up in a fixed-width font.
    m_text->SetFont(wxSystemSettings::GetFont(wxSYS_ANSI_FIXED_FONT));
    const wxSize extent = m_text->GetTextExtent("M");
    m_text->SetMinSize(wxSize(extent.x * 72, extent.y * 24));
    sizer->Add(m_text, 1, wxEXPAND | wxALL, FromDIP(8));
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    auto* copy = new wxButton(this, wxID_COPY, "Copy");
    buttons->Add(copy, 0, wxRIGHT, FromDIP(8));
    buttons->Add(new wxButton(this, wxID_CLOSE, "Close"));
    sizer->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
    SetSizerAndFit(sizer);
    SetEscapeId(wxID_CLOSE);
    SetAffirmativeId(wxID_CLOSE);
    copy->Bind(wxEVT_BUTTON, &LogSummaryDialog::OnCopy, this);
    m_text->SetFocus();
    CentreOnParent();
}

bool LogSummaryDialog::CopyText()
{
    wxClipboardLocker locker;
    if (!locker)
        return false;
    return wxTheClipboard->SetData(new wxTextDataObject(m_text->GetValue()));
}

void LogSummaryDialog::OnCopy(wxCommandEvent&)
{
    if (!CopyText())
        wxMessageBox("Cannot open the clipboard", wxMessageBoxCaptionStr, wxOK | wxCENTRE | wxICON_ERROR,
                     this);
}
