#include "chart/XYSimpleDataset.h"

#include "chart/LineGaps.h"
#include "chart/XYLineRenderer.h"

#include <wx/debug.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const double kInf = std::numeric_limits<double>::infinity();

// x - x is 0 for a finite x, NaN for a NaN or an infinity.
inline bool Finite(double v)
{
    return v - v == 0;
}

inline uint8_t Offset(size_t i, size_t begin)
{
    return static_cast<uint8_t>(i - begin);
}

} // namespace

void XYBounds::Include(const XYBounds& other)
{
    if (other.empty)
        return;
    if (empty) {
        *this = other;
        return;
    }
    minX = std::min(minX, other.minX);
    maxX = std::max(maxX, other.maxX);
    minY = std::min(minY, other.minY);
    maxY = std::max(maxY, other.maxY);
}

void XYBounds::Include(double x, double y)
{
    if (empty) {
        empty = false;
        minX = maxX = x;
        minY = maxY = y;
        return;
    }
    minX = x < minX ? x : minX;
    maxX = x > maxX ? x : maxX;
    minY = y < minY ? y : minY;
    maxY = y > maxY ? y : maxY;
}

XColumn::XColumn(std::shared_ptr<const double[]> values, size_t count)
    : m_values(std::move(values)), m_count(count)
{
    wxCHECK_RET(m_values || count == 0, "XColumn: no values given for a non-zero count");
    Summarise();
}

XColumn::XColumn(const double* values, size_t count)
{
    wxCHECK_RET(values || count == 0, "XColumn: no values given for a non-zero count");
    if (count == 0)
        return;
    std::unique_ptr<double[]> copy(new double[count]);
    std::copy(values, values + count, copy.get());
    m_values = std::move(copy);
    m_count = count;
    Summarise();
}

void XColumn::Summarise()
{
    m_blocks.resize((m_count + kBlockSize - 1) / kBlockSize);
    bool any = false;
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        const size_t begin = BlockBegin(b), end = BlockEnd(b);
        double minX = kInf, maxX = -kInf, previous = -kInf;
        size_t first = end, last = begin;
        bool ordered = true;
        for (size_t i = begin; i < end; ++i) {
            const double x = m_values[i];
            if (!Finite(x)) {
                ordered = false;
                continue;
            }
            ordered = ordered && x >= previous;
            previous = x;
            first = std::min(first, i);
            last = i;
            minX = x < minX ? x : minX;
            maxX = x > maxX ? x : maxX;
        }
        Block& block = m_blocks[b];
        block.empty = first == end;
        block.ordered = ordered;
        m_ordered = m_ordered && ordered && !(b > 0 && minX < m_blocks[b - 1].maxX);
        if (block.empty)
            continue;
        block.minX = minX;
        block.maxX = maxX;
        block.firstOffset = Offset(first, begin);
        block.lastOffset = Offset(last, begin);
        m_minX = any ? std::min(m_minX, minX) : minX;
        m_maxX = any ? std::max(m_maxX, maxX) : maxX;
        any = true;
    }
}

// The blocks' ranges bound the distance from x to any of their values from
// below; only blocks whose bound is no more than the nearest distance found
// so far can hold a nearer (or an equally near, earlier) value. The block
// with the least bound is looked at first, so that for values in order (or
// nearly) only it and its neighbours are read.
size_t XColumn::NearestIndex(double x) const
{
    if (x != x)
        return npos;
    // Beyond every value the nearest is the largest or the smallest one
    // (taken as such: a far-off x would make their distances equal in
    // doubles). When there is none, no block is looked at.
    x = std::clamp(x, m_minX, m_maxX);
    size_t start = npos;
    double startBound = kInf;
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        const Block& block = m_blocks[b];
        if (block.empty)
            continue;
        const double bound = x < block.minX ? block.minX - x : x > block.maxX ? x - block.maxX : 0;
        if (start == npos || bound < startBound) {
            start = b;
            startBound = bound;
        }
    }
    if (start == npos)
        return npos;

    size_t best = npos;
    double bestDistance = kInf;
    auto scan = [&](size_t b) {
        for (size_t i = BlockBegin(b), end = BlockEnd(b); i < end; ++i) {
            const double distance = std::abs(m_values[i] - x);
            // NaN and infinite values give a NaN or infinite distance: never
            // nearer than a finite one.
            if (distance < bestDistance || (distance == bestDistance && i < best && Finite(m_values[i]))) {
                best = i;
                bestDistance = distance;
            }
        }
    };
    scan(start);
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        const Block& block = m_blocks[b];
        if (block.empty || b == start)
            continue;
        const double bound = x < block.minX ? block.minX - x : x > block.maxX ? x - block.maxX : 0;
        if (bound <= bestDistance)
            scan(b);
    }
    return best;
}

