#include "ui/SchedulePanel.h"

#include "core/CsvTable.h"
#include "core/ParameterTable.h"
#include "core/SafeFile.h"
#include "core/ScheduleEdit.h"
#include "core/ScheduleText.h"
#include "core/WordHelpers.h"
#include "ui/CsvExport.h"
#include "ui/FeedChartImportDialog.h"
#include "ui/NewScheduleEntryDialog.h"
#include "ui/PageLayout.h"
#include "ui/ReportList.h"
#include "ui/SavePath.h"
#include "ui/SchedulePlanFrame.h"
#include "ui/ScreenFit.h"
#include "ui/ShiftDatesDialog.h"

#include <wx/accel.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <memory>

namespace {

constexpr wxWindowID kScheduleListId = 5015;
constexpr int kColumnWidth = 60;
constexpr uint32_t kMaxDaysPerRun = 100;
const char* const kScheduleWildcard = "Schedule File (*.hvs)|*.hvs";
const char* const kFeedChartWildcard = "CSV File (*.csv)|*.csv|Text File (*.txt)|*.txt|All Files (*)|*";

ScheduleEntry* EntryOf(const wxListCtrl* list, long row)
{
    // The list's item data is where the page keeps each row's entry.
    return reinterpret_cast<ScheduleEntry*>(list->GetItemData(row)); // NOLINT(performance-no-int-to-ptr)
}

void ShowScheduleError(wxWindow* parent, const wxString& message)
{
    wxMessageBox(message, "Error", wxOK | wxICON_WARNING | wxCENTRE, parent);
}

} // namespace

wxBEGIN_EVENT_TABLE(SchedulePanel, wxPanel)
    EVT_LIST_ITEM_SELECTED(kScheduleListId, SchedulePanel::OnItemSelected)
    EVT_BUTTON(wxID_SAVE, SchedulePanel::OnSaveAs)
    EVT_BUTTON(wxID_OPEN, SchedulePanel::OnOpen)
    EVT_BUTTON(wxID_NEW, SchedulePanel::OnAdd)
    EVT_BUTTON(wxID_DELETE, SchedulePanel::OnRemove)
    EVT_BUTTON(wxID_CLEAR, SchedulePanel::OnClear)
    EVT_MENU(SchedulePanel::ID_IMPORT_FEED, SchedulePanel::OnImportFeedChart)
    EVT_MENU(SchedulePanel::ID_EXPORT_SCHEDULE_CSV, SchedulePanel::OnExportCsv)
    EVT_MENU(SchedulePanel::ID_EDIT_ENTRY, SchedulePanel::OnEditEntry)
    EVT_MENU(SchedulePanel::ID_SHIFT_DATES, SchedulePanel::OnShiftDates)
    EVT_MENU(SchedulePanel::ID_UNDO_CHANGE, SchedulePanel::OnUndo)
    EVT_MENU(SchedulePanel::ID_SHOW_PLAN, SchedulePanel::OnShowPlan)
wxEND_EVENT_TABLE()

SchedulePanel::SchedulePanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                             long style)
    : wxPanel(parent, id, pos, size, style)
{
    list = new ReportListCtrl(this, kScheduleListId, wxLC_REPORT | wxLC_SINGLE_SEL);
    saveAsButton = new wxButton(this, wxID_SAVE, "Save As");
    openButton = new wxButton(this, wxID_OPEN, "Open");
    addButton = new wxButton(this, wxID_NEW, "Add");
    removeButton = new wxButton(this, wxID_DELETE, "Remove");
    clearButton = new wxButton(this, wxID_CLEAR, "Clear");
    LayOutListAboveButtons(this, list, {saveAsButton, openButton, addButton, removeButton, clearButton});

    list->ClearAll();
    ScheduleColumnLabels labels;
    FillScheduleColumnLabels(labels);
    for (int c = 0; c < kScheduleColumnCount; ++c)
        list->InsertColumn(c, labels[static_cast<std::size_t>(c)], wxLIST_FORMAT_LEFT,
                           FitColumnWidth(*list, labels[static_cast<std::size_t>(c)],
                                          ScheduleColumnSampleTexts(c), kColumnWidth));

    // The checks under the list, without touching its columns or buttons.
    checksLine =
        new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxST_ELLIPSIZE_END);
    GetSizer()->Insert(1, checksLine, 0, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(5));
    list->Bind(wxEVT_CONTEXT_MENU, &SchedulePanel::OnContextMenu, this);
    wxAcceleratorEntry undoKey(wxACCEL_CTRL, 'Z', ID_UNDO_CHANGE);
    SetAcceleratorTable(wxAcceleratorTable(1, &undoKey));
    UpdateChecks();
}

