#include "chart/SerieReduction.h"

#include "chart/ValueToPixel.h"
#include "chart/XYSimpleDataset.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace chart {
namespace {

inline bool Finite(double v)
{
    return v - v == 0;
}

// Consecutive points that fall into one pixel column of the plot, or a
// single point beyond its left or right edge: the first, lowest, highest and
// last of them (the first ones of equal values).
struct Stretch {
    int column = 0;
    bool inside = false;
    bool breakBefore = false; // a dropout (a NaN y) lies between it and the stretch before
    size_t first = 0, low = 0, high = 0, last = 0;
    double firstY = 0, lowY = 0, highY = 0, lastY = 0;
};

// Gathers the stretches of a series in the order of its points. Points
// outside the plot's columns are kept only where the line between them and
// their neighbour can cross the plot: next to a point inside, or next to a
// point beyond the other edge.
class Stretches {
public:
    Stretches(int left, int right, std::vector<Stretch>& out) : m_left(left), m_right(right), m_out(out) {}

    void Point(size_t i, int column, double y)
    {
        if (m_open && column == m_current.column) {
            const bool lower = y<m_current.lowY, higher = y> m_current.highY;
            m_current.low = lower ? i : m_current.low;
            m_current.lowY = lower ? y : m_current.lowY;
            m_current.high = higher ? i : m_current.high;
            m_current.highY = higher ? y : m_current.highY;
            m_current.last = i;
            m_current.lastY = y;
            return;
        }
        if (column < m_left || column > m_right)
            Outside(i, y, column < m_left ? -1 : 1);
        else
            Open(column, i, y, i, y, i, y, i, y);
    }

    // Points first .. last, all in one column inside the plot, with no
    // dropout among them.
    void Inside(int column, size_t first, double firstY, size_t low, double lowY, size_t high, double highY,
                size_t last, double lastY)
    {
        if (m_open && column == m_current.column) {
            if (lowY < m_current.lowY) {
                m_current.low = low;
                m_current.lowY = lowY;
            }
            if (highY > m_current.highY) {
                m_current.high = high;
                m_current.highY = highY;
            }
            m_current.last = last;
            m_current.lastY = lastY;
            return;
        }
        Open(column, first, firstY, low, lowY, high, highY, last, lastY);
    }

    // A point beyond the left (side < 0) or right edge; its column is
    // worked out only if it is kept.
    void Outside(size_t i, double y, int side)
    {
        Stretch point;
        point.first = point.low = point.high = point.last = i;
        point.firstY = point.lowY = point.highY = point.lastY = y;
        if (m_open) {
            // The line from inside the plot to this point crosses its edge.
            Push(m_current);
            m_open = false;
            Push(point);
            m_pending = false;
        } else if (m_havePrevious && m_previousSide != side) {
            // From beyond one edge to beyond the other: across the plot.
            if (m_pending)
                Push(m_waiting);
            Push(point);
            m_pending = false;
        } else {
            // After a point beyond the same edge: drawn only if the next
            // point makes it so.
            m_waiting = point;
            m_pending = true;
        }
        m_havePrevious = true;
        m_previousSide = side;
    }

    void Break()
    {
        Finish();
        m_havePrevious = false;
        m_pending = false;
        m_breakNext = true;
    }

    void Finish()
    {
        if (m_open)
            Push(m_current);
        m_open = false;
    }

private:
    void Open(int column, size_t first, double firstY, size_t low, double lowY, size_t high, double highY,
              size_t last, double lastY)
    {
        if (m_open)
            Push(m_current);
        else if (m_pending)
            Push(m_waiting); // the line comes in from beyond the edge
        m_pending = false;
        m_open = true;
        m_havePrevious = true;
        m_current.column = column;
        m_current.inside = true;
        m_current.first = first;
        m_current.low = low;
        m_current.lowY = lowY;
        m_current.high = high;
        m_current.highY = highY;
        m_current.last = last;
        m_current.firstY = firstY;
        m_current.lastY = lastY;
    }

