#include "ui/ReportList.h"

#include <algorithm>

ReportListCtrl::ReportListCtrl(wxWindow* parent, wxWindowID id, long style)
    : wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize, style)
{
}

#if !(defined(__WXMSW__) || defined(__WXQT__)) || defined(__WXUNIVERSAL__)
void ReportListCtrl::SetScrollbars(int pixelsPerUnitX, int pixelsPerUnitY, int noUnitsX, int noUnitsY,
                                   int xPos, int yPos, bool noRefresh)
{
    // The list asks for its columns' width in whole steps, rounded down.
    if (InReportView() && pixelsPerUnitX > 0) {
        int width = 0;
        for (int c = 0; c < GetColumnCount(); ++c)
            width += GetColumnWidth(c);
        noUnitsX = std::max(noUnitsX, (width + pixelsPerUnitX - 1) / pixelsPerUnitX);
    }
    wxListCtrl::SetScrollbars(pixelsPerUnitX, pixelsPerUnitY, noUnitsX, noUnitsY, xPos, yPos, noRefresh);
}
#endif
