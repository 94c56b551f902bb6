// The arithmetic behind zooming and panning the time axis: at the ends of
// the data, at the smallest span, and with input no view should come from.
#include "wx_test_util.h"

#include "chart/ViewRange.h"

#include <cmath>
#include <limits>
#include <ostream>

namespace chart {
void PrintTo(const Range& range, std::ostream* os)
{
    *os << "[" << range.lo << ", " << range.hi << "]";
}
} // namespace chart

namespace {

using chart::FitView;
using chart::PanView;
using chart::Range;
using chart::ZoomView;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// What any axis can be given: finite and increasing.
::testing::AssertionResult Usable(const Range& range)
{
    if (std::isfinite(range.lo) && std::isfinite(range.hi) && range.lo < range.hi)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "[" << range.lo << ", " << range.hi << "] is not a usable range";
}

} // namespace

TEST(ViewRange, ZoomingAtTheEndsOfTheDataKeepsTheAnchoredRecordInView)
{
    const Range full{0, 100};
    // The pointer on the first record of a view at the start: it stays the
    // first column, in and out.
    EXPECT_EQ(ZoomView({0, 40}, full, 0.5, 0, 0), (Range{0, 20}));
    EXPECT_EQ(ZoomView({0, 20}, full, 1.5, 0, 0), (Range{0, 30}));
    // The same on the last record, also where the span is no round number:
    // the view ends exactly at the last record, never a hair before it.
    EXPECT_EQ(ZoomView({80, 100}, full, 1.5, 100, 0), (Range{70, 100}));
    const Range endAtTen = ZoomView({8, 10}, {0, 10}, 0.8, 10, 0);
    EXPECT_EQ(endAtTen.hi, 10.0);
    EXPECT_DOUBLE_EQ(endAtTen.lo, 8.4);
    // Inside the view the anchor keeps its share on either side.
    EXPECT_EQ(ZoomView({40, 60}, full, 0.5, 45, 0), (Range{42.5, 52.5}));
    // Zooming out near an end is pushed back inside without losing span.
    EXPECT_EQ(ZoomView({10, 30}, full, 3, 20, 0), (Range{0, 60}));
    EXPECT_EQ(ZoomView({70, 90}, full, 3, 80, 0), (Range{40, 100}));
    // An anchor off the view counts as the view's nearer end.
    EXPECT_EQ(ZoomView({40, 60}, full, 0.5, -1000, 0), (Range{40, 50}));
    EXPECT_EQ(ZoomView({40, 60}, full, 0.5, 1000, 0), (Range{50, 60}));
}

TEST(ViewRange, ZoomingInStopsAtExactlyTheSmallestSpan)
{
    const Range full{0, 100};
    EXPECT_EQ(ZoomView({40, 60}, full, 0.01, 50, 2), (Range{49, 51}));
    // Once there, further zooming changes nothing.
    EXPECT_EQ(ZoomView({49, 51}, full, 0.5, 50, 2), (Range{49, 51}));
    EXPECT_EQ(ZoomView({49, 51}, full, 0.5, 49.5, 2), (Range{49, 51}));
    // At the end of the data the smallest view still ends at the last record.
    EXPECT_EQ(ZoomView({90, 100}, full, 0.01, 100, 3), (Range{97, 100}));
    EXPECT_EQ(ZoomView({0, 10}, full, 0.01, 0, 3), (Range{0, 3}));
    // A view narrower than the smallest span (the limit raised since) is
    // widened to it around its centre.
    EXPECT_EQ(ZoomView({50, 51}, full, 0.5, 50.5, 4), (Range{48.5, 52.5}));
    // A smallest span wider than all the data: there is nothing to zoom.
    EXPECT_EQ(ZoomView({40, 60}, full, 0.5, 50, 200), full);

    // No smallest span: zooming in for ever ends where doubles run out,
    // around the anchor, and never jumps back to the whole.
    Range view = full;
    for (int notch = 0; notch < 400; ++notch) {
        view = ZoomView(view, full, 0.8, 1, 0);
        ASSERT_TRUE(Usable(view)) << "after " << notch + 1 << " notches";
    }
    EXPECT_LE(view.lo, 1.0);
    EXPECT_GE(view.hi, 1.0);
    EXPECT_LT(view.Span(), 1e-14);
}

TEST(ViewRange, ZoomingOutPastTheWholeGivesExactlyTheWhole)
{
    EXPECT_EQ(ZoomView({40, 60}, {0, 100}, 100, 45, 0), (Range{0, 100}));
    EXPECT_EQ(ZoomView({-3.5, 2}, {-7.25, 12.5}, 4, 0, 0), (Range{-7.25, 12.5}));
    // Just enough to cover all: the whole, not an ulp short of it.
    EXPECT_EQ(ZoomView({30, 80}, {0, 100}, 2, 55, 0), (Range{0, 100}));
    EXPECT_TRUE(chart::CoversWhole(ZoomView({0.1, 0.3}, {0.1, 0.7}, 3, 0.2, 0), {0.1, 0.7}));
    // In by 0.8 three times and out by 1.25 as often: rounding leaves the
    // span a hair short of the whole, which is still the whole.
    Range view{0, 100};
    for (int notch = 0; notch < 3; ++notch)
        view = ZoomView(view, {0, 100}, 0.8, 30.034722222222225, 0);
    for (int notch = 0; notch < 3; ++notch)
        view = ZoomView(view, {0, 100}, 1.25, 30.034722222222225, 0);
    EXPECT_EQ(view, (Range{0, 100}));
    // Wider than the data already: the data's range.
    EXPECT_EQ(FitView({-50, 150}, {0, 100}, 0), (Range{0, 100}));
}

