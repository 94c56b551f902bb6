#include "ui/FeedChartImportDialog.h"

#include "core/ParameterTable.h"
#include "core/ScheduleText.h"
#include "core/WordHelpers.h"
#include "ui/DateEntryCtrl.h"
#include "ui/ScreenFit.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <array>

namespace {

// The preview: the entries to be made, formatted only as they are shown.
class FeedPreviewList : public wxListCtrl {
public:
    FeedPreviewList(wxWindow* parent, const NodeSchedule& entries)
        : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(640, 180)),
                     wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL),
          m_entries(entries)
    {
        ScheduleColumnLabels labels;
        FillScheduleColumnLabels(labels);
        for (int c = 1; c < kScheduleColumnCount; ++c)
            InsertColumn(
                c - 1, labels[static_cast<std::size_t>(c)], wxLIST_FORMAT_LEFT,
                FitColumnWidth(*this, labels[static_cast<std::size_t>(c)], ScheduleColumnSampleTexts(c), 60));
    }
    wxString OnGetItemText(long item, long column) const override
    {
        const auto row = static_cast<std::size_t>(item);
        if (row >= m_entries.size())
            return wxString();
        return FormatScheduleCell(static_cast<int>(column + 1),
                                  m_entries[row][static_cast<std::size_t>(column + 1)]);
    }

private:
    const NodeSchedule& m_entries;
};

std::size_t ColumnCount(const CsvTable& table)
{
    std::size_t columns = 0;
    for (const CsvRow& row : table.rows)
        columns = std::max(columns, row.cells.size());
    return columns;
}

constexpr std::size_t kFeedRatioRoles = kFeedReserved - kFeedEcRatio; // 18

const char* const kSeparatorNames[] = {"comma", "semicolon", "tab"};

wxString SeparatorName(char separator)
{
    return separator == ';'    ? kSeparatorNames[1]
           : separator == '\t' ? kSeparatorNames[2]
                               : kSeparatorNames[0];
}

} // namespace

FeedChartImportDialog::FeedChartImportDialog(wxWindow* parent, const CsvTable& table,
                                             const wxString& fileName, Accept accept)
    : wxDialog(parent, wxID_ANY, "Import Feed Chart", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_table(table), m_accept(std::move(accept)), m_mapping(GuessFeedMapping(table))
{
    m_mapping.start = EncodePackedDate(wxDateTime::Today());
    auto* box = new wxBoxSizer(wxVERTICAL);
    box->Add(new wxStaticText(this, wxID_ANY,
                              wxString::Format("%s: %zu rows, %zu columns, separated by %s", fileName,
                                               table.rows.size(), ColumnCount(table),
                                               SeparatorName(table.separator))),
             0, wxALL, FromDIP(5));
    m_header = new wxCheckBox(this, wxID_ANY, "The first row names the columns");
    box->Add(m_header, 0, wxALL, FromDIP(5));
    BuildMappingControls(box);
    BuildRatioControls(box);

    box->Add(new wxStaticText(this, wxID_ANY, "Entries to be made:"), 0, wxLEFT | wxTOP, FromDIP(5));
    m_preview = new FeedPreviewList(this, m_import.entries);
    box->Add(m_preview, 3, wxEXPAND | wxALL, FromDIP(5));
    m_summary = new wxStaticText(this, wxID_ANY, wxString());
    box->Add(m_summary, 0, wxLEFT | wxRIGHT, FromDIP(5));
    m_problems = new wxListBox(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(-1, 90)));
    box->Add(m_problems, 1, wxEXPAND | wxALL, FromDIP(5));

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    m_add = new wxButton(this, wxID_OK, "Add");
    buttons->Add(m_add, 0, wxALL, FromDIP(5));
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, FromDIP(5));
    box->Add(buttons, 0, wxEXPAND);
    m_add->SetDefault();
    SetSizerAndFit(box);
    PlaceOnParent(*this);

    ShowMapping();
    Recompute();
    m_add->Bind(wxEVT_BUTTON, &FeedChartImportDialog::OnAdd, this);
    Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { Recompute(); });
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { Recompute(); });
    // The date field reads its own text first; look at it afterwards.
    m_start->GetTextCtrl()->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
        event.Skip();
        CallAfter([this] { Recompute(); });
    });
}

