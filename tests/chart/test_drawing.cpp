// What the chart puts on the screen: series reduced to a few points per
// pixel column without losing a spike, drawn in their colours inside the plot
// area, and axes with their labels in their own colours. How exactly the
// reduction draws is in test_reduction.cpp.
#include "support/pixel_dump.h"
#include "wx_test_util.h"

#include "chart_builder.h"

#include "chart/ChartColours.h"

#include <wx/dcmemory.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <vector>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const wxColour kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255), kCyan(0, 255, 255),
    kMagenta(255, 0, 255), kYellow(255, 255, 0);

wxImage Render(Chart& chart, int width, int height)
{
    wxBitmap bitmap(width, height, 24);
    {
        wxMemoryDC dc(bitmap);
        chart.Draw(dc, wxRect(0, 0, width, height));
    }
    return Dumped(bitmap.ConvertToImage());
}

wxColour At(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

int CountExact(const wxImage& image, const wxRect& rect, const wxColour& colour)
{
    int count = 0;
    const wxRect clipped = rect.Intersect(wxRect(0, 0, image.GetWidth(), image.GetHeight()));
    for (int y = clipped.y; y < clipped.y + clipped.height; ++y)
        for (int x = clipped.x; x < clipped.x + clipped.width; ++x)
            count += At(image, x, y) == colour;
    return count;
}

// Pixels whose hue is clearly the colour's (text is antialiased into the
// white background, so its pixels are tints of the colour).
int CountTinted(const wxImage& image, const wxRect& rect, const wxColour& colour)
{
    int count = 0;
    const wxRect clipped = rect.Intersect(wxRect(0, 0, image.GetWidth(), image.GetHeight()));
    for (int y = clipped.y; y < clipped.y + clipped.height; ++y) {
        for (int x = clipped.x; x < clipped.x + clipped.width; ++x) {
            const int rgb[3] = {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
            const int want[3] = {colour.Red(), colour.Green(), colour.Blue()};
            int lowestOn = 255, highestOff = 0;
            for (int c = 0; c < 3; ++c)
                (want[c] ? lowestOn : highestOff) =
                    want[c] ? std::min(lowestOn, rgb[c]) : std::max(highestOff, rgb[c]);
            count += lowestOn - highestOff > 90;
        }
    }
    return count;
}

// Columns left of the plot area drawn top to bottom in exactly one colour:
// the axis lines, from the plot outwards.
std::vector<std::pair<int, wxColour>> AxisLines(const wxImage& image, const wxRect& area)
{
    std::vector<std::pair<int, wxColour>> lines;
    for (int x = area.x - 1; x >= 0; --x) {
        const wxColour top = At(image, x, area.y + area.height / 2);
        if (top.Red() == top.Green() && top.Green() == top.Blue())
            continue; // white background or the grey frame of the plot area
        if (CountExact(image, wxRect(x, area.y, 1, area.height), top) >= area.height * 9 / 10)
            lines.emplace_back(x, top);
    }
    return lines;
}

std::vector<double> Wave(size_t count, double days, double level, double swing, double phase = 0)
{
    std::vector<double> xy(2 * count);
    for (size_t i = 0; i < count; ++i) {
        xy[2 * i] = count > 1 ? days * static_cast<double>(i) / static_cast<double>(count - 1) : 0;
        xy[2 * i + 1] =
            level + swing * std::sin(static_cast<double>(i) * 12.0 / static_cast<double>(count) + phase);
    }
    return xy;
}

XYSerie SerieOf(const std::vector<double>& xy)
{
    return XYSerie(xy.data(), xy.size() / 2);
}

} // namespace

// With xLo = 0 and xHi = width - 1 the column of x is round(x); with
// yLo = 0 and yHi = height - 1 the row of y is bottom - round(y). The tests
// below choose data on that grid so they can name every expected pixel.
TEST(ChartDrawing, AMillionPointsKeepEveryColumnsExtremes)
{
    // 2000 points a column. In column c point j (x within +-0.3 of c, so no
    // rounding question) has y = 100 + (19 * i) % 50: each column's lowest
    // is 100, its highest 149. Two spikes: y = 399 at point 1457 of column
    // 61, y = 0 at point 543 of column 438.
    const int width = 500, height = 400, left = 10, bottom = 420;
    const size_t perColumn = 2000, n = perColumn * width;
    std::vector<double> xy(2 * n);
    for (size_t i = 0; i < n; ++i) {
        const size_t column = i / perColumn, j = i % perColumn;
        xy[2 * i] = static_cast<double>(column) + 0.6 * static_cast<double>(j) / perColumn - 0.3;
        xy[2 * i + 1] = static_cast<double>(100 + (19 * i) % 50);
    }
    xy[2 * (61 * perColumn + 1457) + 1] = 399;
    xy[2 * (438 * perColumn + 543) + 1] = 0;
    const XYSerie serie = SerieOf(xy);
    const chart::ReducedLine line =
        chart::ReduceSerie(serie, 0, width - 1, left, width, 0, height - 1, bottom, height);

    // One unbroken line, left to right, at most four points a column, whose
    // rows in each column run from the column's highest to its lowest y (the
    // row of y is bottom - y).
    ASSERT_EQ(line.RunCount(), 1u);
    ASSERT_EQ(line.source.size(), line.points.size());
    std::vector<int> top(width, INT_MAX), low(width, INT_MIN), count(width, 0);
    int previousX = left;
    for (const wxPoint& p : line.points) {
        ASSERT_GE(p.x, previousX);
        ASSERT_LT(p.x, left + width);
        previousX = p.x;
        const int c = p.x - left;
        top[c] = std::min(top[c], p.y);
        low[c] = std::max(low[c], p.y);
        ++count[c];
    }
    for (int c = 0; c < width; ++c) {
        SCOPED_TRACE(c);
        EXPECT_GE(count[c], 2);
        EXPECT_LE(count[c], 4);
        EXPECT_EQ(top[c], bottom - (c == 61 ? 399 : 149));
        EXPECT_EQ(low[c], bottom - (c == 438 ? 0 : 100));
    }
    // The spikes are kept as themselves.
    EXPECT_NE(std::find(line.source.begin(), line.source.end(), 61 * perColumn + 1457), line.source.end());
    EXPECT_NE(std::find(line.source.begin(), line.source.end(), 438 * perColumn + 543), line.source.end());
}

TEST(ChartDrawing, ReductionNeverLeavesThePlotAndSkipsMissingValues)
{
    // Out of x order: every point lands in its own column and row, nothing
    // is read past the end, and no more points are kept than there are.
    {
        const int width = 100, height = 100;
        std::vector<double> xy;
        std::mt19937 random(3);
        for (int i = 0; i < 5000; ++i) {
            xy.push_back(static_cast<double>(random() % width));
            xy.push_back(static_cast<double>(random() % height));
        }
        const XYSerie serie = SerieOf(xy);
        const chart::ReducedLine line =
            chart::ReduceSerie(serie, 0, width - 1, 0, width, 0, height - 1, 99, height);
        EXPECT_FALSE(line.points.empty());
        EXPECT_LE(line.points.size(), 5000u);
        ASSERT_EQ(line.source.size(), line.points.size());
        for (size_t k = 0; k < line.points.size(); ++k) {
            const wxPoint& p = line.points[k];
            ASSERT_LT(line.source[k], 5000u);
            EXPECT_EQ(p, wxPoint(static_cast<int>(xy[2 * line.source[k]]),
                                 99 - static_cast<int>(xy[2 * line.source[k] + 1])));
        }
    }
    // Data far outside the axis ranges is clamped, not wrapped, and stays on
    // the side it belongs to; a point beyond the right edge after one beyond
    // it adds nothing to the plot and is left out.
    {
        const std::vector<double> xy = {-1e300, 5, 50, 1e300, 1e300, -1e300, 4294967295.0, 4294967295.0};
        const chart::ReducedLine line = chart::ReduceSerie(SerieOf(xy), 0, 99, 0, 100, 0, 99, 99, 100);
        ASSERT_EQ(line.points.size(), 3u);
        EXPECT_EQ(line.source, (std::vector<size_t>{0, 1, 2}));
        for (const wxPoint& p : line.points) {
            EXPECT_LE(std::abs(p.x), 1000100);
            EXPECT_LE(std::abs(p.y), 1000100);
        }
        EXPECT_LT(line.points[0].x, 0);
        EXPECT_EQ(line.points[0].y, 94);
        EXPECT_EQ(line.points[1], wxPoint(50, -1));
        EXPECT_GT(line.points[2].x, 99);
        EXPECT_EQ(line.points[2].y, 100);
    }
    // A NaN y is a dropout: the line breaks there. A point without a place
    // on the time axis (NaN or infinite x) or an infinite y is left out.
    {
        const std::vector<double> xy = {0, 0, 1, kNaN, 2, kInf, kNaN, 5, -kInf, 7, 3, 3};
        const chart::ReducedLine line = chart::ReduceSerie(SerieOf(xy), 0, 9, 0, 10, 0, 9, 9, 10);
        EXPECT_EQ(line.points, (std::vector<wxPoint>{wxPoint(0, 9), wxPoint(3, 6)}));
        EXPECT_EQ(line.source, (std::vector<size_t>{0, 5}));
        EXPECT_EQ(line.runStarts, (std::vector<size_t>{0, 1}));
    }
    // One finite point gives one point; none gives nothing.
    {
        const chart::ReducedLine one = chart::ReduceSerie(SerieOf({kNaN, 1, 4, 4}), 0, 9, 0, 10, 0, 9, 9, 10);
        EXPECT_EQ(one.points, (std::vector<wxPoint>{wxPoint(4, 5)}));
        EXPECT_EQ(one.RunCount(), 1u);
        const XYSerie none = SerieOf({kNaN, 1, 4, kInf});
        EXPECT_TRUE(chart::ReduceSerie(none, 0, 9, 0, 10, 0, 9, 9, 10).points.empty());
        EXPECT_EQ(chart::ReduceSerie(none, 0, 9, 0, 10, 0, 9, 9, 10).RunCount(), 0u);
        const XYSerie empty(nullptr, 0);
        EXPECT_TRUE(chart::ReduceSerie(empty, 0, 9, 0, 10, 0, 9, 9, 10).points.empty());
    }
}

TEST(ChartDrawing, ASeriesIsDrawnInItsColourInsideThePlotArea)
{
    // "PH Channel 2" alone, in cyan, over one day.
    std::unique_ptr<Chart> chart(MakeChannelChart({{kCyan, Wave(1440, 1.0, 6.5, 0.4)}}));
    const wxImage image = Render(*chart, 640, 480);
    const wxRect area = chart->GetPlot()->GetLastPlotArea();
    ASSERT_GT(area.width, 400);
    ASSERT_GT(area.height, 300);
    ASSERT_TRUE(wxRect(0, 0, 640, 480).Contains(area));

    // The line crosses the whole plot area from left to right.
    int columnsWithCyan = 0;
    for (int x = area.x; x < area.x + area.width; ++x)
        columnsWithCyan += CountExact(image, wxRect(x, area.y, 1, area.height), kCyan) > 0;
    EXPECT_EQ(columnsWithCyan, area.width);
    // It fills the plot area from bottom to top (the axis range is its own).
    int rowsWithCyan = 0;
    for (int y = area.y; y < area.y + area.height; ++y)
        rowsWithCyan += CountExact(image, wxRect(area.x, y, area.width, 1), kCyan) > 0;
    EXPECT_GE(rowsWithCyan, area.height - 2);
    // Nothing cyan right of the plot area or in the title band.
    EXPECT_EQ(CountExact(image, wxRect(area.x + area.width + 1, 0, 640, 480), kCyan), 0);
    EXPECT_EQ(CountTinted(image, wxRect(0, 0, 640, area.y - 12), kCyan), 0);
    // The title is drawn, dark, centred above the plot.
    EXPECT_GT(CountTinted(image, wxRect(270, 0, 100, area.y - 10), *wxBLACK) +
                  CountExact(image, wxRect(270, 0, 100, area.y - 10), *wxBLACK),
              20);
    // The bottom axis line is black under the plot area.
    EXPECT_GE(CountExact(image, wxRect(area.x, area.y + area.height, area.width, 1), *wxBLACK), area.width);
    // Its labels (black) are below it.
    EXPECT_GT(
        CountTinted(image, wxRect(area.x - 10, area.y + area.height + 5, area.width + 20, 30), *wxBLACK), 10);
}

TEST(ChartDrawing, ASpikeAmongAMillionFlatPointsStaysVisible)
{
    const size_t n = 1000000;
    std::vector<double> xy(2 * n);
    for (size_t i = 0; i < n; ++i) {
        xy[2 * i] = static_cast<double>(i) / 1440.0;
        xy[2 * i + 1] = i == 500000 ? 7.5 : 6.5;
    }
    std::unique_ptr<Chart> chart(MakeChannelChart({{kCyan, xy}}));
    const wxImage image = Render(*chart, 1280, 720);
    const wxRect area = chart->GetPlot()->GetLastPlotArea();

    // The flat line lies along the bottom of the plot area ...
    EXPECT_GE(CountExact(image, wxRect(area.x, area.y + area.height - 1, area.width, 1), kCyan),
              area.width - 1);
    // ... and one column (or two, where the spike is shared) rises to its top.
    int fullColumns = 0, spikeColumn = -1;
    for (int x = area.x; x < area.x + area.width; ++x) {
        if (CountExact(image, wxRect(x, area.y, 1, area.height), kCyan) >= area.height * 9 / 10) {
            ++fullColumns;
            spikeColumn = x;
        }
    }
    EXPECT_GE(fullColumns, 1);
    EXPECT_LE(fullColumns, 2);
    EXPECT_NEAR(spikeColumn, area.x + (area.width - 1) / 2, 2);
    EXPECT_EQ(At(image, spikeColumn, area.y), kCyan);
}

TEST(ChartDrawing, TheRendererSetsWidthLinesAndSymbols)
{
    // A flat series of three points: the axis range is widened around its
    // value, so the line runs along the middle row of the plot area, with a
    // point at the left edge, one in the middle and one at the right edge.
    const std::vector<double> flat = {0, 5, 1, 5, 2, 5};
    struct Case {
        const char* what;
        std::optional<XYLineRenderer> renderer;
        wxColour colour;
        int rowsAtAPoint, rowsBetween; // pixels of the colour in a column
    };
    const Case cases[] = {
        {"the log view's renderer", XYLineRenderer(false, true, 1, wxPENSTYLE_SOLID), kRed, 1, 1},
        {"width 0 draws as 1", XYLineRenderer(false, true, 0), kRed, 1, 1},
        {"width 3", XYLineRenderer(false, true, 3), kRed, 3, 3},
        {"lines and symbols", XYLineRenderer(true, true), kRed, 5, 1},
        {"symbols only", XYLineRenderer(true, false), kRed, 5, 0},
        {"neither", XYLineRenderer(false, false), kRed, 0, 0},
        // Without a renderer a series is a blue line one pixel wide.
        {"no renderer", std::nullopt, kBlue, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The axis line in green, so that only the series can be red.
        std::unique_ptr<Chart> chart(MakeChannelChart({{kRed, flat, kGreen, c.renderer}}));
        const wxImage image = Render(*chart, 400, 300);
        const wxRect area = chart->GetPlot()->GetLastPlotArea();
        const int middle = area.x + (area.width - 1) / 2;
        EXPECT_EQ(CountExact(image, wxRect(middle, area.y, 1, area.height), c.colour), c.rowsAtAPoint);
        for (int x : {area.x + area.width / 4, area.x + area.width * 3 / 4})
            EXPECT_EQ(CountExact(image, wxRect(x, area.y, 1, area.height), c.colour), c.rowsBetween) << x;
        // The symbols at the edges are cut off by the plot area (the axis
        // line covers the column just left of it).
        EXPECT_EQ(CountExact(image, wxRect(area.x, area.y, 1, area.height), c.colour), c.rowsAtAPoint);
        EXPECT_EQ(CountExact(image, wxRect(area.x - 2, area.y - 2, 1, area.height + 4), c.colour), 0);
        EXPECT_EQ(CountExact(image, wxRect(area.x + area.width, area.y - 2, 2, area.height + 4), c.colour),
                  0);
    }

    // A dotted line leaves gaps; the solid one above left none.
    std::unique_ptr<Chart> chart(
        MakeChannelChart({{kRed, flat, wxColour(), XYLineRenderer(false, true, 1, wxPENSTYLE_DOT)}}));
    const wxImage image = Render(*chart, 400, 300);
    const wxRect area = chart->GetPlot()->GetLastPlotArea();
    const int dots = CountExact(image, wxRect(area.x, area.y, area.width, area.height), kRed);
    EXPECT_GT(dots, area.width / 5);
    EXPECT_LT(dots, area.width * 4 / 5);
}

TEST(ChartDrawing, EachLeftAxisHasItsOwnLineAndLabelColour)
{
    // Three left axes; the third has blue labels on a magenta line.
    std::unique_ptr<Chart> chart(MakeChannelChart({{kRed, Wave(500, 2, 1500, 200)},
                                                   {kGreen, Wave(500, 2, 1400, 300)},
                                                   {kBlue, Wave(500, 2, 6.5, 0.5), kMagenta}}));
    const wxImage image = Render(*chart, 800, 500);
    const wxRect area = chart->GetPlot()->GetLastPlotArea();

    const auto lines = AxisLines(image, area);
    ASSERT_EQ(lines.size(), 3u);
    // The first axis is next to the plot, the others further out.
    EXPECT_EQ(lines[0].first, area.x - 1);
    EXPECT_EQ(lines[0].second, kRed);
    EXPECT_EQ(lines[1].second, kGreen);
    EXPECT_EQ(lines[2].second, kMagenta);
    EXPECT_GE(lines[2].first, 0);

    // Each axis's labels lie between its line and the next axis out.
    const int top = area.y - 10, h = area.height + 20;
    const wxRect firstLabels(lines[1].first + 1, top, lines[0].first - lines[1].first - 1, h);
    const wxRect secondLabels(lines[2].first + 1, top, lines[1].first - lines[2].first - 1, h);
    const wxRect thirdLabels(0, top, lines[2].first, h);
    EXPECT_GT(CountTinted(image, firstLabels, kRed), 20);
    EXPECT_EQ(CountTinted(image, firstLabels, kGreen), 0);
    EXPECT_GT(CountTinted(image, secondLabels, kGreen), 20);
    EXPECT_EQ(CountTinted(image, secondLabels, kRed), 0);
    EXPECT_GT(CountTinted(image, thirdLabels, kBlue), 20);
    // Tick marks are in the pen's colour, the text is not.
    EXPECT_GT(CountExact(image, wxRect(lines[2].first - 5, top, 5, h), kMagenta), 0);
    EXPECT_EQ(CountExact(image, wxRect(0, top, lines[2].first - 6, h), kMagenta), 0);
}

TEST(ChartDrawing, SixChannelsGetSixAxesAndStillLeaveRoomToPlot)
{
    const wxColour colours[6] = {kRed, kGreen, kBlue, kCyan, kMagenta, kYellow};
    const double levels[6] = {1500, 1400, 6.5, 6.2, 21, 4294967295.0};
    std::vector<ChartChannel> channels;
    for (int k = 0; k < 6; ++k)
        channels.push_back({colours[k], Wave(10000, 365, levels[k], levels[k] / 10, k)});
    std::unique_ptr<Chart> chart(MakeChannelChart(channels));
    const wxImage image = Render(*chart, 1280, 720);
    const wxRect area = chart->GetPlot()->GetLastPlotArea();
    EXPECT_GT(area.width, 640);

    const auto lines = AxisLines(image, area);
    ASSERT_EQ(lines.size(), 6u);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(lines[k].second, colours[k]) << k;
        if (k > 0) {
            EXPECT_LT(lines[k].first, lines[k - 1].first);
        }
        EXPECT_GT(CountExact(image, area, colours[k]), area.width / 2) << k;
    }
    EXPECT_GE(lines[5].first, 0);
}

TEST(ChartDrawing, UnusualChartsDrawWithoutFault)
{
    // No series: the title and the bottom axis only.
    {
        std::unique_ptr<Chart> chart(MakeChannelChart({}));
        const wxImage image = Render(*chart, 640, 480);
        const wxRect area = chart->GetPlot()->GetLastPlotArea();
        ASSERT_FALSE(area.IsEmpty());
        EXPECT_TRUE(AxisLines(image, area).empty());
        EXPECT_GE(CountExact(image, wxRect(area.x, area.y + area.height, area.width, 1), *wxBLACK),
                  area.width);
        EXPECT_GT(CountTinted(image, wxRect(0, 0, 640, area.y), *wxBLACK), 20); // "Log File"
        // The first time label is centred on the plot's left edge: its left
        // half is drawn left of the plot area, not cut off at the chart's edge.
        const int labelTop = area.y + area.height + 1;
        EXPECT_GE(CountTinted(image, wxRect(0, labelTop, area.x, 480 - labelTop), *wxBLACK), 20);
        for (const wxColour& colour : {kRed, kGreen, kBlue, kCyan, kMagenta, kYellow})
            EXPECT_EQ(CountExact(image, wxRect(0, 0, 640, 480), colour), 0);
    }
    // A one-record log: a dot (3 x 3) in the middle of the plot area.
    {
        std::unique_ptr<Chart> chart(MakeChannelChart({{kRed, {0, 1500}}}));
        const wxImage image = Render(*chart, 640, 480);
        const wxRect area = chart->GetPlot()->GetLastPlotArea();
        EXPECT_EQ(CountExact(image, area, kRed), 9);
        EXPECT_EQ(At(image, area.x + (area.width - 1) / 2, area.y + (area.height - 1) / 2), kRed);
    }
    // Missing values, huge values, points out of order, all in one series.
    {
        std::vector<double> xy = Wave(3000, 10, 100, 50);
        xy[11] = kNaN;
        xy[101] = kInf;
        xy[200] = -kInf;
        xy[303] = 4294967295.0;
        std::swap(xy[1000], xy[4000]);
        std::swap(xy[2000], xy[5998]);
        std::unique_ptr<Chart> chart(MakeChannelChart({{kGreen, xy}, {kBlue, {kNaN, kNaN, kInf, 1}}}));
        const wxImage image = Render(*chart, 640, 480);
        EXPECT_GT(CountExact(image, chart->GetPlot()->GetLastPlotArea(), kGreen), 100);
    }
    // Too small to hold a plot: nothing drawn outside the rectangle, no fault.
    {
        std::unique_ptr<Chart> chart(MakeChannelChart({{kRed, Wave(100, 1, 5, 1)}}));
        wxBitmap bitmap(50, 50, 24);
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxBLACK_BRUSH);
        for (const wxRect& rect : {wxRect(0, 0, 0, 0), wxRect(10, 10, 1, 1), wxRect(5, 5, 12, 12),
                                   wxRect(0, 0, 8, 50), wxRect(0, 0, 50, 8), wxRect(3, 3, -4, -4)}) {
            dc.Clear();
            chart->Draw(dc, rect);
            dc.SelectObject(wxNullBitmap);
            const wxImage image = Dumped(bitmap.ConvertToImage());
            int outside = 0;
            for (int y = 0; y < 50; ++y)
                for (int x = 0; x < 50; ++x)
                    outside += !rect.Contains(x, y) && At(image, x, y) != *wxBLACK;
            EXPECT_EQ(outside, 0) << rect.x << "," << rect.y << " " << rect.width << "x" << rect.height;
            dc.SelectObject(bitmap);
        }
    }
}

