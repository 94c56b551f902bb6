// "Journal": the grow's notes in time order; a note is edited, deleted, or
// shown in the chart (a double click, or "Show in Chart").
#pragma once

#include "core/GrowJournal.h"

#include <wx/dialog.h>
#include <wx/listctrl.h>

#include <functional>

class JournalDialog : public wxDialog {
public:
    struct Actions {
        std::function<bool(size_t)> edit;   // true when the note changed
        std::function<void(size_t)> remove; // deletes note i
        std::function<void(size_t)> show;   // shows note i's time in the chart
    };
    JournalDialog(wxWindow* parent, const GrowJournal& journal, Actions actions);

    wxListCtrl* GetList() const { return m_list; }
    // Fills the list again from the journal.
    void Refresh();

    enum { ID_EDIT = 5170, ID_DELETE, ID_SHOW };

    // What the buttons do for the selected note.
    void EditSelected();
    void DeleteSelected();
    void ShowSelected();

private:
    long Selected() const;
    void OnButton(wxCommandEvent& event);
    void OnActivated(wxListEvent& event);

    const GrowJournal& m_journal;
    Actions m_actions;
    wxListCtrl* m_list = nullptr;
};
