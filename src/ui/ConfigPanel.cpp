#include "ui/ConfigPanel.h"

#include "core/ConfigFile.h"
#include "core/ConfigRows.h"
#include "core/ParameterTable.h"
#include "core/WordHelpers.h"
#include "ui/OrvelGUIConfigDialog.h"
#include "ui/PageLayout.h"
#include "ui/ReportList.h"
#include "ui/ScreenFit.h"
#include "ui/UnsavedChanges.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>

#include <algorithm>

namespace {

const wxColour kHeaderBackground(211, 211, 211);
const wxColour kUnusedText(211, 211, 211);
const wxColour kRowBackground(255, 255, 255);
const wxColour kInvalidBackground(255, 0, 0);

const char kWildcard[] = "Configuration File (*.hvc)|*.hvc";

} // namespace

wxBEGIN_EVENT_TABLE(ConfigPanel, wxPanel)
    EVT_LIST_ITEM_ACTIVATED(wxID_HELP_CONTENTS, ConfigPanel::OnItemActivated)
    EVT_LIST_KEY_DOWN(wxID_HELP_CONTENTS, ConfigPanel::OnListKeyDown)
    EVT_BUTTON(wxID_SAVE, ConfigPanel::OnSave)
    EVT_BUTTON(wxID_OPEN, ConfigPanel::OnOpen)
    EVT_BUTTON(wxID_NEW, ConfigPanel::OnClear)
wxEND_EVENT_TABLE()

ConfigPanel::ConfigPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    m_list = new ReportListCtrl(this, wxID_HELP_CONTENTS, wxLC_REPORT | wxLC_SINGLE_SEL);
    m_save = new wxButton(this, wxID_SAVE, "Save");
    m_open = new wxButton(this, wxID_OPEN, "Open");
    m_clear = new wxButton(this, wxID_NEW, "Clear");
    LayOutListAboveButtons(this, m_list, {m_save, m_open, m_clear});

    ShowProfile();
}

void ConfigPanel::ShowProfile()
{
    RebuildRows();
    ApplyModeShading();
    RefreshValues();
}

void ConfigPanel::RebuildRows()
{
    ParameterTexts names;
    FillParameterNames(names);

    // The columns are made anew, at the widths they had: one the user set
    // lasts through every Open, Clear and mode change.
    if (m_list->GetColumnCount() == static_cast<int>(m_columnWidths.size())) {
        for (size_t c = 0; c < m_columnWidths.size(); ++c)
            m_columnWidths[c] = m_list->GetColumnWidth(static_cast<int>(c));
    } else {
        std::vector<wxString> descriptions;
        descriptions.reserve(std::size(ConfigRowTable));
        for (const uint32_t code : ConfigRowTable)
            descriptions.push_back(IsSectionCode(code) ? SectionTitle(code) : names[code]);
        ParameterTexts units;
        FillUnitTexts(units);
        m_columnWidths = {FitColumnWidth(*m_list, "Description", descriptions, 400),
                          FitColumnWidth(*m_list, "Value", LongestConfigValueTexts(units), 180)};
    }
    m_list->ClearAll();
    m_list->InsertColumn(0, "Description", wxLIST_FORMAT_LEFT, m_columnWidths[0]);
    m_list->InsertColumn(1, "Value", wxLIST_FORMAT_RIGHT, m_columnWidths[1]);

    for (int row = 0; row < kConfigRowCount; ++row) {
        const uint32_t code = ConfigRowTable[static_cast<size_t>(row)];
        if (!IsSectionCode(code)) {
            m_list->InsertItem(row, names[code]);
        } else {
            m_list->InsertItem(row, SectionTitle(code));
            m_list->SetItemBackgroundColour(row, kHeaderBackground);
        }
    }
}

int ConfigPanel::GetWidthForColumns() const
{
    int columns = 0;
    for (int c = 0; c < m_list->GetColumnCount(); ++c)
        columns += m_list->GetColumnWidth(c);
    // The rows outgrow the list's height, so a vertical scroll bar takes its
    // share; then the list's own border and the page's 5 pixels either side.
    return columns + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, m_list) +
           (m_list->GetSize().x - m_list->GetClientSize().x) + FromDIP(4) + 2 * FromDIP(5);
}

void ConfigPanel::ApplyModeShading()
{
    for (int row = 0; row < kConfigRowCount; ++row)
        if (IsRowLocked(m_profile, ConfigRowTable[static_cast<size_t>(row)]))
            m_list->SetItemTextColour(row, kUnusedText);
}

void ConfigPanel::RefreshValues()
{
    ParameterTexts units;
    FillUnitTexts(units);
    for (int row = 0; row < kConfigRowCount; ++row) {
        const uint32_t code = ConfigRowTable[static_cast<size_t>(row)];
        if (!IsSectionCode(code))
            m_list->SetItem(row, 1, ConfigValueText(m_profile, code, units));
    }
}

void ConfigPanel::OnItemActivated(wxListEvent& event)
{
    EditRow(event.GetIndex());
}

void ConfigPanel::OnListKeyDown(wxListEvent& event)
{
    // The list activates its current row on Return only when that row is
    // selected; the row a failed save marked is current but unselected (the
    // selection colour would hide its red), and Return opens it all the same.
    const int key = event.GetKeyCode();
    const long current = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && current >= 0 &&
        m_list->GetItemState(current, wxLIST_STATE_SELECTED) == 0) {
        EditRow(current);
        return;
    }
    event.Skip();
}

