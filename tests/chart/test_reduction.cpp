// The reduced line of a series draws exactly the pixels the line through
// every one of its points draws: at the whole range, zoomed in, with
// dropouts and with records out of time order.
#include "support/pixel_dump.h"
#include "wx_test_util.h"

#include "chart/LineSpans.h"
#include "chart/SerieReduction.h"
#include "chart/XYSimpleDataset.h"

#include <wx/dcmemory.h>
#include <wx/graphics.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const int kWidth = 800, kHeight = 400;

// A plot area of 800 x 400 pixels at (0, 0), for x in [xLo, xHi] and y in
// [0, 399]: the row of y is 399 - round(y), the column of x is x's offset
// from xLo in pixels, rounded, worked out from halves as the plot does.
struct View {
    double xLo, xHi;
    wxPoint Pixel(double x, double y) const
    {
        const double scale = (kWidth - 1) / (xHi * 0.5 - xLo * 0.5);
        return wxPoint(static_cast<int>(std::floor((x * 0.5 - xLo * 0.5) * scale + 0.5)),
                       kHeight - 1 - static_cast<int>(std::floor(y + 0.5)));
    }
};
const View kWhole{0, 799};

// Drawn as a plot draws its series: into a plot area inside a larger bitmap,
// clipped to the area, without antialiasing.
wxImage Draw(const std::function<void(wxDC&)>& draw)
{
    wxBitmap bitmap(kWidth + 200, kHeight + 200, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetDeviceOrigin(100, 100);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        if (wxGraphicsContext* gc = dc.GetGraphicsContext())
            gc->SetAntialiasMode(wxANTIALIAS_NONE);
        dc.SetPen(wxPen(*wxBLACK, 1, wxPENSTYLE_SOLID));
        dc.SetBrush(*wxBLACK_BRUSH);
        wxDCClipper clip(dc, wxRect(0, 0, kWidth, kHeight));
        draw(dc);
    }
    return Dumped(bitmap.ConvertToImage()).GetSubImage(wxRect(100, 100, kWidth, kHeight));
}

// A polyline, or a lone point as a dot of 3 x 3 pixels, as the plot draws.
void DrawRun(wxDC& dc, const wxPoint* points, size_t n)
{
    if (n > 1)
        dc.DrawLines(static_cast<int>(n), points);
    else if (n == 1)
        dc.DrawRectangle(points[0].x - 1, points[0].y - 1, 3, 3);
}

wxImage DrawReduced(const chart::ReducedLine& line)
{
    return Draw([&](wxDC& dc) {
        for (size_t r = 0; r < line.RunCount(); ++r)
            DrawRun(dc, &line.points[line.RunBegin(r)], line.RunEnd(r) - line.RunBegin(r));
    });
}

// Every point of xy (interleaved) mapped and joined, broken where y is NaN.
wxImage DrawEveryPoint(const std::vector<double>& xy, const View& view)
{
    return Draw([&](wxDC& dc) {
        std::vector<wxPoint> run;
        for (size_t i = 0; i + 1 < xy.size(); i += 2) {
            if (std::isnan(xy[i + 1])) {
                DrawRun(dc, run.data(), run.size());
                run.clear();
                continue;
            }
            run.push_back(view.Pixel(xy[i], xy[i + 1]));
        }
        DrawRun(dc, run.data(), run.size());
    });
}

chart::ReducedLine Reduce(const XYSerie& serie, const View& view)
{
    return chart::ReduceSerie(serie, view.xLo, view.xHi, 0, kWidth, 0, kHeight - 1, kHeight - 1, kHeight);
}

int Differing(const wxImage& a, const wxImage& b)
{
    int count = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            count += a.GetRed(x, y) != b.GetRed(x, y);
    return count;
}

int BlackIn(const wxImage& image, const wxRect& rect)
{
    int count = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y)
        for (int x = rect.x; x < rect.x + rect.width; ++x)
            count += image.GetRed(x, y) == 0;
    return count;
}