TEST(ChartDrawing, ARedrawReusesTheReductionOnlyAtTheSameSize)
{
    auto make = [] {
        return MakeChannelChart({{kRed, Wave(200000, 30, 1500, 200)}, {kCyan, Wave(200000, 30, 6, 1)}});
    };
    std::unique_ptr<Chart> chart = make();
    const wxImage first = Render(*chart, 900, 600);
    EXPECT_EQ(chart->GetPlot()->GetReductionCount(), 2u);
    // The same size: the same pixels, from the same reductions.
    const wxImage again = Render(*chart, 900, 600);
    EXPECT_EQ(chart->GetPlot()->GetReductionCount(), 2u);
    ASSERT_EQ(first.GetWidth(), again.GetWidth());
    EXPECT_EQ(0, memcmp(first.GetData(), again.GetData(), 900 * 600 * 3));
    // Another size: reduced anew, and drawn as a chart drawn at that size
    // first (one pixel narrower or lower is a new plot area too).
    for (const wxSize& size : {wxSize(500, 300), wxSize(899, 600), wxSize(900, 599)}) {
        SCOPED_TRACE(size.x * 1000 + size.y);
        const size_t before = chart->GetPlot()->GetReductionCount();
        const wxImage resized = Render(*chart, size.x, size.y);
        EXPECT_EQ(chart->GetPlot()->GetReductionCount(), before + 2);
        std::unique_ptr<Chart> fresh = make();
        const wxImage expected = Render(*fresh, size.x, size.y);
        int differing = 0;
        for (int i = 0; i < size.x * size.y * 3; ++i)
            differing += resized.GetData()[i] != expected.GetData()[i];
        EXPECT_EQ(differing, 0);
        EXPECT_GT(CountExact(resized, chart->GetPlot()->GetLastPlotArea(), kCyan), 100);
    }
    // And back: the first size's pixels again.
    const wxImage back = Render(*chart, 900, 600);
    EXPECT_EQ(0, memcmp(first.GetData(), back.GetData(), 900 * 600 * 3));
}

