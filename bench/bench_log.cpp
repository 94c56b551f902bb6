// How fast the Log Book opens, lists and charts logs of 1,000, 100,000 and
// 1,000,000 records (a year at one record a minute is 525,600).
//
// Runs under Xvfb (it starts wx and shows windows):
//   xvfb-run -a -s "-screen 0 1920x1200x24" build/bench/bench_log
// Targets: 1,000,000 records loaded and listed < 150 ms, charted (fill plus
// first draw) < 400 ms, a redraw < 30 ms, peak memory < 3 x the file size.
#include "core/ConfigFile.h"
#include "core/LogSeries.h"
#include "core/LogText.h"
#include "core/NodeLog.h"
#include "core/NodeSchedule.h"
#include "core/WordHelpers.h"
#include "ui/LogChart.h"
#include "ui/LogPanel.h"
#include "ui/OrvelGUI.h"
#include "ui/OrvelGUIChartViewFrame.h"

#include "chart/Chart.h"
#include "chart/wxChartPanel.h"

#include "bench_wx.h"

#include <benchmark/benchmark.h>

#include <wx/filename.h>
#include <wx/wx.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

const wxColour kChannelColours[kLogChannelCount] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                                    {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};
const ChannelColours kAllChannels = {&kChannelColours[0], &kChannelColours[1], &kChannelColours[2],
                                     &kChannelColours[3], &kChannelColours[4], &kChannelColours[5]};

std::string g_dir;

// A log of `count` records one minute apart from 1 January 2025, with
// readings that wander like a reservoir's.
std::vector<LogRecord> GenerateLog(uint32_t count)
{
    std::vector<LogRecord> log(count);
    std::mt19937 rng(count);
    std::normal_distribution<float> step(0.0f, 0.02f);
    wxDateTime t(1, wxDateTime::Jan, 2025, 0, 0, 0);
    float ph1 = 6.0f, ph2 = 6.2f, te1 = 20.0f, te2 = 21.0f;
    uint32_t ec1 = 1400, ec2 = 1500;
    for (uint32_t i = 0; i < count; ++i) {
        LogRecord& r = log[i];
        for (size_t n = 0; n < kLogRecordWords; ++n)
            r[n] = static_cast<uint32_t>(rng());
        ph1 += step(rng);
        ph2 += step(rng);
        te1 += step(rng);
        te2 += step(rng);
        ec1 = static_cast<uint32_t>(static_cast<int>(ec1) + static_cast<int>(rng() % 7) - 3);
        ec2 = static_cast<uint32_t>(static_cast<int>(ec2) + static_cast<int>(rng() % 7) - 3);
        r[kLogEc1] = ec1;
        r[kLogEc2] = ec2;
        r[kLogPh1] = FloatToWord(ph1);
        r[kLogPh2] = FloatToWord(ph2);
        r[kLogTe1] = FloatToWord(te1);
        r[kLogTe2] = FloatToWord(te2);
        for (unsigned a = 0; a < 6; ++a)
            r[kLogAc1 + a] = static_cast<uint32_t>(rng() % 100);
        r[kLogDate] = EncodePackedDate(t);
        r[kLogTime] = static_cast<uint32_t>(t.GetHour()) | static_cast<uint32_t>(t.GetMinute()) << 8 |
                      static_cast<uint32_t>(t.GetSecond()) << 16;
        t += wxTimeSpan::Minute();
    }
    return log;
}

// The file of a generated log (written once per size).
wxString LogFile(uint32_t count)
{
    static std::map<uint32_t, wxString> files;
    auto found = files.find(count);
    if (found != files.end())
        return found->second;
    const std::vector<LogRecord> log = GenerateLog(count);
    const std::string path = g_dir + "/log" + std::to_string(count) + ".hvl";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(log.data()),
              static_cast<std::streamsize>(log.size() * kLogRecordSize));
    out.close();
    return files[count] = wxString::FromUTF8(path);
}

NodeLog LoadedLog(uint32_t count)
{
    static std::map<uint32_t, NodeLog> logs;
    auto found = logs.find(count);
    if (found != logs.end())
        return found->second;
    return logs[count] = LoadNodeLog(LogFile(count)).value;
}

long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.compare(0, key.size(), key) == 0)
            return std::stol(line.substr(key.size()));
    return -1;
}

void SetCounts(benchmark::State& state)
{
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
    state.counters["file_MB"] = static_cast<double>(state.range(0)) * kLogRecordSize / 1e6;
}

