#include "chart/LineGaps.h"

#include "chart/XYSimpleDataset.h"

#include <cmath>
#include <vector>

namespace chart {

void BreakAtXGaps(ReducedLine& line, const XYSerie& serie, double maxStep)
{
    if (!(maxStep > 0) || line.points.size() < 2)
        return;
    const double* x = serie.GetXValues();
    std::vector<size_t> starts;
    starts.reserve(line.runStarts.size());
    size_t next = 0; // the next of the line's own run starts
    for (size_t i = 0; i < line.points.size(); ++i) {
        if (next < line.runStarts.size() && line.runStarts[next] == i) {
            starts.push_back(i);
            ++next;
            continue;
        }
        // Points of one pixel column may be far apart in the series: only
        // neighbours in the series tell a gap (the reduction keeps the last
        // point of a column and the first of the next).
        if (i > 0 && line.source[i] == line.source[i - 1] + 1 &&
            std::fabs(x[line.source[i]] - x[line.source[i - 1]]) > maxStep)
            starts.push_back(i);
    }
    line.runStarts = std::move(starts);
}

} // namespace chart
