// Planning a schedule: a year's feed chart imported (the file read, the
// mapping dialog built with its columns guessed, weeks ramped to days and the
// preview's rows and problems made as the dialog shows them) and the plan
// chart of a full schedule opened and drawn. A GUI program: run it under
// xvfb-run.
#include "core/CsvTable.h"
#include "core/FeedChart.h"
#include "core/SafeFile.h"
#include "core/WordHelpers.h"
#include "ui/FeedChartImportDialog.h"
#include "ui/SchedulePlanFrame.h"

#include "chart/wxChartPanel.h"

#include "bench_wx.h"

#include <benchmark/benchmark.h>

#include <wx/choice.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

wxFrame* g_parent = nullptr;
wxString g_cleanChart, g_faultyChart;

// 52 weeks as a nutrient maker publishes them: EC in mS/cm rising then
// falling, PH, and the 18 ratio columns. With faults, every tenth week's PH
// is no number (the problems list then has rows to show).
std::string YearOfWeeks(bool faults)
{
    std::string csv = "Week,EC (mS/cm),PH";
    for (const char* name : {"EC Ratio", "PH UP Ratio", "PH DOWN Ratio"})
        for (int k = 1; k <= 6; ++k)
            csv += std::string(",") + name + " " + std::to_string(k);
    csv += "\n";
    for (int week = 1; week <= 52; ++week) {
        const int ec = week <= 30 ? 800 + week * 40 : 2000 - (week - 30) * 30;
        char line[64];
        std::snprintf(line, sizeof line, "%d,%d.%03d,%s", week, ec / 1000, ec % 1000,
                      faults && week % 10 == 0 ? "n/a"
                      : week % 2               ? "5.8"
                                               : "6.1");
        csv += line;
        for (int k = 0; k < 18; ++k)
            csv += "," + std::to_string((week + k) % 5);
        csv += "\n";
    }
    return csv;
}

wxString WriteChart(const wxString& name, const std::string& text)
{
    const wxString path = wxFileName(wxFileName::GetTempDir(), name).GetFullPath();
    if (!WriteFileAtomically(path, text.data(), text.size()).Saved())
        return wxString();
    return path;
}

// The preview's rows a page of the list shows, formatted as shown (it is a
// virtual list: rows are formatted when they are scrolled to); the count.
long FormatShownRows(const FeedChartImportDialog& dialog)
{
    wxListCtrl* preview = dialog.GetPreview();
    const long page = std::min<long>(preview->GetItemCount(), preview->GetCountPerPage() + 1);
    std::size_t chars = 0;
    for (long row = 0; row < page; ++row)
        for (int column = 0; column < preview->GetColumnCount(); ++column)
            chars += preview->GetItemText(row, column).length();
    benchmark::DoNotOptimize(chars);
    return page;
}

