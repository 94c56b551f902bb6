#include "chart/XYSimpleDataset.h"

#include "chart/XYLineRenderer.h"

#include <wx/debug.h>

#include <algorithm>
#include <cmath>
#include <cstring>
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
    std::memcpy(m_xy.get(), interleavedXY, 2 * count * sizeof(double));
    m_count = count;

    // Bounds of the finite points, found once: axes ask for them on every draw.
    double minX = std::numeric_limits<double>::infinity(), maxX = -minX;
    double minY = minX, maxY = -minX;
    bool any = false;
    const double* p = m_xy.get();
    for (size_t i = 0; i < count; ++i, p += 2) {
        const double x = p[0], y = p[1];
        if (!std::isfinite(x) || !std::isfinite(y))
            continue;
        any = true;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    if (any) {
        m_bounds.empty = false;
        m_bounds.minX = minX;
        m_bounds.maxX = maxX;
        m_bounds.minY = minY;
        m_bounds.maxY = maxY;
    }
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

void XYSimpleDataset::AddSerie(XYSerie* serie)
{
    wxCHECK_RET(serie, "XYSimpleDataset::AddSerie: null series");
    m_series.emplace_back(serie);
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

void XYSimpleDataset::SetRenderer(XYLineRenderer* renderer)
{
    m_renderer.reset(renderer);
}

XYBounds XYSimpleDataset::GetBounds() const
{
    XYBounds bounds;
    for (const auto& serie : m_series)
        bounds.Include(serie->GetBounds());
    return bounds;
}