namespace {

// A chart of the lines of datasets, each restyled in its colour, on a left
// axis of its own.
std::unique_ptr<Chart> RestyledChart(const std::vector<std::shared_ptr<XYSimpleDataset>>& lines,
                                     const std::vector<wxColour>& colours)
{
    auto plot = std::make_unique<XYPlot>();
    for (size_t k = 0; k < lines.size(); ++k) {
        auto renderer = std::make_unique<XYLineRenderer>();
        renderer->SetSerieColour(0, &colours[k]);
        plot->AddDataset(lines[k]->Restyled(std::move(renderer)));
        plot->AddAxis(std::make_unique<NumberAxis>(AXIS_LEFT));
        plot->LinkDataVerticalAxis(k, k);
    }
    plot->AddAxis(std::make_unique<NumberAxis>(AXIS_BOTTOM));
    return std::make_unique<Chart>(std::move(plot), "Log File");
}

std::vector<std::shared_ptr<XYSimpleDataset>>
LinesOf(const std::vector<std::shared_ptr<const XYSerie>>& series)
{
    std::vector<std::shared_ptr<XYSimpleDataset>> lines;
    for (const auto& serie : series) {
        lines.push_back(std::make_shared<XYSimpleDataset>());
        lines.back()->AddSerie(serie);
    }
    return lines;
}

} // namespace

