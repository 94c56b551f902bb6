// The dialog behind the schedule page's "Import Feed Chart...": the file's
// columns mapped to the day, the targets and the ratios (guessed from the
// headers, changed by the user; the 18 ratios in a dialog of their own,
// so that this one opens quickly), the day kind, the EC unit, the start date
// and stepped or ramped weeks; a preview of the entries to be made and every
// problem with its line. "Add" is offered only when there are entries and no
// problems, and the page may still refuse them (its capacity): then the
// dialog stays open.
#pragma once

#include "core/CsvTable.h"
#include "core/FeedChart.h"

#include <wx/arrstr.h>
#include <wx/dialog.h>

#include <array>
#include <functional>

class DateEntryCtrl;
class wxButton;
class wxCheckBox;
class wxChoice;
class wxListBox;
class wxListCtrl;
class wxStaticText;

class FeedChartImportDialog : public wxDialog {
public:
    // accept is asked on "Add" with the entries; false keeps the dialog open.
    using Accept = std::function<bool(const NodeSchedule& entries)>;

    FeedChartImportDialog(wxWindow* parent, const CsvTable& table, const wxString& fileName, Accept accept);

    const FeedMapping& GetMapping() const { return m_mapping; }
    const FeedImport& GetImport() const { return m_import; }

    // The choice of the day, a target or the reserved word; the ratio roles
    // are chosen in the "Ratio Columns..." dialog (null here).
    wxChoice* GetRoleChoice(std::size_t role) const { return m_roles[role]; }
    wxButton* GetRatioButton() const { return m_ratioButton; }
    wxStaticText* GetRatioSummary() const { return m_ratioSummary; }
    // The ratio columns as the user chose them in the dialog "Ratio Columns..." opens.
    void ChooseRatioColumns();
    wxChoice* GetDayKindChoice() const { return m_dayKind; }
    wxChoice* GetUnitChoice() const { return m_unit; }
    wxChoice* GetWeeksChoice() const { return m_weeks; }
    wxCheckBox* GetHeaderBox() const { return m_header; }
    DateEntryCtrl* GetStartDate() const { return m_start; }
    wxListCtrl* GetPreview() const { return m_preview; }
    wxListBox* GetProblems() const { return m_problems; }
    wxButton* GetAddButton() const { return m_add; }
    // Reads the controls into the mapping and remakes preview and problems.
    void Recompute();

private:
    void BuildMappingControls(wxSizer* box);
    void BuildRatioControls(wxSizer* box);
    wxChoice* MakeRoleChoice(wxWindow* parent);
    void ShowRatioSummary();
    void ShowMapping();
    void OnAdd(wxCommandEvent& event);

    const CsvTable& m_table;
    Accept m_accept;
    FeedMapping m_mapping;
    FeedImport m_import;
    std::array<wxChoice*, kFeedRoleCount> m_roles{};
    wxArrayString m_roleItems;               // "(none)" and the table's columns
    wxSize m_roleChoiceSize = wxDefaultSize; // measured on the first
    wxButton* m_ratioButton = nullptr;
    wxStaticText* m_ratioSummary = nullptr;
    wxCheckBox* m_header = nullptr;
    wxChoice* m_dayKind = nullptr;
    wxChoice* m_unit = nullptr;
    wxChoice* m_weeks = nullptr;
    DateEntryCtrl* m_start = nullptr;
    wxListCtrl* m_preview = nullptr;
    wxStaticText* m_summary = nullptr;
    wxListBox* m_problems = nullptr;
    wxButton* m_add = nullptr;
};