TEST(ViewRange, PanningStopsAtTheEndsKeepingTheSpan)
{
    const Range full{0, 100};
    EXPECT_EQ(PanView({10, 30}, full, 5, 0), (Range{15, 35}));
    EXPECT_EQ(PanView({10, 30}, full, -5, 0), (Range{5, 25}));
    EXPECT_EQ(PanView({10, 30}, full, -50, 0), (Range{0, 20}));
    EXPECT_EQ(PanView({10, 30}, full, 1000, 0), (Range{80, 100}));
    // At an end already: pressing on changes nothing.
    EXPECT_EQ(PanView({80, 100}, full, 10, 0), (Range{80, 100}));
    EXPECT_EQ(PanView({0, 20}, full, -10, 0), (Range{0, 20}));
    // The whole has nowhere to go.
    EXPECT_EQ(PanView(full, full, 10, 0), full);
    // Data that does not start at zero.
    EXPECT_EQ(PanView({-2, 2}, {-8, 40}, -100, 1), (Range{-8, -4}));
}

TEST(ViewRange, AFittingViewIsKeptExactly)
{
    // A view inside the data comes back as given, or every zoom and pan
    // would creep.
    EXPECT_EQ(FitView({0.1, 3.5}, {0, 10}, 0), (Range{0.1, 3.5}));
    EXPECT_EQ(FitView({0.6, 6.0000000000000009}, {0, 10}, 0), (Range{0.6, 6.0000000000000009}));
    // Past an end: moved to that end with its span.
    EXPECT_EQ(FitView({-10, 10}, {0, 100}, 0), (Range{0, 20}));
    EXPECT_EQ(FitView({95, 105}, {0, 100}, 0), (Range{90, 100}));
    // Narrower than the smallest span: widened around its centre, or at
    // the end it touches.
    EXPECT_EQ(FitView({40, 41}, {0, 100}, 4), (Range{38.5, 42.5}));
    EXPECT_EQ(FitView({99, 100}, {0, 100}, 4), (Range{96, 100}));
    EXPECT_EQ(FitView({0, 0.5}, {0, 100}, 4), (Range{0, 4}));
}

TEST(ViewRange, BadInputGivesAUsableRange)
{
    const Range full{0, 100};
    // A view that is no range: the whole.
    EXPECT_EQ(FitView({kNaN, 40}, full, 0), full);
    EXPECT_EQ(FitView({60, 40}, full, 0), full);
    EXPECT_EQ(FitView({50, 50}, full, 0), full);
    EXPECT_EQ(FitView({-kInf, kInf}, full, 0), full);
    EXPECT_EQ(ZoomView({60, 40}, full, 0.5, 50, 0), full);
    EXPECT_EQ(ZoomView({kNaN, kNaN}, full, 0.5, 50, 0), full);
    EXPECT_EQ(PanView({60, 40}, full, 5, 0), full);
    // A factor, anchor, delta or smallest span that is no number.
    EXPECT_EQ(ZoomView({40, 60}, full, kNaN, 50, 0), (Range{40, 60}));
    EXPECT_EQ(ZoomView({40, 60}, full, 0, 50, 0), (Range{40, 60}));
    EXPECT_EQ(ZoomView({40, 60}, full, -2, 50, 0), (Range{40, 60}));
    EXPECT_EQ(ZoomView({40, 60}, full, kInf, 50, 0), (Range{40, 60}));
    EXPECT_EQ(ZoomView({40, 60}, full, 0.5, kNaN, 0), (Range{45, 55}));
    EXPECT_EQ(ZoomView({40, 60}, full, 0.5, 50, kNaN), (Range{45, 55}));
    EXPECT_EQ(ZoomView({40, 60}, full, 0.5, 50, -3), (Range{45, 55}));
    EXPECT_EQ(PanView({40, 60}, full, kNaN, 0), (Range{40, 60}));
    EXPECT_EQ(PanView({40, 60}, full, -kInf, 0), (Range{40, 60}));

    // Data of one record's time (no span), reversed or without bounds:
    // still a view an axis can show, never NaN.
    EXPECT_EQ(FitView({1, 2}, {5, 5}, 0), (Range{4.5, 5.5}));
    EXPECT_EQ(FitView({-5, 5}, {0, 0}, 0), (Range{-1, 1}));
    EXPECT_EQ(ZoomView({5, 5}, {5, 5}, 0.5, 5, 0), (Range{4.5, 5.5}));
    EXPECT_EQ(PanView({4.5, 5.5}, {5, 5}, 3, 0), (Range{4.5, 5.5}));
    EXPECT_EQ(FitView({1, 2}, {10, 0}, 0), (Range{1, 2}));
    EXPECT_EQ(FitView({-5, 20}, {10, 0}, 0), (Range{0, 10}));
    EXPECT_EQ(FitView({1, 2}, {kNaN, kNaN}, 0), (Range{0, 1}));
    EXPECT_EQ(FitView({1, 2}, {0, kInf}, 0), (Range{0, 1}));
    for (const Range& bad :
         {Range{kNaN, kNaN}, Range{kNaN, 3}, Range{7, 7}, Range{9, -9}, Range{-kInf, kInf}}) {
        SCOPED_TRACE(::testing::PrintToString(bad));
        EXPECT_TRUE(Usable(FitView(bad, bad, 0)));
        EXPECT_TRUE(Usable(ZoomView(bad, bad, 0.5, kNaN, 1)));
        EXPECT_TRUE(Usable(ZoomView({1, 2}, bad, 2, 1.5, 0)));
        EXPECT_TRUE(Usable(PanView({1, 2}, bad, 1, 0)));
        EXPECT_TRUE(Usable(PanView(bad, bad, kNaN, kNaN)));
    }
}