    void Push(Stretch stretch)
    {
        stretch.breakBefore = m_breakNext;
        m_breakNext = false;
        m_out.push_back(stretch);
    }

    const int m_left, m_right;
    std::vector<Stretch>& m_out;
    Stretch m_current; // open while m_open: the last point was inside
    bool m_open = false;
    Stretch m_waiting; // the last point, beyond an edge, not yet kept
    bool m_pending = false;
    bool m_havePrevious = false; // since the last dropout
    int m_previousSide = 0;
    bool m_breakNext = false;
};

// A kept point: its index in the series and its row.
struct Vertex {
    size_t index;
    int row;
};

// A stretch as drawn: its first (F), top (T), bottom (B) and last (L) point.
struct Drawn {
    int column;
    bool inside;
    bool breakBefore;
    Vertex f, t, b, l;
    bool Holds(int row) const { return row >= t.row && row <= b.row; }
};

// Where a stretch's line enters and leaves: 0 its first (entering) or last
// (leaving) point, 1 its top, 2 its bottom.
const Vertex& Entry(const Drawn& d, int which)
{
    return which == 0 ? d.f : which == 1 ? d.t : d.b;
}
const Vertex& Exit(const Drawn& d, int which)
{
    return which == 0 ? d.l : which == 1 ? d.t : d.b;
}

// The points of a stretch's line from its entry to its exit through its top
// and bottom, all in one column: the rows between top and bottom are drawn
// whichever comes first, so the order with fewer points is taken (the order
// of the points on a tie); a point in the row of the one before it adds no
// pixel. Returns the number of points.
int StretchPath(const Drawn& d, int entry, int exit, Vertex out[4])
{
    const Vertex& in = Entry(d, entry);
    const Vertex& out0 = Exit(d, exit);
    Vertex orders[2][4] = {{in, d.t, d.b, out0}, {in, d.b, d.t, out0}};
    int counts[2];
    Vertex paths[2][4];
    for (int o = 0; o < 2; ++o) {
        int n = 0;
        for (const Vertex& v : orders[o])
            if (n == 0 || paths[o][n - 1].row != v.row)
                paths[o][n++] = v;
        counts[o] = n;
    }
    const int temporal = d.t.index <= d.b.index ? 0 : 1;
    const int pick = counts[1 - temporal] < counts[temporal] ? 1 - temporal : temporal;
    std::copy(paths[pick], paths[pick] + counts[pick], out);
    return counts[pick];
}

// The number of points StretchPath gives, without making them.
int StretchPathLength(const Drawn& d, int entry, int exit)
{
    const int in = Entry(d, entry).row, out = Exit(d, exit).row, top = d.t.row, bottom = d.b.row;
    const int topFirst = 1 + (top != in) + (bottom != top) + (out != bottom);
    const int bottomFirst = 1 + (bottom != in) + (top != bottom) + (out != top);
    return std::min(topFirst, bottomFirst);
}

// Whether the line may leave stretch a at exit and enter the next stretch b
// at entry. The line through every point joins a's last point to b's first.
// Between neighbouring columns a segment draws pixels only in those two
// columns and only in the rows between its ends; when those rows lie within
// both stretches' own rows (drawn anyway) the segment adds no pixel, and
// another such segment may take its place.
bool MayJoin(const Drawn& a, int exit, const Drawn& b, int entry, bool free)
{
    if (exit == 0 && entry == 0)
        return true;
    return free && b.Holds(Exit(a, exit).row) && a.Holds(Entry(b, entry).row);
}

// Draws stretches s .. e - 1 (one run: no dropout among them) with as few
// points as draw the same pixels: each stretch's entry and exit are chosen
// (first / top / bottom, last / top / bottom) by the least total number of
// points, the line's start and end being free.
void EmitRun(const std::vector<Drawn>& drawn, size_t s, size_t e, ReducedLine& line)
{
    const int kNone = INT_MAX / 2;
    // choice[3 * k + entry]: how stretch k - 1 is drawn (3 * its entry + its
    // exit) on the cheapest way to enter stretch k at entry.
    std::vector<uint8_t> choice(3 * (e - s), 0);
    int best[3] = {0, 0, 0}; // a run may start at any of the first stretch's entries
    int finalEntry = 0, finalExit = 0;
    Vertex scratch[4];
    for (size_t k = s; k < e; ++k) {
        const Drawn& d = drawn[k];
        int cost[3][3];
        for (int in = 0; in < 3; ++in)
            for (int out = 0; out < 3; ++out)
                cost[in][out] = best[in] >= kNone ? kNone : best[in] + StretchPathLength(d, in, out);
        if (k + 1 == e) {
            int least = kNone;
            for (int in = 0; in < 3; ++in)
                for (int out = 0; out < 3; ++out)
                    if (cost[in][out] < least) {
                        least = cost[in][out];
                        finalEntry = in;
                        finalExit = out;
                    }
            break;
        }
        const Drawn& next = drawn[k + 1];
        const bool free = d.inside && next.inside && std::abs(next.column - d.column) == 1 &&
                          d.Holds(next.f.row) && next.Holds(d.l.row);
        int nextBest[3] = {kNone, kNone, kNone};
        for (int nextIn = 0; nextIn < 3; ++nextIn) {
            for (int in = 0; in < 3; ++in) {
                for (int out = 0; out < 3; ++out) {
                    if (cost[in][out] < nextBest[nextIn] && MayJoin(d, out, next, nextIn, free)) {
                        nextBest[nextIn] = cost[in][out];
                        choice[3 * (k + 1 - s) + static_cast<size_t>(nextIn)] =
                            static_cast<uint8_t>(3 * in + out);
                    }
                }
            }
        }
        std::copy(nextBest, nextBest + 3, best);
    }

    // Back from the last stretch: how each one is entered and left.
    std::vector<uint8_t> way(e - s);
    int entry = finalEntry;
    way[e - 1 - s] = static_cast<uint8_t>(3 * finalEntry + finalExit);
    for (size_t k = e - 1; k > s; --k) {
        const uint8_t before = choice[3 * (k - s) + static_cast<size_t>(entry)];
        way[k - 1 - s] = before;
        entry = before / 3;
    }

    line.runStarts.push_back(line.points.size());
    for (size_t k = s; k < e; ++k) {
        const Drawn& d = drawn[k];
        const int n = StretchPath(d, way[k - s] / 3, way[k - s] % 3, scratch);
        for (int v = 0; v < n; ++v) {
            const wxPoint point(d.column, scratch[v].row);
            if (line.points.size() > line.runStarts.back() && line.points.back() == point)
                continue;
            line.points.push_back(point);
            line.source.push_back(scratch[v].index);
        }
    }
}

// One reduction of a series: gathers the stretches of its points block by
// block (from the blocks' summaries where a block falls into one column),
// then places them in rows and emits the polyline.
class Reducer {
public:
    Reducer(const XYSerie& serie, double xLo, double xHi, int left, int width, double yLo, double yHi,
            int bottom, int height)
        : m_serie(serie), m_column(*serie.GetXColumn()), m_columnBlocks(m_column.GetBlocks()),
          m_blocks(serie.GetBlocks()), m_xs(serie.GetXValues()), m_ys(serie.GetYValues()),
          m_toX(xLo, xHi, left, width, 1), m_toY(yLo, yHi, bottom, height, -1), m_left(left),
          // The columns just beyond the plot's edges are taken as its own:
          // the line's strokes there can touch the edge columns.
          m_keepLeft(left - 1), m_keepRight(left + std::max(width, 1)),
          // A value beyond the y range (one no axis takes its range from,
          // say) is put one row past the plot's edge: the line runs off the
          // edge in that value's own column, where a far-off point would
          // make it run off in its neighbours' columns.
          m_rowAbove(bottom - std::max(height, 1)), m_rowBelow(bottom + 1),
          m_gather(m_keepLeft, m_keepRight, m_stretches)
    {
        m_stretches.reserve(static_cast<size_t>(std::max(width, 1)) + 8);
    }

