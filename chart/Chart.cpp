#include "chart/Chart.h"

#include <algorithm>

namespace {
const int kMargin = 5;
}

Chart::Chart(std::unique_ptr<XYPlot> plot, const wxString& title) : m_plot(std::move(plot)), m_title(title)
{
}

Chart::~Chart() = default;

void Chart::Draw(wxDC& dc, const wxRect& rect)
{
    if (rect.width <= 0 || rect.height <= 0)
        return;
    wxDCClipper clip(dc, rect);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(rect);

    int titleHeight = 0;
    if (!m_title.empty()) {
        const wxFont oldFont = dc.GetFont();
        wxFont font = *wxNORMAL_FONT;
        font.SetPointSize(font.GetPointSize() + 4);
        font.MakeBold();
        dc.SetFont(font);
        dc.SetTextForeground(*wxBLACK);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        const wxSize extent = dc.GetTextExtent(m_title);
        dc.DrawText(m_title, rect.x + (rect.width - extent.x) / 2, rect.y + kMargin);
        titleHeight = extent.y + kMargin;
        dc.SetFont(oldFont);
    }
    if (m_plot) {
        wxRect plotRect(rect.x + kMargin, rect.y + kMargin + titleHeight, rect.width - 2 * kMargin,
                        rect.height - 2 * kMargin - titleHeight);
        if (plotRect.width > 0 && plotRect.height > 0)
            m_plot->Draw(dc, plotRect);
    }
}
