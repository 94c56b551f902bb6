// Drawing speed of the chart library with the log view's six channels:
// building the chart from the channel arrays plus the first draw into a
// 1280 x 720 back buffer, a redraw of the same chart, zoomed views' redraws,
// and the data look-ups the chart view makes. A GUI program: run it under
// xvfb-run.
#include "chart/SerieReduction.h"
#include "chart/StripLayer.h"
#include "chart/XYLineRenderer.h"
#include "chart/wxChartPanel.h"
#include "tests/chart/chart_builder.h"

#include "bench_wx.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/graphics.h>
#include <wx/init.h>
#include <wx/sizer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

wxChartPanel* g_panel = nullptr;

const wxColour kChannelColours[6] = {wxColour(255, 0, 0),   wxColour(0, 255, 0),   wxColour(0, 0, 255),
                                     wxColour(0, 255, 255), wxColour(255, 0, 255), wxColour(255, 255, 0)};

// One record a minute: x in days, y a slow daily swing with noise and a
// rare spike, as the probes give.
std::vector<double> MakeChannel(int channel, size_t count)
{
    std::vector<double> xy(2 * count);
    unsigned noise = 12345u + static_cast<unsigned>(channel);
    const double base[6] = {1500, 1400, 6.5, 6.2, 21, 19};
    for (size_t i = 0; i < count; ++i) {
        noise = noise * 1103515245u + 12345u;
        const double day = static_cast<double>(i) / 1440.0;
        const double jitter = ((noise >> 16) & 0xff) / 255.0 - 0.5;
        double y = base[channel] * (1 + 0.1 * std::sin(day * 6.283185307179586) + 0.02 * jitter);
        if (i % 100003 == 7)
            y *= 3;
        xy[2 * i] = day;
        xy[2 * i + 1] = y;
    }
    return xy;
}

// The log view's six channels in their colours.
const std::vector<ChartChannel>& Channels(size_t count)
{
    static size_t madeFor = 0;
    static std::vector<ChartChannel> channels;
    if (madeFor != count) {
        channels.clear();
        for (int k = 0; k < 6; ++k)
            channels.push_back({kChannelColours[k], MakeChannel(k, count)});
        madeFor = count;
    }
    return channels;
}