// Rows the list shows on its first screen, formatted as a paint would.
size_t FormatFirstScreen(wxListCtrl* list)
{
    size_t chars = 0;
    const long rows = std::min<long>(list->GetItemCount(), std::max(list->GetCountPerPage(), 1) + 1);
    for (long row = 0; row < rows; ++row)
        for (int c = 0; c < static_cast<int>(kLogColumnCount); ++c)
            chars += list->GetItemText(row, c).length();
    return chars;
}

wxFrame* NewFrame(const wxSize& clientSize)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench");
    frame->SetClientSize(clientSize);
    frame->Show();
    wxYield();
    return frame;
}

// ---- load

void BM_Load(benchmark::State& state)
{
    const wxString path = LogFile(static_cast<uint32_t>(state.range(0)));
    for (auto _ : state) {
        LoadResult<NodeLog> loaded = LoadNodeLog(path);
        if (loaded.status != LoadStatus::Loaded || loaded.value.count != state.range(0))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.value.records.get());
        state.PauseTiming();
        loaded.value = NodeLog{}; // freeing is not part of opening
        state.ResumeTiming();
    }
    SetCounts(state);
}

// ---- list ready: the row count set and the first screen of rows formatted

void BM_ListReady(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    wxFrame* frame = NewFrame(wxSize(1000, 700));
    for (auto _ : state) {
        state.PauseTiming();
        auto* page = new LogPanel(frame, wxID_ANY);
        frame->SetSizer(new wxBoxSizer(wxVERTICAL));
        frame->GetSizer()->Add(page, 1, wxEXPAND);
        frame->Layout();
        wxYield();
        state.ResumeTiming();
        page->GetList()->AddRowsOnTop(log);
        page->GetList()->Update();
        benchmark::DoNotOptimize(FormatFirstScreen(page->GetList()));
        state.PauseTiming();
        frame->SetSizer(nullptr);
        page->Destroy();
        wxYield();
        state.ResumeTiming();
    }
    frame->Destroy();
    wxYield();
    SetCounts(state);
}

// ---- what the user waits for after choosing a file: load and list

void BM_LoadAndList(benchmark::State& state)
{
    const wxString path = LogFile(static_cast<uint32_t>(state.range(0)));
    wxFrame* frame = NewFrame(wxSize(1000, 700));
    for (auto _ : state) {
        state.PauseTiming();
        auto* page = new LogPanel(frame, wxID_ANY);
        frame->SetSizer(new wxBoxSizer(wxVERTICAL));
        frame->GetSizer()->Add(page, 1, wxEXPAND);
        frame->Layout();
        wxYield();
        state.ResumeTiming();
        page->OpenLogFile(path);
        page->GetList()->Update();
        benchmark::DoNotOptimize(FormatFirstScreen(page->GetList()));
        state.PauseTiming();
        frame->SetSizer(nullptr);
        page->Destroy();
        wxYield();
        state.ResumeTiming();
    }
    frame->Destroy();
    wxYield();
    SetCounts(state);
}

// ---- chart

void BM_FillSeries(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    for (auto _ : state) {
        auto chart = std::make_unique<LogChart>();
        if (chart->FillSeries(log.records, log.count) != 0)
            state.SkipWithError("log left its span");
        benchmark::DoNotOptimize(chart->GetSeries().Days());
        state.PauseTiming();
        chart.reset(); // freeing the arrays is not part of the fill
        state.ResumeTiming();
    }
    SetCounts(state);
}

// CreateChart and the first draw into a 1280 x 720 back buffer, all six channels.
void BM_CreateChartAndDraw(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    wxFrame* frame = NewFrame(wxSize(1280, 720));
    auto* panel = new wxChartPanel(frame, wxID_ANY, nullptr, wxPoint(0, 0), wxSize(1280, 720));
    LogChart chart;
    chart.FillSeries(log.records, log.count);
    for (auto _ : state) {
        panel->SetChart(chart.CreateChart(kAllChannels));
        state.PauseTiming();
        panel->SetChart(nullptr);
        state.ResumeTiming();
    }
    if (panel->GetBackBuffer().GetSize() != wxSize(1280, 720))
        state.SkipWithError("back buffer is not 1280 x 720");
    frame->Destroy();
    wxYield();
    SetCounts(state);
}