    ReducedLine Reduce()
    {
        Gather();
        return Emit();
    }

private:
    static constexpr size_t kAhead = 4;

    // The column of x is its offset + 0.5 truncated; offsets in [0, limit)
    // take the fast way, anything else (outside the plot, out of int range)
    // is clamped by ValueToPixel. Either way the column never decreases as
    // x grows, so the points of a block whose lowest and highest x share a
    // column all lie in that column.
    int ColumnOf(double x) const
    {
        const double offset = (x * 0.5 - m_toX.halfLo) * m_toX.scale + 0.5;
        return offset >= 0 && offset < 1e6 ? m_left + static_cast<int>(offset) : m_toX.Pixel(x);
    }
    int RowOf(double y) const { return std::clamp(m_toY.Pixel(y), m_rowAbove, m_rowBelow); }

    void Scan(size_t begin, size_t end)
    {
        for (size_t i = begin; i < end; ++i) {
            const double x = m_xs[i];
            if (!Finite(x))
                continue; // no place on the time axis: left out
            const double y = m_ys[i];
            if (y != y) {
                m_gather.Break(); // a dropout: the line is broken here
                continue;
            }
            if (!Finite(y))
                continue;
            m_gather.Point(i, ColumnOf(x), y);
        }
    }

    // x values in order (times, as a rule): the blocks before the view are
    // found by bisection, from the last one whose values lie left of it.
    size_t StartBlock() const
    {
        size_t lo = 0, hi = m_blocks.size();
        while (lo < hi) {
            const size_t mid = lo + (hi - lo) / 2;
            if (ColumnOf(m_columnBlocks[mid].maxX) < m_keepLeft)
                lo = mid + 1;
            else
                hi = mid;
        }
        // The point the line comes in from: in the nearest block before
        // with a finite point or a dropout.
        size_t start = lo;
        while (start > 0) {
            --start;
            if (!m_blocks[start].empty || m_blocks[start].hasNaN)
                break;
        }
        return start;
    }