TEST(ChartDrawing, AChartInOtherColoursSharesTheReducedLinesOfItsDatasets)
{
    // Out of phase: the second line does not cover the first.
    const std::vector<double> a = Wave(100000, 30, 1500, 200), b = Wave(100000, 30, 6, 1, 1.5);
    const std::vector<std::shared_ptr<const XYSerie>> series = {
        std::make_shared<const XYSerie>(a.data(), a.size() / 2),
        std::make_shared<const XYSerie>(b.data(), b.size() / 2)};
    const std::vector<std::shared_ptr<XYSimpleDataset>> lines = LinesOf(series);
    std::unique_ptr<Chart> old = RestyledChart(lines, {kRed, kCyan});
    Render(*old, 800, 500);
    ASSERT_EQ(old->GetPlot()->GetReductionCount(), 2u);

    // The same lines in other colours: nothing reduced again, and the
    // pixels of a chart drawn from scratch in those colours.
    const wxColour blue(0, 0, 255);
    std::unique_ptr<Chart> recoloured = RestyledChart(lines, {blue, kCyan});
    const wxImage restyled = Render(*recoloured, 800, 500);
    EXPECT_EQ(recoloured->GetPlot()->GetReductionCount(), 0u);
    std::unique_ptr<Chart> fresh = RestyledChart(LinesOf(series), {blue, kCyan});
    const wxImage expected = Render(*fresh, 800, 500);
    EXPECT_EQ(fresh->GetPlot()->GetReductionCount(), 2u);
    EXPECT_EQ(0, memcmp(restyled.GetData(), expected.GetData(), 800 * 500 * 3));
    EXPECT_GT(CountExact(restyled, recoloured->GetPlot()->GetLastPlotArea(), blue), 100);
    EXPECT_EQ(CountExact(restyled, recoloured->GetPlot()->GetLastPlotArea(), kRed), 0);

    // The first chart keeps its own colours.
    const wxImage first = Render(*old, 800, 500);
    EXPECT_GT(CountExact(first, old->GetPlot()->GetLastPlotArea(), kRed), 100);
    EXPECT_EQ(CountExact(first, old->GetPlot()->GetLastPlotArea(), blue), 0);

    // Lines of their own are reduced for themselves, even of the same series.
    std::unique_ptr<Chart> other = RestyledChart(LinesOf({series[0]}), {kRed});
    Render(*other, 800, 500);
    EXPECT_EQ(other->GetPlot()->GetReductionCount(), 1u);
    // At another size nothing kept fits: reduced anew.
    std::unique_ptr<Chart> smaller = RestyledChart(lines, {kRed, kCyan});
    Render(*smaller, 700, 500);
    EXPECT_EQ(smaller->GetPlot()->GetReductionCount(), 2u);
}