wxChoice* FeedChartImportDialog::MakeRoleChoice(wxWindow* parent)
{
    if (m_roleItems.empty()) {
        m_roleItems.push_back("(none)");
        const std::size_t columns = ColumnCount(m_table);
        for (std::size_t c = 0; c < columns; ++c) {
            wxString name;
            if (!m_table.rows.empty() && c < m_table.rows[0].cells.size())
                name = wxString::FromUTF8(m_table.rows[0].cells[c]);
            m_roleItems.push_back(wxString::Format("Column %zu", c + 1) +
                                  (name.empty() ? wxString() : ": " + name));
        }
    }
    // Every role offers the same items, so every choice wants the size of
    // the first: measuring each one (GTK measures every item) took most of
    // the time the dialog needed to open.
    auto* choice = new wxChoice(parent, wxID_ANY, wxDefaultPosition, m_roleChoiceSize, m_roleItems);
    if (m_roleChoiceSize == wxDefaultSize)
        m_roleChoiceSize = choice->GetBestSize();
    return choice;
}

void FeedChartImportDialog::BuildMappingControls(wxSizer* box)
{
    auto* grid = new wxFlexGridSizer(0, 4, FromDIP(3), FromDIP(6));
    auto add = [this, grid](const wxString& label, wxWindow* control) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(control, 0, wxEXPAND);
    };
    for (std::size_t role : {kFeedDay, kFeedTargetEc, kFeedTargetPh, kFeedReserved}) {
        m_roles[role] = MakeRoleChoice(this);
        add(FeedRoleName(role) + ":", m_roles[role]);
    }
    m_dayKind = new wxChoice(this, wxID_ANY);
    for (const char* kind : {"Dates", "Day numbers", "Week numbers"})
        m_dayKind->Append(kind);
    add("The day holds:", m_dayKind);
    m_unit = new wxChoice(this, wxID_ANY);
    for (FeedEcUnit unit :
         {FeedEcUnit::MicroSiemens, FeedEcUnit::MilliSiemens, FeedEcUnit::Ppm500, FeedEcUnit::Ppm700})
        m_unit->Append(FeedEcUnitName(unit));
    add("EC unit:", m_unit);
    m_start = new DateEntryCtrl(this, wxID_ANY, wxDateTime::Today());
    add("First day or week on:", m_start);
    m_weeks = new wxChoice(this, wxID_ANY);
    m_weeks->Append("Stepped (each day the week's values)");
    m_weeks->Append("Ramped (targets move day by day to the next week's)");
    add("Weeks:", m_weeks);
    box->Add(grid, 0, wxALL, FromDIP(5));
}

void FeedChartImportDialog::BuildRatioControls(wxSizer* box)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_ratioButton = new wxButton(this, wxID_ANY, "Ratio Columns...");
    row->Add(m_ratioButton, 0, wxALIGN_CENTER_VERTICAL);
    m_ratioSummary = new wxStaticText(this, wxID_ANY, wxString());
    row->Add(m_ratioSummary, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, FromDIP(6));
    box->Add(row, 0, wxEXPAND | wxALL, FromDIP(5));
    m_ratioButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ChooseRatioColumns(); });
}

void FeedChartImportDialog::ShowRatioSummary()
{
    wxString mapped;
    std::size_t count = 0;
    for (std::size_t role = kFeedEcRatio; role < kFeedEcRatio + kFeedRatioRoles; ++role)
        if (m_mapping.column[role] >= 0) {
            if (count++ < 3)
                mapped += (mapped.empty() ? "" : ", ") + FeedRoleName(role);
        }
    if (count > 3)
        mapped += ", ...";
    m_ratioSummary->SetLabel(count == 0 ? wxString("Ratios: no column (every ratio 0)")
                                        : wxString::Format("Ratios: %zu of %zu from columns (%s)", count,
                                                           kFeedRatioRoles, mapped));
}

