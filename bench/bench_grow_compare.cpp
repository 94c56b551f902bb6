// Two one-year grows (525,600 records each, one a minute) compared: the
// second grow added to an open view (its records placed on this grow's
// crop days, its lines and bands added to a chart of six channels, drawn
// once), the chart of both redrawn at zooms from a year to an hour, and the
// comparison's figures and text.
//
// Runs under Xvfb (it draws with wx):
//   xvfb-run -a build/bench/bench_grow_compare
// Targets: the second grow added < 500 ms; a redraw < 16 ms at every zoom;
// the comparison < 100 ms.
#include "core/GrowComparison.h"
#include "core/GrowTimeline.h"
#include "core/NodeConfig.h"
#include "ui/GrowComparisonOverlay.h"
#include "ui/LogChart.h"

#include "chart/Chart.h"
#include "chart/XYPlot.h"
#include "util/CivilTime.h"

#include "bench_wx.h"

#include <benchmark/benchmark.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include <cstring>
#include <memory>
#include <random>

namespace {

const wxColour kColours[kLogChannelCount] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                             {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};
const ChannelColours kAll = {&kColours[0], &kColours[1], &kColours[2],
                             &kColours[3], &kColours[4], &kColours[5]};
const wxSize kChartSize(1600, 900);
constexpr uint32_t kYearMinutes = 525600;

// A year from 1 January of `year` at one record a minute, readings wandering
// like a reservoir's.
NodeLog YearLog(int year, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<float> step(0.0f, 0.01f);
    std::shared_ptr<LogRecord[]> records(new LogRecord[kYearMinutes]());
    const int64_t first = civil::DaysFromCivil(year, 1, 1);
    float ph = 6.0f, te = 20.0f;
    uint32_t ec = 1400;
    for (uint32_t i = 0; i < kYearMinutes; ++i) {
        const civil::Date d = civil::CivilFromDays(first + i / 1440);
        const uint32_t minute = i % 1440;
        LogRecord& r = records[i];
        ph += step(rng);
        te += step(rng);
        ec = static_cast<uint32_t>(static_cast<int>(ec) + static_cast<int>(rng() % 7) - 3);
        r[kLogDate] = static_cast<uint32_t>(d.month) | static_cast<uint32_t>(d.day) << 8 |
                      static_cast<uint32_t>(d.year) << 16;
        r[kLogTime] = minute / 60 | (minute % 60) << 8;
        r[kLogEc1] = ec;
        r[kLogEc2] = ec + 100;
        for (unsigned w = kLogPh1; w <= kLogTe2; ++w) {
            const float value = w < kLogTe1 ? ph : te;
            std::memcpy(&r[w], &value, 4);
        }
    }
    return {records, kYearMinutes};
}

NodeConfig Profile()
{
    NodeConfig c;
    c[kIndexOperationMode] = kModeDualChannelDualEnv;
    c[kIndexEc1Target] = 1400;
    c[kIndexEc1Tolerance] = 100;
    c[kIndexEc2Target] = 1500;
    c[kIndexEc2Tolerance] = 100;
    return c;
}

struct TwoGrows {
    Grow mine, other;
    NodeLog mineLog, otherLog;
    LogChart data; // this grow's chart, open
    std::shared_ptr<const LogTargets> targets;
    std::unique_ptr<GrowComparisonOverlay> overlay;
    std::unique_ptr<Chart> chart;
    wxBitmap buffer{kChartSize, 24};
};

void Draw(Chart& chart, wxBitmap& buffer)
{
    wxMemoryDC dc(buffer);
    chart.Draw(dc, wxRect(buffer.GetSize()));
}

std::shared_ptr<ComparedGrow> Prepared(const Grow& grow, const NodeLog& log)
{
    std::vector<std::pair<wxString, wxString>> unreadable;
    GrowTimeline timeline = MergeLogs({log});
    auto compared = PrepareComparedGrow(grow, timeline.log, unreadable);
    compared->targets.SetProfile(Profile());
    return compared;
}

void AddSecondGrow(TwoGrows& g)
{
    g.overlay =
        std::make_unique<GrowComparisonOverlay>(Prepared(g.other, g.otherLog), g.mine.start,
                                                g.data.GetSeries().FirstTimeMs(), GrowAlignment::CropDay);
    g.chart = g.data.CreateChart(kAll);
    g.overlay->Decorate(*g.chart, kAll, false);
    Draw(*g.chart, g.buffer);
}

TwoGrows& Grows()
{
    static std::unique_ptr<TwoGrows> grows;
    if (!grows) {
        grows = std::make_unique<TwoGrows>();
        grows->mine.name = "This year";
        grows->mine.start = {2025, 1, 1};
        grows->other.name = "Last year";
        grows->other.start = {2024, 1, 1};
        grows->mineLog = YearLog(2025, 1);
        grows->otherLog = YearLog(2024, 2);
        auto targets = std::make_shared<LogTargets>();
        targets->SetProfile(Profile());
        grows->data.SetTargets(targets);
        grows->data.FillSeries(grows->mineLog.records, grows->mineLog.count);
        grows->data.ProbeFindings(); // the marks a view draws once its checks are done
        grows->chart = grows->data.CreateChart(kAll);
        Draw(*grows->chart, grows->buffer);
    }
    return *grows;
}

void BM_CompareAddSecondGrow(benchmark::State& state)
{
    TwoGrows& g = Grows();
    for (auto _ : state)
        AddSecondGrow(g);
}
BENCHMARK(BM_CompareAddSecondGrow)->Iterations(5)->Unit(benchmark::kMillisecond);

const double kSpans[] = {365, 30, 7, 1, 1.0 / 24};

// A pan by a tenth of the view at each zoom level, both grows drawn.
void BM_ComparePanRedraw(benchmark::State& state)
{
    TwoGrows& g = Grows();
    if (!g.overlay)
        AddSecondGrow(g);
    XYPlot* plot = g.chart->GetPlot();
    const double span = kSpans[state.range(0)];
    const double full = plot->GetFullX().hi;
    double lo = full / 3;
    for (auto _ : state) {
        lo += span / 10;
        if (lo + span > full)
            lo = 0;
        plot->SetViewX(lo, lo + span);
        Draw(*g.chart, g.buffer);
    }
    plot->ClearViewX();
    state.SetLabel(wxString::Format("%g days", span).utf8_string());
}
BENCHMARK(BM_ComparePanRedraw)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The same pans of this grow alone, for what the second grow adds.
void BM_AlonePanRedraw(benchmark::State& state)
{
    TwoGrows& g = Grows();
    std::unique_ptr<Chart> alone = g.data.CreateChart(kAll);
    XYPlot* plot = alone->GetPlot();
    const double span = kSpans[state.range(0)];
    const double full = plot->GetFullX().hi;
    double lo = full / 3;
    for (auto _ : state) {
        lo += span / 10;
        if (lo + span > full)
            lo = 0;
        plot->SetViewX(lo, lo + span);
        Draw(*alone, g.buffer);
    }
    state.SetLabel(wxString::Format("%g days", span).utf8_string());
}
BENCHMARK(BM_AlonePanRedraw)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void BM_CompareSummary(benchmark::State& state)
{
    TwoGrows& g = Grows();
    const auto mine = Prepared(g.mine, g.mineLog);
    const auto other = Prepared(g.other, g.otherLog);
    size_t length = 0;
    for (auto _ : state) {
        const GrowComparison c = CompareGrows(*mine, *other, GrowAlignment::CropDay);
        length = ComparisonText(c, mine->name, other->name).length();
    }
    state.counters["chars"] = static_cast<double>(length);
}
BENCHMARK(BM_CompareSummary)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (const int status = bench::StartWx(argc, argv))
        return status;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench::StopWx();
    return 0;
}
