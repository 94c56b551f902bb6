// Axis ranges and ticks, dataset-to-axis links, series and renderers: the
// numbers the chart is drawn from.
#include "wx_test_util.h"

#include "chart_builder.h"

#include "chart/BandLayer.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// A plot with one dataset per series in the default colours, vertical axis
// k for dataset k and one bottom axis for all.
std::unique_ptr<XYPlot> PlotOf(const std::vector<std::vector<double>>& series)
{
    std::vector<ChartChannel> channels;
    for (const auto& xy : series)
        channels.push_back({wxColour(), xy});
    return MakeChannelPlot(channels);
}

// The range and ticks every axis must have, whatever its data.
void ExpectSaneAxis(const NumberAxis& axis)
{
    const double lo = axis.GetMinValue(), hi = axis.GetMaxValue();
    ASSERT_TRUE(std::isfinite(lo));
    ASSERT_TRUE(std::isfinite(hi));
    ASSERT_LT(lo, hi);
    for (int target : {2, 5, 10}) {
        const std::vector<double> ticks = axis.GetTickValues(target);
        EXPECT_LE(ticks.size(), 8u);
        const double step = axis.GetTickStep(target);
        for (size_t i = 0; i < ticks.size(); ++i) {
            EXPECT_GE(ticks[i], lo);
            EXPECT_LE(ticks[i], hi);
            if (i > 0) {
                EXPECT_GT(ticks[i], ticks[i - 1]);
            }
            const wxString label = NumberAxis::FormatTickLabel(ticks[i], step);
            EXPECT_FALSE(label.empty());
            EXPECT_LE(label.length(), 24u) << label;
        }
    }
}

} // namespace

TEST(ChartAxis, NiceStepsAreOneTwoOrFiveTimesAPowerOfTen)
{
    EXPECT_DOUBLE_EQ(chart::NiceStep(0.7), 1);
    EXPECT_DOUBLE_EQ(chart::NiceStep(1), 1);
    EXPECT_DOUBLE_EQ(chart::NiceStep(1.1), 2);
    EXPECT_DOUBLE_EQ(chart::NiceStep(3), 5);
    EXPECT_DOUBLE_EQ(chart::NiceStep(6), 10);
    EXPECT_DOUBLE_EQ(chart::NiceStep(45.6), 50);
    EXPECT_DOUBLE_EQ(chart::NiceStep(0.013), 0.02);
    EXPECT_DOUBLE_EQ(chart::NiceStep(1e-7), 1e-7);
    EXPECT_DOUBLE_EQ(chart::NiceStep(4.3e8), 5e8);
    // Unusable inputs give no step rather than a loop without end.
    EXPECT_EQ(chart::NiceStep(0), 0);
    EXPECT_EQ(chart::NiceStep(-1), 0);
    EXPECT_EQ(chart::NiceStep(kNaN), 0);
    EXPECT_EQ(chart::NiceStep(kInf), 0);
    const double top = chart::NiceStep(DBL_MAX);
    EXPECT_TRUE(top == 0 || std::isfinite(top));

    EXPECT_EQ(chart::TicksInRange(0, 365, 50, 100),
              (std::vector<double>{0, 50, 100, 150, 200, 250, 300, 350}));
    EXPECT_EQ(chart::TicksInRange(-7, 7, 5, 100), (std::vector<double>{-5, 0, 5}));
    EXPECT_EQ(chart::TicksInRange(0, 365, 50, 3).size(), 3u);
    EXPECT_TRUE(chart::TicksInRange(0, 1, 0, 100).empty());
    EXPECT_TRUE(chart::TicksInRange(0, 1, kNaN, 100).empty());
    EXPECT_TRUE(chart::TicksInRange(kNaN, 1, 0.1, 100).empty());
    EXPECT_TRUE(chart::TicksInRange(2, 1, 0.1, 100).empty());
    // Steps below the resolution of the values: no endless or repeated ticks.
    const std::vector<double> fine = chart::TicksInRange(1e17, 1e17 + 64, 1, 1000);
    EXPECT_LE(fine.size(), 65u);
    for (size_t i = 1; i < fine.size(); ++i) {
        EXPECT_GT(fine[i], fine[i - 1]);
    }
}

