#include "ui/ConfigPanel.h"

ConfigPanel::ConfigPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
}
