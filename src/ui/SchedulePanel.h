// The "Schedule" page: the schedule table as a list, one row per entry and
// one column per word, with "Save As", "Open", "Add", "Remove" and "Clear".
// Each row carries its entry as attached data; the page owns those entries.
// The list's context menu (right click, the Menu key, Shift+F10) adds
// "Import Feed Chart...", "Export Schedule to CSV...", "Edit Entry...",
// "Shift Dates...", "Undo" (also Ctrl+Z) and "Show Plan..."; a line under
// the list tells what the checks of the schedule find.
//
// Undo keeps a copy of the whole table before each change (at most
// kUndoSteps of them): a table is at most a few hundred 88-byte entries,
// and a copy cannot get out of step with what a change did.
#pragma once

#include "core/NodeSchedule.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/panel.h>

#include <cstdint>
#include <memory>
#include <vector>

class wxStaticText;

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
    wxStaticText* GetChecksLine() const { return checksLine; }
    std::size_t UndoSteps() const { return undoStack.size(); }

    enum {
        ID_IMPORT_FEED = 5220,
        ID_EXPORT_SCHEDULE_CSV,
        ID_EDIT_ENTRY,
        ID_SHIFT_DATES,
        ID_UNDO_CHANGE,
        ID_SHOW_PLAN,
    };
    static constexpr std::size_t kUndoSteps = 500;

    // The list's context menu, its entries enabled as they apply.
    std::unique_ptr<wxMenu> MakeContextMenu() const;

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
    void OnContextMenu(wxContextMenuEvent& event);
    void OnImportFeedChart(wxCommandEvent& event);
    void OnExportCsv(wxCommandEvent& event);
    void OnEditEntry(wxCommandEvent& event);
    void OnShiftDates(wxCommandEvent& event);
    void OnUndo(wxCommandEvent& event);
    void OnShowPlan(wxCommandEvent& event);

    long SelectedRow() const;
    // Keeps a copy of the table as it is, for "Undo".
    void RememberForUndo();
    // Shows schedule in place of every row.
    void ReplaceRows(const NodeSchedule& schedule);
    // Appends entries by the page's rules: the capacity and its messages, all
    // or nothing. Returns whether they were added.
    bool AppendRun(const NodeSchedule& entries);
    void UpdateChecks();

    // Shows a copy of entry as row; the row owns the copy.
    void ShowEntry(long row, const ScheduleEntry& entry);
    // Frees the entry attached to row and deletes the row.
    void DeleteRow(long row);
    void DeleteAllRows();
    // Asks before deleting every row (nothing is asked of an empty list).
    // True when the list is empty afterwards.
    bool ConfirmAndClear(bool remember = true);

    wxListCtrl* list = nullptr;
    wxButton* saveAsButton = nullptr;
    wxButton* openButton = nullptr;
    wxButton* addButton = nullptr;
    wxButton* removeButton = nullptr;
    wxButton* clearButton = nullptr;
    int32_t selectedRow = -1;
    wxStaticText* checksLine = nullptr;
    std::vector<NodeSchedule> undoStack;
    NodeSchedule savedSchedule; // as last opened or saved

    wxDECLARE_EVENT_TABLE();
};
