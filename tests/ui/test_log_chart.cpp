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
#include <utility>
#include <vector>

namespace {

const wxColour kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255), kCyan(0, 255, 255),
    kMagenta(255, 0, 255), kYellow(255, 255, 0);

int CountColour(const wxImage& image, const wxRect& rect, const wxColour& colour)
{
    int count = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y)
        for (int x = rect.x; x < rect.x + rect.width; ++x)
            count += image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
                     image.GetBlue(x, y) == colour.Blue();
    return count;
}

bool IsColour(const wxImage& image, int x, int y, const wxColour& colour)
{
    return image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
           image.GetBlue(x, y) == colour.Blue();
}

// The chart as drawn on a 640 x 480 bitmap.
wxImage Drawn(Chart& chart, const wxSize& size = wxSize(640, 480))
{
    wxBitmap bitmap(size.x, size.y, 24);
    {
        wxMemoryDC dc(bitmap);
        chart.Draw(dc, wxRect(size));
    }
    return Dumped(bitmap.ConvertToImage());
}

// The rows of the plot area's columns that hold the colour: the topmost and
// the bottommost (-1 for none).
std::pair<int, int> RowsOf(const wxImage& image, const wxRect& area, int column, const wxColour& colour)
{
    int top = -1, bottom = -1;
    for (int y = area.y; y < area.y + area.height; ++y)
        if (IsColour(image, column, y, colour)) {
            if (top < 0)
                top = y;
            bottom = y;
        }
    return {top, bottom};
}

// The colour reaches the top row of the plot area only at (a pixel beside)
// the given column.
void ExpectPeakAt(const wxImage& image, const wxRect& area, const wxColour& colour, double column)
{
    std::vector<int> atTop;
    for (int x = area.x; x < area.x + area.width; ++x)
        if (CountColour(image, wxRect(x, area.y, 1, 2), colour) > 0)
            atTop.push_back(x);
    ASSERT_FALSE(atTop.empty()) << "the line never reaches the top";
    EXPECT_NEAR(atTop.front(), column, 1.5);
    EXPECT_NEAR(atTop.back(), column, 1.5);
}

// HourlyLog(48) with every channel at one level but for one record each,
// where it is one higher.
struct SpikeLog {
    std::vector<LogRecord> records;
};
SpikeLog MakeSpikeLog(const uint32_t (&spikeOf)[kLogChannelCount])
{
    SpikeLog log{HourlyLog(48)};
    // The last record one lower: the line lies along the middle of the plot.
    for (uint32_t i = 0; i < 48; ++i) {
        LogRecord& r = log.records[i];
        const auto level = [&](int k) { return (i == spikeOf[k] ? 1 : 0) - (i == 47 ? 1 : 0); };
        r[kLogEc1] = static_cast<uint32_t>(1000 + level(0));
        r[kLogEc2] = static_cast<uint32_t>(2000 + level(1));
        r[kLogPh1] = FloatToWord(6.0f + static_cast<float>(level(2)));
        r[kLogPh2] = FloatToWord(6.0f + static_cast<float>(level(3)));
        r[kLogTe1] = FloatToWord(20.0f + static_cast<float>(level(4)));
        r[kLogTe2] = FloatToWord(20.0f + static_cast<float>(level(5)));
    }
    return log;
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
    // Nothing checked: no line and no value axis in any channel's colour.
    const wxImage image = Drawn(*c);
    for (const wxColour* colour : {&kRed, &kGreen, &kBlue, &kCyan, &kMagenta, &kYellow})
        EXPECT_EQ(CountColour(image, wxRect(image.GetSize()), *colour), 0)
            << colour->GetAsString().utf8_string();
}

