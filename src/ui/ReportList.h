// A report list that scrolls sideways far enough to show its last column.
#pragma once

#include <wx/listctrl.h>

// The toolkit's own list (wxGenericListCtrl, used by GTK) makes its
// sideways scroll range the columns' width rounded down to whole scroll
// steps of 15 pixels: scrolled fully right, up to 14 pixels of the last
// column stayed out of reach, its header and the end of every value cut. This
// list rounds that range up instead. Native lists (Windows) scroll right
// as they are.
class ReportListCtrl : public wxListCtrl {
public:
    ReportListCtrl(wxWindow* parent, wxWindowID id, long style);

#if !(defined(__WXMSW__) || defined(__WXQT__)) || defined(__WXUNIVERSAL__)
    void SetScrollbars(int pixelsPerUnitX, int pixelsPerUnitY, int noUnitsX, int noUnitsY, int xPos = 0,
                       int yPos = 0, bool noRefresh = false) override;
#endif
};
