#include "chart/SerieReduction.h"

#include "chart/XYPlot.h"
#include "chart/XYSimpleDataset.h"

#include <algorithm>
#include <cmath>

namespace chart {

ReducedLine ReduceSerie(const XYSerie& serie, double xLo, double xHi, int left, int width, double yLo,
                        double yHi, int bottom, int height)
{
    const ValueToPixel toX(xLo, xHi, left, width, 1);
    const ValueToPixel toY(yLo, yHi, bottom, height, -1);

    std::vector<wxPoint> line;
    line.reserve(2 * static_cast<size_t>(std::max(width, 1)) + 4);
    // A value beyond the y range (one no axis takes its range from, say) is
    // put one row past the plot's edge: the line runs off the edge in that
    // value's own column, where a far-off point would make it run off in its
    // neighbours' columns.
    const int rowAbove = bottom - std::max(height, 1), rowBelow = bottom + 1;
    auto push = [&](int x, double y) {
        const wxPoint point(x, std::clamp(toY.Pixel(y), rowAbove, rowBelow));
        if (line.empty() || line.back() != point)
            line.push_back(point);
    };

    // A run is a stretch of consecutive points that fall into one pixel
    // column; it is drawn as its lowest and highest point, in their order.
    // In-order data makes one run per column; data out of order makes more
    // runs, never a wrong one.
    bool runOpen = false;
    int runColumn = 0;
    double runMin = 0, runMax = 0;
    size_t runMinIndex = 0, runMaxIndex = 0;
    auto flushRun = [&]() {
        if (runMinIndex < runMaxIndex) {
            push(runColumn, runMin);
            push(runColumn, runMax);
        } else if (runMaxIndex < runMinIndex) {
            push(runColumn, runMax);
            push(runColumn, runMin);
        } else {
            push(runColumn, runMin);
        }
    };

    // The column of x is its offset + 0.5 truncated; offsets in [0, limit)
    // take the fast way, anything else (outside the plot, out of int range)
    // is clamped by ValueToPixel. Either way the column never decreases as x
    // grows, so a block whose lowest and highest x share a column lies
    // entirely in that column.
    const double halfLo = toX.halfLo, scale = toX.scale;
    const double limit = 1e6;
    auto columnOf = [&](double x) {
        const double offset = (x * 0.5 - halfLo) * scale + 0.5;
        return offset >= 0 && offset < limit ? left + static_cast<int>(offset) : toX.Pixel(x);
    };
    // Adds the lowest and highest point of a stretch that lies in one
    // column; the same as adding its points one by one.
    auto add = [&](int column, double low, size_t lowIndex, double high, size_t highIndex) {
        if (runOpen && column == runColumn) {
            // Written as selects rather than branches: noisy data makes a
            // branch here a coin toss.
            const bool lower = low < runMin;
            const bool higher = high > runMax;
            runMinIndex = lower ? lowIndex : runMinIndex;
            runMin = lower ? low : runMin;
            runMaxIndex = higher ? highIndex : runMaxIndex;
            runMax = higher ? high : runMax;
            return;
        }
        if (runOpen)
            flushRun();
        runOpen = true;
        runColumn = column;
        runMin = low;
        runMinIndex = lowIndex;
        runMax = high;
        runMaxIndex = highIndex;
    };

    const double* data = serie.GetData();
    const size_t count = serie.GetCount();
    const std::vector<XYSerie::Block>& blocks = serie.GetBlocks();
    for (size_t b = 0; b < blocks.size(); ++b) {
        const XYSerie::Block& block = blocks[b];
        if (block.empty)
            continue;
        const int column = columnOf(block.minX);
        if (column == columnOf(block.maxX)) {
            add(column, block.minY, block.minYIndex, block.maxY, block.maxYIndex);
            continue;
        }
        const size_t end = std::min(count, (b + 1) * XYSerie::kBlockSize);
        for (size_t i = b * XYSerie::kBlockSize; i < end; ++i) {
            const double x = data[2 * i], y = data[2 * i + 1];
            // x - x is NaN exactly when x is NaN or infinite: such points are
            // skipped, the line joins across them.
            if (!(x - x == 0) || !(y - y == 0))
                continue;
            add(columnOf(x), y, i, y, i);
        }
    }
    if (runOpen)
        flushRun();
    ReducedLine reduced;
    reduced.points = std::move(line);
    if (!reduced.points.empty())
        reduced.runStarts.push_back(0);
    return reduced;
}

} // namespace chart