TEST(LogChart, OnlyCheckedChannelsAreDrawnEachInItsColourOnItsOwnScale)
{
    // Each channel lies at its low value but for one record, its own, where
    // it reaches its high one: on a scale of its own the line touches the
    // top of the plot area at that record's time and nowhere else.
    const uint32_t spikeOf[kLogChannelCount] = {4, 12, 20, 28, 36, 44};
    const SpikeLog log = MakeSpikeLog(spikeOf);
    LogChart chart;
    ASSERT_EQ(chart.FillSeries(Shared(log.records), 48), 0);

    // EC1 and TE2 only: those two colours, left of the plot (the axes) and
    // in it, and none of the others.
    ChannelColours two{};
    two[0] = &kRed;
    two[5] = &kYellow;
    std::unique_ptr<Chart> c = chart.CreateChart(two);
    wxImage image = Drawn(*c);
    wxRect area = c->GetPlot()->GetLastPlotArea();
    ASSERT_GT(area.width, 300);
    const wxRect leftOfPlot(0, area.y, area.x - 1, area.height);
    for (const wxColour* colour : {&kRed, &kYellow}) {
        SCOPED_TRACE(colour->GetAsString().utf8_string());
        EXPECT_GT(CountColour(image, area, *colour), area.width / 2) << "the line";
        EXPECT_GT(CountColour(image, leftOfPlot, *colour), 20) << "the axis and its labels";
    }
    for (const wxColour* colour : {&kGreen, &kBlue, &kCyan, &kMagenta})
        EXPECT_EQ(CountColour(image, wxRect(image.GetSize()), *colour), 0)
            << colour->GetAsString().utf8_string();
    ExpectPeakAt(image, area, kRed, c->GetPlot()->XToPixel(spikeOf[0] / 24.0));
    ExpectPeakAt(image, area, kYellow, c->GetPlot()->XToPixel(spikeOf[5] / 24.0));

    // All six: each channel's peak in its colour at its own record.
    const ChannelColours all = {&kRed, &kGreen, &kBlue, &kCyan, &kMagenta, &kYellow};
    c = chart.CreateChart(all);
    image = Drawn(*c);
    area = c->GetPlot()->GetLastPlotArea();
    for (int k = 0; k < kLogChannelCount; ++k) {
        SCOPED_TRACE(k);
        ExpectPeakAt(image, area, *all[k], c->GetPlot()->XToPixel(spikeOf[k] / 24.0));
        EXPECT_GT(CountColour(image, wxRect(0, area.y, area.x - 1, area.height), *all[k]), 20)
            << "an axis in the channel's colour";
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
    // Records 0 to 5 (hours 0 to 5 of the 9 the time axis spans): the line
    // rises from the bottom of the plot to the top at 5 o'clock, and stops.
    wxImage image = Drawn(*c);
    const XYPlot* plot = c->GetPlot();
    const wxRect area = plot->GetLastPlotArea();
    ASSERT_GT(area.width, 300);
    int last = -1;
    for (int x = area.x; x < area.x + area.width; ++x)
        if (RowsOf(image, area, x, kBlue).first >= 0)
            last = x;
    EXPECT_NEAR(last, plot->XToPixel(5.0 / 24), 1.5) << "the line ends at record 5";
    EXPECT_NEAR(RowsOf(image, area, area.x, kBlue).second, area.GetBottom(), 1);
    EXPECT_NEAR(RowsOf(image, area, last, kBlue).first, area.y, 1);

    // A first record without a real date is left out: the span starts at
    // record 1, and record 6 still lies before it.
    log[0][kLogDate] = 0;
    EXPECT_EQ(chart.FillSeries(Shared(log), 10), -1);
    EXPECT_EQ(chart.GetSeries().Begin(), 1u);
    EXPECT_EQ(chart.GetSeries().FilledCount(), 5u);

    // No record with a real date at all: an empty chart, no crash.
    for (LogRecord& record : log)
        record[kLogDate] = 0;
    EXPECT_EQ(chart.FillSeries(Shared(log), 10), -1);
    EXPECT_EQ(chart.GetSeries().FilledCount(), 0u);
    c = chart.CreateChart(some);
    image = Drawn(*c, wxSize(320, 240));
    const wxRect empty = c->GetPlot()->GetLastPlotArea();
    EXPECT_EQ(CountColour(image, empty, kBlue), 0) << "no line";
}

TEST(LogChart, AnUnsetEcWordDoesNotFlattenTheReadings)
{
    auto log = HourlyLog(48);
    log[10][kLogEc1] = 4294967295u; // a reading never taken
    log[20][kLogPh1] = FloatToWord(3.0e38f);
    LogChart chart;
    ASSERT_EQ(chart.FillSeries(Shared(log), 48), 0);
    // The topmost row of the colour in the column of record i, and the
    // bottommost in the first column.
    struct Line {
        wxImage image;
        wxRect area;
        const XYPlot* plot;
        int TopAt(int record, const wxColour& colour) const
        {
            const int column = static_cast<int>(std::lround(plot->XToPixel(record / 24.0)));
            return RowsOf(image, area, column, colour).first;
        }
    };
    {
        // EC: the scale spans the readings 1000 .. 1047, not the unset word:
        // the line climbs the whole plot; the word itself goes off the top.
        const std::unique_ptr<Chart> c =
            chart.CreateChart({&kRed, nullptr, nullptr, nullptr, nullptr, nullptr});
        const Line ec{Drawn(*c), c->GetPlot()->GetLastPlotArea(), c->GetPlot()};
        ASSERT_GT(ec.area.width, 300);
        EXPECT_NEAR(RowsOf(ec.image, ec.area, ec.area.x, kRed).second, ec.area.GetBottom(), 1) << "1000";
        EXPECT_NEAR(ec.TopAt(47, kRed), ec.area.y, 1) << "1047";
        EXPECT_NEAR(ec.TopAt(24, kRed), ec.area.y + (ec.area.height - 1) * 23.0 / 47, 2) << "1024";
        EXPECT_EQ(ec.TopAt(10, kRed), ec.area.y) << "the unset word is drawn, off the top";
    }
    {
        // PH: readings up to 16 are readings (a probe out of calibration),
        // 3e38 is not: from 5.5 at the bottom to 16 (record 42) at the top.
        const std::unique_ptr<Chart> c =
            chart.CreateChart({nullptr, nullptr, &kBlue, nullptr, nullptr, nullptr});
        const Line ph{Drawn(*c), c->GetPlot()->GetLastPlotArea(), c->GetPlot()};
        EXPECT_NEAR(RowsOf(ph.image, ph.area, ph.area.x, kBlue).second, ph.area.GetBottom(), 1) << "5.5";
        EXPECT_NEAR(ph.TopAt(42, kBlue), ph.area.y, 1) << "16";
        EXPECT_NEAR(ph.TopAt(24, kBlue), ph.area.y + (ph.area.height - 1) * (16 - 11.5) / 10.5, 2) << "11.5";
    }
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