// n points a 25th apart (0 .. (n - 1) / 25), y a slow swing with noise of
// +-60 rows, in 1.3 .. 398.3 (never half way between two rows).
std::vector<double> Noisy(size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<double> xy(2 * n);
    for (size_t i = 0; i < n; ++i) {
        const double swing = 120 * std::sin(static_cast<double>(i) / 900.0);
        const double noise = static_cast<double>(random() % 121) - 60;
        xy[2 * i] = static_cast<double>(i) / 25.0;
        xy[2 * i + 1] = std::clamp(std::floor(200 + swing + noise), 1.0, 398.0) + 0.3;
    }
    return xy;
}

// A flat line at 100 that steps to 250 and to 60, with spikes up to 390
// and down to 5 on single points.
std::vector<double> Spiky(size_t n)
{
    std::vector<double> xy(2 * n);
    for (size_t i = 0; i < n; ++i) {
        double y = i < 5000 ? 100.3 : i < 12000 ? 250.3 : 60.3;
        if (i % 997 == 500)
            y = 390.3;
        if (i % 1301 == 77)
            y = 5.3;
        xy[2 * i] = static_cast<double>(i) / 25.0;
        xy[2 * i + 1] = y;
    }
    return xy;
}

// The pixels of the plot area that the runs of two points or more cover as
// column spans (the plot's way of filling a dense line).
std::set<std::pair<int, int>> SpanPixels(const std::vector<std::vector<wxPoint>>& runs)
{
    std::vector<chart::ColumnSpan> spans;
    for (const std::vector<wxPoint>& run : runs)
        if (run.size() > 1)
            chart::AppendLineSpans(run.data(), run.size(), 0, kWidth - 1, spans);
    std::set<std::pair<int, int>> pixels;
    for (const chart::ColumnSpan& span : spans)
        for (int y = span.top; y <= span.bottom; ++y)
            pixels.insert({span.x, y});
    return pixels;
}

std::set<std::pair<int, int>> ReducedSpanPixels(const chart::ReducedLine& line)
{
    std::vector<std::vector<wxPoint>> runs;
    for (size_t r = 0; r < line.RunCount(); ++r)
        runs.emplace_back(line.points.begin() + static_cast<long>(line.RunBegin(r)),
                          line.points.begin() + static_cast<long>(line.RunEnd(r)));
    return SpanPixels(runs);
}

std::set<std::pair<int, int>> EveryPointSpanPixels(const std::vector<double>& xy, const View& view)
{
    std::vector<std::vector<wxPoint>> runs(1);
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        if (std::isnan(xy[i + 1]))
            runs.emplace_back();
        else
            runs.back().push_back(view.Pixel(xy[i], xy[i + 1]));
    }
    return SpanPixels(runs);
}

XYSerie SerieOf(const std::vector<double>& xy)
{
    return XYSerie(xy.data(), xy.size() / 2);
}

// The reduced series xy draws what the line through every point of drawn
// (all of xy unless told) draws.
void ExpectSameAsEveryPoint(const std::vector<double>& xy, const View& view, size_t maxPoints,
                            const std::vector<double>* drawn = nullptr)
{
    const XYSerie serie = SerieOf(xy);
    const chart::ReducedLine line = Reduce(serie, view);
    EXPECT_LE(line.points.size(), maxPoints);
    const wxImage reduced = DrawReduced(line);
    const wxImage every = DrawEveryPoint(drawn ? *drawn : xy, view);
    EXPECT_GE(BlackIn(every, wxRect(0, 0, kWidth, kHeight)), kWidth);
    EXPECT_EQ(Differing(reduced, every), 0);
    // Filled as column spans, too, the reduced line covers what the line
    // through every point covers.
    const std::set<std::pair<int, int>> spans = ReducedSpanPixels(line);
    EXPECT_GE(spans.size(), static_cast<size_t>(kWidth));
    EXPECT_TRUE(spans == EveryPointSpanPixels(drawn ? *drawn : xy, view));
}

} // namespace

