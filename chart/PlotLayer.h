// What an XYPlot draws: an ordered list of layers over the plot's one x
// scale, each drawn against the vertical axis it is linked to. A layer
// answers the bounds of its points (for fitting the axes) and draws itself
// through the plot's value-to-pixel mapping; a layer that has points may
// also say which of them lies nearest to an x, for a readout.
#pragma once

#include "chart/ValueToPixel.h"
#include "chart/ViewRange.h"
#include "chart/XYBounds.h"

#include <wx/dc.h>
#include <wx/gdicmn.h>

#include <atomic>
#include <cstddef>
#include <vector>

namespace chart {

// Where and at which ranges one draw of the plot puts its layers.
struct LayerView {
    wxRect area;                               // the plot area (inside the axes)
    Range x;                                   // the x range shown
    Range y;                                   // the y range of the layer's own vertical axis
    std::vector<Range> yAxes;                  // the y range of every vertical axis, by index
    std::atomic<size_t>* reductions = nullptr; // counts the series reduced for this draw

    ValueToPixel ToX() const { return ValueToPixel(x.lo, x.hi, area.x, area.width, 1); }
    ValueToPixel ToY() const { return ToY(y); }
    ValueToPixel ToY(const Range& range) const
    {
        return ValueToPixel(range.lo, range.hi, area.y + area.height - 1, area.height, -1);
    }
};

class PlotLayer {
public:
    PlotLayer() = default;
    virtual ~PlotLayer() = default;
    PlotLayer(const PlotLayer&) = delete;
    PlotLayer& operator=(const PlotLayer&) = delete;

    // The finite bounds of the layer's points; empty for a layer without any.
    virtual XYBounds GetBounds() const { return {}; }
    // The bounds of the finite points with x in [xLo, xHi] and y in
    // [yLo, yHi]; an infinite limit leaves that side open.
    virtual XYBounds GetBoundsWithin(double xLo, double xHi, double yLo, double yHi) const;
    // What the layer wants shown whole on vertical axis `axis` while x in
    // [xLo, xHi] is in view, once that axis shows any points at all (a band,
    // say). Empty by default.
    virtual XYBounds GetExtentWithin(size_t axis, double xLo, double xHi) const;
    // The work of a draw that needs no DC (a series reduced to its pixels,
    // say), done before the plot draws any layer. The plot may run several
    // layers' Prepare side by side, each on a thread of its own; a layer
    // whose state other layers share guards it. Nothing by default.
    virtual void Prepare(const LayerView& view);
    // Draws the layer, clipped to view.area by the plot.
    virtual void Draw(wxDC& dc, const LayerView& view) = 0;
    // The x of the point nearest to x; false when the layer has none.
    virtual bool NearestX(double x, double& nearest) const;
};

} // namespace chart
