#pragma once

#include "core/AppConfigFile.h"

#include <wx/frame.h>

#include <memory>

class ConfigPanel;
class LogPanel;
class SchedulePanel;
class wxNotebook;

// Loads the settings file at path; a length that is not a whole number of
// records is reported in a message box and gives an empty table.
std::unique_ptr<AppConfigFile> LoadAppConfig(const wxString& path);

// The program's own file types, by extension: the notebook page that opens
// one (0 profile *.hvc, 1 schedule *.hvs, 2 log *.hvl), else wxNOT_FOUND.
int PageForFile(const wxString& path);

// The main window: a notebook with the four pages and a status bar. Files
// given to it (on the command line or dropped on it) open on their pages;
// closing it with unsaved changes asks first.
class HalvaneFrame : public wxFrame {
public:
    HalvaneFrame(wxWindow* parent, wxWindowID id, const wxString& title,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(640, 480),
                 long style = wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
    ~HalvaneFrame() override;

    const AppConfigFile& GetAppConfig() const { return *appConfig; }
    wxNotebook* GetNotebook() const { return notebook; }

    // Opens each file on its page, in order, as that page's "Open" does
    // once its dialog is answered, and shows the page of the last one
    // opened. A missing file or one of another type is named in a message.
    void OpenFiles(const wxArrayString& paths);

private:
    void OnClose(wxCloseEvent& event);
    void OnDropFiles(wxDropFilesEvent& event);
    // Asks about unsaved changes and saves them when the user says so. True
    // when nothing unsaved is left or the user discarded it.
    bool SaveOrDiscardChanges(bool canCancel);
    bool OpenOnPage(int page, const wxString& path);

    // Widens the window so the profile page shows both its columns whole,
    // within the screen's work area.
    void WidenForProfileColumns(ConfigPanel& page);

    std::unique_ptr<AppConfigFile> appConfig;
    wxNotebook* notebook = nullptr;
    ConfigPanel* configPanel = nullptr;
    SchedulePanel* schedulePanel = nullptr;
    LogPanel* logPanel = nullptr;

    wxDECLARE_EVENT_TABLE();
};