TEST(ChartAxis, RangeComesFromTheLinkedDataOnly)
{
    std::unique_ptr<XYPlot> plot(PlotOf({{0, 2, 1, 9, 2, 4}, {0, -3, 10, 0.5}}));
    const NumberAxis& first = *plot->GetVerticalAxis(0);
    const NumberAxis& second = *plot->GetVerticalAxis(1);
    const NumberAxis& days = *plot->GetHorizontalAxis(0);
    EXPECT_DOUBLE_EQ(first.GetMinValue(), 2);
    EXPECT_DOUBLE_EQ(first.GetMaxValue(), 9);
    EXPECT_DOUBLE_EQ(second.GetMinValue(), -3);
    EXPECT_DOUBLE_EQ(second.GetMaxValue(), 0.5);
    EXPECT_DOUBLE_EQ(days.GetMinValue(), 0); // x of both datasets
    EXPECT_DOUBLE_EQ(days.GetMaxValue(), 10);

    // A year of days in days-sized steps, and a PH-like range in tenths.
    std::unique_ptr<XYPlot> year(PlotOf({{0, 5.8, 365, 7.1}}));
    EXPECT_EQ(year->GetHorizontalAxis(0)->GetTickValues(8),
              (std::vector<double>{0, 50, 100, 150, 200, 250, 300, 350}));
    EXPECT_DOUBLE_EQ(year->GetVerticalAxis(0)->GetTickStep(10), 0.2);
    const std::vector<double> ph = year->GetVerticalAxis(0)->GetTickValues(10);
    ASSERT_EQ(ph.size(), 7u); // 5.8 .. 7.0
    EXPECT_EQ(NumberAxis::FormatTickLabel(ph[0], 0.2), "5.8");
    EXPECT_EQ(NumberAxis::FormatTickLabel(ph[2], 0.2), "6.2");
    EXPECT_EQ(NumberAxis::FormatTickLabel(ph[6], 0.2), "7.0");
    // Ends that are multiples of the step are ticks, rounding or not.
    std::unique_ptr<XYPlot> tenths(PlotOf({{0.3, 0, 0.7, 1}}));
    const std::vector<double> ends = tenths->GetHorizontalAxis(0)->GetTickValues(4);
    ASSERT_EQ(ends.size(), 5u);
    EXPECT_DOUBLE_EQ(ends.front(), 0.3);
    EXPECT_DOUBLE_EQ(ends.back(), 0.7);
}

