// Drawing speed of the chart library with the log view's six channels:
// building the chart from the channel arrays plus the first draw into a
// 1280 x 720 back buffer, and a redraw of the same chart. A GUI program: run
// it under xvfb-run.
#include "chart/wxChartPanel.h"
#include "tests/chart/chart_builder.h"

#include "bench_wx.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/sizer.h>

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