    // A block whose points cross a column's edge is read point by point (or
    // part by part); those points are rarely in the cache (the blocks
    // between are taken from their summaries), so they are asked for a
    // little ahead of time. Each block's columns are worked out once, when
    // it is looked ahead at.
    void LookAhead(size_t b)
    {
        if (b >= m_blocks.size())
            return;
        const int low = ColumnOf(m_columnBlocks[b].minX), high = ColumnOf(m_columnBlocks[b].maxX);
        m_lowColumns[b % (2 * kAhead)] = low;
        m_highColumns[b % (2 * kAhead)] = high;
        if (low == high || high < m_keepLeft || low > m_keepRight)
            return;
        const size_t begin = XColumn::BlockBegin(b), end = m_column.BlockEnd(b);
        for (size_t i = begin; i < end; i += 8) {
            __builtin_prefetch(m_xs + i);
            __builtin_prefetch(m_ys + i);
        }
        __builtin_prefetch(m_xs + end - 1);
        __builtin_prefetch(m_ys + end - 1);
    }

    // The walk over the blocks ends at the first block of ordered x whose
    // points all lie right of the view.
    void Gather()
    {
        const bool ordered = m_column.IsOrdered();
        const size_t startBlock = ordered ? StartBlock() : 0;
        for (size_t b = startBlock; b < startBlock + kAhead; ++b)
            LookAhead(b);
        bool lastNeeded = false;
        for (size_t b = startBlock; b < m_blocks.size() && !lastNeeded; ++b) {
            LookAhead(b + kAhead);
            const XYSerie::Block& block = m_blocks[b];
            // Wholly right of the view: the points after this block's
            // cannot be drawn.
            lastNeeded =
                ordered && (!block.empty || block.hasNaN) && m_lowColumns[b % (2 * kAhead)] > m_keepRight;
            GatherBlock(b);
        }
        m_gather.Finish();
    }