// Charted: FillSeries, CreateChart and the first draw, as "Show Chart" does.
void BM_Charted(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    wxFrame* frame = NewFrame(wxSize(1280, 720));
    auto* panel = new wxChartPanel(frame, wxID_ANY, nullptr, wxPoint(0, 0), wxSize(1280, 720));
    for (auto _ : state) {
        {
            LogChart chart;
            chart.FillSeries(log.records, log.count);
            panel->SetChart(chart.CreateChart(kAllChannels));
        }
        state.PauseTiming();
        panel->SetChart(nullptr);
        state.ResumeTiming();
    }
    frame->Destroy();
    wxYield();
    SetCounts(state);
}

void BM_Redraw(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    wxFrame* frame = NewFrame(wxSize(1280, 720));
    auto* panel = new wxChartPanel(frame, wxID_ANY, nullptr, wxPoint(0, 0), wxSize(1280, 720));
    {
        LogChart chart;
        chart.FillSeries(log.records, log.count);
        panel->SetChart(chart.CreateChart(kAllChannels));
    }
    for (auto _ : state)
        panel->RedrawBackBuffer();
    frame->Destroy();
    wxYield();
    SetCounts(state);
}

// The chart view's PNG export of a 1280 x 720 chart of all six channels.
void BM_ExportPng(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    auto* view = new OrvelGUIChartViewFrame(nullptr, wxID_ANY, "HALVANE DUO Charts");
    view->SetClientSize(1280 + 10, 720 + 10); // the panel has a 5-pixel border
    view->Show();
    wxYield();
    view->SetLog(log);
    for (int k = 0; k < kLogChannelCount; ++k)
        view->GetViewItem(k)->Check(true);
    view->RebuildChart();
    const wxString path = wxString::FromUTF8(g_dir + "/chart.png");
    for (auto _ : state)
        if (!view->SaveChartImage(path, wxBITMAP_TYPE_PNG))
            state.SkipWithError("export failed");
    state.counters["png_KB"] = static_cast<double>(wxFileName::GetSize(path).ToULong()) / 1024;
    state.counters["width"] = view->GetChartPanel()->GetBackBuffer().GetWidth();
    state.counters["height"] = view->GetChartPanel()->GetBackBuffer().GetHeight();
    view->Destroy();
    wxYield();
    SetCounts(state);
}

// ---- the chart view as a user works it: six channels of a log in a
// 1280 x 720 chart panel.

// A chart view showing all six channels of the log.
OrvelGUIChartViewFrame* SixChannelView(const NodeLog& log)
{
    auto* view = new OrvelGUIChartViewFrame(nullptr, wxID_ANY, "HALVANE DUO Charts");
    view->SetClientSize(1280 + 10, 720 + 10); // the panel has a 5-pixel border
    view->Show();
    wxYield();
    view->SetLog(log);
    for (int k = 0; k < kLogChannelCount; ++k)
        view->GetViewItem(k)->Check(true);
    view->RebuildChart();
    return view;
}

void CloseView(OrvelGUIChartViewFrame* view)
{
    // What the view still had to do (its probe checks) is done before it
    // goes, not in the next benchmark's time.
    wxTheApp->ProcessPendingEvents();
    view->Destroy();
    wxYield();
}

// Opening: a new chart view of the log with six channels, from the records
// to the first draw (what "Show Chart" and checking the channels cost).
void BM_ViewOpened(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    for (auto _ : state) {
        OrvelGUIChartViewFrame* view = SixChannelView(log);
        state.PauseTiming();
        CloseView(view);
        state.ResumeTiming();
    }
    SetCounts(state);
}

// The same up to the chart redrawn with its probe marks: the checks run
// once the first chart is shown.
void BM_ViewOpenedAndMarked(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    for (auto _ : state) {
        OrvelGUIChartViewFrame* view = SixChannelView(log);
        while (!view->ProbeChecksShown())
            wxTheApp->ProcessPendingEvents();
        state.PauseTiming();
        CloseView(view);
        state.ResumeTiming();
    }
    SetCounts(state);
}

// One channel unchecked or checked again ("View"): one rebuild each.
void BM_ViewToggleChannel(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    OrvelGUIChartViewFrame* view = SixChannelView(log);
    bool on = true;
    for (auto _ : state) {
        on = !on;
        view->GetViewItem(5)->Check(on);
        view->RebuildChart();
    }
    CloseView(view);
    SetCounts(state);
}

// One channel's colour changed ("Color", the dialog answered).
void BM_ViewChangeColour(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    OrvelGUIChartViewFrame* view = SixChannelView(log);
    const wxColour colours[2] = {wxColour(200, 0, 0), wxColour(0, 0, 200)};
    int which = 0;
    for (auto _ : state) {
        which = 1 - which;
        view->SetChannelColour(0, colours[which]);
        view->RebuildChart();
    }
    CloseView(view);
    SetCounts(state);
}

