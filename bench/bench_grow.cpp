// A season as a grow: 60 monthly logs of one record a minute over five years
// (about 2.6 million records, 420 MB) opened to a first chart of six
// channels, redrawn at every zoom from five years to an hour, the readout,
// a journal of 2,000 notes drawn and the grow file saved.
//
// Runs under Xvfb (it draws with wx):
//   xvfb-run -a build/bench/bench_grow
// Targets: opened to a first chart < 1.5 s with peak memory below 1.5 times
// the logs' size; a zoom or pan redraw < 16 ms at every level; the readout
// < 2 ms; 2,000 notes add < 1 ms to a redraw; saving the grow < 50 ms.
#include "core/GrowFile.h"
#include "core/GrowTimeline.h"
#include "core/Words.h"
#include "ui/LogChart.h"

#include "chart/Chart.h"
#include "chart/MarkerLayer.h"
#include "chart/XYPlot.h"
#include "util/CivilTime.h"

#include "bench_wx.h"

#include <benchmark/benchmark.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/graphics.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

const wxColour kColours[kLogChannelCount] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                             {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};
const ChannelColours kAll = {&kColours[0], &kColours[1], &kColours[2],
                             &kColours[3], &kColours[4], &kColours[5]};
const wxSize kChartSize(1600, 900);

wxString g_dir;

// Month m (0 = January 2021) at one record a minute, readings wandering
// like a reservoir's.
std::vector<unsigned char> MonthLog(int m, std::mt19937& rng)
{
    const int year = 2021 + m / 12, month = m % 12 + 1;
    const int64_t first = civil::DaysFromCivil(year, month, 1);
    const int64_t end =
        month == 12 ? civil::DaysFromCivil(year + 1, 1, 1) : civil::DaysFromCivil(year, month + 1, 1);
    std::vector<unsigned char> bytes(static_cast<size_t>(end - first) * 1440 * kLogRecordSize);
    std::normal_distribution<float> step(0.0f, 0.01f);
    float ph = 6.0f, te = 20.0f;
    uint32_t ec = 1400;
    size_t at = 0;
    LogRecord r{};
    for (int64_t day = first; day < end; ++day) {
        const uint32_t date = static_cast<uint32_t>(month) |
                              static_cast<uint32_t>(civil::CivilFromDays(day).day) << 8 |
                              static_cast<uint32_t>(year) << 16;
        for (uint32_t minute = 0; minute < 1440; ++minute) {
            ph += step(rng);
            te += step(rng);
            ec = static_cast<uint32_t>(static_cast<int>(ec) + static_cast<int>(rng() % 7) - 3);
            r[kLogDate] = date;
            r[kLogTime] = minute / 60 | (minute % 60) << 8;
            r[kLogEc1] = ec;
            r[kLogEc2] = ec + 100;
            for (unsigned w = kLogPh1; w <= kLogTe2; ++w) {
                const float value = w < kLogTe1 ? ph : te;
                std::memcpy(&r[w], &value, 4);
            }
            StoreWordsLE(r.data(), kLogRecordWords, bytes.data() + at);
            at += kLogRecordSize;
        }
    }
    return bytes;
}

// The paths of `months` monthly logs, written once per run.
const std::vector<wxString>& Season(int months, uint64_t& bytes)
{
    static std::map<int, std::pair<std::vector<wxString>, uint64_t>> made;
    auto& season = made[months];
    if (season.first.empty()) {
        std::mt19937 rng(42);
        for (int m = 0; m < months; ++m) {
            const std::vector<unsigned char> log = MonthLog(m, rng);
            const wxString path = g_dir + wxString::Format("/s%d-%02d.hvl", months, m);
            std::ofstream(path.utf8_string(), std::ios::binary)
                .write(reinterpret_cast<const char*>(log.data()), static_cast<std::streamsize>(log.size()));
            season.first.push_back(path);
            season.second += log.size();
        }
    }
    bytes = season.second;
    return season.first;
}

long StatusKb(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::strlen(key)));
    return 0;
}

void Draw(Chart& chart, wxBitmap& buffer)
{
    wxMemoryDC dc(buffer);
    chart.Draw(dc, wxRect(buffer.GetSize()));
}

void BM_GrowOpenToFirstChart(benchmark::State& state)
{
    uint64_t bytes = 0;
    const std::vector<wxString>& logs = Season(static_cast<int>(state.range(0)), bytes);
    wxBitmap buffer(kChartSize, 24);
    double peakShare = 0;
    uint32_t records = 0;
    for (auto _ : state) {
        std::ofstream("/proc/self/clear_refs") << "5"; // the peak from here
        const long before = StatusKb("VmRSS:");
        GrowTimeline timeline = MergeLogFiles(logs);
        LogChart data;
        data.FillSeries(timeline.log.records, timeline.log.count);
        std::unique_ptr<Chart> chart = data.CreateChart(kAll);
        Draw(*chart, buffer);
        records = timeline.log.count;
        peakShare = static_cast<double>(StatusKb("VmHWM:") - before) * 1024.0 / static_cast<double>(bytes);
    }
    state.counters["records"] = records;
    state.counters["peak_x_logs"] = peakShare;
}
BENCHMARK(BM_GrowOpenToFirstChart)->Arg(6)->Arg(60)->Iterations(3)->Unit(benchmark::kMillisecond);