XYSerie::XYSerie(const double* interleavedXY, size_t count)
{
    wxCHECK_RET(interleavedXY || count == 0, "XYSerie: no points given for a non-zero count");
    std::unique_ptr<double[]> x(count ? new double[count] : nullptr);
    std::unique_ptr<double[]> y(count ? new double[count] : nullptr);
    for (size_t i = 0; i < count; ++i) {
        x[i] = interleavedXY[2 * i];
        y[i] = interleavedXY[2 * i + 1];
    }
    m_y = std::move(y);
    m_x = std::make_shared<const XColumn>(std::move(x), count);
    m_count = count;
    Summarise();
}

XYSerie::XYSerie(std::shared_ptr<const XColumn> x, std::shared_ptr<const double[]> y)
    : m_x(std::move(x)), m_y(std::move(y))
{
    if (!m_x)
        m_x = std::make_shared<const XColumn>(nullptr, 0);
    m_count = m_x->GetCount();
    if (!m_y && m_count) {
        wxFAIL_MSG("XYSerie: no y values given for a non-empty column");
        m_x = std::make_shared<const XColumn>(nullptr, 0);
        m_count = 0;
    }
    Summarise();
}

// Measured once, block by block: axes ask for the bounds on every draw,
// drawing uses the block summaries.
void XYSerie::Summarise()
{
    AllocateSummary();
    m_bounds = SummariseBlocks(0, m_blocks.size());
}

XYSerie::XYSerie(std::shared_ptr<const XColumn> x, std::shared_ptr<const double[]> y, Unsummarised)
    : m_x(std::move(x)), m_y(std::move(y))
{
    wxCHECK_RET(m_x && (m_y || m_x->GetCount() == 0), "XYSerie: no column or no y values given");
    m_count = m_x->GetCount();
    AllocateSummary();
}

void XYSerie::AllocateSummary()
{
    m_blocks.assign(m_x->GetBlocks().size(), Block());
    m_parts.assign(2 * kPartsPerBlock * m_blocks.size(), 0);
}

XYBounds XYSerie::SummariseBlocks(size_t firstBlock, size_t endBlock)
{
    XYBounds bounds;
    endBlock = std::min(endBlock, m_blocks.size());
    for (size_t b = firstBlock; b < endBlock; ++b)
        bounds.Include(SummariseBlock(b));
    return bounds;
}

// What a block's scan has found so far: its finite points' lowest and
// highest y and where they are, its first and last finite point, their x
// extent.
struct XYSerie::BlockScan {
    double minY = kInf, maxY = -kInf;
    size_t minIndex, maxIndex, first, last;
    double minX = kInf, maxX = -kInf;
    BlockScan(size_t begin, size_t end) : minIndex(begin), maxIndex(begin), first(end), last(begin) {}
};

namespace {

// The same for one part, folded into the block's scan; minMax gets the
// offsets of the part's lowest and highest y.
struct PartScan {
    double min = kInf, max = -kInf;
    size_t minIndex, maxIndex;
    explicit PartScan(size_t begin) : minIndex(begin), maxIndex(begin) {}
    inline void Take(double y, size_t i)
    {
        minIndex = y < min ? i : minIndex;
        min = y < min ? y : min;
        maxIndex = y > max ? i : maxIndex;
        max = y > max ? y : max;
    }
};

} // namespace

XYBounds XYSerie::SummariseBlock(size_t b)
{
    const double* xs = m_x->GetValues();
    const double* ys = m_y.get();
    const bool ordered = m_x->GetBlocks()[b].ordered;
    const size_t begin = XColumn::BlockBegin(b), end = m_x->BlockEnd(b);
    Block& block = m_blocks[b];
    BlockScan scan(begin, end);
    for (size_t part = 0; part * kPartSize < end - begin; ++part) {
        const size_t partBegin = begin + part * kPartSize, partEnd = std::min(end, partBegin + kPartSize);
        PartScan p(partBegin);
        // The common case, a part of finite x and y values, without
        // a branch per point.
        double finite = 0;
        for (size_t i = partBegin; i < partEnd; ++i)
            finite += ys[i] - ys[i];
        if (ordered && finite == 0) {
            for (size_t i = partBegin; i < partEnd; ++i)
                p.Take(ys[i], i);
            scan.first = std::min(scan.first, partBegin);
            scan.last = partEnd - 1;
            scan.minX = std::min(scan.minX, xs[partBegin]);
            scan.maxX = std::max(scan.maxX, xs[partEnd - 1]);
        } else {
            for (size_t i = partBegin; i < partEnd; ++i) {
                const double x = xs[i], y = ys[i];
                if (!Finite(x))
                    continue;
                if (!Finite(y)) {
                    block.yFinite = false;
                    block.hasNaN = block.hasNaN || y != y;
                    continue;
                }
                scan.first = std::min(scan.first, i);
                scan.last = i;
                scan.minX = x < scan.minX ? x : scan.minX;
                scan.maxX = x > scan.maxX ? x : scan.maxX;
                p.Take(y, i);
            }
        }
        uint8_t* minMax = &m_parts[2 * (b * kPartsPerBlock + part)];
        minMax[0] = Offset(p.minIndex, begin);
        minMax[1] = Offset(p.maxIndex, begin);
        scan.minIndex = p.min < scan.minY ? p.minIndex : scan.minIndex;
        scan.minY = p.min < scan.minY ? p.min : scan.minY;
        scan.maxIndex = p.max > scan.maxY ? p.maxIndex : scan.maxIndex;
        scan.maxY = p.max > scan.maxY ? p.max : scan.maxY;
    }
    return SealBlock(b, scan);
}

