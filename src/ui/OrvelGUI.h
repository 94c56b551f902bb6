#pragma once

#include <wx/app.h>
#include <wx/arrstr.h>

class wxSplashScreen;

// The application: shows the splash screen and the main window, which opens
// the files named on the command line.
class OrvelGUI : public wxApp {
public:
    bool OnInit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

private:
    wxArrayString m_files; // as given, made absolute
};

// Registers every image format handler the toolkit has (chart export needs
// BMP, JPEG, PNG and TIFF).
void RegisterImageHandlers();

// Creates the splash screen with its version and build labels. It closes
// itself after 6000 ms.
wxSplashScreen* ShowSplashScreen();
