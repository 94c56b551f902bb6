// The "Schedule" page: the schedule table as a list, one row per entry and
// one column per word, with "Save As", "Open", "Add", "Remove" and "Clear".
// Each row carries its entry as attached data; the page owns those entries.
#pragma once

#include "core/NodeSchedule.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/panel.h>

#include <cstdint>

class SchedulePanel : public wxPanel {
public:
    SchedulePanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxSize(446, 319), long style = wxTAB_TRAVERSAL);
    ~SchedulePanel() override;

    SchedulePanel(const SchedulePanel&) = delete;
    SchedulePanel& operator=(const SchedulePanel&) = delete;

    // The entries of all rows, in row order.
    NodeSchedule GetSchedule() const;

    wxListCtrl* GetList() const { return list; }

    // Whether the entries differ from those of the start, the last open or
    // the last save that succeeded.
    bool IsModified() const { return GetSchedule() != savedSchedule; }
    // "Save As": asks for a file and writes every entry, with the page's
    // messages; true when the file was written.
    bool SaveScheduleAs();
    // Reads the schedule file at path as "Open" does once its dialog is
    // answered (with its count and "Are you sure?"); true when its entries
    // replaced the table.
    bool OpenScheduleFile(const wxString& path);

private:
    void OnItemSelected(wxListEvent& event);
    void OnSaveAs(wxCommandEvent& event);
    void OnOpen(wxCommandEvent& event);
    void OnAdd(wxCommandEvent& event);
    void OnRemove(wxCommandEvent& event);
    void OnClear(wxCommandEvent& event);

    // Shows a copy of entry as row; the row owns the copy.
    void ShowEntry(long row, const ScheduleEntry& entry);
    // Frees the entry attached to row and deletes the row.
    void DeleteRow(long row);
    void DeleteAllRows();
    // Asks before deleting every row (nothing is asked of an empty list).
    // True when the list is empty afterwards.
    bool ConfirmAndClear();

    wxListCtrl* list = nullptr;
    wxButton* saveAsButton = nullptr;
    wxButton* openButton = nullptr;
    wxButton* addButton = nullptr;
    wxButton* removeButton = nullptr;
    wxButton* clearButton = nullptr;
    int32_t selectedRow = -1;
    NodeSchedule savedSchedule; // as last opened or saved

    wxDECLARE_EVENT_TABLE();
};
