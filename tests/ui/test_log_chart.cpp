// LogChart: the chart a log's channels make, checked through the chart
// library's own objects and in the pixels it draws.
#include "support/pixel_dump.h"
#include "wx_test_util.h"

#include "test_log_records.h"

#include "ui/LogChart.h"

#include "chart/Chart.h"
#include "chart/XYPlot.h"

#include <wx/dcmemory.h>

#include <cmath>
#include <limits>
#include <memory>
#include <system_error>
#include <thread>

namespace {

const wxColour kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255), kCyan(0, 255, 255),
    kMagenta(255, 0, 255), kYellow(255, 255, 0);

// HourlyLog(48): records 0, 1 and 47 of each channel, as test_log_records.h
// makes them (EC1, EC2, PH1, PH2, TE1, TE2).
const double kFirstSecondLast[6][3] = {{1000, 1001, 1047}, {2000, 2001, 2047}, {5.5, 5.75, 17.25},
                                       {7.0, 6.5, -16.5},  {18, 19, 65},       {22.5, 21.5, -24.5}};

void ExpectSerieIsChannelOfHourlyLog48(const XYSerie& serie, int channel)
{
    ASSERT_EQ(serie.GetCount(), 48u);
    const size_t at[3] = {0, 1, 47};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(at[i]);
        EXPECT_DOUBLE_EQ(serie.GetX(at[i]), static_cast<double>(at[i]) / 24); // days since record 0
        EXPECT_EQ(serie.GetY(at[i]), kFirstSecondLast[channel][i]);
    }
}

int CountColour(const wxImage& image, const wxRect& rect, const wxColour& colour)
{
    int count = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y)
        for (int x = rect.x; x < rect.x + rect.width; ++x)
            count += image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
                     image.GetBlue(x, y) == colour.Blue();
    return count;
}

} // namespace

TEST(LogChart, NameAndEmptySelection)
{
    const auto log = HourlyLog(5);
    LogChart chart;
    EXPECT_EQ(chart.GetName(), "Log File");
    ASSERT_EQ(chart.FillSeries(Shared(log), 5), 0);
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
    ASSERT_EQ(chart.FillSeries(Shared(log), 48), 0);
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
        ExpectSerieIsChannelOfHourlyLog48(*dataset->GetSerie(0), channels[j]);
        ASSERT_NE(dataset->GetRenderer(), nullptr);
        EXPECT_EQ(dataset->GetRenderer()->GetSerieColour(0), *expected[j]);
        const NumberAxis* axis = plot->GetVerticalAxis(j);
        EXPECT_EQ(axis->GetLocation(), AXIS_LEFT);
        EXPECT_EQ(axis->GetLabelTextColour(), *expected[j]);
        EXPECT_EQ(axis->GetLabelPen().GetColour(), *expected[j]);
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
        SCOPED_TRACE(k);
        ExpectSerieIsChannelOfHourlyLog48(*plot->GetDataset(k)->GetSerie(0), static_cast<int>(k));
        EXPECT_EQ(plot->GetDataset(k)->GetRenderer()->GetSerieColour(0), *all[k]);
        EXPECT_EQ(plot->GetVerticalAxis(k)->GetLabelTextColour(), *all[k]);
        EXPECT_EQ(plot->GetDatasetVerticalAxis(k), static_cast<int>(k));
    }
}

