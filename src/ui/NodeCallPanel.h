#pragma once

#include <wx/panel.h>

class NodeCallPanel : public wxPanel {
public:
    NodeCallPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
       const wxSize& size = wxSize(446, 319), long style = wxTAB_TRAVERSAL);
};
