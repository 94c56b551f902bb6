// A line one pixel wide as the runs of pixels it covers in each column:
// which pixels a segment covers at every slope, the runs joined in a
// column, the plot's edges, dashes, and the runs filled on a DC (as the
// plot's lines and the journal's markers are) where a stroked line would
// lie.
#include "support/pixel_dump.h"
#include "wx_test_util.h"

#include "chart/LineSpans.h"
#include "chart/XYLineRenderer.h"

#include <wx/dcmemory.h>
#include <wx/graphics.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using chart::ColumnSpan;
using Spans = std::vector<ColumnSpan>;

Spans SpansOf(const std::vector<wxPoint>& points, int left = -1000, int right = 1000)
{
    Spans spans;
    chart::AppendLineSpans(points.data(), points.size(), left, right, spans);
    return spans;
}

// Drawn into a 200 x 100 area at (50, 50) of a larger bitmap, with the
// device origin there, clipped to the area and without antialiasing: as
// the plot draws its layers.
wxImage Draw(const std::function<void(wxDC&)>& draw)
{
    wxBitmap bitmap(300, 200, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetDeviceOrigin(50, 50);
        if (wxGraphicsContext* gc = dc.GetGraphicsContext())
            gc->SetAntialiasMode(wxANTIALIAS_NONE);
        wxDCClipper clip(dc, wxRect(0, 0, 200, 100));
        draw(dc);
    }
    return Dumped(bitmap.ConvertToImage()).GetSubImage(wxRect(50, 50, 200, 100));
}

bool Dark(const wxImage& image, int x, int y)
{
    return image.GetRed(x, y) < 128;
}

// Rows top .. bottom of the dark pixels in column x, {-1, -1} for none.
std::pair<int, int> DarkRows(const wxImage& image, int x)
{
    int top = -1, bottom = -1;
    for (int y = 0; y < image.GetHeight(); ++y)
        if (Dark(image, x, y)) {
            if (top < 0)
                top = y;
            bottom = y;
        }
    return {top, bottom};
}

} // namespace

TEST(LineSpans, EachSlopeCoversTheRowsAThinLineCovers)
{
    // Flat: a pixel a column. Upright: one run.
    EXPECT_EQ(SpansOf({{0, 5}, {3, 5}}), (Spans{{0, 5, 5}, {1, 5, 5}, {2, 5, 5}, {3, 5, 5}}));
    EXPECT_EQ(SpansOf({{3, 7}, {3, 2}}), (Spans{{3, 2, 7}}));
    // Steep (three rows a column): a pixel a row, split between the columns
    // where the line crosses from one to the next, both ends covered.
    EXPECT_EQ(SpansOf({{0, 0}, {2, 6}}), (Spans{{0, 0, 1}, {1, 2, 4}, {2, 5, 6}}));
    EXPECT_EQ(SpansOf({{2, 6}, {0, 0}}), (Spans{{2, 5, 6}, {1, 2, 4}, {0, 0, 1}}));
    // Shallow (a row every three columns): a pixel a column, on the row
    // nearest to the line at the column's centre.
    EXPECT_EQ(SpansOf({{0, 0}, {6, 2}}),
              (Spans{{0, 0, 0}, {1, 0, 0}, {2, 1, 1}, {3, 1, 1}, {4, 1, 1}, {5, 2, 2}, {6, 2, 2}}));
    // Forty-five degrees, upward on the screen.
    EXPECT_EQ(SpansOf({{10, 20}, {13, 17}}), (Spans{{10, 20, 20}, {11, 19, 19}, {12, 18, 18}, {13, 17, 17}}));
    // A lone point is its pixel.
    EXPECT_EQ(SpansOf({{4, 9}}), (Spans{{4, 9, 9}}));
    EXPECT_TRUE(SpansOf({}).empty());
}