TEST(LogChart, ChannelsAreThinSolidLinesOnAxesOfTheirColour)
{
    // Every record alike: each channel is flat, a line along the middle row
    // of the plot area.
    std::vector<LogRecord> log;
    for (int hour = 0; hour < 24; ++hour)
        log.push_back(SampleRecord(LogDate(2021, 6, 1), LogTime(hour, 0, 0), 7));
    LogChart chart;
    ASSERT_EQ(chart.FillSeries(Shared(log), 24), 0);
    const wxColour* colours[] = {&kRed, &kGreen, &kBlue, &kCyan, &kMagenta, &kYellow};
    for (int k = 0; k < kLogChannelCount; ++k) {
        SCOPED_TRACE(k);
        ChannelColours one{};
        one[k] = colours[k];
        const std::unique_ptr<Chart> c = chart.CreateChart(one);
        wxBitmap bitmap(640, 480, 24);
        {
            wxMemoryDC dc(bitmap);
            c->Draw(dc, wxRect(0, 0, 640, 480));
        }
        const wxImage image = Dumped(bitmap.ConvertToImage());
        const wxRect area = c->GetPlot()->GetLastPlotArea();
        ASSERT_GT(area.width, 300);
        // One pixel of the colour in every column, all in one row: a solid
        // line one pixel wide, no symbols at the points.
        const int row = area.y + (area.height - 1) / 2;
        EXPECT_EQ(CountColour(image, area, *colours[k]), area.width);
        EXPECT_EQ(CountColour(image, wxRect(area.x, row - 1, area.width, 3), *colours[k]), area.width);
        // The axis line beside the plot area: one pixel wide, solid, in the
        // colour; only tick marks to its left.
        EXPECT_EQ(CountColour(image, wxRect(area.x - 1, area.y, 1, area.height), *colours[k]), area.height);
        EXPECT_LT(CountColour(image, wxRect(area.x - 2, area.y, 1, area.height), *colours[k]), 16);
    }
}

TEST(LogChart, APartlyFilledLogPlotsOnlyItsFilledPoints)
{
    auto log = HourlyLog(10);
    log[6][kLogDate] = LogDate(2021, 5, 31); // before the first record
    LogChart chart;
    EXPECT_EQ(chart.FillSeries(Shared(log), 10), -1);
    const ChannelColours some = {nullptr, nullptr, &kBlue, nullptr, nullptr, nullptr};
    std::unique_ptr<Chart> c = chart.CreateChart(some);
    ASSERT_EQ(c->GetPlot()->GetDatasetCount(), 1u);
    const XYSerie* serie = c->GetPlot()->GetDataset(0)->GetSerie(0);
    ASSERT_EQ(serie->GetCount(), 6u);
    EXPECT_EQ(serie->GetY(5), 5.5 + 5 * 0.25);

    // No record in the span at all: a chart with empty series, no crash.
    log[0][kLogDate] = 0;
    EXPECT_EQ(chart.FillSeries(Shared(log), 10), -1);
    c = chart.CreateChart(some);
    EXPECT_EQ(c->GetPlot()->GetDataset(0)->GetSerie(0)->GetCount(), 0u);
    wxBitmap bitmap(320, 240);
    wxMemoryDC dc(bitmap);
    c->Draw(dc, wxRect(0, 0, 320, 240));
}

TEST(LogChart, AnUnsetEcWordDoesNotFlattenTheReadings)
{
    auto log = HourlyLog(48);
    log[10][kLogEc1] = 4294967295u; // a reading never taken
    log[20][kLogPh1] = FloatToWord(3.0e38f);
    LogChart chart;
    ASSERT_EQ(chart.FillSeries(Shared(log), 48), 0);
    const wxColour* colours[6] = {&kRed, nullptr, &kBlue, nullptr, nullptr, nullptr};
    const std::unique_ptr<Chart> c =
        chart.CreateChart({colours[0], colours[1], colours[2], colours[3], colours[4], colours[5]});
    const XYPlot* plot = c->GetPlot();
    ASSERT_EQ(plot->GetVerticalAxisCount(), 2u);
    // The EC axis spans the readings 1000 .. 1047; the word is still plotted.
    EXPECT_EQ(plot->GetVerticalAxis(0)->GetMinValue(), 1000);
    EXPECT_EQ(plot->GetVerticalAxis(0)->GetMaxValue(), 1047);
    EXPECT_EQ(plot->GetDataset(0)->GetSerie(0)->GetY(10), 4294967295.0);
    // PH: values up to 16 are readings (a probe out of calibration); 3e38 is not.
    EXPECT_EQ(plot->GetVerticalAxis(1)->GetMinValue(), 5.5);
    EXPECT_EQ(plot->GetVerticalAxis(1)->GetMaxValue(), 16);
    EXPECT_FLOAT_EQ(static_cast<float>(plot->GetDataset(1)->GetSerie(0)->GetY(20)), 3.0e38f);
}