TEST(ChartAxis, EdgeRangesStaySaneAndFinite)
{
    // No data at all: the default range.
    {
        XYPlot plot;
        plot.AddAxis(std::make_unique<NumberAxis>(AXIS_BOTTOM));
        EXPECT_EQ(plot.GetHorizontalAxis(0)->GetMinValue(), 0);
        EXPECT_EQ(plot.GetHorizontalAxis(0)->GetMaxValue(), 1);
        ExpectSaneAxis(*plot.GetHorizontalAxis(0));
    }
    // One record: one x and one y each, widened around the value.
    {
        std::unique_ptr<XYPlot> plot(PlotOf({{0, 6.5}}));
        const NumberAxis& y = *plot->GetVerticalAxis(0);
        EXPECT_LT(y.GetMinValue(), 6.5);
        EXPECT_GT(y.GetMaxValue(), 6.5);
        EXPECT_LT(plot->GetHorizontalAxis(0)->GetMinValue(), 0);
        EXPECT_GT(plot->GetHorizontalAxis(0)->GetMaxValue(), 0);
        ExpectSaneAxis(y);
        ExpectSaneAxis(*plot->GetHorizontalAxis(0));
    }
    // All values equal, at zero, at the largest EC word, at the largest double.
    for (double value : {0.0, 1500.0, 4294967295.0, -4294967295.0, 1e-300, DBL_MAX, -DBL_MAX}) {
        SCOPED_TRACE(value);
        std::unique_ptr<XYPlot> plot(PlotOf({{0, value, 1, value, 2, value}}));
        const NumberAxis& y = *plot->GetVerticalAxis(0);
        EXPECT_LE(y.GetMinValue(), value);
        EXPECT_GE(y.GetMaxValue(), value);
        ExpectSaneAxis(y);
    }
    // A range whose span overflows a double.
    {
        std::unique_ptr<XYPlot> plot(PlotOf({{-DBL_MAX, -DBL_MAX, DBL_MAX, DBL_MAX}}));
        EXPECT_EQ(plot->GetVerticalAxis(0)->GetMinValue(), -DBL_MAX);
        EXPECT_EQ(plot->GetVerticalAxis(0)->GetMaxValue(), DBL_MAX);
        ExpectSaneAxis(*plot->GetVerticalAxis(0));
        ExpectSaneAxis(*plot->GetHorizontalAxis(0));
    }
    // EC words from 0 to 4294967295: whole-number labels.
    {
        std::unique_ptr<XYPlot> plot(PlotOf({{0, 0, 1, 4294967295.0}}));
        const NumberAxis& y = *plot->GetVerticalAxis(0);
        EXPECT_EQ(y.GetMaxValue(), 4294967295.0);
        ExpectSaneAxis(y);
        EXPECT_EQ(NumberAxis::FormatTickLabel(4e9, y.GetTickStep(10)), "4000000000");
    }
    // NaN and infinite values are left out of the range; a point with one
    // of them in x or y is left out of both ranges.
    {
        std::unique_ptr<XYPlot> plot(
            PlotOf({{0, kNaN, 1, kInf, 2, 3, kNaN, 100, 3, -kInf, 4, 5, kInf, -50, 5, 4}}));
        EXPECT_EQ(plot->GetVerticalAxis(0)->GetMinValue(), 3);
        EXPECT_EQ(plot->GetVerticalAxis(0)->GetMaxValue(), 5);
        EXPECT_EQ(plot->GetHorizontalAxis(0)->GetMinValue(), 2);
        EXPECT_EQ(plot->GetHorizontalAxis(0)->GetMaxValue(), 5);
    }
    // Nothing finite at all behaves like no data.
    {
        std::unique_ptr<XYPlot> plot(PlotOf({{kNaN, kNaN, 1, kInf}}));
        EXPECT_EQ(plot->GetVerticalAxis(0)->GetMinValue(), 0);
        EXPECT_EQ(plot->GetVerticalAxis(0)->GetMaxValue(), 1);
    }
}

// The labels of an axis over values lo .. hi (two points) asking for target.
std::vector<std::string> LabelsOf(double lo, double hi, int target)
{
    std::unique_ptr<XYPlot> plot(PlotOf({{0, lo, 1, hi}}));
    const NumberAxis& axis = *plot->GetVerticalAxis(0);
    std::vector<std::string> labels;
    for (double tick : axis.GetTickValues(target))
        labels.push_back(NumberAxis::FormatTickLabel(tick, axis.GetTickStep(target)).utf8_string());
    return labels;
}

using Labels = std::vector<std::string>;