namespace {

// WCAG's relative luminance and contrast ratio, written out here to check
// the chart's own.
double Luminance(const wxColour& c)
{
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.Red()) + 0.7152 * linear(c.Green()) + 0.0722 * linear(c.Blue());
}

double Contrast(const wxColour& a, const wxColour& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TEST(ChartDrawing, LabelsReadOnTheBackgroundInAShadeOfTheirColour)
{
    const wxColour white(255, 255, 255);
    EXPECT_EQ(chart::BackgroundColour(), white);
    EXPECT_NEAR(chart::ContrastRatio(*wxBLACK, white), 21.0, 1e-9);
    EXPECT_NEAR(chart::ContrastRatio(kYellow, white), 1.07, 0.01);
    EXPECT_NEAR(chart::ContrastRatio(kRed, white), 4.00, 0.01);

    for (const wxColour& colour : {kRed, kGreen, kBlue, kCyan, kMagenta, kYellow}) {
        SCOPED_TRACE(colour.GetAsString(wxC2S_HTML_SYNTAX).utf8_string());
        const wxColour label = chart::ReadableOn(colour, white);
        EXPECT_GE(Contrast(label, white), 4.5);
        if (Contrast(colour, white) < 4.5) {
            EXPECT_LT(Contrast(label, white), 4.9) << "no darker than needed";
        } else {
            EXPECT_EQ(label, colour);
        }
        // The same hue: the components scaled down together.
        for (int c = 0; c < 3; ++c) {
            const int from[3] = {colour.Red(), colour.Green(), colour.Blue()};
            const int to[3] = {label.Red(), label.Green(), label.Blue()};
            EXPECT_EQ(to[c] == 0, from[c] == 0);
        }
        EXPECT_EQ(label.Alpha(), 255);
    }
    // Colours that already read stay as they are.
    EXPECT_EQ(chart::ReadableOn(kBlue, white), kBlue);
    EXPECT_EQ(chart::ReadableOn(wxColour(0, 100, 0), white), wxColour(0, 100, 0));
    // On a dark background a dark colour is lightened instead.
    const wxColour navy(0, 0, 80), black(0, 0, 0);
    const wxColour light = chart::ReadableOn(navy, black);
    EXPECT_GE(Contrast(light, black), 4.5);
    EXPECT_GT(light.Blue(), navy.Blue());

    // Drawn: the yellow and cyan axes' lines stay in their colours, their
    // labels are in readable shades and never in the light colour itself.
    std::unique_ptr<Chart> chart(
        MakeChannelChart({{kYellow, Wave(300, 2, 22, 2)}, {kCyan, Wave(300, 2, 6.1, 0.2)}}));
    const wxImage image = Render(*chart, 640, 430);
    const wxRect area = chart->GetPlot()->GetLastPlotArea();
    const auto lines = AxisLines(image, area);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].second, kYellow);
    EXPECT_EQ(lines[1].second, kCyan);
    const int top = area.y - 10, h = area.height + 20;
    const wxRect yellowLabels(lines[1].first + 1, top, lines[0].first - 6 - lines[1].first - 1, h);
    const wxRect cyanLabels(0, top, lines[1].first - 6, h);
    for (const auto& [rect, colour] : {std::pair{yellowLabels, kYellow}, std::pair{cyanLabels, kCyan}}) {
        EXPECT_EQ(CountExact(image, rect, colour), 0);
        // The darkest pixel of the labels is the text's own colour.
        wxColour darkest = white;
        for (int y = rect.y; y < rect.y + rect.height; ++y)
            for (int x = rect.x; x < rect.x + rect.width; ++x)
                if (Luminance(At(image, x, y)) < Luminance(darkest))
                    darkest = At(image, x, y);
        EXPECT_GE(Contrast(darkest, white), 4.5);
        EXPECT_EQ(darkest.Blue() == 0, colour.Blue() == 0);
        EXPECT_EQ(darkest.Red() == 0, colour.Red() == 0);
    }
}

