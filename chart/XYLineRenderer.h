// How the series of one dataset are drawn: lines of a width and style, in a
// colour per series.
#pragma once

#include "chart/SerieReduction.h"

#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/pen.h>

#include <cstddef>
#include <vector>

class XYLineRenderer {
public:
    XYLineRenderer(bool drawSymbols = false, bool drawLines = true, int width = 1,
                   wxPenStyle style = wxPENSTYLE_SOLID);

    // Copies the colour; a null colour returns the series to its default.
    void SetSerieColour(size_t serie, const wxColour* colour);
    // The colour set for the series, or a default one from a fixed palette.
    wxColour GetSerieColour(size_t serie) const;

    bool GetDrawSymbols() const { return m_drawSymbols; }
    bool GetDrawLines() const { return m_drawLines; }
    int GetWidth() const { return m_width; }
    wxPenStyle GetStyle() const { return m_style; }

    // Draws series serie's reduced line: each run as a polyline (a run of
    // one point, a lone record between dropouts, as a dot of three by three
    // pixels), or as dots without lines, and symbols when set. A plot
    // without a renderer of its own draws with a default one whose colour
    // is blue (plain).
    void Draw(wxDC& dc, size_t serie, const chart::ReducedLine& line, bool plain = false) const;

private:
    bool m_drawSymbols;
    bool m_drawLines;
    int m_width;
    wxPenStyle m_style;
    std::vector<wxColour> m_colours; // invalid entry = default colour
};
