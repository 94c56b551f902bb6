// A series reduced to the polyline that draws it in a plot area: per pixel
// column the first, lowest, highest and last point in the order they come,
// which draws exactly the pixels a line through every point draws.
#pragma once

#include <wx/gdicmn.h>

#include <cstddef>
#include <vector>

class XYSerie;

namespace chart {

struct ReducedLine {
    std::vector<wxPoint> points;
    // source[i]: the index in the series of the point drawn as points[i].
    std::vector<size_t> source;
    // Polylines: run r is points[runStarts[r]] up to the next run's start
    // (the last run up to points.size()). A point whose y is NaN ends a run:
    // the line is broken at a dropout, not joined across it.
    std::vector<size_t> runStarts;

    size_t RunCount() const { return runStarts.size(); }
    size_t RunBegin(size_t r) const { return runStarts[r]; }
    size_t RunEnd(size_t r) const { return r + 1 < runStarts.size() ? runStarts[r + 1] : points.size(); }
};

// The polyline that draws a series in a plot area whose columns are left ..
// left + width - 1 and rows bottom .. bottom - height + 1, for the axis
// ranges [xLo, xHi] and [yLo, yHi]. Points beyond the x range are left out
// except the nearest one on each side of it, so that the line runs to the
// plot's edge; a y beyond the y range is put one row past the plot's edge.
ReducedLine ReduceSerie(const XYSerie& serie, double xLo, double xHi, int left, int width, double yLo,
                        double yHi, int bottom, int height);

} // namespace chart