XYBounds XYSerie::SealBlock(size_t b, const BlockScan& scan)
{
    const size_t begin = XColumn::BlockBegin(b), end = m_x->BlockEnd(b);
    Block& block = m_blocks[b];
    XYBounds bounds;
    block.empty = scan.first == end;
    if (block.empty)
        return bounds;
    block.minY = scan.minY;
    block.maxY = scan.maxY;
    block.minOffset = Offset(scan.minIndex, begin);
    block.maxOffset = Offset(scan.maxIndex, begin);
    block.firstOffset = Offset(scan.first, begin);
    block.lastOffset = Offset(scan.last, begin);
    block.firstY = m_y[scan.first];
    block.lastY = m_y[scan.last];
    bounds.empty = false;
    bounds.minX = scan.minX;
    bounds.maxX = scan.maxX;
    bounds.minY = scan.minY;
    bounds.maxY = scan.maxY;
    return bounds;
}

XYBounds XYSerie::GetBoundsWithin(bool byY, double lo, double hi) const
{
    return byY ? GetBoundsWithin(-kInf, kInf, lo, hi) : GetBoundsWithin(lo, hi, -kInf, kInf);
}

XYBounds XYSerie::GetBoundsWithin(double xLo, double xHi, double yLo, double yHi) const
{
    XYBounds bounds;
    const double* xs = m_x->GetValues();
    const std::vector<XColumn::Block>& columnBlocks = m_x->GetBlocks();
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        const Block& block = m_blocks[b];
        const XColumn::Block& column = columnBlocks[b];
        if (block.empty || column.maxX < xLo || column.minX > xHi || block.maxY < yLo || block.minY > yHi)
            continue;
        // Wholly inside: no need to look at its points. The column's x range
        // is the series' one where every point with a finite x has a finite y.
        if (block.yFinite && column.minX >= xLo && column.maxX <= xHi && block.minY >= yLo &&
            block.maxY <= yHi) {
            XYBounds whole;
            whole.empty = false;
            whole.minX = column.minX;
            whole.maxX = column.maxX;
            whole.minY = block.minY;
            whole.maxY = block.maxY;
            bounds.Include(whole);
            continue;
        }
        for (size_t i = XColumn::BlockBegin(b), end = m_x->BlockEnd(b); i < end; ++i) {
            const double x = xs[i], y = m_y[i];
            // Written so that NaN (a value, or a limit) is never inside.
            if (x >= xLo && x <= xHi && y >= yLo && y <= yHi && Finite(x) && Finite(y))
                bounds.Include(x, y);
        }
    }
    return bounds;
}

double XYSerie::GetX(size_t i) const
{
    wxCHECK_MSG(i < m_count, std::numeric_limits<double>::quiet_NaN(), "XYSerie::GetX: index out of range");
    return m_x->GetValues()[i];
}

double XYSerie::GetY(size_t i) const
{
    wxCHECK_MSG(i < m_count, std::numeric_limits<double>::quiet_NaN(), "XYSerie::GetY: index out of range");
    return m_y[i];
}

XYSimpleDataset::XYSimpleDataset() : m_lines(std::make_shared<Lines>())
{
}
XYSimpleDataset::~XYSimpleDataset() = default;

void XYSimpleDataset::AddSerie(std::unique_ptr<XYSerie> serie)
{
    wxCHECK_RET(serie, "XYSimpleDataset::AddSerie: null series");
    m_lines->series.push_back(std::move(serie));
}

void XYSimpleDataset::AddSerie(std::shared_ptr<const XYSerie> serie)
{
    wxCHECK_RET(serie, "XYSimpleDataset::AddSerie: null series");
    m_lines->series.push_back(std::move(serie));
}

