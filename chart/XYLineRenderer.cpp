#include "chart/XYLineRenderer.h"

namespace {
// Colours for series nobody coloured: distinct on a white background.
const unsigned char kPalette[][3] = {
    {0, 0, 255}, {255, 0, 0}, {0, 160, 0}, {255, 128, 0}, {128, 0, 128}, {0, 128, 128}, {128, 128, 0},
};
} // namespace

XYLineRenderer::XYLineRenderer(bool drawSymbols, bool drawLines, int width, wxPenStyle style)
    : m_drawSymbols(drawSymbols), m_drawLines(drawLines), m_width(width < 1 ? 1 : width), m_style(style)
{
}

void XYLineRenderer::SetSerieColour(size_t serie, const wxColour* colour)
{
    if (serie >= m_colours.size()) {
        if (!colour)
            return;
        m_colours.resize(serie + 1);
    }
    m_colours[serie] = colour ? *colour : wxColour();
}

wxColour XYLineRenderer::GetSerieColour(size_t serie) const
{
    if (serie < m_colours.size() && m_colours[serie].IsOk())
        return m_colours[serie];
    const size_t n = sizeof(kPalette) / sizeof(kPalette[0]);
    const unsigned char* rgb = kPalette[serie % n];
    return wxColour(rgb[0], rgb[1], rgb[2]);
}

void XYLineRenderer::Draw(wxDC& dc, size_t serie, const chart::ReducedLine& line, bool plain) const
{
    if (line.points.empty() || (!m_drawLines && !m_drawSymbols))
        return;
    const wxColour colour = plain ? *wxBLUE : GetSerieColour(serie);
    // Mitred joins and square ends: cairo strokes a polyline of thousands of
    // vertices several times faster than with round ones, and a line one
    // pixel wide looks the same.
    wxPen pen(colour, m_width, m_style);
    pen.SetJoin(wxJOIN_MITER);
    pen.SetCap(wxCAP_PROJECTING);
    dc.SetPen(pen);
    dc.SetBrush(wxBrush(colour));
    const wxPoint* points = line.points.data();
    for (size_t r = 0; r < line.RunCount(); ++r) {
        const size_t begin = line.RunBegin(r), end = line.RunEnd(r);
        if (end - begin == 1 || (!m_drawLines && end > begin)) {
            for (size_t i = begin; i < end; ++i)
                dc.DrawRectangle(points[i].x - 1, points[i].y - 1, 3, 3);
        } else if (end - begin > 1) {
            dc.DrawLines(static_cast<int>(end - begin), points + begin);
        }
    }
    if (m_drawSymbols)
        for (const wxPoint& point : line.points)
            dc.DrawRectangle(point.x - 2, point.y - 2, 5, 5);
}
