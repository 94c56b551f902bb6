// "New Grow" and "Grow Settings": what a grow holds. Its name, its start
// (day 0), its logs (chosen several at once, or a folder's every *.hvl), and
// its profile and channel 1 and channel 2 schedules (each optional).
#pragma once

#include "core/GrowFile.h"

#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

class DateEntryCtrl;

class GrowDialog : public wxDialog {
public:
    GrowDialog(wxWindow* parent, const wxString& title, const Grow& grow);

    // The grow as the dialog shows it (the journal is the one handed in).
    Grow GetGrow() const;

    // What the buttons do once a file or folder is chosen.
    void AddLogs(const wxArrayString& paths);
    // Adds every *.hvl of folder, by name; how many.
    size_t AddLogFolder(const wxString& folder);
    void SetGrowName(const wxString& name) { m_name->SetValue(name); }
    void SetStart(const GrowDate& start);
    // part: 0 the profile, 1 and 2 the schedules.
    void SetFile(int part, const wxString& path) { m_files[part]->SetValue(path); }

    wxListBox* GetLogList() const { return m_logs; }

    enum { ID_ADD_LOGS = 5160, ID_ADD_FOLDER, ID_REMOVE_LOG, ID_CHOOSE_FIRST };

    // OK: checks the fields (telling what is wrong) and takes them.
    bool TransferDataFromWindow() override;

private:
    void OnAddLogs(wxCommandEvent& event);
    void OnAddFolder(wxCommandEvent& event);
    void OnRemoveLog(wxCommandEvent& event);
    void OnChoose(wxCommandEvent& event);

    Grow m_grow;
    wxTextCtrl* m_name = nullptr;
    DateEntryCtrl* m_start = nullptr;
    wxListBox* m_logs = nullptr;
    wxTextCtrl* m_files[3] = {};
};
