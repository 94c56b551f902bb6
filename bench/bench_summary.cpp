// How fast a log of 1,000,000 records (about two years at one a minute) is
// summarised and exported, with a profile and a schedule for both channels.
//
//   build/bench/bench_summary
// Targets: the whole log summarised < 60 ms, a one-week view < 5 ms, the
// CSV export of every record < 1.5 s.
#include "core/LogCsv.h"
#include "core/LogSeries.h"
#include "core/LogSummary.h"
#include "core/LogTargets.h"
#include "core/WordHelpers.h"

#include <benchmark/benchmark.h>

#include <wx/filename.h>
#include <wx/init.h>

#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kRecords = 1000000;

struct Fixture {
    std::vector<LogRecord> records;
    LogSeries series;
    LogTargets targets;

    Fixture()
    {
        // One record a minute from 1 January 2025, readings wandering about
        // their targets so that the bands are left and re-entered.
        records.resize(kRecords);
        std::mt19937 rng(1);
        std::normal_distribution<float> step(0.0f, 0.02f);
        float ph1 = 6.0f, ph2 = 6.2f, te1 = 20.0f, te2 = 21.0f;
        int ec1 = 1400, ec2 = 1500;
        wxDateTime day(1, wxDateTime::Jan, 2025);
        uint32_t minute = 0;
        uint32_t dateWord = EncodePackedDate(day);
        for (uint32_t i = 0; i < kRecords; ++i) {
            LogRecord& r = records[i];
            ph1 += step(rng) - (ph1 - 6.0f) * 0.01f;
            ph2 += step(rng) - (ph2 - 6.2f) * 0.01f;
            te1 += step(rng);
            te2 += step(rng);
            ec1 += static_cast<int>(rng() % 7) - 3 - (ec1 - 1400) / 64;
            ec2 += static_cast<int>(rng() % 7) - 3 - (ec2 - 1500) / 64;
            r[kLogEc1] = static_cast<uint32_t>(ec1);
            r[kLogEc2] = static_cast<uint32_t>(ec2);
            r[kLogPh1] = FloatToWord(ph1);
            r[kLogPh2] = FloatToWord(ph2);
            r[kLogTe1] = FloatToWord(te1);
            r[kLogTe2] = FloatToWord(te2);
            for (unsigned a = 0; a < 6; ++a)
                r[kLogAc1 + a] = static_cast<uint32_t>(rng() % 100);
            r[kLogDate] = dateWord;
            r[kLogTime] = (minute / 60) | (minute % 60) << 8;
            if (++minute == 1440) {
                minute = 0;
                day += wxDateSpan::Day();
                dateWord = EncodePackedDate(day);
            }
        }
        if (!series.Fill(records.data(), kRecords).Whole())
            std::fprintf(stderr, "the generated log did not fill\n");

        NodeConfig c;
        c[kIndexOperationMode] = kModeDualChannelDualEnv;
        c[kIndexEc1Target] = 1400;
        c[kIndexEc2Target] = 1500;
        c[kIndexEc1Tolerance] = 50;
        c[kIndexEc2Tolerance] = 50;
        c[kIndexPh1Target] = FloatToWord(6.0f);
        c[kIndexPh2Target] = FloatToWord(6.2f);
        c[kIndexPh1Tolerance] = FloatToWord(0.1f);
        c[kIndexPh2Tolerance] = FloatToWord(0.1f);
        targets.SetProfile(c);
        // A year of days on each channel, the first half of the log.
        for (int channel = 1; channel <= 2; ++channel) {
            NodeSchedule schedule;
            wxDateTime d(1, wxDateTime::Jan, 2025);
            for (int n = 0; n < 365; ++n, d += wxDateSpan::Day()) {
                ScheduleEntry e;
                e.date() = EncodePackedDate(d);
                e.targetEc() = static_cast<uint32_t>(1380 + n % 40);
                e.targetPh() = FloatToWord(6.0f + 0.005f * static_cast<float>(n % 30));
                schedule.push_back(e);
            }
            targets.SetSchedule(channel, schedule);
        }
    }
};

Fixture& Log()
{
    static Fixture fixture;
    return fixture;
}

constexpr bool kAll[kLogChannelCount] = {true, true, true, true, true, true};

void BM_SummariseWholeLog(benchmark::State& state)
{
    Fixture& f = Log();
    const double inf = std::numeric_limits<double>::infinity();
    for (auto _ : state) {
        LogSummary s = SummariseLog(f.records.data(), f.series.Days(), f.series.FilledCount(),
                                    f.series.FirstTimeMs(), -inf, inf, kAll, &f.targets);
        benchmark::DoNotOptimize(s);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_SummariseWholeLog)->Unit(benchmark::kMillisecond);

void BM_SummariseOneWeek(benchmark::State& state)
{
    Fixture& f = Log();
    for (auto _ : state) {
        LogSummary s = SummariseLog(f.records.data(), f.series.Days(), f.series.FilledCount(),
                                    f.series.FirstTimeMs(), 300, 307, kAll, &f.targets);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_SummariseOneWeek)->Unit(benchmark::kMillisecond);

// A view of one week with the log-wide part worked out once, as a window
// that follows the view does.
void BM_SummariseOneWeekKnownLog(benchmark::State& state)
{
    Fixture& f = Log();
    const LogWideSummary whole =
        SummariseLogWide(f.series.Days(), f.series.FilledCount(), f.series.FirstTimeMs());
    for (auto _ : state) {
        LogSummary s = SummariseLog(f.records.data(), f.series.Days(), f.series.FilledCount(),
                                    f.series.FirstTimeMs(), 300, 307, kAll, &f.targets, whole);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_SummariseOneWeekKnownLog)->Unit(benchmark::kMicrosecond);

void BM_SummaryText(benchmark::State& state)
{
    Fixture& f = Log();
    const LogSummary s = SummariseLog(f.records.data(), f.series.Days(), f.series.FilledCount(),
                                      f.series.FirstTimeMs(), 300, 307, kAll, &f.targets);
    for (auto _ : state) {
        wxString text = SummaryText(s, f.records.data(), kAll, &f.targets);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_SummaryText)->Unit(benchmark::kMicrosecond);

void BM_CsvRows(benchmark::State& state)
{
    Fixture& f = Log();
    std::string out;
    for (auto _ : state) {
        out.clear();
        out += LogCsvHeader();
        for (const LogRecord& r : f.records)
            AppendLogCsvRow(out, r);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(out.size()));
}
BENCHMARK(BM_CsvRows)->Unit(benchmark::kMillisecond);

void BM_WriteLogCsv(benchmark::State& state)
{
    Fixture& f = Log();
    const wxString path = wxFileName::CreateTempFileName("halvane-bench-csv");
    for (auto _ : state) {
        SaveResult r = WriteLogCsv(
            path, f.records.size(), [&](size_t i) -> const LogRecord& { return f.records[i]; },
            [](size_t, size_t) { return true; });
        if (!r.Saved())
            state.SkipWithError("the CSV was not written");
    }
    wxRemoveFile(path);
}
BENCHMARK(BM_WriteLogCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    wxInitializer wx;
    if (!wx.IsOk())
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
