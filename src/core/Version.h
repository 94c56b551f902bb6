#pragma once

#include <wx/string.h>

// "0.9.0.1", built from its four numbers.
wxString GetVersionText();
// "HALVANE DUO CLIENT v0.9.0.1": the main window's title.
wxString GetClientTitle();
// Shown on the splash screen only.
wxString GetBuildDateText();
