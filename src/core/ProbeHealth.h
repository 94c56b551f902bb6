// Signs in a node log that a probe, or the controller's clock, is not to be
// trusted: a reading that no longer moves, an EC too low for a nutrient
// solution, readings missing, two probes in one reservoir that disagree, and
// record times that jump. Pure: records in, findings out.
#pragma once

#include "core/LogChannels.h"
#include "core/LogTargets.h"
#include "core/NodeLog.h"

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Every threshold of the rules, with the defaults the rules were made for.
struct ProbeThresholds {
    // A working probe's last digit always moves; one unchanged for an hour
    // while its twin moves has stopped measuring.
    int64_t stuckMs = int64_t{60} * 60 * 1000;
    // Under 100 uS the solution is as good as plain water: where the
    // controller holds an EC target, the probe is dry or fouled.
    double lowEcUs = 100;
    // Steps that come back within five minutes are spikes (an air bubble, a
    // dosing pulse passing the probe), counted but no trouble.
    double spikeStepEcUs = 200;
    double spikeStepPh = 0.5;
    double spikeStepTemperature = 2;
    int64_t spikeReturnMs = int64_t{5} * 60 * 1000;
    // Record times going back by more than this, or forward over a gap
    // longer than this and ten times the log's usual interval, mean the
    // controller's clock was set or lost (or records were).
    int64_t clockJumpMs = int64_t{60} * 60 * 1000;

    bool operator==(const ProbeThresholds& o) const
    {
        return stuckMs == o.stuckMs && lowEcUs == o.lowEcUs && spikeStepEcUs == o.spikeStepEcUs &&
               spikeStepPh == o.spikeStepPh && spikeStepTemperature == o.spikeStepTemperature &&
               spikeReturnMs == o.spikeReturnMs && clockJumpMs == o.clockJumpMs;
    }
    bool operator!=(const ProbeThresholds& o) const { return !(*this == o); }
};

enum class ProbeFindingKind {
    Stuck,          // the reading did not change at all
    LowEc,          // EC below the threshold where an EC target is held
    Dropouts,       // readings missing or impossible (count and longest run)
    Spike,          // a sudden step that returned: counted, no trouble
    ChannelsDiffer, // two probes in one reservoir more than twice the tolerance apart
    ClockJump,      // record times going back, or forward over a gap
};

struct ProbeFinding {
    ProbeFindingKind kind;
    int channel;    // log channel 0..5; -1 for the clock
    int64_t fromMs; // the stretch, ms since the epoch
    int64_t toMs;
    wxString reason;

    bool IsTrouble() const { return kind != ProbeFindingKind::Spike; }
};

// What the clock rule needs of one log's record times in file order: its
// usual interval (the middle of its forward steps) and every step that goes
// back or forward by more than kClockGapSteps usual intervals, as (time
// before, time after). A season's logs merged in time order no longer show
// a log's clock set back; their steps, read log by log before the merge,
// still do.
struct LogClockSteps {
    static constexpr int64_t kClockGapSteps = 10;
    int64_t usualStepMs = 0;
    std::vector<std::pair<int64_t, int64_t>> steps;
};

// The steps of count record times (ms since the epoch) in file order.
LogClockSteps ReadClockSteps(const int64_t* ms, size_t count);

// The findings of `count` records in file order. Records without a real date
// and time are passed over. `targets` (may be null) says where an EC target
// is held and whether both channels share one reservoir. Findings come
// ordered by rule, then channel, then time. With logClocks (a season's logs
// merged into records), record times that jump are found log by log from
// their steps, in time order, instead of in the records' order.
std::vector<ProbeFinding> FindProbeTrouble(const LogRecord* records, uint32_t count,
                                           const LogTargets* targets,
                                           const ProbeThresholds& thresholds = ProbeThresholds(),
                                           const std::vector<LogClockSteps>* logClocks = nullptr);

// The findings that touch [fromMs, toMs], for the summary: a "Probe checks"
// section with one line per trouble of a wanted channel or of the clock (its
// times and reason), then the spikes counted per wanted channel.
wxString ProbeFindingsText(const std::vector<ProbeFinding>& findings, int64_t fromMs, int64_t toMs,
                           const bool (&wanted)[kLogChannelCount]);
