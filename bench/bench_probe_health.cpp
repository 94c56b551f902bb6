// How fast the probe checks run over a year of records at one a minute
// (525,600) and over a million (a grow of two years, say), in the
// one-reservoir mode so that every check runs, and how
// fast their flags are written beside each record of a CSV. A chart view
// runs the checks once per log (and again only when its targets or
// thresholds change), so they add to the opening of a chart.
//
//   build/bench/bench_probe_health
// Targets: the checks of a million records < 100 ms, the flags of every
// record of a year < 150 ms (about 105 ms of CPU time on the 2-core build
// machine).
#include "core/LogTargets.h"
#include "core/ProbeFlags.h"
#include "core/ProbeHealth.h"
#include "core/WordHelpers.h"

#include <benchmark/benchmark.h>

#include <wx/init.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kRecords = 525600;
constexpr uint32_t kMillion = 1000000;

struct Fixture {
    std::vector<LogRecord> records;
    LogTargets targets;

    explicit Fixture(uint32_t count)
    {
        // Readings wandering about their targets, with a stuck hour and a
        // missing reading now and then, and a spike every few hours.
        records.resize(count);
        std::mt19937 rng(1);
        std::normal_distribution<float> step(0.0f, 0.02f);
        float ph1 = 6.0f, ph2 = 6.0f, te1 = 20.0f, te2 = 20.0f;
        int ec1 = 1400, ec2 = 1400;
        wxDateTime day(1, wxDateTime::Jan, 2025);
        uint32_t minute = 0;
        uint32_t dateWord = EncodePackedDate(day);
        for (uint32_t i = 0; i < count; ++i) {
            LogRecord& r = records[i];
            ph1 += step(rng) - (ph1 - 6.0f) * 0.01f;
            ph2 += step(rng) - (ph2 - 6.0f) * 0.01f;
            te1 += step(rng);
            te2 += step(rng);
            ec1 += static_cast<int>(rng() % 7) - 3 - (ec1 - 1400) / 64;
            ec2 += static_cast<int>(rng() % 7) - 3 - (ec2 - 1400) / 64;
            const bool stuck = i % 10000 < 90;
            r[kLogEc1] = stuck ? 1400 : static_cast<uint32_t>(ec1);
            r[kLogEc2] = i % 5000 == 7 ? 0xFFFFFFFFu : static_cast<uint32_t>(ec2);
            r[kLogPh1] = FloatToWord(i % 300 == 11 ? 9.0f : ph1);
            r[kLogPh2] = FloatToWord(ph2);
            r[kLogTe1] = FloatToWord(te1);
            r[kLogTe2] = FloatToWord(te2);
            r[kLogDate] = dateWord;
            r[kLogTime] = (minute / 60) | (minute % 60) << 8;
            if (++minute == 1440) {
                minute = 0;
                day += wxDateSpan::Day();
                dateWord = EncodePackedDate(day);
            }
        }
        NodeConfig c;
        c[kIndexOperationMode] = kModeDualChannelSingleEnv;
        c[kIndexEc1Target] = 1400;
        c[kIndexEc2Target] = 1400;
        c[kIndexEc1Tolerance] = 50;
        c[kIndexEc2Tolerance] = 50;
        c[kIndexPh1Target] = FloatToWord(6.0f);
        c[kIndexPh2Target] = FloatToWord(6.0f);
        c[kIndexPh1Tolerance] = FloatToWord(0.1f);
        c[kIndexPh2Tolerance] = FloatToWord(0.1f);
        targets.SetProfile(c);
    }
};

Fixture& Log()
{
    static Fixture fixture(kRecords);
    return fixture;
}

Fixture& MillionLog()
{
    static Fixture fixture(kMillion);
    return fixture;
}

void BM_FindProbeTroubleYear(benchmark::State& state)
{
    Fixture& f = Log();
    size_t found = 0;
    for (auto _ : state) {
        const std::vector<ProbeFinding> findings = FindProbeTrouble(f.records.data(), kRecords, &f.targets);
        found = findings.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["findings"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_FindProbeTroubleYear)->Unit(benchmark::kMillisecond);

void BM_FindProbeTroubleMillion(benchmark::State& state)
{
    Fixture& f = MillionLog();
    size_t found = 0;
    for (auto _ : state) {
        const std::vector<ProbeFinding> findings = FindProbeTrouble(f.records.data(), kMillion, &f.targets);
        found = findings.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["findings"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * kMillion);
}
// Process CPU time: the helper thread's work counts too.
BENCHMARK(BM_FindProbeTroubleMillion)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_ProbeFlagsOfEveryRecord(benchmark::State& state)
{
    Fixture& f = Log();
    const ProbeFlags flags(FindProbeTrouble(f.records.data(), kRecords, &f.targets));
    std::string out;
    for (auto _ : state) {
        out.clear();
        for (const LogRecord& r : f.records)
            flags.AppendCsvFields(out, r);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ProbeFlagsOfEveryRecord)->Unit(benchmark::kMillisecond);

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
