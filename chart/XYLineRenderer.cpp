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
