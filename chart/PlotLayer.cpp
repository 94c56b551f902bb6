#include "chart/PlotLayer.h"

namespace chart {

XYBounds PlotLayer::GetBoundsWithin(double, double, double, double) const
{
    return {};
}

XYBounds PlotLayer::GetExtentWithin(size_t, double, double) const
{
    return {};
}

bool PlotLayer::NearestX(double, double&) const
{
    return false;
}

void PlotLayer::Prepare(const LayerView& /*view*/)
{
}

} // namespace chart