TEST(LineSpans, TheRunsOfAColumnAreJoinedAndTheEdgesCut)
{
    // A column's first, lowest, highest and last point, as a reduced line
    // has them, then on to the next column: one run a column.
    EXPECT_EQ(SpansOf({{5, 10}, {5, 3}, {5, 12}, {5, 8}, {6, 8}}), (Spans{{5, 3, 12}, {6, 8, 8}}));
    // Two runs of one column that do not touch stay two.
    EXPECT_EQ(SpansOf({{5, 1}, {5, 2}, {6, 2}, {7, 2}}), (Spans{{5, 1, 2}, {6, 2, 2}, {7, 2, 2}}));
    // Only columns left .. right: an end a million columns away costs
    // nothing and moves nothing; a line wholly outside leaves none.
    EXPECT_EQ(SpansOf({{-1000000, 0}, {1000000, 2000}}, 10, 12),
              (Spans{{10, 1000, 1000}, {11, 1000, 1000}, {12, 1000, 1000}}));
    EXPECT_TRUE(SpansOf({{20, 0}, {30, 5}}, 0, 19).empty());
    EXPECT_TRUE(SpansOf({{3, 4}}, 5, 9).empty());
    EXPECT_TRUE(SpansOf({{0, 0}, {9, 9}}, 5, 4).empty());
}

TEST(LineSpans, DashesKeepWholeColumnsOnAPatternFromTheOrigin)
{
    Spans flat;
    for (int x = -3; x < 30; ++x)
        flat.push_back({x, 5, 5 + (x == 20 ? 40 : 0)});
    Spans dashed = flat;
    chart::Dash(dashed, 9, 6, 0);
    std::vector<int> columns;
    for (const ColumnSpan& span : dashed)
        columns.push_back(span.x);
    // -3 .. -1 lie 12 .. 14 into the pattern (off); 0 .. 8 on, 9 .. 14 off,
    // 15 .. 23 on (the tall run of 20 whole), 24 .. 29 off.
    EXPECT_EQ(columns, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 16, 17, 18, 19, 20, 21, 22, 23}));
    EXPECT_EQ(dashed[14], (ColumnSpan{20, 5, 45}));

    Spans shifted = flat;
    chart::Dash(shifted, 9, 6, 2);
    // From origin 2: columns 2 .. 10 and 17 .. 25.
    ASSERT_EQ(shifted.size(), 18u);
    EXPECT_EQ(shifted.front().x, 2);
    EXPECT_EQ(shifted[8].x, 10);
    EXPECT_EQ(shifted[9].x, 17);
    EXPECT_EQ(shifted.back().x, 25);
    // Without gaps a dash is the solid line.
    Spans solid = flat;
    chart::Dash(solid, 1, 0, 0);
    EXPECT_EQ(solid, flat);
}

TEST(LineSpans, FilledWhereTheyLieWhateverTheDeviceOrigin)
{
    const Spans spans = {{0, 0, 0}, {10, 20, 29}, {199, 99, 99}, {200, 0, 99}, {-1, 0, 99}};
    const std::vector<wxPoint> dots = {{100, 50}};
    bool filled = false;
    const wxImage image = Draw([&](wxDC& dc) { filled = chart::FillSpans(dc, *wxBLACK, spans, dots); });
    ASSERT_TRUE(filled);
    int dark = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            dark += Dark(image, x, y);
    // 1 + 10 + 1 pixels of the runs inside the area, the dot's 9; the runs
    // beyond the area's edges are clipped away.
    EXPECT_EQ(dark, 21);
    EXPECT_TRUE(Dark(image, 0, 0));
    EXPECT_EQ(DarkRows(image, 10), std::make_pair(20, 29));
    EXPECT_TRUE(Dark(image, 199, 99));
    EXPECT_TRUE(Dark(image, 99, 49) && Dark(image, 101, 51) && !Dark(image, 102, 50));

    // With antialiasing on, boxes would not be the stroked line's pixels:
    // nothing is filled and the caller strokes.
    wxBitmap bitmap(20, 20, 24);
    wxMemoryDC dc(bitmap);
    if (wxGraphicsContext* gc = dc.GetGraphicsContext())
        gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
    EXPECT_FALSE(chart::CanFillSpans(dc));
    EXPECT_FALSE(chart::FillSpans(dc, *wxBLACK, spans));
}

wxImage Filled(const std::vector<wxPoint>& points)
{
    chart::ReducedLine line;
    line.points = points;
    line.runStarts = {0};
    const XYLineRenderer renderer(false, true, 1, wxPENSTYLE_SOLID);
    return Draw([&](wxDC& dc) { renderer.Draw(dc, 0, line, false, -1, 200); });
}