void ConfigPanel::EditRow(long row)
{
    if (row < 0 || row >= kConfigRowCount)
        return;
    const uint32_t code = ConfigRowTable[static_cast<size_t>(row)];
    if (IsSectionCode(code))
        return;
    const int index = static_cast<int>(code);
    const ParamKind kind = KindOf(index);
    if (kind == ParamKind::None)
        return;
    // Parameters the operation mode does not use cannot be edited.
    if (IsRowLocked(m_profile, code))
        return;

    OrvelGUIConfigDialog dialog(this, wxID_ANY, wxEmptyString, wxDefaultPosition, FromDIP(wxSize(620, 240)),
                                wxDEFAULT_DIALOG_STYLE, kind == ParamKind::Credentials);
    const int sliderMin = kind == ParamKind::ActuatorGroup ? 0 : 1;
    dialog.SetUpFor(index, EditValueOf(m_profile, index), sliderMin, 65000);
    if (dialog.ShowModal() != wxID_OK)
        return;

    ConfigEditValue edited = EditValueOf(m_profile, index);
    dialog.ReadValues(edited);
    StoreEditedValue(m_profile, index, edited);

    if (kind == ParamKind::OperationMode) {
        RebuildRows();
        ApplyModeShading();
    }
    RefreshValues();
}

void ConfigPanel::OnSave(wxCommandEvent& WXUNUSED(event))
{
    SaveProfile();
}

bool ConfigPanel::SaveProfile()
{
    // A mark left by an earlier failed attempt goes first.
    for (int row = 0; row < kConfigRowCount; ++row)
        if (!IsSectionCode(ConfigRowTable[static_cast<size_t>(row)]))
            m_list->SetItemBackgroundColour(row, kRowBackground);

    if (const std::optional<int> invalid = ValidateForSave(m_profile)) {
        wxMessageBox("Entry Number " + FormatDecimal(static_cast<uint32_t>(*invalid)) + " is not valid.",
                     wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
        const int row = RowOfCode(static_cast<uint32_t>(GroupStartOf(*invalid)));
        if (row >= 0)
            MarkInvalidRow(row);
        return false;
    }

    wxFileDialog dialog(this, "Save Configuration", wxEmptyString, wxEmptyString, kWildcard,
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    // Cancel means cancel, even when the chooser had a file selected.
    if (dialog.ShowModal() != wxID_OK)
        return false;
    const wxString path = dialog.GetPath();
    if (path.empty())
        return false;

    const SaveResult saved = WriteConfigFile(path, m_profile);
    if (!saved.Saved()) {
        wxMessageBox("Error writing node config file \"" + path + "\":\n" + saved.reason,
                     wxMessageBoxCaptionStr, wxOK | wxCENTRE | wxICON_ERROR, this);
        return false;
    }
    m_savedProfile = m_profile;
    return true;
}

void ConfigPanel::MarkInvalidRow(int row)
{
    m_list->SetItemBackgroundColour(row, kInvalidBackground);
    // The offending row is most often the one just edited, still selected:
    // the selection colour would hide the red until the user clicked away.
    for (long selected = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); selected >= 0;
         selected = m_list->GetNextItem(selected, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        m_list->SetItemState(selected, 0, wxLIST_STATE_SELECTED);
    // It is the list's current row: the keys move on from it, and Return
    // opens its edit dialog (see OnListKeyDown).
    m_list->SetItemState(row, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    m_list->EnsureVisible(row);
}

bool ConfigPanel::SaveOrDiscardChanges()
{
    if (!IsModified())
        return true;
    const wxString question = UnsavedChangesQuestion({"the configuration profile"}, "opening another");
    switch (AskAboutUnsavedChanges(this, question)) {
    case UnsavedAnswer::Save:
        return SaveProfile();
    case UnsavedAnswer::Discard:
        return true;
    case UnsavedAnswer::Cancel:
        break;
    }
    return false;
}

void ConfigPanel::OnOpen(wxCommandEvent& WXUNUSED(event))
{
    if (!SaveOrDiscardChanges())
        return;
    wxFileDialog dialog(this, "Load Configuration", wxEmptyString, wxEmptyString, kWildcard, wxFD_OPEN);
    // Cancel means cancel, even when the chooser had a file selected.
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxString path = dialog.GetPath();
    if (path.empty())
        return;
    OpenProfileFile(path);
}

bool ConfigPanel::OpenProfileFile(const wxString& path)
{
    const LoadResult<NodeConfig> loaded = ReadConfigFile(path);
    switch (loaded.status) {
    case LoadStatus::Loaded:
        m_profile = loaded.value;
        m_savedProfile = m_profile;
        break;
    case LoadStatus::Missing: // nothing to load: the current profile stays
        break;
    case LoadStatus::BadLength:
    case LoadStatus::TooLarge:
    case LoadStatus::ReadError:
        wxMessageBox("Error reading node config file", wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
        break;
    }
    ShowProfile();
    return loaded.status == LoadStatus::Loaded;
}

void ConfigPanel::OnClear(wxCommandEvent& WXUNUSED(event))
{
    if (wxMessageBox("Are you sure?", "Delete All Entries", wxYES_NO | wxICON_QUESTION, this) != wxYES)
        return;
    m_profile.Clear();
    ShowProfile();
}
