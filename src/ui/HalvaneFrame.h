#pragma once

#include "core/AppConfigFile.h"

#include <wx/frame.h>

#include <memory>

class ConfigPanel;
class wxNotebook;

// Loads the settings file at path; a length that is not a whole number of
// records is reported in a message box and gives an empty table.
std::unique_ptr<AppConfigFile> LoadAppConfig(const wxString& path);

// The main window: a notebook with the four pages and a status bar.
class HalvaneFrame : public wxFrame {
public:
    HalvaneFrame(wxWindow* parent, wxWindowID id, const wxString& title,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(640, 480),
                 long style = wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
    ~HalvaneFrame() override;

    const AppConfigFile& GetAppConfig() const { return *appConfig; }
    wxNotebook* GetNotebook() const { return notebook; }

private:
    // Widens the window so the profile page shows both its columns whole,
    // within the screen's work area.
    void WidenForProfileColumns(ConfigPanel& page);

    std::unique_ptr<AppConfigFile> appConfig;
    wxNotebook* notebook = nullptr;
};