TEST(ChartAxis, EveryAxisGetsThreeToEightLabels)
{
    // A PH probe swept over its scale: not just "5" and "10".
    for (int target : {3, 5, 8}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(LabelsOf(0.5, 14, target), (Labels{"2", "4", "6", "8", "10", "12", "14"}));
    }
    // EC readings close together: the nearest count to the target, the finer
    // step on a tie.
    EXPECT_EQ(LabelsOf(1000, 1012, 3), (Labels{"1000", "1005", "1010"}));
    EXPECT_EQ(LabelsOf(1000, 1012, 5), (Labels{"1000", "1002", "1004", "1006", "1008", "1010", "1012"}));
    EXPECT_EQ(LabelsOf(1000, 1012, 8), (Labels{"1000", "1002", "1004", "1006", "1008", "1010", "1012"}));
    // The whole range of an EC word.
    EXPECT_EQ(LabelsOf(0, 4294967295.0, 5),
              (Labels{"0", "1000000000", "2000000000", "3000000000", "4000000000"}));
    EXPECT_EQ(LabelsOf(0, 4294967295.0, 3), (Labels{"0", "2000000000", "4000000000"}));
    // One value: the range around it still gets several labels.
    EXPECT_EQ(LabelsOf(6.5, 6.5, 5), (Labels{"6.0", "6.2", "6.4", "6.6", "6.8", "7.0"}));
    EXPECT_EQ(LabelsOf(1500, 1500, 5), (Labels{"1350", "1400", "1450", "1500", "1550", "1600", "1650"}));
    EXPECT_EQ(LabelsOf(0, 0, 5), (Labels{"-1.0", "-0.5", "0.0", "0.5", "1.0"}));

    // Whatever the range and the target: 3 to 8 ticks, evenly spaced.
    for (double lo : {-273.15, -1.0, 0.0, 0.5, 6.02, 1000.0, 1e9}) {
        for (double span = 1e-6; span < 1e13; span *= 1.37) {
            for (int target = 1; target <= 12; ++target) {
                const double hi = lo + span;
                const double step = chart::PickTickStep(lo, hi, {3, target, 8});
                const std::vector<double> ticks = chart::TicksInRange(lo, hi, step, 100);
                ASSERT_GE(ticks.size(), 3u) << lo << " .. " << hi << " for " << target;
                ASSERT_LE(ticks.size(), 8u) << lo << " .. " << hi << " for " << target;
            }
        }
    }
    EXPECT_EQ(chart::PickTickStep(1, 1, {}), 0);
    EXPECT_EQ(chart::PickTickStep(2, 1, {}), 0);
    EXPECT_EQ(chart::PickTickStep(kNaN, 1, {}), 0);
}

TEST(ChartAxis, ValuesTheRangePolicyLeavesOutDoNotStretchIt)
{
    // An unset EC word among readings.
    const std::vector<double> ec = {0, 1000, 1, 1012, 2, 4294967295.0, 3, 1006, 4, kNaN};
    {
        std::unique_ptr<XYPlot> plot(
            MakeChannelPlot({{wxColour(), ec, wxColour(), XYLineRenderer(), {{0, 1e5}}}}));
        const NumberAxis& y = *plot->GetVerticalAxis(0);
        EXPECT_EQ(y.GetMinValue(), 1000);
        EXPECT_EQ(y.GetMaxValue(), 1012);
        // The point is still there to be drawn, and the time axis still spans it.
        EXPECT_EQ(plot->GetDataset(0)->GetSerie(0)->GetY(2), 4294967295.0);
        EXPECT_EQ(plot->GetHorizontalAxis(0)->GetMaxValue(), 3);
    }
    // Without the rule the word squashes the readings.
    {
        std::unique_ptr<XYPlot> plot(PlotOf({ec}));
        EXPECT_EQ(plot->GetVerticalAxis(0)->GetMaxValue(), 4294967295.0);
    }
    // Nothing plausible at all: the axis shows what there is.
    {
        std::unique_ptr<XYPlot> plot(MakeChannelPlot(
            {{wxColour(), {0, 4294967295.0, 1, 4294967295.0}, wxColour(), XYLineRenderer(), {{0, 1e5}}}}));
        EXPECT_LE(plot->GetVerticalAxis(0)->GetMinValue(), 4294967295.0);
        EXPECT_GE(plot->GetVerticalAxis(0)->GetMaxValue(), 4294967295.0);
    }
    // A million points: whole blocks inside the range, one outlier, and the
    // range's ends themselves, which count.
    {
        const size_t n = 1000000;
        std::vector<double> big(2 * n);
        for (size_t i = 0; i < n; ++i) {
            big[2 * i] = static_cast<double>(i);
            big[2 * i + 1] = 10 + static_cast<double>(i % 7);
        }
        big[2 * 500001 + 1] = 4294967295.0;
        big[2 * 700003 + 1] = 100;
        big[2 * 900007 + 1] = -5;
        big[2 * 900008 + 1] = 0;
        std::unique_ptr<XYPlot> plot(
            MakeChannelPlot({{wxColour(), big, wxColour(), XYLineRenderer(), {{0, 100}}}}));
        EXPECT_EQ(plot->GetVerticalAxis(0)->GetMinValue(), 0);
        EXPECT_EQ(plot->GetVerticalAxis(0)->GetMaxValue(), 100);
    }
}