void XYSimpleDataset::AddSerie(const double* interleavedXY, size_t count)
{
    m_lines->series.push_back(std::make_unique<XYSerie>(interleavedXY, count));
}

const XYSerie* XYSimpleDataset::GetSerie(size_t i) const
{
    wxCHECK_MSG(i < m_lines->series.size(), nullptr, "XYSimpleDataset::GetSerie: index out of range");
    return m_lines->series[i].get();
}

std::shared_ptr<XYSimpleDataset> XYSimpleDataset::Restyled(std::unique_ptr<XYLineRenderer> renderer) const
{
    auto restyled = std::make_shared<XYSimpleDataset>();
    restyled->m_lines = m_lines;
    restyled->m_renderer = std::move(renderer);
    return restyled;
}

void XYSimpleDataset::SetRenderer(std::unique_ptr<XYLineRenderer> renderer)
{
    m_renderer = std::move(renderer);
}

XYBounds XYSimpleDataset::GetBounds() const
{
    XYBounds bounds;
    for (const auto& serie : m_lines->series)
        bounds.Include(serie->GetBounds());
    return bounds;
}

XYBounds XYSimpleDataset::GetBoundsWithin(bool byY, double lo, double hi) const
{
    XYBounds bounds;
    for (const auto& serie : m_lines->series)
        bounds.Include(serie->GetBoundsWithin(byY, lo, hi));
    return bounds;
}

XYBounds XYSimpleDataset::GetBoundsWithin(double xLo, double xHi, double yLo, double yHi) const
{
    XYBounds bounds;
    for (const auto& serie : m_lines->series)
        bounds.Include(serie->GetBoundsWithin(xLo, xHi, yLo, yHi));
    return bounds;
}

void XYSimpleDataset::Prepare(const chart::LayerView& view)
{
    const XYLineRenderer fallback;
    const XYLineRenderer& drawer = m_renderer ? *m_renderer : fallback;
    if ((!drawer.GetDrawLines() && !drawer.GetDrawSymbols()) || GetBounds().empty)
        return;
    for (size_t s = 0; s < m_lines->series.size(); ++s)
        Reduced(s, view);
}

void XYSimpleDataset::Draw(wxDC& dc, const chart::LayerView& view)
{
    const XYLineRenderer fallback;
    const XYLineRenderer& drawer = m_renderer ? *m_renderer : fallback;
    if ((!drawer.GetDrawLines() && !drawer.GetDrawSymbols()) || GetBounds().empty)
        return;
    for (size_t s = 0; s < m_lines->series.size(); ++s)
        drawer.Draw(dc, s, Reduced(s, view), !m_renderer, view.area.x - 1, view.area.GetRight() + 1);
}

// Reducing a million points takes milliseconds; redrawing the same plot at
// the same size (a repaint, an export) reuses the result. A series never
// changes once made and the layer holds it, so the plot area and the
// ranges identify the result. The result stays as it is until the next
// reduction of the series (a plot prepares all its layers before it draws
// any).
const chart::ReducedLine& XYSimpleDataset::Reduced(size_t serie, const chart::LayerView& view)
{
    const std::lock_guard<std::mutex> hold(m_lines->guard);
    std::vector<Reduction>& all = m_lines->reduced;
    if (all.size() < m_lines->series.size())
        all.resize(m_lines->series.size());
    Reduction& reduced = all[serie];
    if (reduced.made && reduced.area == view.area && reduced.x == view.x && reduced.y == view.y)
        return reduced.line;
    const wxRect& area = view.area;
    reduced.line = chart::ReduceSerie(*m_lines->series[serie], view.x.lo, view.x.hi, area.x, area.width,
                                      view.y.lo, view.y.hi, area.y + area.height - 1, area.height);
    chart::BreakAtXGaps(reduced.line, *m_lines->series[serie], m_lines->maxXStep);
    reduced.made = true;
    reduced.area = area;
    reduced.x = view.x;
    reduced.y = view.y;
    if (view.reductions)
        ++*view.reductions;
    return reduced.line;
}

void XYSimpleDataset::SetMaxXStep(double step)
{
    if (step == m_lines->maxXStep)
        return;
    m_lines->maxXStep = step;
    for (Reduction& reduced : m_lines->reduced)
        reduced.made = false;
}

bool XYSimpleDataset::NearestX(double x, double& nearest) const
{
    bool found = false;
    for (const auto& serie : m_lines->series) {
        const size_t i = serie->GetXColumn()->NearestIndex(x);
        if (i == XColumn::npos)
            continue;
        const double candidate = serie->GetXValues()[i];
        if (!found || std::fabs(candidate - x) < std::fabs(nearest - x))
            nearest = candidate;
        found = true;
    }
    return found;
}
