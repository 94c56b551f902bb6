#include "chart/MarkerLayer.h"

#include <wx/pen.h>

#include <algorithm>

namespace chart {

MarkerLayer::MarkerLayer(std::shared_ptr<const std::vector<Marker>> markers, const wxColour& colour)
    : m_markers(std::move(markers)), m_colour(colour)
{
}

void MarkerLayer::Draw(wxDC& dc, const LayerView& view)
{
    if (!m_markers || m_markers->empty() || view.area.IsEmpty())
        return;
    const std::vector<Marker>& all = *m_markers;
    const auto first = std::lower_bound(all.begin(), all.end(), view.x.lo,
                                        [](const Marker& m, double x) { return m.x < x; });
    const auto end =
        std::upper_bound(first, all.end(), view.x.hi, [](double x, const Marker& m) { return x < m.x; });
    const ValueToPixel toX = view.ToX();
    dc.SetPen(wxPen(m_colour, 1, wxPENSTYLE_SOLID));
    dc.SetTextForeground(m_colour);
    const wxFont font = dc.GetFont();
    dc.SetFont(font.Smaller());
    const int top = view.area.y, bottom = view.area.GetBottom();
    const int pad = dc.FromDIP(2);
    int lastColumn = view.area.x - 1;
    int labelsEnd = view.area.x - 1; // the right end of the last label drawn
    for (auto it = first; it != end; ++it) {
        const int column = toX.Pixel(it->x);
        if (column != lastColumn)
            dc.DrawLine(column, top, column, bottom + 1);
        lastColumn = column;
        if (it->label.empty() || column + pad <= labelsEnd)
            continue;
        wxString label = it->label;
        if (label.length() > 24)
            label = label.Left(23) + wxString::FromUTF8("\u2026");
        const wxSize extent = dc.GetTextExtent(label);
        dc.DrawText(label, column + pad, top + pad);
        labelsEnd = column + pad + extent.x + pad;
    }
    dc.SetFont(font);
}

} // namespace chart
