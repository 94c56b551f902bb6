// LogChart: the chart a log's channels make, checked through the chart
// library's own objects.
#include "wx_test_util.h"

#include "test_log_records.h"

#include "ui/LogChart.h"

#include "chart/Chart.h"
#include "chart/XYPlot.h"

#include <memory>

namespace {

const wxColour kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255), kCyan(0, 255, 255),
    kMagenta(255, 0, 255), kYellow(255, 255, 0);

void ExpectSerieIsChannel(const XYSerie& serie, const LogSeries& series, int channel)
{
    ASSERT_EQ(serie.GetCount(), series.FilledCount());
    for (size_t i = 0; i < serie.GetCount(); ++i) {
        ASSERT_EQ(serie.GetX(i), series.Points(channel)[2 * i]) << i;
        ASSERT_EQ(serie.GetY(i), series.Points(channel)[2 * i + 1]) << i;
    }
}

} // namespace

TEST(LogChart, NameAndEmptySelection)
{
    const auto log = HourlyLog(5);
    LogChart chart;
    EXPECT_EQ(chart.GetName(), "Log File");
    ASSERT_EQ(chart.FillSeries(log.data(), 5), 0);
    const std::unique_ptr<Chart> c = chart.CreateChart({});
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetTitle(), "Log File");
    const XYPlot* plot = c->GetPlot();
    EXPECT_EQ(plot->GetDatasetCount(), 0u);
    EXPECT_EQ(plot->GetVerticalAxisCount(), 0u);
    ASSERT_EQ(plot->GetHorizontalAxisCount(), 1u);
    EXPECT_EQ(plot->GetHorizontalAxis(0)->GetLocation(), AXIS_BOTTOM);
}

TEST(LogChart, OnlyCheckedChannelsLinkedInOrder)
{
    const auto log = HourlyLog(48);
    LogChart chart;
    ASSERT_EQ(chart.FillSeries(log.data(), 48), 0);
    // EC1 and TE2: two datasets, two left axes; TE2's dataset on the second axis.
    ChannelColours colours{};
    colours[0] = &kRed;
    colours[5] = &kYellow;
    std::unique_ptr<Chart> c = chart.CreateChart(colours);
    const XYPlot* plot = c->GetPlot();
    ASSERT_EQ(plot->GetDatasetCount(), 2u);
    ASSERT_EQ(plot->GetVerticalAxisCount(), 2u);
    ASSERT_EQ(plot->GetHorizontalAxisCount(), 1u);
    const int channels[] = {0, 5};
    const wxColour* expected[] = {&kRed, &kYellow};
    for (size_t j = 0; j < 2; ++j) {
        SCOPED_TRACE(j);
        const XYSimpleDataset* dataset = plot->GetDataset(j);
        EXPECT_EQ(plot->GetDatasetVerticalAxis(j), static_cast<int>(j));
        EXPECT_EQ(plot->GetDatasetHorizontalAxis(j), 0);
        ASSERT_EQ(dataset->GetSerieCount(), 1u);
        ExpectSerieIsChannel(*dataset->GetSerie(0), chart.GetSeries(), channels[j]);
        const XYLineRenderer* renderer = dataset->GetRenderer();
        ASSERT_NE(renderer, nullptr);
        EXPECT_FALSE(renderer->GetDrawSymbols());
        EXPECT_TRUE(renderer->GetDrawLines());
        EXPECT_EQ(renderer->GetWidth(), 1);
        EXPECT_EQ(renderer->GetStyle(), wxPENSTYLE_SOLID);
        EXPECT_EQ(renderer->GetSerieColour(0), *expected[j]);
        const NumberAxis* axis = plot->GetVerticalAxis(j);
        EXPECT_EQ(axis->GetLocation(), AXIS_LEFT);
        EXPECT_EQ(axis->GetLabelTextColour(), *expected[j]);
        EXPECT_EQ(axis->GetLabelPen().GetColour(), *expected[j]);
        EXPECT_EQ(axis->GetLabelPen().GetWidth(), 1);
        EXPECT_EQ(axis->GetLabelPen().GetStyle(), wxPENSTYLE_SOLID);
    }
    EXPECT_EQ(plot->GetDataset(1)->GetSerie(0)->GetY(3), 22.5 - 3) << "TE2 of record 3";
    EXPECT_DOUBLE_EQ(plot->GetDataset(1)->GetSerie(0)->GetX(36), 1.5) << "36 hours in";

    // All six, in channel order.
    const ChannelColours all = {&kRed, &kGreen, &kBlue, &kCyan, &kMagenta, &kYellow};
    c = chart.CreateChart(all);
    plot = c->GetPlot();
    ASSERT_EQ(plot->GetDatasetCount(), 6u);
    ASSERT_EQ(plot->GetVerticalAxisCount(), 6u);
    for (size_t k = 0; k < 6; ++k) {
        ExpectSerieIsChannel(*plot->GetDataset(k)->GetSerie(0), chart.GetSeries(), static_cast<int>(k));
        EXPECT_EQ(plot->GetDataset(k)->GetRenderer()->GetSerieColour(0), *all[k]);
        EXPECT_EQ(plot->GetVerticalAxis(k)->GetLabelTextColour(), *all[k]);
        EXPECT_EQ(plot->GetDatasetVerticalAxis(k), static_cast<int>(k));
    }
}

TEST(LogChart, APartlyFilledLogPlotsOnlyItsFilledPoints)
{
    auto log = HourlyLog(10);
    log[6][kLogDate] = LogDate(2021, 5, 31); // before the first record
    LogChart chart;
    EXPECT_EQ(chart.FillSeries(log.data(), 10), -1);
    const ChannelColours some = {nullptr, nullptr, &kBlue, nullptr, nullptr, nullptr};
    std::unique_ptr<Chart> c = chart.CreateChart(some);
    ASSERT_EQ(c->GetPlot()->GetDatasetCount(), 1u);
    const XYSerie* serie = c->GetPlot()->GetDataset(0)->GetSerie(0);
    ASSERT_EQ(serie->GetCount(), 6u);
    EXPECT_EQ(serie->GetY(5), 5.5 + 5 * 0.25);

    // No record in the span at all: a chart with empty series, no crash.
    log[0][kLogDate] = 0;
    EXPECT_EQ(chart.FillSeries(log.data(), 10), -1);
    c = chart.CreateChart(some);
    EXPECT_EQ(c->GetPlot()->GetDataset(0)->GetSerie(0)->GetCount(), 0u);
    wxBitmap bitmap(320, 240);
    wxMemoryDC dc(bitmap);
    c->Draw(dc, wxRect(0, 0, 320, 240));
}