// Pan steps (a tenth of the view, back and forth) at a zoom level: the view
// spans range(1) minutes of the log around its middle (0: all of it, which
// cannot pan: a redraw), its redraw included.
void PanSteps(benchmark::State& state, const NodeLog& log, OrvelGUIChartViewFrame* view)
{
    wxChartPanel* panel = view->GetChartPanel();
    const double minutes = static_cast<double>(state.range(1));
    if (minutes > 0) {
        const double middle = static_cast<double>(log.count) / 2 / 1440;
        panel->SetView(middle - minutes / 2880, middle + minutes / 2880);
    }
    double step = 0.1;
    for (auto _ : state) {
        if (minutes > 0) {
            panel->PanBy(step);
            step = -step;
        } else {
            panel->RedrawBackBuffer();
        }
    }
    state.counters["view_days"] = panel->GetChart()->GetPlot()->GetViewX().Span();
}

void BM_ViewPanStep(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    OrvelGUIChartViewFrame* view = SixChannelView(log);
    PanSteps(state, log, view);
    CloseView(view);
    SetCounts(state);
}

// A zoom step (a wheel notch) around the middle, in and out by turns.
void BM_ViewZoomStep(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    OrvelGUIChartViewFrame* view = SixChannelView(log);
    wxChartPanel* panel = view->GetChartPanel();
    const double minutes = static_cast<double>(state.range(1));
    const double middle = static_cast<double>(log.count) / 2 / 1440;
    if (minutes > 0)
        panel->SetView(middle - minutes / 2880, middle + minutes / 2880);
    bool in = true;
    for (auto _ : state) {
        panel->ZoomAround(in ? 0.8 : 1.25, middle);
        in = !in;
    }
    CloseView(view);
    SetCounts(state);
}

// The hover readout following the pointer: the nearest record found, its
// texts made, and the screen's picture (back buffer and readout) drawn.
void BM_ViewHoverReadout(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    OrvelGUIChartViewFrame* view = SixChannelView(log);
    wxChartPanel* panel = view->GetChartPanel();
    const wxRect area = panel->GetChart()->GetPlot()->GetLastPlotArea();
    wxBitmap screen(panel->GetClientSize(), 24);
    int x = area.x + 1;
    for (auto _ : state) {
        x = x + 7 > area.GetRight() ? area.x + 1 : x + 7;
        if (!panel->ShowReadoutAt(wxPoint(x, area.y + area.height / 2)))
            state.SkipWithError("no readout");
        wxMemoryDC dc(screen);
        dc.DrawBitmap(panel->GetBackBuffer(), 0, 0);
        panel->DrawOverlay(dc);
    }
    CloseView(view);
    SetCounts(state);
}

// What a chart view of all six channels holds: the growth of the resident
// set from before the view is opened to after its first draw (the log
// itself is loaded before).
void BM_ViewMemory(benchmark::State& state)
{
    const uint32_t count = static_cast<uint32_t>(state.range(0));
    const NodeLog log = LoadedLog(count);
    double grownMb = 0;
    for (auto _ : state) {
        const long before = StatusKb("VmRSS");
        OrvelGUIChartViewFrame* view = SixChannelView(log);
        grownMb = static_cast<double>(StatusKb("VmRSS") - before) / 1024.0;
        CloseView(view);
    }
    state.counters["view_MB"] = grownMb;
    // Six series of interleaved x and y doubles: what a view held before
    // the time column was shared.
    state.counters["six_xy_arrays_MB"] = 6.0 * 16.0 * count / (1024.0 * 1024.0);
    SetCounts(state);
}

