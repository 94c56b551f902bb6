// A season of untrusted logs merged into one timeline. Input: one byte
// saying after how many records the first log ends, then records of 160
// bytes (a last partial one left over); the records are one log and a
// copy of its first ones, so that repeats are common. The timeline holds
// every dated record once, in time order, each one a record of the logs;
// each log's clock steps are steps back or gaps, and the clock check over
// them finds stretches that run forward in time.
#include "core/GrowTimeline.h"
#include "core/LogSeries.h"
#include "core/ProbeHealth.h"
#include "core/Words.h"

#include "harness.h"

#include <cstring>
#include <set>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t split = data[0];
    std::vector<LogRecord> records((size - 1) / kLogRecordSize);
    for (size_t i = 0; i < records.size(); ++i)
        LoadWordsLE(data + 1 + i * kLogRecordSize, records[i].data(), kLogRecordWords);
    const uint32_t count = static_cast<uint32_t>(records.size());
    const uint32_t copied = static_cast<uint32_t>(split < records.size() ? split : records.size());
    const NodeLog first = MakeNodeLog(records.data(), count);
    const NodeLog second = MakeNodeLog(records.data(), copied);
    const GrowTimeline t = MergeLogs({first, second});

    FuzzCheck(t.read == count + copied, "every record read");
    FuzzCheck(t.log.count + t.duplicates + t.undated == t.read, "each record kept, repeated or undated");
    uint32_t datedCopies = 0;
    for (uint32_t i = 0; i < copied; ++i) {
        int64_t ms = 0;
        datedCopies += LogRecordTime(records[i][kLogDate], records[i][kLogTime], ms) ? 1 : 0;
    }
    FuzzCheck(t.duplicates >= datedCopies, "the copy counts once");
    std::set<std::vector<uint32_t>> inputs;
    for (const LogRecord& r : records)
        inputs.insert(std::vector<uint32_t>(r.begin(), r.end()));
    std::set<std::vector<uint32_t>> seen;
    int64_t before = 0;
    for (uint32_t i = 0; i < t.log.count; ++i) {
        const LogRecord& r = t.log[i];
        int64_t ms = 0;
        FuzzCheck(LogRecordTime(r[kLogDate], r[kLogTime], ms), "every record dated");
        FuzzCheck(i == 0 || ms >= before, "in time order");
        before = ms;
        const std::vector<uint32_t> words(r.begin(), r.end());
        FuzzCheck(inputs.count(words) == 1, "a record of the logs");
        FuzzCheck(seen.insert(words).second, "each record once");
    }

    FuzzCheck(t.clocks.size() == 2, "a clock per log");
    for (const LogClockSteps& clock : t.clocks) {
        FuzzCheck(clock.usualStepMs >= 0, "a usual step of no time or more");
        for (const auto& [from, to] : clock.steps)
            FuzzCheck(to < from || to - from > LogClockSteps::kClockGapSteps * clock.usualStepMs,
                      "a step back or a gap");
    }
    for (const ProbeFinding& f :
         FindProbeTrouble(t.log.records.get(), t.log.count, nullptr, ProbeThresholds(), &t.clocks))
        FuzzCheck(f.fromMs <= f.toMs, "a finding runs forward in time");
    return 0;
}
