#include "ui/JournalDialog.h"

#include "core/GrowFile.h"

#include <wx/button.h>
#include <wx/sizer.h>

JournalDialog::JournalDialog(wxWindow* parent, const GrowJournal& journal, Actions actions)
    : wxDialog(parent, wxID_ANY, "Journal", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_journal(journal), m_actions(std::move(actions))
{
    m_list = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(560, 300)),
                            wxLC_REPORT | wxLC_SINGLE_SEL);
    m_list->InsertColumn(0, "Time", wxLIST_FORMAT_LEFT, FromDIP(150));
    m_list->InsertColumn(1, "Kind", wxLIST_FORMAT_LEFT, FromDIP(140));
    m_list->InsertColumn(2, "Note", wxLIST_FORMAT_LEFT, FromDIP(260));
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, ID_EDIT, "Edit..."));
    buttons->Add(new wxButton(this, ID_DELETE, "Delete"), wxSizerFlags().Border(wxLEFT));
    buttons->Add(new wxButton(this, ID_SHOW, "Show in Chart"), wxSizerFlags().Border(wxLEFT));
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_CLOSE, "Close"));
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(m_list, wxSizerFlags(1).Expand().Border());
    top->Add(buttons, wxSizerFlags().Expand().Border());
    SetSizerAndFit(top);
    SetEscapeId(wxID_CLOSE);
    Bind(wxEVT_BUTTON, &JournalDialog::OnButton, this, ID_EDIT, ID_SHOW);
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, &JournalDialog::OnActivated, this);
    Refresh();
    CentreOnParent();
}

void JournalDialog::Refresh()
{
    m_list->DeleteAllItems();
    for (size_t i = 0; i < m_journal.Count(); ++i) {
        const GrowNote& note = m_journal[i];
        wxString time = wxString::FromUTF8(FormatLocalTime(note.timeMs));
        time.Replace("T", " ");
        const long row = m_list->InsertItem(static_cast<long>(i), time);
        m_list->SetItem(row, 1, NoteKindName(note.kind));
        wxString text = NoteDescription(note);
        const wxString kind = NoteKindName(note.kind);
        text = text.StartsWith(kind + ": ")   ? text.Mid(kind.length() + 2)
               : text.StartsWith(kind + ", ") ? text.Mid(kind.length() + 2)
                                              : wxString();
        m_list->SetItem(row, 2, text);
    }
}

long JournalDialog::Selected() const
{
    return m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

void JournalDialog::EditSelected()
{
    const long row = Selected();
    if (row >= 0 && m_actions.edit && m_actions.edit(static_cast<size_t>(row)))
        Refresh();
}

void JournalDialog::DeleteSelected()
{
    const long row = Selected();
    if (row < 0 || !m_actions.remove)
        return;
    m_actions.remove(static_cast<size_t>(row));
    Refresh();
}

void JournalDialog::ShowSelected()
{
    const long row = Selected();
    if (row >= 0 && m_actions.show)
        m_actions.show(static_cast<size_t>(row));
}

void JournalDialog::OnButton(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case ID_EDIT:
        EditSelected();
        break;
    case ID_DELETE:
        DeleteSelected();
        break;
    case ID_SHOW:
        ShowSelected();
        break;
    }
}

void JournalDialog::OnActivated(wxListEvent& event)
{
    if (m_actions.show && event.GetIndex() >= 0)
        m_actions.show(static_cast<size_t>(event.GetIndex()));
}