TEST(ChartAxis, TickLabelsUseTheDecimalsTheStepNeeds)
{
    EXPECT_EQ(NumberAxis::FormatTickLabel(50, 50), "50");
    EXPECT_EQ(NumberAxis::FormatTickLabel(0.5, 0.5), "0.5");
    EXPECT_EQ(NumberAxis::FormatTickLabel(0.25, 0.05), "0.25");
    EXPECT_EQ(NumberAxis::FormatTickLabel(7, 0.2), "7.0");
    EXPECT_EQ(NumberAxis::FormatTickLabel(0.6000000000000001, 0.2), "0.6");
    EXPECT_EQ(NumberAxis::FormatTickLabel(-1e-17, 0.2), "0.0"); // never "-0.0"
    EXPECT_EQ(NumberAxis::FormatTickLabel(4294967295.0, 1), "4294967295");
    EXPECT_EQ(NumberAxis::FormatTickLabel(2e20, 1e20), "2e+20");
    EXPECT_EQ(NumberAxis::FormatTickLabel(3e-12, 1e-12), "3e-12");
    EXPECT_LE(NumberAxis::FormatTickLabel(DBL_MAX, 1e307).length(), 24u);
    EXPECT_EQ(NumberAxis::FormatTickLabel(kNaN, 1), "");
}

TEST(ChartAxis, DatasetsAreLinkedToTheirAxes)
{
    // Like the log view with "EC Channel 1" and "TE Channel 2": two datasets
    // on two left axes, the second dataset on the second axis.
    auto owned = std::make_unique<XYPlot>();
    XYPlot* plot = owned.get();
    const double ec[] = {0, 1200, 1, 1400};
    const double te[] = {0, 18.5, 1, 21.0};
    for (const double* data : {ec, te}) {
        auto dataset = std::make_unique<XYSimpleDataset>();
        dataset->AddSerie(data, 2);
        plot->AddDataset(std::move(dataset));
    }
    plot->AddAxis(std::make_unique<NumberAxis>(AXIS_LEFT));
    plot->AddAxis(std::make_unique<NumberAxis>(AXIS_LEFT));
    plot->AddAxis(std::make_unique<NumberAxis>(AXIS_BOTTOM));
    EXPECT_EQ(plot->GetDatasetVerticalAxis(0), -1);
    EXPECT_EQ(plot->GetDatasetHorizontalAxis(1), -1);
    EXPECT_EQ(plot->GetDatasetVerticalAxis(7), -1);
    plot->LinkDataVerticalAxis(0, 0);
    plot->LinkDataVerticalAxis(1, 1);
    plot->LinkDataHorizontalAxis(0, 0);
    plot->LinkDataHorizontalAxis(1, 0);
    Chart chart(std::move(owned), "Log File");

    EXPECT_EQ(chart.GetTitle(), "Log File");
    ASSERT_EQ(chart.GetPlot(), plot);
    EXPECT_EQ(plot->GetDatasetCount(), 2u);
    EXPECT_EQ(plot->GetVerticalAxisCount(), 2u);
    EXPECT_EQ(plot->GetHorizontalAxisCount(), 1u);
    EXPECT_EQ(plot->GetDatasetVerticalAxis(0), 0);
    EXPECT_EQ(plot->GetDatasetVerticalAxis(1), 1);
    EXPECT_EQ(plot->GetDatasetHorizontalAxis(0), 0);
    EXPECT_EQ(plot->GetDatasetHorizontalAxis(1), 0);
    EXPECT_EQ(plot->GetVerticalAxis(0)->GetMaxValue(), 1400);
    EXPECT_EQ(plot->GetVerticalAxis(1)->GetMaxValue(), 21.0);
    EXPECT_EQ(plot->GetVerticalAxis(0)->GetLocation(), AXIS_LEFT);
    EXPECT_EQ(plot->GetHorizontalAxis(0)->GetLocation(), AXIS_BOTTOM);

    // Relinking moves the dataset's range to the other axis.
    plot->LinkDataVerticalAxis(1, 0);
    EXPECT_EQ(plot->GetVerticalAxis(0)->GetMinValue(), 18.5);
    EXPECT_EQ(plot->GetVerticalAxis(1)->GetMinValue(), 0); // nothing left on it
    EXPECT_EQ(plot->GetVerticalAxis(1)->GetMaxValue(), 1);

    // Right axes are vertical, top axes horizontal.
    XYPlot sides;
    sides.AddAxis(std::make_unique<NumberAxis>(AXIS_RIGHT));
    sides.AddAxis(std::make_unique<NumberAxis>(AXIS_TOP));
    EXPECT_EQ(sides.GetVerticalAxis(0)->GetLocation(), AXIS_RIGHT);
    EXPECT_EQ(sides.GetHorizontalAxis(0)->GetLocation(), AXIS_TOP);
}

