#include "ui/GrowDialog.h"

#include "ui/DateEntryCtrl.h"

#include <wx/button.h>
#include <wx/dir.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

namespace {
const char* const kFileLabels[3] = {"Profile:", "Schedule channel 1:", "Schedule channel 2:"};
const char* const kFileWildcards[3] = {"Configuration File (*.hvc)|*.hvc", "Schedule File (*.hvs)|*.hvs",
                                       "Schedule File (*.hvs)|*.hvs"};
} // namespace

GrowDialog::GrowDialog(wxWindow* parent, const wxString& title, const Grow& grow)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_grow(grow)
{
    auto* grid = new wxFlexGridSizer(2, wxSize(FromDIP(6), FromDIP(6)));
    grid->AddGrowableCol(1);
    grid->AddGrowableRow(2);
    auto label = [this, grid](const char* text) {
        grid->Add(new wxStaticText(this, wxID_ANY, text), wxSizerFlags().CentreVertical());
    };
    label("Name:");
    m_name = new wxTextCtrl(this, wxID_ANY, grow.name);
    grid->Add(m_name, wxSizerFlags().Expand());
    label("Start (day 0):");
    m_start = new DateEntryCtrl(this, wxID_ANY);
    SetStart(grow.start);
    grid->Add(m_start);

    grid->Add(new wxStaticText(this, wxID_ANY, "Logs:"));
    auto* logs = new wxBoxSizer(wxVERTICAL);
    m_logs = new wxListBox(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(420, 160)), 0, nullptr,
                           wxLB_EXTENDED | wxLB_HSCROLL);
    for (const wxString& log : grow.logs)
        m_logs->Append(log);
    logs->Add(m_logs, wxSizerFlags(1).Expand());
    auto* logButtons = new wxBoxSizer(wxHORIZONTAL);
    logButtons->Add(new wxButton(this, ID_ADD_LOGS, "Add Logs..."));
    logButtons->Add(new wxButton(this, ID_ADD_FOLDER, "Add Folder..."), wxSizerFlags().Border(wxLEFT));
    logButtons->Add(new wxButton(this, ID_REMOVE_LOG, "Remove"), wxSizerFlags().Border(wxLEFT));
    logs->Add(logButtons, wxSizerFlags().Border(wxTOP));
    grid->Add(logs, wxSizerFlags(1).Expand());

    const wxString* paths[3] = {&grow.profile, &grow.schedule1, &grow.schedule2};
    for (int part = 0; part < 3; ++part) {
        label(kFileLabels[part]);
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        m_files[part] = new wxTextCtrl(this, wxID_ANY, *paths[part]);
        row->Add(m_files[part], wxSizerFlags(1).CentreVertical());
        row->Add(new wxButton(this, ID_CHOOSE_FIRST + part, "...", wxDefaultPosition, wxDefaultSize,
                              wxBU_EXACTFIT),
                 wxSizerFlags().Border(wxLEFT));
        grid->Add(row, wxSizerFlags().Expand());
    }

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, wxSizerFlags(1).Expand().Border());
    top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), wxSizerFlags().Expand().Border());
    SetSizerAndFit(top);
    Bind(wxEVT_BUTTON, &GrowDialog::OnAddLogs, this, ID_ADD_LOGS);
    Bind(wxEVT_BUTTON, &GrowDialog::OnAddFolder, this, ID_ADD_FOLDER);
    Bind(wxEVT_BUTTON, &GrowDialog::OnRemoveLog, this, ID_REMOVE_LOG);
    Bind(wxEVT_BUTTON, &GrowDialog::OnChoose, this, ID_CHOOSE_FIRST, ID_CHOOSE_FIRST + 2);
    CentreOnParent();
}

void GrowDialog::SetStart(const GrowDate& start)
{
    m_start->SetValue(wxDateTime(static_cast<wxDateTime::wxDateTime_t>(start.day),
                                 static_cast<wxDateTime::Month>(start.month - 1), start.year));
}

Grow GrowDialog::GetGrow() const
{
    Grow grow = m_grow;
    grow.name = m_name->GetValue();
    const wxDateTime start = m_start->GetValue();
    if (start.IsValid())
        grow.start = {start.GetYear(), static_cast<int>(start.GetMonth()) + 1, start.GetDay()};
    grow.logs.clear();
    for (unsigned i = 0; i < m_logs->GetCount(); ++i)
        grow.logs.push_back(m_logs->GetString(i));
    grow.profile = m_files[0]->GetValue();
    grow.schedule1 = m_files[1]->GetValue();
    grow.schedule2 = m_files[2]->GetValue();
    return grow;
}

void GrowDialog::AddLogs(const wxArrayString& paths)
{
    for (const wxString& path : paths)
        if (m_logs->FindString(path, true) == wxNOT_FOUND)
            m_logs->Append(path);
}

size_t GrowDialog::AddLogFolder(const wxString& folder)
{
    wxArrayString found;
    wxDir::GetAllFiles(folder, &found, "*.hvl", wxDIR_FILES);
    found.Sort();
    AddLogs(found);
    return found.size();
}

bool GrowDialog::TransferDataFromWindow()
{
    wxString problem;
    if (m_name->GetValue().Strip(wxString::both).empty())
        problem = "A grow needs a name.";
    else if (!m_start->GetValue().IsValid())
        problem = "The start is no date.";
    else if (m_logs->GetCount() == 0)
        problem = "A grow needs at least one log.";
    if (problem.empty())
        return true;
    wxMessageBox(problem, wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
    return false;
}

void GrowDialog::OnAddLogs(wxCommandEvent&)
{
    wxFileDialog dialog(this, "Add Logs", "", "", "Log File (*.hvl)|*.hvl",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST | wxFD_MULTIPLE);
    if (dialog.ShowModal() != wxID_OK)
        return;
    wxArrayString paths;
    dialog.GetPaths(paths);
    AddLogs(paths);
}

void GrowDialog::OnAddFolder(wxCommandEvent&)
{
    wxDirDialog dialog(this, "Add Every Log of a Folder", "", wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK && AddLogFolder(dialog.GetPath()) == 0)
        wxMessageBox("The folder holds no log file (*.hvl).", wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
}

void GrowDialog::OnRemoveLog(wxCommandEvent&)
{
    wxArrayInt chosen;
    m_logs->GetSelections(chosen);
    std::sort(chosen.begin(), chosen.end());
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
        m_logs->Delete(static_cast<unsigned>(*it));
}

void GrowDialog::OnChoose(wxCommandEvent& event)
{
    const int part = event.GetId() - ID_CHOOSE_FIRST;
    wxFileDialog dialog(this, wxString(kFileLabels[part]).BeforeLast(':'), "", "", kFileWildcards[part],
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK)
        m_files[part]->SetValue(dialog.GetPath());
}
