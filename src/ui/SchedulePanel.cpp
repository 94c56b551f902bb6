#include "ui/SchedulePanel.h"

#include "core/ParameterTable.h"
#include "core/ScheduleText.h"
#include "core/WordHelpers.h"
#include "ui/NewScheduleEntryDialog.h"
#include "ui/PageLayout.h"
#include "ui/ReportList.h"
#include "ui/SavePath.h"
#include "ui/ScreenFit.h"

#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <memory>

namespace {

constexpr wxWindowID kScheduleListId = 5015;
constexpr int kColumnWidth = 60;
constexpr uint32_t kMaxDaysPerRun = 100;
const char* const kScheduleWildcard = "Schedule File (*.hvs)|*.hvs";

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

bool SchedulePanel::ConfirmAndClear()
{
    if (list->GetItemCount() == 0)
        return true;
    if (wxMessageBox("Are you sure?", "Delete All Entries", wxYES_NO | wxICON_QUESTION, this) != wxYES)
        return false;
    DeleteAllRows();
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
}

void SchedulePanel::OnRemove(wxCommandEvent&)
{
    // The row the list has selected now; selectedRow may name a row that has
    // since moved or gone.
    const long row = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (row < 0)
        return;
    DeleteRow(row);
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
    if (!ConfirmAndClear())
        return false;  // the user kept the table; what was read is dropped
    wxBusyCursor busy; // the longest file takes about a second to list
    list->Freeze();
    for (std::size_t i = 0; i < loaded.value.size(); ++i)
        ShowEntry(static_cast<long>(i), loaded.value[i]);
    list->Thaw();
    savedSchedule = loaded.value;
    return true;
}