    void GatherBlock(size_t b)
    {
        const XYSerie::Block& block = m_blocks[b];
        const size_t begin = XColumn::BlockBegin(b), end = m_column.BlockEnd(b);
        const int lowColumn = m_lowColumns[b % (2 * kAhead)], highColumn = m_highColumns[b % (2 * kAhead)];
        if (block.hasNaN) {
            Scan(begin, end);
            return;
        }
        if (block.empty)
            return;
        const size_t first = begin + block.firstOffset, last = begin + block.lastOffset;
        if (highColumn < m_keepLeft || lowColumn > m_keepRight) {
            // Wholly beyond one edge: only its first and last point can be
            // next to a point that is not.
            const int side = highColumn < m_keepLeft ? -1 : 1;
            m_gather.Outside(first, block.firstY, side);
            if (last != first)
                m_gather.Outside(last, block.lastY, side);
            return;
        }
        if (lowColumn == highColumn) {
            m_gather.Inside(lowColumn, first, block.firstY, begin + block.minOffset, block.minY,
                            begin + block.maxOffset, block.maxY, last, block.lastY);
            return;
        }
        // Ordered x crossing a few column edges: part by part, each part
        // that lies in one column at once.
        if (m_columnBlocks[b].ordered && block.yFinite && highColumn - lowColumn <= 2) {
            GatherParts(b, begin, end);
            return;
        }
        Scan(begin, end);
    }

    void GatherParts(size_t b, size_t begin, size_t end)
    {
        for (size_t p = 0; p * XYSerie::kPartSize < end - begin; ++p) {
            const size_t partBegin = begin + p * XYSerie::kPartSize;
            const size_t partEnd = std::min(end, partBegin + XYSerie::kPartSize);
            const int c = ColumnOf(m_xs[partBegin]);
            if (c == ColumnOf(m_xs[partEnd - 1]) && c >= m_keepLeft && c <= m_keepRight) {
                const uint8_t* minMax = m_serie.PartMinMax(b, p);
                const size_t low = begin + minMax[0], high = begin + minMax[1];
                m_gather.Inside(c, partBegin, m_ys[partBegin], low, m_ys[low], high, m_ys[high], partEnd - 1,
                                m_ys[partEnd - 1]);
            } else {
                Scan(partBegin, partEnd);
            }
        }
    }

    ReducedLine Emit() const
    {
        std::vector<Drawn> drawn;
        drawn.reserve(m_stretches.size());
        for (const Stretch& s : m_stretches) {
            Drawn d;
            d.column = s.inside ? s.column : ColumnOf(m_xs[s.first]);
            d.inside = s.inside;
            d.breakBefore = s.breakBefore;
            d.f = {s.first, RowOf(s.firstY)};
            d.t = {s.high, RowOf(s.highY)};
            d.b = {s.low, RowOf(s.lowY)};
            d.l = {s.last, RowOf(s.lastY)};
            drawn.push_back(d);
        }
        ReducedLine line;
        line.points.reserve(3 * drawn.size());
        line.source.reserve(3 * drawn.size());
        for (size_t s = 0; s < drawn.size();) {
            size_t e = s + 1;
            while (e < drawn.size() && !drawn[e].breakBefore)
                ++e;
            EmitRun(drawn, s, e, line);
            s = e;
        }
        return line;
    }

    const XYSerie& m_serie;
    const XColumn& m_column;
    const std::vector<XColumn::Block>& m_columnBlocks;
    const std::vector<XYSerie::Block>& m_blocks;
    const double* m_xs;
    const double* m_ys;
    const ValueToPixel m_toX, m_toY;
    const int m_left, m_keepLeft, m_keepRight, m_rowAbove, m_rowBelow;
    std::vector<Stretch> m_stretches;
    Stretches m_gather;
    int m_lowColumns[2 * kAhead] = {};
    int m_highColumns[2 * kAhead] = {};
};

} // namespace

ReducedLine ReduceSerie(const XYSerie& serie, double xLo, double xHi, int left, int width, double yLo,
                        double yHi, int bottom, int height)
{
    return Reducer(serie, xLo, xHi, left, width, yLo, yHi, bottom, height).Reduce();
}

} // namespace chart
