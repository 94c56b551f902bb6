#include "chart/Chart.h"

Chart::Chart(XYPlot* plot, const wxString& title) : m_plot(plot), m_title(title)
{
}

Chart::~Chart() = default;

void Chart::Draw(wxDC& dc, const wxRect& rect)
{
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(rect);
    if (m_plot)
        m_plot->Draw(dc, rect);
}
