#include "chart/StripLayer.h"

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/pen.h>

#include <algorithm>

namespace chart {

namespace {

// Every fourth diagonal of the hatch (rising to the right).
constexpr int kHatchSpacing = 4;

} // namespace

wxRect StripLayer::RowRect(const wxRect& area, size_t index) const
{
    const int bottom = area.GetBottom() - static_cast<int>(index) * m_rowHeight;
    return wxRect(area.x, bottom - m_rowHeight + 1, area.width, m_rowHeight);
}

// The columns of a row are marked first, so that strips that meet or overlap
// draw as one and the hatch runs on across them.
void StripLayer::Draw(wxDC& dc, const LayerView& view)
{
    const wxRect& area = view.area;
    if (area.width <= 0 || area.height <= 0)
        return;
    const ValueToPixel toX = view.ToX();
    for (size_t s = 0; s < m_sets.size(); ++s) {
        const wxRect row = RowRect(area, s);
        if (row.y < area.y)
            break; // no room for more rows
        std::vector<bool> marked(static_cast<size_t>(area.width), false);
        bool any = false;
        for (const Strip& strip : m_sets[s].strips) {
            if (strip.xTo < view.x.lo || strip.xFrom > view.x.hi)
                continue;
            const int x0 = std::max(toX.Pixel(strip.xFrom), area.x);
            const int x1 = std::min(toX.Pixel(strip.xTo), area.GetRight());
            for (int x = x0; x <= x1; ++x)
                marked[static_cast<size_t>(x - area.x)] = any = true;
        }
        if (any) {
            dc.SetPen(wxPen(m_sets[s].colour, 1));
            DrawRow(dc, row, marked);
        }
    }
}

void StripLayer::DrawRow(wxDC& dc, const wxRect& row, const std::vector<bool>& marked) const
{
    // Runs of marked columns: a solid top edge over each; below it the hatch
    // pixels, one per column and row where the diagonal passes. The hatch of
    // the whole row is one picture (thousands of separate points took the
    // better part of a millisecond per row), transparent where unmarked.
    const int hatchHeight = row.height - 1;
    wxImage hatch;
    if (hatchHeight > 0) {
        hatch.Create(row.width, hatchHeight, true); // black, and ...
        hatch.InitAlpha();
        std::fill_n(hatch.GetAlpha(), static_cast<size_t>(row.width) * static_cast<size_t>(hatchHeight),
                    static_cast<unsigned char>(0)); // ... transparent
    }
    const wxColour& colour = dc.GetPen().GetColour();
    size_t i = 0;
    while (i < marked.size()) {
        if (!marked[i]) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end + 1 < marked.size() && marked[end + 1])
            ++end;
        const int x0 = row.x + static_cast<int>(i), x1 = row.x + static_cast<int>(end);
        // Some DCs draw a line's last point and some do not: draw it apart.
        dc.DrawLine(x0, row.y, x1, row.y);
        dc.DrawPoint(x1, row.y);
        for (int x = x0; x <= x1 && hatch.IsOk(); ++x)
            for (int y = row.y + 1; y <= row.GetBottom(); ++y)
                if ((x + y) % kHatchSpacing == 0) {
                    hatch.SetRGB(x - row.x, y - row.y - 1, colour.Red(), colour.Green(), colour.Blue());
                    hatch.SetAlpha(x - row.x, y - row.y - 1, wxALPHA_OPAQUE);
                }
        i = end + 1;
    }
    if (hatch.IsOk())
        dc.DrawBitmap(wxBitmap(hatch), row.x, row.y + 1, true);
}

} // namespace chart
