#include "ui/OrvelGUI.h"

wxIMPLEMENT_APP(OrvelGUI);