SchedulePanel::~SchedulePanel()
{
    DeleteAllRows();
}

NodeSchedule SchedulePanel::GetSchedule() const
{
    NodeSchedule schedule;
    const long rows = list->GetItemCount();
    schedule.reserve(static_cast<std::size_t>(rows));
    for (long row = 0; row < rows; ++row) {
        const ScheduleEntry* entry = EntryOf(list, row);
        schedule.push_back(entry ? *entry : ScheduleEntry{});
    }
    return schedule;
}

void SchedulePanel::ShowEntry(long row, const ScheduleEntry& entry)
{
    auto owned = std::make_unique<ScheduleEntry>(entry);
    const long at = list->InsertItem(row, wxString());
    if (at < 0)
        return;
    list->SetItemPtrData(at, reinterpret_cast<wxUIntPtr>(owned.release()));
    for (int c = 0; c < kScheduleColumnCount; ++c)
        list->SetItem(at, c, FormatScheduleCell(c, entry[static_cast<std::size_t>(c)]));
}

void SchedulePanel::DeleteRow(long row)
{
    delete EntryOf(list, row);
    list->SetItemPtrData(row, 0);
    list->DeleteItem(row);
}

void SchedulePanel::DeleteAllRows()
{
    if (!list)
        return;
    const long rows = list->GetItemCount();
    for (long row = 0; row < rows; ++row) {
        delete EntryOf(list, row);
        list->SetItemPtrData(row, 0);
    }
    list->DeleteAllItems();
}

bool SchedulePanel::ConfirmAndClear(bool remember)
{
    if (list->GetItemCount() == 0)
        return true;
    if (wxMessageBox("Are you sure?", "Delete All Entries", wxYES_NO | wxICON_QUESTION, this) != wxYES)
        return false;
    if (remember)
        RememberForUndo();
    DeleteAllRows();
    UpdateChecks();
    return true;
}

void SchedulePanel::OnItemSelected(wxListEvent& event)
{
    selectedRow = static_cast<int32_t>(event.GetIndex());
}

void SchedulePanel::OnAdd(wxCommandEvent&)
{
    const long existing = list->GetItemCount();
    if (static_cast<std::size_t>(existing) >= ScheduleCapacity) {
        ShowScheduleError(this, "Max Schedule Size Reached!");
        return;
    }

    NewScheduleEntryDialog dialog(this, wxID_ANY, "Add New Schedule Entry", wxDefaultPosition,
                                  FromDIP(wxSize(500, 250)), wxDEFAULT_DIALOG_STYLE);
    if (dialog.ShowModal() != wxID_OK)
        return;

    ScheduleEntry scratch;
    uint32_t days = 0;
    dialog.ReadEntry(scratch, days);
    if (days < 1 || days > kMaxDaysPerRun) {
        ShowScheduleError(this, "Number of Days is invalid!");
        return;
    }
    if (static_cast<std::size_t>(existing) + days > ScheduleCapacity) {
        ShowScheduleError(this, "Number of Days is too many!");
        return;
    }

    // A run of consecutive calendar days from the picked date, all alike.
    RememberForUndo();
    for (uint32_t i = 0; i < days; ++i) {
        ScheduleEntry entry;
        uint32_t sameDays = 0;
        dialog.ReadEntry(entry, sameDays);
        wxDateTime day = DecodePackedDate(entry.date());
        if (day.IsValid()) {
            day.Add(wxDateSpan(0, 0, 0, static_cast<int>(i)));
            entry.date() = EncodePackedDate(day);
        }
        ShowEntry(existing + static_cast<long>(i), entry);
    }
    UpdateChecks();
}

void SchedulePanel::OnRemove(wxCommandEvent&)
{
    // The row the list has selected now; selectedRow may name a row that has
    // since moved or gone.
    const long row = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (row < 0)
        return;
    RememberForUndo();
    DeleteRow(row);
    UpdateChecks();
}

void SchedulePanel::OnClear(wxCommandEvent&)
{
    ConfirmAndClear();
}

void SchedulePanel::OnSaveAs(wxCommandEvent&)
{
    SaveScheduleAs();
}

