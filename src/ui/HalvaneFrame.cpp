#include "ui/HalvaneFrame.h"

#include "ui/AppIcons.h"
#include "ui/ConfigPanel.h"
#include "ui/GrowChartViewFrame.h"
#include "ui/LogPanel.h"
#include "ui/NodeCallPanel.h"
#include "ui/SchedulePanel.h"
#include "ui/UnsavedChanges.h"

#include <wx/display.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/sizer.h>

#include <algorithm>
#include <vector>

std::unique_ptr<AppConfigFile> LoadAppConfig(const wxString& path)
{
    LoadResult<std::unique_ptr<AppConfigFile>> loaded = ReadAppConfig(path);
    // A file that exists but cannot be read is as unusable as one of the
    // wrong length: the user hears of both the same way.
    if (loaded.status == LoadStatus::BadLength || loaded.status == LoadStatus::ReadError)
        wxMessageBox("Error Reading Halvane Config File", wxMessageBoxCaptionStr, wxOK | wxCENTRE);
    return std::move(loaded.value);
}

int PageForFile(const wxString& path)
{
    const wxString extension = wxFileName(path).GetExt().Lower();
    if (extension == "hvc")
        return 0;
    if (extension == "hvs")
        return 1;
    if (extension == "hvl")
        return 2;
    return wxNOT_FOUND;
}

wxBEGIN_EVENT_TABLE(HalvaneFrame, wxFrame)
    EVT_CLOSE(HalvaneFrame::OnClose)
    EVT_DROP_FILES(HalvaneFrame::OnDropFiles)
wxEND_EVENT_TABLE()

HalvaneFrame::HalvaneFrame(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                           const wxSize& size, long style)
    : wxFrame(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    SetIcons(MakeAppIconBundle()); // its 16 x 16 icon is the window icon

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    notebook = new wxNotebook(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0);
    sizer->Add(notebook, 1, wxEXPAND | wxALL, FromDIP(5));
    SetSizer(sizer);
    Layout();

    CreateStatusBar(1, wxST_SIZEGRIP, wxID_ANY);

    // The notebook owns the pages; the frame asks them only about unsaved
    // work and hands them the files it is given.
    const wxSize pageSize = FromDIP(wxSize(446, 319));
    configPanel = new ConfigPanel(notebook, wxID_ANY, wxDefaultPosition, pageSize, wxTAB_TRAVERSAL);
    notebook->AddPage(configPanel, "Configuration Profile", false);
    schedulePanel = new SchedulePanel(notebook, wxID_ANY, wxDefaultPosition, pageSize, wxTAB_TRAVERSAL);
    notebook->AddPage(schedulePanel, "Schedule", false);
    logPanel = new LogPanel(notebook, wxID_ANY, wxDefaultPosition, pageSize, wxTAB_TRAVERSAL);
    notebook->AddPage(logPanel, "Log Book", false);
    notebook->AddPage(new NodeCallPanel(notebook, wxID_ANY, wxDefaultPosition, pageSize, wxTAB_TRAVERSAL),
                      "Node Call", false);

    WidenForProfileColumns(*configPanel);

    appConfig = LoadAppConfig("appconfig.txt");
    DragAcceptFiles(true);
}

HalvaneFrame::~HalvaneFrame() = default;

void HalvaneFrame::WidenForProfileColumns(ConfigPanel& page)
{
    // The profile's two columns are as wide as the longest description and
    // value at the user's font; with the first page's values right-aligned
    // at the end of a column that went past the window's edge, a new user
    // would see an empty Value column. The window widens as far as the
    // screen allows; on a narrower screen the list scrolls. The other pages'
    // columns are wider than any screen and scroll as before.
    const int notebookWidth = notebook->CalcSizeFromPage(wxSize(page.GetWidthForColumns(), 1)).x;
    const int needed = notebookWidth + 2 * FromDIP(5) + (GetSize().x - GetClientSize().x);
    const int found = wxDisplay::GetFromWindow(this);
    const wxRect area = wxDisplay(found == wxNOT_FOUND ? 0u : static_cast<unsigned>(found)).GetClientArea();
    const int width = std::min(needed, area.width);
    if (width > GetSize().x)
        SetSize(width, GetSize().y);
}

