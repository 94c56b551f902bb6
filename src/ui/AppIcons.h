#pragma once

#include <wx/iconbndl.h>

// The program's icon in every size the desktop asks for: the 16 x 16 window
// icon (images/icon.xpm, as it is) and the same drop drawn at 32, 48, 64, 128
// and 256 pixels, built into the program so that the task bar and the window
// switcher show a sharp picture wherever the program runs from. The main frame
// and the chart view frames set it with SetIcons.
wxIconBundle MakeAppIconBundle();