// The five-year grow charted once for the benchmarks below.
struct Charted {
    GrowTimeline timeline;
    LogChart data;
    std::unique_ptr<Chart> chart;
    wxBitmap buffer{kChartSize, 24};
};

Charted& FiveYears()
{
    static std::unique_ptr<Charted> charted;
    if (!charted) {
        uint64_t bytes = 0;
        charted = std::make_unique<Charted>();
        charted->timeline = MergeLogFiles(Season(60, bytes));
        charted->data.FillSeries(charted->timeline.log.records, charted->timeline.log.count);
        charted->data.ProbeFindings(); // the marks a view draws once its checks are done
        charted->chart = charted->data.CreateChart(kAll);
        Draw(*charted->chart, charted->buffer);
    }
    return *charted;
}

const double kSpans[] = {5 * 365.25, 365.25, 30, 7, 1, 1.0 / 24};

// A pan by a tenth of the view at each zoom level (every draw a new view).
void BM_GrowPanRedraw(benchmark::State& state)
{
    Charted& c = FiveYears();
    XYPlot* plot = c.chart->GetPlot();
    const double span = kSpans[state.range(0)];
    const double full = plot->GetFullX().hi;
    double lo = full / 3;
    for (auto _ : state) {
        lo += span / 10;
        if (lo + span > full)
            lo = 0;
        plot->SetViewX(lo, lo + span);
        Draw(*c.chart, c.buffer);
    }
    plot->ClearViewX();
    state.SetLabel(wxString::Format("%g days", span).utf8_string());
}
BENCHMARK(BM_GrowPanRedraw)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_GrowReadout(benchmark::State& state)
{
    Charted& c = FiveYears();
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> x(0, c.chart->GetPlot()->GetFullX().hi);
    wxChartPanel::Readout readout;
    for (auto _ : state)
        benchmark::DoNotOptimize(c.data.Describe(x(rng), kAll, readout));
}
BENCHMARK(BM_GrowReadout)->Unit(benchmark::kMicrosecond);

std::shared_ptr<std::vector<chart::Marker>> Notes(size_t count, double days, bool labelled)
{
    auto markers = std::make_shared<std::vector<chart::Marker>>();
    for (size_t i = 0; i < count; ++i)
        markers->push_back({days * static_cast<double>(i) / static_cast<double>(count),
                            labelled ? "Reservoir change: 120 l" : ""});
    return markers;
}

// The notes' layer alone, as a redraw of the whole five years draws it;
// with their labels (1) or the lines alone (0).
void BM_JournalMarkersDraw(benchmark::State& state)
{
    chart::MarkerLayer layer(Notes(static_cast<size_t>(state.range(0)), 5 * 365.25, state.range(1) != 0),
                             wxColour(96, 96, 96));
    wxBitmap buffer(kChartSize, 24);
    wxMemoryDC dc(buffer);
    wxDCClipper clip(dc, wxRect(80, 40, 1480, 800)); // as the plot clips its layers
    if (wxGraphicsContext* gc = dc.GetGraphicsContext())
        gc->SetAntialiasMode(wxANTIALIAS_NONE); // as the plot draws them
    chart::LayerView view;
    view.area = wxRect(80, 40, 1480, 800);
    view.x = {0, 5 * 365.25};
    view.y = {0, 1};
    for (auto _ : state)
        layer.Draw(dc, view);
}
BENCHMARK(BM_JournalMarkersDraw)->Args({2000, 0})->Args({2000, 1})->Unit(benchmark::kMillisecond);

void BM_GrowSave(benchmark::State& state)
{
    uint64_t bytes = 0;
    Grow grow;
    grow.name = "Five years";
    grow.logs = Season(60, bytes);
    std::vector<GrowNote> notes(static_cast<size_t>(state.range(0)));
    for (size_t i = 0; i < notes.size(); ++i) {
        notes[i].timeMs = 1609459200000 + static_cast<int64_t>(i) * 3600000 * 20;
        notes[i].kind = NoteKind::TopUp;
        notes[i].text = "20 l of nutrient solution";
    }
    grow.journal = GrowJournal(notes);
    const wxString path = g_dir + "/season.hvg";
    for (auto _ : state)
        if (!WriteGrowFile(path, grow).Saved())
            state.SkipWithError("the grow file could not be written");
}
BENCHMARK(BM_GrowSave)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (const int status = bench::StartWx(argc, argv))
        return status;
    g_dir = wxFileName::CreateTempFileName("halvane-bench-grow");
    wxRemoveFile(g_dir);
    wxMkdir(g_dir);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxArrayString files;
    wxDir::GetAllFiles(g_dir, &files);
    for (const wxString& file : files)
        wxRemoveFile(file);
    wxRmdir(g_dir);
    bench::StopWx();
    return 0;
}