bool SchedulePanel::SaveScheduleAs()
{
    wxFileDialog dialog(this, "Save Schedule", "", "", kScheduleWildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    if (dialog.GetPath().empty())
        return false;
    const wxString path = ChooseSavePath(this, dialog.GetPath(), "hvs", "Save Schedule");
    if (path.empty())
        return false;
    NodeSchedule schedule = GetSchedule();
    const SaveResult saved = WriteScheduleFile(path, schedule);
    if (!saved.Saved()) {
        wxMessageBox("The schedule was not saved to \"" + path + "\".\n" + saved.reason, "Error",
                     wxOK | wxICON_ERROR | wxCENTRE, this);
        return false;
    }
    savedSchedule = std::move(schedule);
    return true;
}

void SchedulePanel::OnOpen(wxCommandEvent&)
{
    wxFileDialog dialog(this, "Load Schedule", "", "", kScheduleWildcard, wxFD_OPEN);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxString path = dialog.GetPath();
    if (path.empty())
        return;
    OpenScheduleFile(path);
}

bool SchedulePanel::OpenScheduleFile(const wxString& path)
{
    const LoadResult<NodeSchedule> loaded = ReadScheduleFile(path);
    if (loaded.status == LoadStatus::Missing)
        return false; // the file went away after it was chosen: nothing to replace the table with
    if (!loaded.Loaded()) {
        wxMessageBox("Error reading node schedule file", wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
        return false;
    }
    wxMessageBox(wxString::Format("%lu", static_cast<unsigned long>(loaded.value.size())),
                 wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
    // Opening is one change for "Undo": the table before, whatever it was.
    const NodeSchedule before = GetSchedule();
    if (!ConfirmAndClear(false))
        return false; // the user kept the table; what was read is dropped
    if (!before.empty() || !loaded.value.empty()) {
        undoStack.push_back(before);
        if (undoStack.size() > kUndoSteps)
            undoStack.erase(undoStack.begin());
    }
    wxBusyCursor busy; // the longest file takes about a second to list
    list->Freeze();
    for (std::size_t i = 0; i < loaded.value.size(); ++i)
        ShowEntry(static_cast<long>(i), loaded.value[i]);
    list->Thaw();
    UpdateChecks();
    savedSchedule = loaded.value;
    return true;
}

long SchedulePanel::SelectedRow() const
{
    return list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

void SchedulePanel::RememberForUndo()
{
    undoStack.push_back(GetSchedule());
    if (undoStack.size() > kUndoSteps)
        undoStack.erase(undoStack.begin());
}

void SchedulePanel::ReplaceRows(const NodeSchedule& schedule)
{
    list->Freeze();
    DeleteAllRows();
    for (std::size_t i = 0; i < schedule.size(); ++i)
        ShowEntry(static_cast<long>(i), schedule[i]);
    list->Thaw();
    UpdateChecks();
}

bool SchedulePanel::AppendRun(const NodeSchedule& entries)
{
    const auto existing = static_cast<std::size_t>(list->GetItemCount());
    if (existing >= ScheduleCapacity) {
        ShowScheduleError(this, "Max Schedule Size Reached!");
        return false;
    }
    if (existing + entries.size() > ScheduleCapacity) {
        ShowScheduleError(this, "Number of Days is too many!");
        return false;
    }
    RememberForUndo();
    list->Freeze();
    for (std::size_t i = 0; i < entries.size(); ++i)
        ShowEntry(static_cast<long>(existing + i), entries[i]);
    list->Thaw();
    UpdateChecks();
    return true;
}

void SchedulePanel::UpdateChecks()
{
    if (!checksLine)
        return;
    const wxString text = "Checks: " + DescribeScheduleChecks(CheckSchedule(GetSchedule()));
    checksLine->SetLabel(text);
    checksLine->SetToolTip(text);
}

std::unique_ptr<wxMenu> SchedulePanel::MakeContextMenu() const
{
    auto menu = std::make_unique<wxMenu>();
    const bool rows = list->GetItemCount() > 0;
    const bool selected = SelectedRow() >= 0;
    menu->Append(ID_IMPORT_FEED, "Import Feed Chart...");
    menu->Append(ID_EXPORT_SCHEDULE_CSV, "Export Schedule to CSV...")->Enable(rows);
    menu->AppendSeparator();
    menu->Append(ID_EDIT_ENTRY, "Edit Entry...")->Enable(selected);
    menu->Append(ID_SHIFT_DATES, "Shift Dates...")->Enable(rows);
    menu->AppendSeparator();
    menu->Append(ID_UNDO_CHANGE, "Undo\tCtrl+Z")->Enable(!undoStack.empty());
    menu->AppendSeparator();
    menu->Append(ID_SHOW_PLAN, "Show Plan...")->Enable(rows);
    return menu;
}

void SchedulePanel::OnContextMenu(wxContextMenuEvent& event)
{
    std::unique_ptr<wxMenu> menu = MakeContextMenu();
    wxPoint at = event.GetPosition();
    // From the keyboard (the Menu key, Shift+F10) there is no pointer
    // position: open the menu at the selected row, or at the list's corner.
    if (at == wxDefaultPosition) {
        wxRect rect;
        const long row = SelectedRow();
        at = row >= 0 && list->GetItemRect(row, rect) ? rect.GetBottomLeft() : wxPoint(0, 0);
        at = ScreenToClient(list->ClientToScreen(at));
    } else {
        at = ScreenToClient(at);
    }
    PopupMenu(menu.get(), at);
}

void SchedulePanel::OnImportFeedChart(wxCommandEvent&)
{
    wxFileDialog dialog(this, "Import Feed Chart", "", "", kFeedChartWildcard,
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty())
        return;
    const wxString path = dialog.GetPath();
    const wxString name = wxFileName(path).GetFullName();
    const LoadResult<CsvTable> read = ReadCsvFile(path);
    if (!read.Loaded() || read.value.rows.empty()) {
        const wxString why = read.Loaded() ? wxString("it holds no rows") : read.reason;
        ShowScheduleError(this, "\"" + name + "\" cannot be read as a feed chart: " + why +
                                    ".\nNothing was added.");
        return;
    }
    FeedChartImportDialog import(this, read.value, name,
                                 [this](const NodeSchedule& entries) { return AppendRun(entries); });
    import.ShowModal();
}

void SchedulePanel::OnExportCsv(wxCommandEvent&)
{
    wxFileDialog dialog(this, "Export Schedule to CSV", "", "", kCsvWildcard,
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty())
        return;
    const wxString path = ChooseSavePath(this, dialog.GetPath(), "csv", "Export Schedule to CSV");
    if (path.empty())
        return;
    const std::string csv = ExportScheduleCsv(GetSchedule());
    const SaveResult saved = WriteFileAtomically(path, csv.data(), csv.size());
    if (!saved.Saved())
        wxMessageBox("The schedule was not exported to \"" + path + "\".\n" + saved.reason, "Error",
                     wxOK | wxICON_ERROR | wxCENTRE, this);
}

void SchedulePanel::OnEditEntry(wxCommandEvent&)
{
    const long row = SelectedRow();
    if (row < 0)
        return;
    ScheduleEntry entry = *EntryOf(list, row);
    NewScheduleEntryDialog dialog(this, wxID_ANY, "Edit Schedule Entry", wxDefaultPosition,
                                  FromDIP(wxSize(500, 250)), wxDEFAULT_DIALOG_STYLE);
    dialog.FillForEdit(entry);
    if (dialog.ShowModal() != wxID_OK)
        return;
    uint32_t days = 0;
    dialog.ReadEntry(entry, days); // word 0 stays as it was
    if (entry == *EntryOf(list, row))
        return;
    RememberForUndo();
    *EntryOf(list, row) = entry;
    for (int c = 0; c < kScheduleColumnCount; ++c)
        list->SetItem(row, c, FormatScheduleCell(c, entry[static_cast<std::size_t>(c)]));
    UpdateChecks();
}

void SchedulePanel::OnShiftDates(wxCommandEvent&)
{
    if (list->GetItemCount() == 0)
        return;
    const long row = SelectedRow();
    ShiftDatesDialog dialog(this, row >= 0);
    if (dialog.ShowModal() != wxID_OK || dialog.GetDays() == 0)
        return;
    NodeSchedule schedule = GetSchedule();
    std::vector<std::size_t> rows;
    if (!dialog.AllEntries() && row >= 0)
        rows.push_back(static_cast<std::size_t>(row));
    const ShiftOutcome outcome = ShiftScheduleDates(schedule, rows, dialog.GetDays());
    if (!outcome.shifted) {
        const wxString date = FormatScheduleCell(kScheduleDate, schedule[outcome.failedRow][kScheduleDate]);
        ShowScheduleError(this, outcome.notADate
                                    ? wxString::Format("Row %zu holds no real date; nothing was shifted.",
                                                       outcome.failedRow + 1)
                                    : wxString::Format("Row %zu (%s) would leave the years 0 to 65535 a "
                                                       "schedule date can hold; nothing was shifted.",
                                                       outcome.failedRow + 1, date));
        return;
    }
    RememberForUndo();
    ReplaceRows(schedule);
    if (row >= 0)
        list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

void SchedulePanel::OnUndo(wxCommandEvent&)
{
    if (undoStack.empty())
        return;
    const NodeSchedule previous = std::move(undoStack.back());
    undoStack.pop_back();
    ReplaceRows(previous);
}

void SchedulePanel::OnShowPlan(wxCommandEvent&)
{
    auto* plan = new SchedulePlanFrame(this, GetSchedule());
    plan->Show();
}
