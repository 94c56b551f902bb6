#pragma once

#include <wx/app.h>

class wxSplashScreen;

// The application: shows the splash screen and the main window.
class OrvelGUI : public wxApp {
public:
    bool OnInit() override;
};

// Registers every image format handler the toolkit has (chart export needs
// BMP, JPEG, PNG and TIFF).
void RegisterImageHandlers();

// Creates the splash screen with its version and build labels. It closes
// itself after 6000 ms.
wxSplashScreen* ShowSplashScreen();