// From "Import Feed Chart..." answered to the dialog showing the ramped
// preview: the file read, the dialog opened on it (the columns guessed, the
// preview made), ramped weeks chosen as the user does (the preview and the
// problems list remade) and a page of rows formatted. Freeing the dialog
// after it is closed is not timed.
void BM_ImportYearOfWeeks(benchmark::State& state)
{
    const bool faults = state.range(0) != 0;
    const wxString& path = faults ? g_faultyChart : g_cleanChart;
    std::size_t entries = 0, problems = 0;
    long shown = 0;
    for (auto _ : state) {
        const LoadResult<CsvTable> read = ReadCsvFile(path);
        if (!read.Loaded()) {
            state.SkipWithError("the feed chart was not read");
            break;
        }
        auto* dialog = new FeedChartImportDialog(g_parent, read.value, "year.csv", nullptr);
        dialog->GetWeeksChoice()->SetSelection(1);
        dialog->Recompute();
        shown = FormatShownRows(*dialog);
        state.PauseTiming();
        entries = dialog->GetImport().entries.size();
        problems = dialog->GetProblems()->GetCount();
        dialog->Destroy();
        wxTheApp->ProcessIdle();
        state.ResumeTiming();
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["problems"] = static_cast<double>(problems);
    state.counters["rows_shown"] = static_cast<double>(shown);
}
BENCHMARK(BM_ImportYearOfWeeks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A change in the open dialog (stepped to ramped weeks and back): the
// year's entries and problems remade and a page of rows formatted.
void BM_RemapYearOfWeeks(benchmark::State& state)
{
    const bool faults = state.range(0) != 0;
    const LoadResult<CsvTable> read = ReadCsvFile(faults ? g_faultyChart : g_cleanChart);
    FeedChartImportDialog dialog(g_parent, read.value, "year.csv", nullptr);
    int weeks = 0;
    for (auto _ : state) {
        weeks = 1 - weeks;
        dialog.GetWeeksChoice()->SetSelection(weeks);
        dialog.Recompute();
        FormatShownRows(dialog);
    }
    state.counters["entries"] = static_cast<double>(dialog.GetImport().entries.size());
}
BENCHMARK(BM_RemapYearOfWeeks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The core alone: the bytes split into a table and the weeks ramped.
void BM_ExpandYearOfWeeks(benchmark::State& state)
{
    const std::string csv = YearOfWeeks(false);
    for (auto _ : state) {
        const LoadResult<CsvTable> table = ParseCsvTable(csv.data(), csv.size());
        FeedMapping mapping = GuessFeedMapping(table.value);
        mapping.start = (2024u << 16) | (1u << 8) | 3u;
        mapping.ramped = true;
        benchmark::DoNotOptimize(ExpandFeedChart(table.value, mapping).entries.size());
    }
}
BENCHMARK(BM_ExpandYearOfWeeks)->Unit(benchmark::kMillisecond);

// A full schedule: a year of days from 1 March 2024, EC and PH moving day
// by day, ratios changing weekly, and a week left out in the middle.
NodeSchedule FullSchedule()
{
    NodeSchedule schedule;
    wxDateTime day(1, wxDateTime::Mar, 2024);
    for (int i = 0; schedule.size() < ScheduleCapacity; ++i, day += wxDateSpan::Day()) {
        if (i >= 180 && i < 187)
            continue;
        ScheduleEntry entry;
        entry.date() = EncodePackedDate(day);
        entry.targetEc() = static_cast<uint32_t>(800 + (i % 120) * 10);
        entry.targetPh() = FloatToWord(5.6f + static_cast<float>(i % 9) * 0.1f);
        for (std::size_t k = 0; k < kScheduleActuators; ++k)
            entry.ecRatio(k) = static_cast<uint32_t>((i / 7 + static_cast<int>(k)) % 5);
        schedule.push_back(entry);
    }
    return schedule;
}

// "Show Plan...": the window made with its chart and drawn at its size
// (640 x 480, as it opens, and 1280 x 720).
void BM_PlanChartOpenAndDraw(benchmark::State& state)
{
    const NodeSchedule schedule = FullSchedule();
    const wxSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        auto* frame = new SchedulePlanFrame(g_parent, schedule);
        frame->SetClientSize(size);
        frame->Layout();
        wxChartPanel* panel = frame->GetChartPanel();
        if (panel->GetBackBuffer().GetSize() != panel->GetClientSize())
            panel->RedrawBackBuffer();
        benchmark::DoNotOptimize(panel->GetBackBuffer().GetWidth());
        state.PauseTiming();
        if (!panel->GetBackBuffer().IsOk())
            state.SkipWithError("the plan chart was not drawn");
        frame->Destroy();
        wxTheApp->ProcessIdle();
        state.ResumeTiming();
    }
    state.counters["entries"] = static_cast<double>(schedule.size());
}
BENCHMARK(BM_PlanChartOpenAndDraw)->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMillisecond);

// A redraw of the open plan (a resize, a zoom step).
void BM_PlanChartRedraw(benchmark::State& state)
{
    auto* frame = new SchedulePlanFrame(g_parent, FullSchedule());
    frame->SetClientSize(1280, 720);
    frame->Layout();
    wxChartPanel* panel = frame->GetChartPanel();
    for (auto _ : state) {
        panel->RedrawBackBuffer();
        benchmark::DoNotOptimize(panel->GetBackBuffer().GetWidth());
    }
    frame->Destroy();
    wxTheApp->ProcessIdle();
}
BENCHMARK(BM_PlanChartRedraw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (const int status = bench::StartWx(argc, argv))
        return status;
    g_parent = new wxFrame(nullptr, wxID_ANY, "bench_schedule");
    g_cleanChart = WriteChart("halvane-bench-year.csv", YearOfWeeks(false));
    g_faultyChart = WriteChart("halvane-bench-year-faults.csv", YearOfWeeks(true));
    if (g_cleanChart.empty() || g_faultyChart.empty()) {
        std::fprintf(stderr, "the feed charts could not be written to the temporary directory\n");
        return 3;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxRemoveFile(g_cleanChart);
    wxRemoveFile(g_faultyChart);
    g_parent->Destroy();
    wxTheApp->ProcessIdle();
    bench::StopWx();
    return 0;
}