// The same pan step with a profile and a schedule for each channel overlaid
// (every EC and PH channel banded, the targets changing every week).
void BM_ViewPanStepWithOverlays(benchmark::State& state)
{
    const NodeLog log = LoadedLog(static_cast<uint32_t>(state.range(0)));
    OrvelGUIChartViewFrame* view = SixChannelView(log);
    NodeConfig profile;
    profile[kIndexOperationMode] = kModeDualChannelDualEnv;
    profile[kIndexEc1Target] = 1400;
    profile[kIndexEc2Target] = 1500;
    profile[kIndexPh1Target] = FloatToWord(6.0f);
    profile[kIndexPh2Target] = FloatToWord(6.2f);
    profile[50] = 100;
    profile[51] = 100;
    profile[52] = FloatToWord(0.2f);
    profile[53] = FloatToWord(0.2f);
    const wxString profilePath = wxString::FromUTF8(g_dir + "/bench.hvc");
    NodeSchedule schedule;
    wxDateTime day(1, wxDateTime::Jan, 2025);
    for (uint32_t i = 0; i < log.count / 1440; i += 7, day += wxDateSpan::Week()) {
        ScheduleEntry entry;
        entry.date() = EncodePackedDate(day);
        entry.targetEc() = 1350 + (i % 5) * 20;
        entry.targetPh() = FloatToWord(5.9f + static_cast<float>(i % 3) * 0.1f);
        schedule.push_back(entry);
    }
    const wxString schedulePath = wxString::FromUTF8(g_dir + "/bench.hvs");
    if (!WriteConfigFile(profilePath, profile).Saved() ||
        !WriteScheduleFile(schedulePath, schedule).Saved() || !view->OverlayProfile(profilePath) ||
        !view->OverlaySchedule(schedulePath, 1) || !view->OverlaySchedule(schedulePath, 2))
        state.SkipWithError("no overlay");
    PanSteps(state, log, view);
    CloseView(view);
    SetCounts(state);
}

void ZoomLevels(benchmark::internal::Benchmark* b)
{
    // The whole log, then 100 days, 10 days, a day and an hour (in minutes).
    for (int64_t minutes : {0, 144000, 14400, 1440, 60})
        b->Args({1000000, minutes});
    b->Unit(benchmark::kMillisecond);
}

// ---- peak memory of the whole user path on a fresh process state:
// open, list, chart all six channels, export. Reported as the growth of the
// resident set's high-water mark over the file size.
void BM_PeakMemory(benchmark::State& state)
{
    const uint32_t count = static_cast<uint32_t>(state.range(0));
    const wxString path = LogFile(count);
    double ratio = 0, peakMb = 0;
    for (auto _ : state) {
        wxFrame* frame = NewFrame(wxSize(1000, 700));
        std::ofstream("/proc/self/clear_refs") << "5"; // restart the high-water mark
        const long before = StatusKb("VmRSS");
        auto* page = new LogPanel(frame, wxID_ANY);
        page->OpenLogFile(path);
        page->GetList()->Update();
        OrvelGUIChartViewFrame* view = page->ShowChart();
        for (int k = 0; k < kLogChannelCount; ++k)
            view->GetViewItem(k)->Check(true);
        view->RebuildChart();
        view->SaveChartImage(wxString::FromUTF8(g_dir + "/peak.png"), wxBITMAP_TYPE_PNG);
        const long peak = StatusKb("VmHWM");
        peakMb = static_cast<double>(peak - before) / 1024.0;
        ratio = static_cast<double>(peak - before) * 1024.0 / (static_cast<double>(count) * kLogRecordSize);
        frame->Destroy();
        wxYield();
    }
    state.counters["peak_growth_MB"] = peakMb;
    state.counters["peak_over_file"] = ratio;
    SetCounts(state);
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Load)->Apply(Sizes);
BENCHMARK(BM_ListReady)->Apply(Sizes);
BENCHMARK(BM_LoadAndList)->Apply(Sizes);
BENCHMARK(BM_FillSeries)->Apply(Sizes);
BENCHMARK(BM_CreateChartAndDraw)->Apply(Sizes);
BENCHMARK(BM_Charted)->Apply(Sizes);
BENCHMARK(BM_Redraw)->Apply(Sizes);
BENCHMARK(BM_ExportPng)->Apply(Sizes);
BENCHMARK(BM_ViewOpened)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewOpenedAndMarked)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewToggleChannel)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewChangeColour)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewPanStep)->Apply(ZoomLevels);
BENCHMARK(BM_ViewZoomStep)->Apply(ZoomLevels);
BENCHMARK(BM_ViewPanStepWithOverlays)->Apply(ZoomLevels);
BENCHMARK(BM_ViewHoverReadout)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewMemory)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemory)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (const int status = bench::StartWx(argc, argv))
        return status;
    RegisterImageHandlers();

    wxString dir = wxFileName::CreateTempFileName("halvane-bench");
    wxRemoveFile(dir);
    wxMkdir(dir);
    g_dir = dir.utf8_string();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    for (const char* name : {"log1000.hvl", "log100000.hvl", "log1000000.hvl", "chart.png", "peak.png",
                             "bench.hvc", "bench.hvs"})
        if (wxFileExists(dir + "/" + name)) // a filtered run makes only some
            wxRemoveFile(dir + "/" + name);
    wxRmdir(dir);
    bench::StopWx();
    return 0;
}
