// How the series of one dataset are drawn: lines of a width and style, in a
// colour per series.
#pragma once

#include "chart/SerieReduction.h"

#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/pen.h>

#include <climits>
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
    // is blue (plain). Columns outside left .. right need not be drawn.
    //
    // Where the DC draws through a graphics context without antialiasing,
    // a solid or dashed line one pixel wide with at least a point every
    // four columns is filled as the runs of pixels it covers in each column
    // (chart::AppendLineSpans): a series of thousands of points then costs
    // a pass over boxes, not the stroking of thousands of joins.
    void Draw(wxDC& dc, size_t serie, const chart::ReducedLine& line, bool plain = false, int left = INT_MIN,
              int right = INT_MAX) const;

private:
    bool FillSpans(wxDC& dc, const wxColour& colour, const chart::ReducedLine& line, int left,
                   int right) const;

    bool m_drawSymbols;
    bool m_drawLines;
    int m_width;
    wxPenStyle m_style;
    std::vector<wxColour> m_colours; // invalid entry = default colour
};