void HalvaneFrame::OnClose(wxCloseEvent& event)
{
    // A grow's chart view with unsaved notes asks first, as its close box
    // does; "Cancel" in any keeps every window.
    std::vector<GrowChartViewFrame*> grows;
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* grow = dynamic_cast<GrowChartViewFrame*>(window))
            if (grow->HasUnsavedChanges() && !grow->IsBeingDeleted())
                grows.push_back(grow);
    for (GrowChartViewFrame* grow : grows)
        if (!grow->Close(!event.CanVeto()) && event.CanVeto()) {
            event.Veto();
            return;
        }
    // A session that is ending whatever we say still gets the question,
    // without "Cancel": unsaved work is never dropped without a word.
    if (!SaveOrDiscardChanges(event.CanVeto()) && event.CanVeto()) {
        event.Veto();
        return;
    }
    Destroy();
}

bool HalvaneFrame::SaveOrDiscardChanges(bool canCancel)
{
    std::vector<wxString> unsaved;
    if (configPanel->IsModified())
        unsaved.emplace_back("the configuration profile");
    if (schedulePanel->IsModified())
        unsaved.emplace_back("the schedule");
    if (unsaved.empty())
        return true;
    switch (AskAboutUnsavedChanges(this, UnsavedChangesQuestion(unsaved, "closing"), canCancel)) {
    case UnsavedAnswer::Cancel:
        return false;
    case UnsavedAnswer::Discard:
        return true;
    case UnsavedAnswer::Save:
        break;
    }
    // Each page saves as its own button does, with its checks and messages,
    // in front of the user; the first that does not save keeps the window.
    if (configPanel->IsModified()) {
        notebook->SetSelection(0);
        if (!configPanel->SaveProfile())
            return false;
    }
    if (schedulePanel->IsModified()) {
        notebook->SetSelection(1);
        if (!schedulePanel->SaveScheduleAs())
            return false;
    }
    return true;
}

void HalvaneFrame::OpenFiles(const wxArrayString& paths)
{
    int opened = wxNOT_FOUND;
    for (const wxString& path : paths) {
        const int page = PageForFile(path);
        if (page == wxNOT_FOUND) {
            wxMessageBox(
                "\"" + path +
                    "\" is not a configuration file (*.hvc), a schedule file (*.hvs) or a log file (*.hvl).",
                wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
            continue;
        }
        if (!wxFileName::FileExists(path)) {
            wxMessageBox("The file \"" + path + "\" was not found.", wxMessageBoxCaptionStr, wxOK | wxCENTRE,
                         this);
            continue;
        }
        notebook->SetSelection(static_cast<size_t>(page));
        if (OpenOnPage(page, path))
            opened = page;
    }
    if (opened != wxNOT_FOUND)
        notebook->SetSelection(static_cast<size_t>(opened));
}

bool HalvaneFrame::OpenOnPage(int page, const wxString& path)
{
    switch (page) {
    case 0:
        return configPanel->SaveOrDiscardChanges() && configPanel->OpenProfileFile(path);
    case 1:
        return schedulePanel->OpenScheduleFile(path);
    case 2:
        return logPanel->OpenLogFile(path);
    default:
        return false;
    }
}

void HalvaneFrame::OnDropFiles(wxDropFilesEvent& event)
{
    wxArrayString paths;
    for (int i = 0; i < event.GetNumberOfFiles(); ++i)
        paths.Add(event.GetFiles()[i]);
    // Opened once the drop is over: the pages may ask and tell the user
    // things, which a drag in progress must not wait on.
    CallAfter([this, paths] { OpenFiles(paths); });
}