TEST(ChartReduction, DrawsTheSamePixelsAsEveryPoint)
{
    {
        SCOPED_TRACE("20000 noisy points, 25 a column");
        ExpectSameAsEveryPoint(Noisy(20000, 1), kWhole, 4 * kWidth);
    }
    {
        SCOPED_TRACE("400000 noisy points, 500 a column");
        ExpectSameAsEveryPoint(Noisy(400000, 2), View{0, 399999 / 25.0}, 4 * kWidth);
    }
    {
        SCOPED_TRACE("spikes and steps");
        ExpectSameAsEveryPoint(Spiky(20000), kWhole, 4 * kWidth);
    }
    {
        SCOPED_TRACE("300 points, far apart and steep");
        std::mt19937 random(7);
        std::vector<double> xy;
        for (int i = 0; i < 300; ++i) {
            xy.push_back(i * 2.5 + 0.1);
            xy.push_back(static_cast<double>(random() % 399) + 0.3);
        }
        ExpectSameAsEveryPoint(xy, kWhole, 300);
    }
    {
        SCOPED_TRACE("records out of time order");
        std::vector<double> xy = Noisy(20000, 3);
        std::mt19937 random(11);
        for (int k = 0; k < 50; ++k) {
            const size_t a = 2 * (2000 + random() % 16000), b = 2 * (2000 + random() % 16000);
            std::swap(xy[a], xy[b]);
            std::swap(xy[a + 1], xy[b + 1]);
        }
        std::reverse(xy.begin() + 2 * 8000, xy.begin() + 2 * 8400); // (y, x) pairs ...
        for (size_t i = 8000; i < 8400; ++i)
            std::swap(xy[2 * i], xy[2 * i + 1]); // ... back to (x, y), in reverse order
        ExpectSameAsEveryPoint(xy, kWhole, 20000);
    }
}

// The points of in-order xy from the last one left of the view's first
// column to the first one right of its last column.
std::vector<double> Visible(const std::vector<double>& xy, const View& view)
{
    size_t begin = 0, end = xy.size() / 2;
    while (begin + 1 < end && view.Pixel(xy[2 * (begin + 1)], 0).x < -1)
        ++begin;
    while (end > begin + 1 && view.Pixel(xy[2 * (end - 2)], 0).x > kWidth)
        --end;
    return std::vector<double>(xy.begin() + static_cast<long>(2 * begin),
                               xy.begin() + static_cast<long>(2 * end));
}

TEST(ChartReduction, ZoomedInDrawsTheSamePixelsAsEveryPoint)
{
    // An eighth of the 20000 points' range (3 a column) and a 128th (a
    // point every 5 columns); the line runs in from beyond both edges.
    const View eighth{300, 300 + 799.0 / 8}, hundredTwentyEighth{400, 400 + 799.0 / 128};
    for (const View& view : {eighth, hundredTwentyEighth}) {
        SCOPED_TRACE(view.xHi);
        for (const std::vector<double>& xy : {Noisy(20000, 4), Spiky(20000)}) {
            const std::vector<double> visible = Visible(xy, view);
            ExpectSameAsEveryPoint(xy, view, 4 * (kWidth + 2) + 2, &visible);
        }
    }
}