TEST(ChartAxis, AnUnlinkedDatasetIsShownOnTheFirstAxis)
{
    XYPlot plot;
    const double a[] = {0, 10, 1, 20};
    const double b[] = {5, 100, 6, 200};
    for (const double* data : {a, b}) {
        auto dataset = std::make_unique<XYSimpleDataset>();
        dataset->AddSerie(data, 2);
        plot.AddDataset(std::move(dataset));
    }
    plot.AddAxis(std::make_unique<NumberAxis>(AXIS_LEFT));
    plot.AddAxis(std::make_unique<NumberAxis>(AXIS_LEFT));
    plot.AddAxis(std::make_unique<NumberAxis>(AXIS_BOTTOM));
    plot.LinkDataVerticalAxis(1, 1);
    EXPECT_EQ(plot.GetVerticalAxis(0)->GetMinValue(), 10);
    EXPECT_EQ(plot.GetVerticalAxis(0)->GetMaxValue(), 20);
    EXPECT_EQ(plot.GetVerticalAxis(1)->GetMinValue(), 100);
    EXPECT_EQ(plot.GetHorizontalAxis(0)->GetMinValue(), 0);
    EXPECT_EQ(plot.GetHorizontalAxis(0)->GetMaxValue(), 6);
}

TEST(ChartAxis, SeriesAreCopiedFromInterleavedPoints)
{
    std::vector<double> xy = {0, 1.5, 0.5, 2.5, 1, kNaN};
    XYSimpleDataset dataset;
    dataset.AddSerie(xy.data(), 3);
    dataset.AddSerie(std::make_unique<XYSerie>(xy.data(), 2));
    dataset.AddSerie(nullptr, 0);
    xy.assign(xy.size(), -9); // the caller's array is free to go

    ASSERT_EQ(dataset.GetSerieCount(), 3u);
    const XYSerie& serie = *dataset.GetSerie(0);
    ASSERT_EQ(serie.GetCount(), 3u);
    EXPECT_EQ(serie.GetX(0), 0);
    EXPECT_EQ(serie.GetY(0), 1.5);
    EXPECT_EQ(serie.GetX(1), 0.5);
    EXPECT_EQ(serie.GetY(1), 2.5);
    EXPECT_EQ(serie.GetX(2), 1);
    EXPECT_TRUE(std::isnan(serie.GetY(2)));
    EXPECT_EQ(dataset.GetSerie(1)->GetCount(), 2u);
    EXPECT_EQ(dataset.GetSerie(1)->GetY(1), 2.5);
    EXPECT_EQ(dataset.GetSerie(2)->GetCount(), 0u);

    const XYBounds bounds = dataset.GetBounds();
    ASSERT_FALSE(bounds.empty);
    EXPECT_EQ(bounds.minX, 0);
    EXPECT_EQ(bounds.maxX, 0.5); // (1, NaN) is not a point of the range
    EXPECT_EQ(bounds.minY, 1.5);
    EXPECT_EQ(bounds.maxY, 2.5);

    // A million points, as a year of minute records gives.
    const size_t n = 1000000;
    std::vector<double> big(2 * n);
    for (size_t i = 0; i < n; ++i) {
        big[2 * i] = static_cast<double>(i) / 1440.0;
        big[2 * i + 1] = static_cast<double>(i % 1000);
    }
    XYSerie year(big.data(), n);
    EXPECT_EQ(year.GetCount(), n);
    EXPECT_EQ(year.GetX(n - 1), (n - 1) / 1440.0);
    EXPECT_EQ(year.GetY(n - 1), 999);
    EXPECT_EQ(year.GetBounds().maxY, 999);
}

