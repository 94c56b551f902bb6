#include "chart/XYSimpleDataset.h"

#include "chart/XYLineRenderer.h"

#include <wx/debug.h>

#include <algorithm>
#include <cmath>
#include <limits>

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

XYSerie::XYSerie(const double* interleavedXY, size_t count)
{
    wxCHECK_RET(interleavedXY || count == 0, "XYSerie: no points given for a non-zero count");
    if (count == 0)
        return;
    m_xy.reset(new double[2 * count]);
    m_count = count;

    // Copied and measured in one pass, block by block: axes ask for the
    // bounds on every draw, drawing uses the block summaries.
    const double inf = std::numeric_limits<double>::infinity();
    m_blocks.resize((count + kBlockSize - 1) / kBlockSize);
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        const size_t begin = b * kBlockSize, end = std::min(count, begin + kBlockSize);
        double minX = inf, maxX = -inf, minY = inf, maxY = -inf;
        size_t minYIndex = begin, maxYIndex = begin;
        for (size_t i = begin; i < end; ++i) {
            const double x = interleavedXY[2 * i], y = interleavedXY[2 * i + 1];
            m_xy[2 * i] = x;
            m_xy[2 * i + 1] = y;
            // (x - x) + (y - y) is 0 for finite values, NaN otherwise: points
            // with a NaN or infinity are not part of the bounds.
            if ((x - x) + (y - y) == 0) {
                minX = x < minX ? x : minX;
                maxX = x > maxX ? x : maxX;
                minYIndex = y < minY ? i : minYIndex;
                minY = y < minY ? y : minY;
                maxYIndex = y > maxY ? i : maxYIndex;
                maxY = y > maxY ? y : maxY;
            }
        }
        Block& block = m_blocks[b];
        block.empty = !(minX <= maxX);
        block.minX = minX;
        block.maxX = maxX;
        block.minY = minY;
        block.maxY = maxY;
        block.minYIndex = minYIndex;
        block.maxYIndex = maxYIndex;
        m_bounds.Include(block);
    }
}

XYBounds XYSerie::GetBoundsWithin(bool byY, double lo, double hi) const
{
    XYBounds bounds;
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        const Block& block = m_blocks[b];
        if (block.empty)
            continue;
        const double blockLo = byY ? block.minY : block.minX, blockHi = byY ? block.maxY : block.maxX;
        if (blockLo >= lo && blockHi <= hi) {
            bounds.Include(block); // the whole block is inside: no need to look at its points
            continue;
        }
        if (blockHi < lo || blockLo > hi)
            continue;
        const size_t end = std::min(m_count, (b + 1) * kBlockSize);
        for (size_t i = b * kBlockSize; i < end; ++i) {
            const double x = m_xy[2 * i], y = m_xy[2 * i + 1];
            const double v = byY ? y : x;
            if (!((x - x) + (y - y) == 0) || v < lo || v > hi)
                continue;
            XYBounds point;
            point.empty = false;
            point.minX = point.maxX = x;
            point.minY = point.maxY = y;
            bounds.Include(point);
        }
    }
    return bounds;
}

XYBounds XYSerie::GetBoundsWithin(double xLo, double xHi, double yLo, double yHi) const
{
    XYBounds bounds;
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        const Block& block = m_blocks[b];
        if (block.empty || block.maxX < xLo || block.minX > xHi || block.maxY < yLo || block.minY > yHi)
            continue;
        if (block.minX >= xLo && block.maxX <= xHi && block.minY >= yLo && block.maxY <= yHi) {
            bounds.Include(block);
            continue;
        }
        const size_t end = std::min(m_count, (b + 1) * kBlockSize);
        for (size_t i = b * kBlockSize; i < end; ++i) {
            const double x = m_xy[2 * i], y = m_xy[2 * i + 1];
            if (!((x - x) + (y - y) == 0) || x < xLo || x > xHi || y < yLo || y > yHi)
                continue;
            XYBounds point;
            point.empty = false;
            point.minX = point.maxX = x;
            point.minY = point.maxY = y;
            bounds.Include(point);
        }
    }
    return bounds;
}

double XYSerie::GetX(size_t i) const
{
    wxCHECK_MSG(i < m_count, std::numeric_limits<double>::quiet_NaN(), "XYSerie::GetX: index out of range");
    return m_xy[2 * i];
}

double XYSerie::GetY(size_t i) const
{
    wxCHECK_MSG(i < m_count, std::numeric_limits<double>::quiet_NaN(), "XYSerie::GetY: index out of range");
    return m_xy[2 * i + 1];
}

XYSimpleDataset::XYSimpleDataset() = default;
XYSimpleDataset::~XYSimpleDataset() = default;

void XYSimpleDataset::AddSerie(std::unique_ptr<XYSerie> serie)
{
    wxCHECK_RET(serie, "XYSimpleDataset::AddSerie: null series");
    m_series.push_back(std::move(serie));
}

void XYSimpleDataset::AddSerie(const double* interleavedXY, size_t count)
{
    m_series.push_back(std::make_unique<XYSerie>(interleavedXY, count));
}

const XYSerie* XYSimpleDataset::GetSerie(size_t i) const
{
    wxCHECK_MSG(i < m_series.size(), nullptr, "XYSimpleDataset::GetSerie: index out of range");
    return m_series[i].get();
}

void XYSimpleDataset::SetRenderer(std::unique_ptr<XYLineRenderer> renderer)
{
    m_renderer = std::move(renderer);
}

XYBounds XYSimpleDataset::GetBounds() const
{
    XYBounds bounds;
    for (const auto& serie : m_series)
        bounds.Include(serie->GetBounds());
    return bounds;
}

XYBounds XYSimpleDataset::GetBoundsWithin(bool byY, double lo, double hi) const
{
    XYBounds bounds;
    for (const auto& serie : m_series)
        bounds.Include(serie->GetBoundsWithin(byY, lo, hi));
    return bounds;
}

XYBounds XYSimpleDataset::GetBoundsWithin(double xLo, double xHi, double yLo, double yHi) const
{
    XYBounds bounds;
    for (const auto& serie : m_series)
        bounds.Include(serie->GetBoundsWithin(xLo, xHi, yLo, yHi));
    return bounds;
}