TEST(ChartReduction, ADropoutBreaksTheLine)
{
    // 200 points 4 columns apart along row 199 - (i % 3), a NaN at 100.
    std::vector<double> xy;
    for (int i = 0; i < 200; ++i) {
        xy.push_back(i * 4.0);
        xy.push_back(i == 100 ? kNaN : 200 + i % 3);
    }
    const XYSerie serie = SerieOf(xy);
    const chart::ReducedLine line = Reduce(serie, kWhole);
    ASSERT_EQ(line.RunCount(), 2u);
    EXPECT_EQ(line.source[line.RunEnd(0) - 1], 99u);
    EXPECT_EQ(line.source[line.RunBegin(1)], 101u);

    const wxImage image = DrawReduced(line);
    EXPECT_EQ(Differing(image, DrawEveryPoint(xy, kWhole)), 0);
    const std::set<std::pair<int, int>> spans = ReducedSpanPixels(line);
    EXPECT_TRUE(spans == EveryPointSpanPixels(xy, kWhole));
    EXPECT_EQ(std::count_if(spans.begin(), spans.end(),
                            [](const std::pair<int, int>& p) { return p.first >= 397 && p.first <= 403; }),
              0);
    // Drawn up to column 396 and from column 404; the 7 columns between are
    // background.
    EXPECT_GT(BlackIn(image, wxRect(396, 0, 1, kHeight)), 0);
    EXPECT_GT(BlackIn(image, wxRect(404, 0, 1, kHeight)), 0);
    EXPECT_EQ(BlackIn(image, wxRect(397, 0, 7, kHeight)), 0);

    // A reading alone between two dropouts is a run of its own, drawn as a
    // dot.
    const std::vector<double> alone = {0, 10, 1, kNaN, 2, 20, 3, kNaN, 4, 30, 5, 40};
    const chart::ReducedLine dots = chart::ReduceSerie(SerieOf(alone), 0, 5, 0, 6, 0, 99, 99, 100);
    EXPECT_EQ(dots.runStarts, (std::vector<size_t>{0, 1, 2}));
    EXPECT_EQ(dots.points,
              (std::vector<wxPoint>{wxPoint(0, 89), wxPoint(2, 79), wxPoint(4, 69), wxPoint(5, 59)}));
}

TEST(ChartReduction, AHundredthOfTheRangeRunsToBothEdgesWithItsSpike)
{
    // 200000 minute records; the view is a hundredth of their span starting
    // at record 100000, 2000 records over 800 columns. Record 100700 is a
    // spike to 390 (the others lie in 100 .. 300), 700 minutes into the view:
    // column round(700 / (199999 / 100) * 799) = 280.
    const size_t n = 200000;
    std::vector<double> xy(2 * n);
    std::mt19937 random(5);
    for (size_t i = 0; i < n; ++i) {
        xy[2 * i] = static_cast<double>(i) / 1440.0;
        xy[2 * i + 1] = 100 + static_cast<double>(random() % 200) + 0.3;
    }
    xy[2 * 100700 + 1] = 390;
    const XYSerie serie = SerieOf(xy);
    const double xLo = 100000 / 1440.0, xHi = xLo + (n - 1) / 1440.0 / 100;
    const chart::ReducedLine line =
        chart::ReduceSerie(serie, xLo, xHi, 0, kWidth, 0, kHeight - 1, kHeight - 1, kHeight);

    // At most four points a column of the plot and of the column just
    // beyond each edge (its strokes can touch the edge column), and one
    // point further out on each side: the line runs in from beyond both
    // edges. Record 99996 lies in column -2, 102004 in column 801.
    EXPECT_LE(line.points.size(), 4u * (kWidth + 2) + 2);
    ASSERT_EQ(line.RunCount(), 1u);
    EXPECT_EQ(line.source.front(), 99996u);
    EXPECT_EQ(line.points.front().x, -2);
    EXPECT_EQ(line.source.back(), 102004u);
    EXPECT_EQ(line.points.back().x, kWidth + 1);
    const auto spike = std::find(line.source.begin(), line.source.end(), 100700u);
    ASSERT_NE(spike, line.source.end());
    EXPECT_EQ(line.points[static_cast<size_t>(spike - line.source.begin())], wxPoint(280, 9));

    const wxImage image = DrawReduced(line);
    EXPECT_GT(BlackIn(image, wxRect(0, 0, 1, kHeight)), 0);
    EXPECT_GT(BlackIn(image, wxRect(kWidth - 1, 0, 1, kHeight)), 0);
    EXPECT_EQ(image.GetRed(280, 9), 0);
    // Nothing else reaches that high.
    EXPECT_EQ(BlackIn(image, wxRect(0, 0, kWidth, 60)), BlackIn(image, wxRect(279, 0, 3, 60)));
}
