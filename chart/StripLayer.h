// A layer of hatched strips along the bottom of the plot: stretches of x
// marked in a colour, one row per set, the first set lowest. A strip says
// "something about this stretch", whatever the values above it do, so it
// belongs to no vertical axis and asks no room on any.
#pragma once

#include "chart/PlotLayer.h"

#include <wx/colour.h>

#include <vector>

namespace chart {

struct Strip {
    double xFrom = 0, xTo = 0;
};

struct StripSet {
    wxColour colour;
    std::vector<Strip> strips;
};

class StripLayer : public PlotLayer {
public:
    // Each set's row is `rowHeight` pixels high.
    explicit StripLayer(int rowHeight = 7) : m_rowHeight(rowHeight) {}

    void AddSet(StripSet set) { m_sets.push_back(std::move(set)); }
    const std::vector<StripSet>& GetSets() const { return m_sets; }
    int GetRowHeight() const { return m_rowHeight; }

    // The pixel rows of set `index`'s strip in a plot area: its top edge is
    // a solid line, below it the hatch.
    wxRect RowRect(const wxRect& area, size_t index) const;
    void Draw(wxDC& dc, const LayerView& view) override;

private:
    void DrawRow(wxDC& dc, const wxRect& row, const std::vector<bool>& marked) const;

    int m_rowHeight;
    std::vector<StripSet> m_sets;
};

} // namespace chart