// The 18 ratios in three rows of six (as the entry dialog shows them), each
// a choice of the file's columns; OK takes them.
void FeedChartImportDialog::ChooseRatioColumns()
{
    wxDialog dialog(this, wxID_ANY, "Ratio Columns");
    auto* box = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(0, 7, FromDIP(3), FromDIP(4));
    const std::pair<const char*, std::size_t> rows[] = {
        {"ECUP: ", kFeedEcRatio}, {"PHUP: ", kFeedPhUpRatio}, {"PHDO: ", kFeedPhDownRatio}};
    std::array<wxChoice*, kFeedRatioRoles> choices{};
    for (const auto& [label, first] : rows) {
        grid->Add(new wxStaticText(&dialog, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        for (std::size_t k = 0; k < kScheduleActuators; ++k) {
            wxChoice* choice = MakeRoleChoice(&dialog);
            choice->SetToolTip(FeedRoleName(first + k));
            choice->SetSelection(m_mapping.column[first + k] + 1);
            choices[first + k - kFeedEcRatio] = choice;
            grid->Add(choice, 0, wxEXPAND);
        }
    }
    box->Add(grid, 0, wxALL, FromDIP(8));
    box->Add(dialog.CreateSeparatedButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, FromDIP(5));
    dialog.SetSizerAndFit(box);
    if (dialog.ShowModal() != wxID_OK)
        return;
    for (std::size_t r = 0; r < kFeedRatioRoles; ++r)
        m_mapping.column[kFeedEcRatio + r] = choices[r]->GetSelection() - 1;
    Recompute();
}

void FeedChartImportDialog::ShowMapping()
{
    for (std::size_t role = 0; role < kFeedRoleCount; ++role)
        if (m_roles[role])
            m_roles[role]->SetSelection(m_mapping.column[role] + 1);
    m_header->SetValue(m_mapping.header);
    m_dayKind->SetSelection(static_cast<int>(m_mapping.dayKind));
    m_unit->SetSelection(static_cast<int>(m_mapping.ecUnit));
    m_weeks->SetSelection(m_mapping.ramped ? 1 : 0);
}

void FeedChartImportDialog::Recompute()
{
    for (std::size_t role = 0; role < kFeedRoleCount; ++role)
        if (m_roles[role])
            m_mapping.column[role] = m_roles[role]->GetSelection() - 1;
    ShowRatioSummary();
    m_mapping.header = m_header->GetValue();
    m_mapping.dayKind = static_cast<FeedDayKind>(std::max(0, m_dayKind->GetSelection()));
    m_mapping.ecUnit = static_cast<FeedEcUnit>(std::max(0, m_unit->GetSelection()));
    m_mapping.ramped = m_weeks->GetSelection() == 1;
    m_mapping.start = EncodePackedDate(m_start->GetValue());
    const bool byDate = m_mapping.dayKind == FeedDayKind::Date;
    m_start->Enable(!byDate);
    m_weeks->Enable(m_mapping.dayKind == FeedDayKind::WeekNumber);

    m_import = ExpandFeedChart(m_table, m_mapping);
    m_preview->SetItemCount(static_cast<long>(m_import.entries.size()));
    m_preview->Refresh();
    m_problems->Clear();
    wxArrayString problems;
    for (const FeedProblem& problem : m_import.problems)
        problems.push_back(FormatFeedProblem(problem));
    if (!problems.empty())
        m_problems->InsertItems(problems, 0);
    m_summary->SetLabel(
        wxString::Format("%zu entries, %zu problems%s", m_import.entries.size(), m_import.problems.size(),
                         m_import.problems.empty() ? "" : " (nothing is added until they are mended):"));
    m_add->Enable(m_import.problems.empty() && !m_import.entries.empty());
}

void FeedChartImportDialog::OnAdd(wxCommandEvent&)
{
    if (!m_import.problems.empty() || m_import.entries.empty())
        return;
    if (m_accept && !m_accept(m_import.entries))
        return;
    if (IsModal())
        EndModal(wxID_OK);
    else
        SetReturnCode(wxID_OK);
}
