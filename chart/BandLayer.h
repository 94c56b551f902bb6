// A layer of bands: over a stretch of x, a light fill from lo to hi with a
// dashed line at a middle value, in a colour, against a vertical axis. The
// bands of every set are filled first and their edges and middle lines
// drawn after, so that a band overlapping another still shows where it
// ends. An axis shows its bands in view whole.
#pragma once

#include "chart/PlotLayer.h"

#include <wx/colour.h>

#include <vector>

namespace chart {

struct Band {
    double xFrom = 0, xTo = 0;
    double middle = 0, lo = 0, hi = 0;
};

struct BandSet {
    size_t axis = 0; // the index of the vertical axis the bands are drawn against
    wxColour colour;
    std::vector<Band> bands;
};

class BandLayer : public PlotLayer {
public:
    void AddSet(BandSet set) { m_sets.push_back(std::move(set)); }
    const std::vector<BandSet>& GetSets() const { return m_sets; }

    XYBounds GetExtentWithin(size_t axis, double xLo, double xHi) const override;
    void Draw(wxDC& dc, const LayerView& view) override;

private:
    struct Placed {
        wxRect rect;
        int middleY;
    };
    void Fill(wxDC& dc, const wxColour& colour, const std::vector<Placed>& bands) const;
    static void Stepped(wxDC& dc, const std::vector<Placed>& bands, int (*y)(const Placed&));

    std::vector<BandSet> m_sets;
};

} // namespace chart
