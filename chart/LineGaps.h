// Lines broken where their x values leave a gap: a stretch without points
// longer than a given step is drawn as nothing, never as a straight line
// across it.
#pragma once

#include "chart/SerieReduction.h"

class XYSerie;

namespace chart {

// Starts a new run of line at every point of line whose point before it is
// the series' point before it and lies more than maxStep to its left (or
// right: a series out of order). maxStep <= 0 or NaN breaks nothing.
void BreakAtXGaps(ReducedLine& line, const XYSerie& serie, double maxStep);

} // namespace chart