// The channels' series are written and summarised by several threads, chunk
// by chunk. Whether every helper thread starts, none does, or a start fails
// with no memory after one has begun, the series are the same: each point,
// each block's summary, the bounds.
TEST(LogChart, SeriesAreTheSameWhateverThreadsCouldBeStarted)
{
    std::vector<LogRecord> log;
    for (uint32_t i = 0; i < 5000; ++i)
        log.push_back(SampleRecord(LogDate(2021, 6, 1 + static_cast<int>(i / 1440)),
                                   LogTime(static_cast<int>(i / 60 % 24), static_cast<int>(i % 60), 0), i));
    log[3000][kLogPh1] = FloatToWord(std::nanf(""));                          // a dropout
    log[4100][kLogTe2] = FloatToWord(std::numeric_limits<float>::infinity()); // no finite reading
    const std::shared_ptr<const LogRecord[]> records = Shared(log);

    int starts = 0;
    const JoiningThreads::Starter starters[] = {
        nullptr,
        [](std::function<void()>) -> std::thread {
            throw std::system_error(EAGAIN, std::generic_category());
        },
        [&starts](std::function<void()> work) {
            if (++starts > 1)
                throw std::bad_alloc();
            return std::thread(std::move(work));
        },
    };
    std::shared_ptr<const XYSerie> first[kLogChannelCount];
    for (const JoiningThreads::Starter& starter : starters) {
        LogChart chart;
        chart.SetThreadStarter(starter);
        ASSERT_EQ(chart.FillSeries(records, 5000), 0);
        const ChannelColours all = {&kRed, &kGreen, &kBlue, &kCyan, &kMagenta, &kYellow};
        chart.CreateChart(all);
        EXPECT_FALSE(chart.LackedMemory());
        for (int k = 0; k < kLogChannelCount; ++k) {
            SCOPED_TRACE(k);
            const std::shared_ptr<const XYSerie> serie = chart.ChannelSerie(k);
            ASSERT_TRUE(serie);
            ASSERT_EQ(serie->GetCount(), 5000u);
            // A series made in one piece from the same values is the reference.
            const XYSerie whole(serie->GetXColumn(), chart.GetSeries().ChannelValues(records.get(), k));
            ASSERT_EQ(serie->GetBlocks().size(), whole.GetBlocks().size());
            for (size_t b = 0; b < whole.GetBlocks().size(); ++b) {
                const XYSerie::Block &x = serie->GetBlocks()[b], &y = whole.GetBlocks()[b];
                ASSERT_TRUE(x.empty == y.empty && x.yFinite == y.yFinite && x.hasNaN == y.hasNaN &&
                            x.minOffset == y.minOffset && x.maxOffset == y.maxOffset &&
                            x.firstOffset == y.firstOffset && x.lastOffset == y.lastOffset)
                    << "block " << b;
                for (size_t p = 0; p < XYSerie::kPartsPerBlock; ++p)
                    ASSERT_EQ(serie->PartMinMax(b, p)[0] * 256 + serie->PartMinMax(b, p)[1],
                              whole.PartMinMax(b, p)[0] * 256 + whole.PartMinMax(b, p)[1]);
            }
            EXPECT_EQ(serie->GetBounds().minY, whole.GetBounds().minY);
            EXPECT_EQ(serie->GetBounds().maxY, whole.GetBounds().maxY);
            EXPECT_EQ(serie->GetBounds().maxX, whole.GetBounds().maxX);
            if (first[k]) {
                for (size_t i = 0; i < 5000; i += 7)
                    ASSERT_TRUE(serie->GetY(i) == first[k]->GetY(i) || std::isnan(serie->GetY(i))) << i;
            } else {
                first[k] = serie;
            }
        }
    }
    // One helper per core beyond the first: on two cores the third starter's
    // second start never comes (JoiningThreads' own test has that case).
    EXPECT_GE(starts, 1);
    // What the records hold, in literal values.
    EXPECT_EQ(first[0]->GetY(4999), 5999.0);
    EXPECT_EQ(first[1]->GetBounds().maxY, 6999.0);
    EXPECT_TRUE(std::isnan(first[2]->GetY(3000)));
    EXPECT_TRUE(first[2]->GetBlocks()[3000 / 64].hasNaN);
    EXPECT_FALSE(first[5]->GetBlocks()[4100 / 64].yFinite);
    EXPECT_EQ(first[4]->GetBounds().maxY, 18.0 + 4999);
    EXPECT_EQ(first[0]->GetBounds().maxX, 4999.0 / 1440);
}