TEST(ChartDrawing, AValueOutsideThePlausibleRangeRunsOffThePlotsEdge)
{
    // Readings 1000 .. 1012 at x = 0, 1, 3, 4 and an unset word at x = 2.
    const std::vector<double> ec = {0, 1000, 1, 1012, 2, 4294967295.0, 3, 1006, 4, 1000};
    std::unique_ptr<Chart> chart(MakeChannelChart({{kRed, ec, wxColour(), XYLineRenderer(), {{0, 1e5}}}}));
    const wxImage image = Render(*chart, 500, 400);
    const wxRect area = chart->GetPlot()->GetLastPlotArea();
    // The line climbs off the top at x = 2 (the middle of the plot), in that
    // column: the row under the plot's top holds red only there and where
    // 1012 at x = 1 (a quarter in) reaches the top of the range.
    const int middle = area.x + (area.width - 1) / 2, quarter = area.x + (area.width - 1) / 4;
    std::vector<int> columns;
    for (int x = area.x; x < area.x + area.width; ++x)
        if (At(image, x, area.y + 1) == kRed)
            columns.push_back(x);
    ASSERT_FALSE(columns.empty());
    for (int x : columns) {
        EXPECT_TRUE(std::abs(x - middle) <= 2 || std::abs(x - quarter) <= 2) << x;
    }
    EXPECT_TRUE(
        std::any_of(columns.begin(), columns.end(), [&](int x) { return std::abs(x - middle) <= 2; }));
    // 1000 at x = 0 is the bottom of the range.
    EXPECT_GT(CountExact(image, wxRect(area.x, area.y + area.height - 3, 3, 3), kRed), 0);
    // A far-off value is put one row past the edge, in its own column.
    EXPECT_EQ(chart::ReduceSerie(SerieOf(ec), 0, 4, 0, 5, 1000, 1012, 99, 100).points[2], wxPoint(2, -1));
}

