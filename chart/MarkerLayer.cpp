#include "chart/MarkerLayer.h"

#include "chart/LineSpans.h"

#include <wx/pen.h>

#include <algorithm>
#include <vector>

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
    const int charWidth = dc.GetCharWidth();
    // The lines as a column of pixels each, filled at once; where the DC
    // cannot fill them so, as one zigzag polyline: down one column, along a
    // row just outside the plot area (the plot clips it away), up the next.
    // One pass for two thousand lines instead of two thousand.
    std::vector<ColumnSpan> lines;
    std::vector<wxPoint> zigzag;
    int lastColumn = view.area.x - 1;
    int labelsEnd = view.area.x - 1; // the right end of the last label drawn
    for (auto it = first; it != end; ++it) {
        const int column = toX.Pixel(it->x);
        if (column != lastColumn) {
            lines.push_back({column, top, bottom});
            const bool down = zigzag.size() % 4 == 0;
            zigzag.emplace_back(column, down ? top - 1 : bottom + 1);
            zigzag.emplace_back(column, down ? bottom + 1 : top - 1);
        }
        lastColumn = column;
        if (it->label.empty() || column + pad <= labelsEnd)
            continue;
        wxString label = it->label;
        if (label.length() > 24)
            label = label.Left(23) + wxString::FromUTF8("\u2026");
        dc.DrawText(label, column + pad, top + pad);
        // An average character's width per character: a label's measure
        // without measuring it (labels are short and only kept apart).
        labelsEnd = column + pad + static_cast<int>(label.length()) * charWidth + pad;
    }
    if (!FillSpans(dc, m_colour, lines) && zigzag.size() >= 2)
        dc.DrawLines(static_cast<int>(zigzag.size()), zigzag.data());
    dc.SetFont(font);
}

} // namespace chart
