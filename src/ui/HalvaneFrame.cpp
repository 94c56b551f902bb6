#include "ui/HalvaneFrame.h"

#include "ui/AppIcons.h"
#include "ui/ConfigPanel.h"
#include "ui/LogPanel.h"
#include "ui/NodeCallPanel.h"
#include "ui/SchedulePanel.h"

#include <wx/display.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/sizer.h>

#include <algorithm>

std::unique_ptr<AppConfigFile> LoadAppConfig(const wxString& path)
{
    LoadResult<std::unique_ptr<AppConfigFile>> loaded = ReadAppConfig(path);
    // A file that exists but cannot be read is as unusable as one of the
    // wrong length: the user hears of both the same way.
    if (loaded.status == LoadStatus::BadLength || loaded.status == LoadStatus::ReadError)
        wxMessageBox("Error Reading Halvane Config File", wxMessageBoxCaptionStr, wxOK | wxCENTRE);
    return std::move(loaded.value);
}

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

    // The notebook owns the pages; nothing here talks to them after this.
    const wxSize pageSize = FromDIP(wxSize(446, 319));
    auto* configPanel = new ConfigPanel(notebook, wxID_ANY, wxDefaultPosition, pageSize, wxTAB_TRAVERSAL);
    notebook->AddPage(configPanel, "Configuration Profile", false);
    notebook->AddPage(new SchedulePanel(notebook, wxID_ANY, wxDefaultPosition, pageSize, wxTAB_TRAVERSAL),
                      "Schedule", false);
    notebook->AddPage(new LogPanel(notebook, wxID_ANY, wxDefaultPosition, pageSize, wxTAB_TRAVERSAL),
                      "Log Book", false);
    notebook->AddPage(new NodeCallPanel(notebook, wxID_ANY, wxDefaultPosition, pageSize, wxTAB_TRAVERSAL),
                      "Node Call", false);

    WidenForProfileColumns(*configPanel);

    appConfig = LoadAppConfig("appconfig.txt");
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