TEST(ChartDrawing, ANoteIsWrappedUnderTheTitle)
{
    const wxString note =
        "7 of 10 records shown: record 8 is outside the time span of the first and last record";
    std::unique_ptr<Chart> plain(MakeChannelChart({{kBlue, Wave(50, 1, 6, 1)}}));
    std::unique_ptr<Chart> noted(MakeChannelChart({{kBlue, Wave(50, 1, 6, 1)}}));
    noted->SetNote(note);
    EXPECT_EQ(noted->GetTitle(), "Log File");
    EXPECT_EQ(noted->GetNote(), note);
    const wxImage without = Render(*plain, 300, 400);
    const wxImage with = Render(*noted, 300, 400);
    EXPECT_EQ(CountTinted(without, wxRect(0, 0, 300, 400), chart::NoteColour()), 0);
    EXPECT_GT(CountExact(with, wxRect(0, 0, 300, 400), chart::NoteColour()), 30);
    // In a narrow chart it takes several lines, and the plot moves down by them.
    wxBitmap bitmap(300, 100, 24);
    wxMemoryDC dc(bitmap);
    dc.SetFont(*wxNORMAL_FONT);
    const std::vector<wxString> lines = chart::WrapText(dc, note, 290);
    ASSERT_GE(lines.size(), 2u);
    wxString joined;
    for (const wxString& line : lines) {
        EXPECT_LE(dc.GetTextExtent(line).x, 290) << line;
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, note);
    const int moved = noted->GetPlot()->GetLastPlotArea().y - plain->GetPlot()->GetLastPlotArea().y;
    EXPECT_GE(moved, static_cast<int>(lines.size()) * dc.GetCharHeight());
    // The note is under the title, above the plot.
    int firstNoteRow = -1;
    for (int y = 0; y < 400 && firstNoteRow < 0; ++y)
        if (CountExact(with, wxRect(0, y, 300, 1), chart::NoteColour()) > 0)
            firstNoteRow = y;
    EXPECT_GT(firstNoteRow, 15);
    EXPECT_LT(firstNoteRow, noted->GetPlot()->GetLastPlotArea().y);
    // A word wider than the chart gets a line of its own.
    EXPECT_EQ(chart::WrapText(dc, "a " + wxString('m', 80) + " b", 50).size(), 3u);
    EXPECT_TRUE(chart::WrapText(dc, "", 50).empty());
}