// How width, lines and symbols show is in test_drawing.cpp.
TEST(ChartAxis, RenderersKeepTheirColours)
{
    XYLineRenderer renderer(false, true, 1, wxPENSTYLE_SOLID);

    // Colours are copied: the caller's colour may go away.
    {
        wxColour cyan(0, 255, 255);
        renderer.SetSerieColour(0, &cyan);
        cyan.Set(1, 2, 3);
    }
    EXPECT_EQ(renderer.GetSerieColour(0), wxColour(0, 255, 255));
    const wxColour yellow(255, 255, 0);
    renderer.SetSerieColour(3, &yellow);
    EXPECT_EQ(renderer.GetSerieColour(3), yellow);
    EXPECT_EQ(renderer.GetSerieColour(0), wxColour(0, 255, 255));
    // Uncoloured series take the colours of a palette of seven in turn; a
    // null colour returns a series to its palette colour.
    EXPECT_EQ(renderer.GetSerieColour(1), wxColour(255, 0, 0));
    EXPECT_EQ(renderer.GetSerieColour(2), wxColour(0, 160, 0));
    EXPECT_EQ(renderer.GetSerieColour(6), wxColour(128, 128, 0));
    EXPECT_EQ(renderer.GetSerieColour(7), wxColour(0, 0, 255));
    EXPECT_EQ(renderer.GetSerieColour(99), wxColour(255, 0, 0)); // 99 = 14 * 7 + 1
    renderer.SetSerieColour(3, nullptr);
    EXPECT_EQ(renderer.GetSerieColour(3), wxColour(255, 128, 0));
    renderer.SetSerieColour(0, nullptr);
    EXPECT_EQ(renderer.GetSerieColour(0), wxColour(0, 0, 255));

    NumberAxis axis(AXIS_LEFT);
    EXPECT_EQ(axis.GetLabelTextColour(), *wxBLACK);
    axis.SetLabelTextColour(yellow);
    axis.SetLabelPen(wxPen(yellow, 1, wxPENSTYLE_SOLID));
    EXPECT_EQ(axis.GetLabelTextColour(), yellow);
    EXPECT_EQ(axis.GetLabelPen().GetColour(), yellow);
    EXPECT_EQ(axis.GetLabelPen().GetWidth(), 1);
}

TEST(ChartAxis, PlotsSharingAnXScaleZoomTogetherEachAxisOnItsOwnData)
{
    // Two plots stacked over one time axis: x 0..100 in both, y 0..10 in
    // the first (y = x / 10) and 500..600 in the second (y = 500 + x).
    std::vector<double> tenths, hundreds;
    for (int x = 0; x <= 100; ++x) {
        tenths.insert(tenths.end(), {double(x), x / 10.0});
        hundreds.insert(hundreds.end(), {double(x), 500.0 + x});
    }
    std::unique_ptr<XYPlot> top = PlotOf({tenths});
    std::unique_ptr<XYPlot> bottom = PlotOf({hundreds});
    bottom->SetXScale(top->GetXScale());
    top->SetViewX(20, 40);
    for (const XYPlot* plot : {top.get(), bottom.get()}) {
        EXPECT_TRUE(plot->HasViewX());
        EXPECT_DOUBLE_EQ(plot->GetViewX().lo, 20);
        EXPECT_DOUBLE_EQ(plot->GetViewX().hi, 40);
    }
    // Each value axis spans the points of its own plot within the view.
    EXPECT_DOUBLE_EQ(top->GetVerticalAxis(0)->GetMinValue(), 2);
    EXPECT_DOUBLE_EQ(top->GetVerticalAxis(0)->GetMaxValue(), 4);
    EXPECT_DOUBLE_EQ(bottom->GetVerticalAxis(0)->GetMinValue(), 520);
    EXPECT_DOUBLE_EQ(bottom->GetVerticalAxis(0)->GetMaxValue(), 540);
    // Panning one moves the other; all shown again in one is in both.
    bottom->SetViewX(60, 80);
    EXPECT_DOUBLE_EQ(top->GetVerticalAxis(0)->GetMinValue(), 6);
    EXPECT_DOUBLE_EQ(top->GetVerticalAxis(0)->GetMaxValue(), 8);
    top->ClearViewX();
    EXPECT_FALSE(bottom->HasViewX());
    EXPECT_DOUBLE_EQ(bottom->GetVerticalAxis(0)->GetMinValue(), 500);
    EXPECT_DOUBLE_EQ(bottom->GetVerticalAxis(0)->GetMaxValue(), 600);
    // A plot of its own again is not moved by the others.
    bottom->SetXScale(std::make_shared<chart::XScale>());
    top->SetViewX(10, 30);
    EXPECT_FALSE(bottom->HasViewX());
}

