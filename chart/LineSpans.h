// A line one pixel wide as the runs of pixels it covers in each column, and
// those runs filled: a dense series drawn as filled boxes, one or two per
// column, instead of a stroked polyline of thousands of joins.
#pragma once

#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/gdicmn.h>

#include <cstddef>
#include <vector>

namespace chart {

// Rows top .. bottom (top <= bottom) of column x.
struct ColumnSpan {
    int x;
    int top;
    int bottom;

    bool operator==(const ColumnSpan& other) const
    {
        return x == other.x && top == other.top && bottom == other.bottom;
    }
};

// Appends the pixels of the polyline through points[0 .. count - 1] that lie
// in columns left .. right, in the order the line passes them. A segment
// covers, in each column it crosses, the row nearest to it at the column's
// centre and every row whose centre it crosses within the column; the
// pixels of both ends are always covered. Steep segments are thus one
// pixel per row, shallow ones one pixel per column, as a thin line is
// drawn. Runs of one column that touch are joined into one.
void AppendLineSpans(const wxPoint* points, size_t count, int left, int right,
                     std::vector<ColumnSpan>& spans);

// The spans of a dashed line: columns on a dash (on columns drawn, then off
// columns left out, counted from column origin) keep their spans, the
// others lose them. A dense line's dashes then cost no more boxes than the
// solid line, and a flat one is dashed as a stroked pen would dash it.
void Dash(std::vector<ColumnSpan>& spans, int on, int off, int origin);

// Whether FillSpans can draw on dc: through a graphics context without
// antialiasing (the plot's lines), where boxes are exact pixels.
bool CanFillSpans(wxDC& dc);

// Fills the spans, and a dot of 3 x 3 pixels around each of dots, in
// colour; false (and nothing drawn) where CanFillSpans is false.
bool FillSpans(wxDC& dc, const wxColour& colour, const std::vector<ColumnSpan>& spans,
               const std::vector<wxPoint>& dots = {});

} // namespace chart
