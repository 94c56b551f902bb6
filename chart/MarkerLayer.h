// Thin vertical lines across the whole plot at given x values, each with a
// small label at its top: events on a time axis. Drawn in view at every
// zoom; where many fall into one pixel column the line is drawn once, and a
// label is left out where it would overlap the one before.
#pragma once

#include "chart/PlotLayer.h"

#include <wx/colour.h>
#include <wx/string.h>

#include <memory>
#include <vector>

namespace chart {

struct Marker {
    double x = 0;
    wxString label;
};

class MarkerLayer : public PlotLayer {
public:
    // markers in x order.
    MarkerLayer(std::shared_ptr<const std::vector<Marker>> markers, const wxColour& colour);

    const std::vector<Marker>& GetMarkers() const { return *m_markers; }
    void Draw(wxDC& dc, const LayerView& view) override;

private:
    std::shared_ptr<const std::vector<Marker>> m_markers;
    wxColour m_colour;
};

} // namespace chart
