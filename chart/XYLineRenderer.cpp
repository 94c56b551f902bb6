#include "chart/XYLineRenderer.h"

#include "chart/LineSpans.h"

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

namespace {
// The dashes of a pen one pixel wide, as a graphics context strokes them.
bool DashOf(wxPenStyle style, int& on, int& off)
{
    switch (style) {
    case wxPENSTYLE_SOLID:
        on = 1;
        off = 0;
        return true;
    case wxPENSTYLE_SHORT_DASH:
        on = 9;
        off = 6;
        return true;
    case wxPENSTYLE_LONG_DASH:
        on = 19;
        off = 9;
        return true;
    default:
        return false;
    }
}

} // namespace

bool XYLineRenderer::FillSpans(wxDC& dc, const wxColour& colour, const chart::ReducedLine& line, int left,
                               int right) const
{
    int on = 0, off = 0;
    if (!chart::CanFillSpans(dc) || m_width != 1 || m_drawSymbols || !m_drawLines ||
        !DashOf(m_style, on, off))
        return false;
    // A line of a point every few columns strokes sooner than its boxes fill.
    if (static_cast<double>(line.points.size()) * 4 < static_cast<double>(right) - left)
        return false;
    std::vector<chart::ColumnSpan> spans;
    std::vector<wxPoint> dots;
    for (size_t r = 0; r < line.RunCount(); ++r) {
        const size_t begin = line.RunBegin(r), end = line.RunEnd(r);
        if (end - begin == 1)
            dots.push_back(line.points[begin]);
        else
            chart::AppendLineSpans(line.points.data() + begin, end - begin, left, right, spans);
    }
    chart::Dash(spans, on, off, left);
    return chart::FillSpans(dc, colour, spans, dots);
}

void XYLineRenderer::Draw(wxDC& dc, size_t serie, const chart::ReducedLine& line, bool plain, int left,
                          int right) const
{
    if (line.points.empty() || (!m_drawLines && !m_drawSymbols))
        return;
    const wxColour colour = plain ? *wxBLUE : GetSerieColour(serie);
    if (FillSpans(dc, colour, line, left, right))
        return;
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