TEST(ChartAxis, ABandInViewIsShownWholeOnItsOwnAxisOnly)
{
    // Two lines, y 5 on axis 0 and y 50 on axis 1, over x 0..10; bands on
    // axis 0 only: 0..20 over x 2..4 and 100..200 over x 8..9.
    std::unique_ptr<XYPlot> plot = PlotOf({{0, 5, 10, 5}, {0, 50, 10, 50}});
    auto bands = std::make_shared<chart::BandLayer>();
    bands->AddSet({0, wxColour(0, 255, 0), {{2, 4, 10, 0, 20}, {8, 9, 150, 100, 200}}});
    plot->AddLayer(bands);
    const NumberAxis& first = *plot->GetVerticalAxis(0);
    const NumberAxis& second = *plot->GetVerticalAxis(1);
    EXPECT_DOUBLE_EQ(first.GetMinValue(), 0);
    EXPECT_DOUBLE_EQ(first.GetMaxValue(), 200);
    EXPECT_DOUBLE_EQ(second.GetMinValue(), 45); // a single value, widened by a tenth
    EXPECT_DOUBLE_EQ(second.GetMaxValue(), 55);
    // Zoomed to x 1..5 the second band is out of view and out of the range.
    plot->SetViewX(1, 5);
    EXPECT_DOUBLE_EQ(first.GetMinValue(), 0);
    EXPECT_DOUBLE_EQ(first.GetMaxValue(), 20);
    // Bands alone (no points on the axis) make no range: 0..1.
    std::unique_ptr<XYPlot> empty = PlotOf({{}});
    empty->AddLayer(bands);
    EXPECT_DOUBLE_EQ(empty->GetVerticalAxis(0)->GetMinValue(), 0);
    EXPECT_DOUBLE_EQ(empty->GetVerticalAxis(0)->GetMaxValue(), 1);
    // The x axis takes nothing from bands.
    EXPECT_DOUBLE_EQ(plot->GetFullX().lo, 0);
    EXPECT_DOUBLE_EQ(plot->GetFullX().hi, 10);
}

TEST(ChartAxis, LinesAnswerTheirNearestPoint)
{
    XYSimpleDataset lines;
    double nearest = -1;
    EXPECT_FALSE(lines.NearestX(3, nearest));
    const double xy[] = {0, 1, 1, 1, 5, kNaN, 9, 2};
    lines.AddSerie(xy, 4);
    ASSERT_TRUE(lines.NearestX(3.5, nearest));
    EXPECT_EQ(nearest, 5); // a dropout's time is still a record's time
    ASSERT_TRUE(lines.NearestX(-7, nearest));
    EXPECT_EQ(nearest, 0);
    ASSERT_TRUE(lines.NearestX(kInf, nearest));
    EXPECT_EQ(nearest, 9);
    EXPECT_FALSE(lines.NearestX(kNaN, nearest));
}