void BM_ChartBuildAndFirstDraw(benchmark::State& state)
{
    const auto& channels = Channels(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        g_panel->SetChart(MakeChannelChart(channels));
        benchmark::DoNotOptimize(g_panel->GetBackBuffer().GetWidth());
        state.PauseTiming();
        g_panel->SetChart(nullptr);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 6);
}
BENCHMARK(BM_ChartBuildAndFirstDraw)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ChartRedraw(benchmark::State& state)
{
    g_panel->SetChart(MakeChannelChart(Channels(static_cast<size_t>(state.range(0)))));
    for (auto _ : state) {
        g_panel->RedrawBackBuffer();
        benchmark::DoNotOptimize(g_panel->GetBackBuffer().GetWidth());
    }
    g_panel->SetChart(nullptr);
    state.SetItemsProcessed(state.iterations() * state.range(0) * 6);
}
BENCHMARK(BM_ChartRedraw)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A redraw of a year of the six channels with the probe checks' marks
// (Arg 1) against the same redraw without them (Arg 0): seven rows of
// hatched strips, each channel's and the clock's, a strip of half an hour
// every three hours on every row (some 20,000 strips), so that every
// row is hatched across much of the plot.
void BM_ChartRedrawWithProbeMarks(benchmark::State& state)
{
    std::unique_ptr<Chart> chart = MakeChannelChart(Channels(525600));
    if (state.range(0) != 0) {
        auto strips = std::make_shared<chart::StripLayer>();
        for (int row = 0; row < 7; ++row) {
            chart::StripSet set{kChannelColours[row % 6], {}};
            for (double x = row / 48.0; x < 365; x += 0.125)
                set.strips.push_back({x, x + 1 / 48.0});
            strips->AddSet(std::move(set));
        }
        chart->GetPlot()->AddLayer(strips);
    }
    g_panel->SetChart(std::move(chart));
    for (auto _ : state) {
        g_panel->RedrawBackBuffer();
        benchmark::DoNotOptimize(g_panel->GetBackBuffer().GetWidth());
    }
    g_panel->SetChart(nullptr);
}
BENCHMARK(BM_ChartRedrawWithProbeMarks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A redraw at another size (the user resizing the window): nothing from the
// last draw can be reused.
void BM_ChartDrawAtNewSize(benchmark::State& state)
{
    const std::unique_ptr<Chart> chart = MakeChannelChart(Channels(static_cast<size_t>(state.range(0))));
    wxBitmap buffers[2] = {wxBitmap(1280, 720, 24), wxBitmap(1279, 719, 24)};
    int which = 0;
    for (auto _ : state) {
        wxMemoryDC dc(buffers[which]);
        chart->Draw(dc, wxRect(buffers[which].GetSize()));
        which = 1 - which;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 6);
}
BENCHMARK(BM_ChartDrawAtNewSize)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Building the chart alone: six series copied from the channel arrays.
void BM_ChartBuild(benchmark::State& state)
{
    const auto& channels = Channels(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        std::unique_ptr<Chart> chart = MakeChannelChart(channels);
        benchmark::DoNotOptimize(chart.get());
        state.PauseTiming();
        chart.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 6);
}
BENCHMARK(BM_ChartBuild)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The fraction of the whole range a zoomed view shows: 1 (the whole range),
// a tenth, a hundredth, a thousandth, and an hour of a year of minute
// records (1 / 8760).
double ZoomSpan(int64_t level)
{
    const double spans[] = {1.0, 1.0 / 10, 1.0 / 100, 1.0 / 1000, 1.0 / 8760};
    return spans[level];
}

// Six channels of a million minute records, sharing one x column, as the
// log view builds them.
const std::vector<std::unique_ptr<XYSerie>>& SharedSeries()
{
    static std::vector<std::unique_ptr<XYSerie>> series;
    if (series.empty()) {
        const auto& channels = Channels(1000000);
        const size_t n = channels[0].xy.size() / 2;
        std::unique_ptr<double[]> x(new double[n]);
        for (size_t i = 0; i < n; ++i)
            x[i] = channels[0].xy[2 * i];
        const auto column = std::make_shared<const XColumn>(std::move(x), n);
        for (const ChartChannel& channel : channels) {
            std::unique_ptr<double[]> y(new double[n]);
            for (size_t i = 0; i < n; ++i)
                y[i] = channel.xy[2 * i + 1];
            series.push_back(std::make_unique<XYSerie>(column, std::move(y)));
        }
    }
    return series;
}

// A zoomed view's redraw of the six series: each reduced for the view (in
// its middle) and drawn into a 1280 x 720 buffer's plot area, as the plot
// does. Nothing can be reused from the last view.
void BM_ChartZoomedSeriesRedraw(benchmark::State& state)
{
    const auto& series = SharedSeries();
    const double whole = series[0]->GetBounds().maxX, span = whole * ZoomSpan(state.range(0));
    const double xLo = (whole - span) / 2, xHi = xLo + span;
    const wxRect area(150, 40, 1100, 640);
    wxBitmap buffer(1280, 720, 24);
    wxMemoryDC dc(buffer);
    size_t points = 0;
    for (auto _ : state) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        if (wxGraphicsContext* gc = dc.GetGraphicsContext())
            gc->SetAntialiasMode(wxANTIALIAS_NONE);
        wxDCClipper clip(dc, area);
        points = 0;
        for (size_t k = 0; k < series.size(); ++k) {
            const XYBounds bounds = series[k]->GetBoundsWithin(xLo, xHi, -1e300, 1e300);
            const chart::ReducedLine line =
                chart::ReduceSerie(*series[k], xLo, xHi, area.x, area.width, bounds.minY, bounds.maxY,
                                   area.GetBottom(), area.height);
            XYLineRenderer renderer(false, true, 1, wxPENSTYLE_SOLID);
            renderer.SetSerieColour(0, &kChannelColours[k]);
            renderer.Draw(dc, 0, line, false, area.x - 1, area.GetRight() + 1);
            points += line.points.size();
        }
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_ChartZoomedSeriesRedraw)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The reduction alone, six series at the zoom levels above.
void BM_ReduceSixSeries(benchmark::State& state)
{
    const auto& series = SharedSeries();
    const double whole = series[0]->GetBounds().maxX, span = whole * ZoomSpan(state.range(0));
    const double xLo = (whole - span) / 2, xHi = xLo + span;
    for (auto _ : state)
        for (const auto& serie : series)
            benchmark::DoNotOptimize(chart::ReduceSerie(*serie, xLo, xHi, 150, 1100, 0, 5000, 679, 640));
}
BENCHMARK(BM_ReduceSixSeries)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The bounds of the data in a zoomed view, as a value axis spanning just
// what is shown asks for them (six series, the plausible EC range).
void BM_BoundsWithinSixSeries(benchmark::State& state)
{
    const auto& series = SharedSeries();
    const double whole = series[0]->GetBounds().maxX, span = whole * ZoomSpan(state.range(0));
    const double xLo = (whole - span) / 2, xHi = xLo + span;
    for (auto _ : state)
        for (const auto& serie : series)
            benchmark::DoNotOptimize(serie->GetBoundsWithin(xLo, xHi, 0, 100000));
}
BENCHMARK(BM_BoundsWithinSixSeries)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// The record nearest to a time (the pointer over the chart), in a million
// records in order (0) and with a stretch in the middle out of order (1).
void BM_NearestIndex(benchmark::State& state)
{
    const size_t n = 1000000;
    std::unique_ptr<double[]> x(new double[n]);
    for (size_t i = 0; i < n; ++i)
        x[i] = static_cast<double>(i) / 1440.0;
    if (state.range(0) == 1) {
        std::reverse(x.get() + 400000, x.get() + 401000);
        std::swap(x[300000], x[700000]);
    }
    const XColumn column(std::move(x), n);
    double at = 0;
    for (auto _ : state) {
        at = at > 690 ? 0.37 : at + 13.7;
        benchmark::DoNotOptimize(column.NearestIndex(at));
    }
}
BENCHMARK(BM_NearestIndex)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (const int status = bench::StartWx(argc, argv))
        return status;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench_chart");
    g_panel = new wxChartPanel(frame, wxID_ANY);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(g_panel, 1, wxEXPAND);
    frame->SetSizer(sizer);
    frame->SetClientSize(1280, 720);
    frame->Layout();
    const wxSize size = g_panel->GetClientSize();
    std::fprintf(stderr, "back buffer %d x %d\n", size.x, size.y);
    if (size != wxSize(1280, 720)) {
        std::fprintf(stderr, "the chart panel is not 1280 x 720\n");
        return 3;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    frame->Destroy();
    wxTheApp->ProcessIdle();
    bench::StopWx();
    return 0;
}