TEST(LineSpans, AFilledLineCoversEachColumnAsTheStrokedLineDoes)
{
    // A slow, steep wave, a point every three columns: filled by the
    // renderer, and stroked as one polyline.
    std::vector<wxPoint> wave;
    for (int x = 0; x < 200; x += 3)
        wave.emplace_back(x, 50 + static_cast<int>(45 * std::sin(x / 9.0)));
    const wxImage filled = Filled(wave);
    const wxImage stroked = Draw([&](wxDC& dc) {
        dc.SetPen(wxPen(*wxBLACK, 1, wxPENSTYLE_SOLID));
        dc.DrawLines(static_cast<int>(wave.size()), wave.data());
    });
    // Every column up to the last point drawn, its highest and lowest pixel
    // within a row of the stroke's (where a step between columns is split
    // differently), three in four exactly.
    int exact = 0;
    for (int x = 0; x <= 198; ++x) {
        const auto mine = DarkRows(filled, x), theirs = DarkRows(stroked, x);
        ASSERT_GE(mine.first, 0) << x;
        EXPECT_LE(std::abs(mine.first - theirs.first), 1) << x;
        EXPECT_LE(std::abs(mine.second - theirs.second), 1) << x;
        exact += mine == theirs;
    }
    EXPECT_GE(exact, 147);
    EXPECT_EQ(DarkRows(filled, 199).first, -1);
}

TEST(LineSpans, ADenseLineFillsEachColumnBetweenItsPointsAndHalfTheStepsToItsNeighbours)
{
    // Four points a column over 200 columns, zigzagging over 41 rows.
    std::vector<wxPoint> dense;
    for (int x = 0; x < 200; ++x)
        for (int k = 0; k < 4; ++k)
            dense.emplace_back(x, 50 + ((x * 7 + k * 13) % 41) - 20);
    const wxImage filled = Filled(dense);
    for (int x = 0; x < 200; ++x) {
        int low = 1000, high = -1;
        for (int k = 0; k < 4; ++k) {
            low = std::min(low, dense[static_cast<size_t>(4 * x + k)].y);
            high = std::max(high, dense[static_cast<size_t>(4 * x + k)].y);
        }
        // Between the column's own lowest and highest point, and at most
        // half way towards the last point before it and the first after.
        int outerLow = low, outerHigh = high;
        if (x > 0) {
            const int before = dense[static_cast<size_t>(4 * x - 1)].y,
                      first = dense[static_cast<size_t>(4 * x)].y;
            outerLow = std::min(outerLow, (before + first) / 2 - 1);
            outerHigh = std::max(outerHigh, (before + first + 1) / 2 + 1);
        }
        if (x < 199) {
            const int last = dense[static_cast<size_t>(4 * x + 3)].y,
                      after = dense[static_cast<size_t>(4 * x + 4)].y;
            outerLow = std::min(outerLow, (last + after) / 2 - 1);
            outerHigh = std::max(outerHigh, (last + after + 1) / 2 + 1);
        }
        const auto rows = DarkRows(filled, x);
        EXPECT_LE(rows.first, low) << x;
        EXPECT_GE(rows.second, high) << x;
        EXPECT_GE(rows.first, outerLow) << x;
        EXPECT_LE(rows.second, outerHigh) << x;
        // One run: no row skipped.
        for (int y = rows.first; y <= rows.second; ++y)
            ASSERT_TRUE(Dark(filled, x, y)) << x << ", " << y;
    }
}

TEST(LineSpans, ADashedLineIsDrawnOnNineColumnsOfFifteen)
{
    chart::ReducedLine line;
    for (int x = 0; x < 200; ++x)
        line.points.emplace_back(x, 40);
    line.runStarts = {0};
    XYLineRenderer renderer(false, true, 1, wxPENSTYLE_SHORT_DASH);
    renderer.SetSerieColour(0, wxBLACK);
    const wxImage image = Draw([&](wxDC& dc) { renderer.Draw(dc, 0, line, false, 0, 199); });
    std::string row;
    for (int x = 0; x < 30; ++x)
        row += Dark(image, x, 40) ? '#' : '.';
    EXPECT_EQ(row, "#########......#########......");
    int dark = 0;
    for (int x = 0; x < 200; ++x)
        dark += Dark(image, x, 40);
    EXPECT_EQ(dark, 13 * 9 + 5); // 13 whole dashes, and 195 .. 199
}
