#include "core/ProbeHealth.h"

#include "core/DateText.h"
#include "core/LogChannels.h"
#include "core/LogSeries.h"
#include "core/LogSummary.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace {

// Forward steps this many times the log's usual interval (and longer than
// the clock threshold) are gaps.
constexpr int64_t kGapSteps = 10;

// The records that have a real date and time, with their times and readings.
struct Samples {
    std::vector<uint32_t> record;
    std::vector<int64_t> ms;
    std::vector<double> value[kLogChannelCount];
    size_t Size() const { return ms.size(); }
};

Samples ReadSamples(const LogRecord* records, uint32_t count)
{
    Samples s;
    LogTimeDecoder decoder;
    for (uint32_t i = 0; i < count; ++i) {
        int64_t ms = 0;
        if (!decoder.Decode(records[i][kLogDate], records[i][kLogTime], ms))
            continue;
        s.record.push_back(i);
        s.ms.push_back(ms);
        for (int k = 0; k < kLogChannelCount; ++k)
            s.value[k].push_back(LogChannelValue(records[i], k));
    }
    return s;
}

// A channel's target on a record's day, looked up again only when the day
// changes (records come a day at a time).
class DayTarget {
public:
    DayTarget(const LogTargets& targets, int channel) : m_targets(targets), m_channel(channel) {}
    const ChannelTarget& On(uint32_t dateWord)
    {
        if (!m_have || dateWord != m_dateWord) {
            m_target = m_targets.TargetOn(m_channel, dateWord);
            m_dateWord = dateWord;
            m_have = true;
        }
        return m_target;
    }

private:
    const LogTargets& m_targets;
    int m_channel;
    bool m_have = false;
    uint32_t m_dateWord = 0;
    ChannelTarget m_target;
};

bool IsReading(int channel, double v)
{
    const LogReadingRange range = LogChannelReadingRange(channel);
    return !std::isnan(v) && v >= range.lo && v <= range.hi;
}

wxString Name(int channel)
{
    return LogChannelName(channel);
}

// Whether the channel's twin reads at least two different values in [from, to].
bool TwinMoves(const Samples& s, int channel, size_t from, size_t to)
{
    const int twin = channel ^ 1;
    const std::vector<double>& v = s.value[twin];
    bool have = false;
    double first = 0;
    for (size_t i = from; i <= to; ++i) {
        if (!IsReading(twin, v[i]))
            continue;
        if (have && v[i] != first)
            return true;
        have = true;
        first = v[i];
    }
    return false;
}

void FindStuck(const Samples& s, int channel, const ProbeThresholds& t, std::vector<ProbeFinding>& out)
{
    const std::vector<double>& v = s.value[channel];
    size_t i = 0;
    while (i < s.Size()) {
        if (!IsReading(channel, v[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end + 1 < s.Size() && v[end + 1] == v[i])
            ++end;
        if (s.ms[end] - s.ms[i] > t.stuckMs && TwinMoves(s, channel, i, end))
            out.push_back({ProbeFindingKind::Stuck, channel, s.ms[i], s.ms[end],
                           Name(channel) + " stuck at " + LogChannelValueText(channel, v[i]) + " for " +
                               DurationText(s.ms[end] - s.ms[i]) + " while " + Name(channel ^ 1) + " moved"});
        i = end + 1;
    }
}

void FindLowEc(const Samples& s, const LogRecord* records, int channel, const LogTargets& targets,
               const ProbeThresholds& t, std::vector<ProbeFinding>& out)
{
    const std::vector<double>& v = s.value[channel];
    const wxString threshold = LogChannelValueText(channel, t.lowEcUs);
    DayTarget target(targets, channel);
    const auto low = [&](size_t j) {
        return IsReading(channel, v[j]) && v[j] < t.lowEcUs &&
               target.On(records[s.record[j]][kLogDate]).adjusted;
    };
    size_t i = 0;
    while (i < s.Size()) {
        if (!low(i)) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end + 1 < s.Size() && low(end + 1))
            ++end;
        out.push_back({ProbeFindingKind::LowEc, channel, s.ms[i], s.ms[end],
                       Name(channel) + " below " + threshold + " uS while its EC target is held"});
        i = end + 1;
    }
}

void FindDropouts(const Samples& s, int channel, std::vector<ProbeFinding>& out)
{
    const std::vector<double>& v = s.value[channel];
    size_t total = 0, longest = 0, longestFrom = 0, run = 0;
    for (size_t i = 0; i < s.Size(); ++i) {
        if (IsReading(channel, v[i])) {
            run = 0;
            continue;
        }
        ++total;
        if (++run > longest) {
            longest = run;
            longestFrom = i + 1 - run;
        }
    }
    if (total == 0)
        return;
    const size_t longestTo = longestFrom + longest - 1;
    out.push_back(
        {ProbeFindingKind::Dropouts, channel, s.ms[longestFrom], s.ms[longestTo],
         wxString::Format("%s: %zu readings missing or impossible, the longest run %zu (%s)", Name(channel),
                          total, longest, DurationText(s.ms[longestTo] - s.ms[longestFrom]))});
}

double SpikeStep(int channel, const ProbeThresholds& t)
{
    switch (LogChannelQuantity(channel)) {
    case LogQuantity::Ec:
        return t.spikeStepEcUs;
    case LogQuantity::Ph:
        return t.spikeStepPh;
    case LogQuantity::Temperature:
        break;
    }
    return t.spikeStepTemperature;
}

// The first sample after `from` within the return time that is back within
// half a step of `level`; 0 when there is none.
size_t SpikeReturn(const Samples& s, int channel, size_t from, double level, double step, int64_t returnMs)
{
    const std::vector<double>& v = s.value[channel];
    for (size_t j = from + 1; j < s.Size() && s.ms[j] - s.ms[from] <= returnMs; ++j)
        if (IsReading(channel, v[j]) && std::fabs(v[j] - level) <= step / 2)
            return j;
    return 0;
}

void FindSpikes(const Samples& s, int channel, const ProbeThresholds& t, std::vector<ProbeFinding>& out)
{
    const std::vector<double>& v = s.value[channel];
    const double step = SpikeStep(channel, t);
    size_t i = 1;
    while (i < s.Size()) {
        const double before = v[i - 1];
        if (!IsReading(channel, before) || !IsReading(channel, v[i]) || std::fabs(v[i] - before) <= step) {
            ++i;
            continue;
        }
        const size_t back = SpikeReturn(s, channel, i, before, step, t.spikeReturnMs);
        if (back == 0) {
            ++i; // a step that stays: a change of level, no spike
            continue;
        }
        out.push_back({ProbeFindingKind::Spike, channel, s.ms[i], s.ms[back - 1],
                       Name(channel) + " spike to " + LogChannelValueText(channel, v[i]) + ", back within " +
                           DurationText(s.ms[back] - s.ms[i])});
        i = back + 1;
    }
}

void FindDifference(const Samples& s, const LogRecord* records, int first, const LogTargets& targets,
                    std::vector<ProbeFinding>& out)
{
    const std::vector<double>& a = s.value[first];
    const std::vector<double>& b = s.value[first + 1];
    DayTarget target1(targets, first), target2(targets, first + 1);
    const auto limit = [&](size_t j) {
        const uint32_t date = records[s.record[j]][kLogDate];
        const ChannelTarget &t1 = target1.On(date), &t2 = target2.On(date);
        return 2 * std::max(t1.adjusted ? t1.tolerance : 0.0, t2.adjusted ? t2.tolerance : 0.0);
    };
    const auto apart = [&](size_t j) {
        const double l = limit(j);
        return l > 0 && IsReading(first, a[j]) && IsReading(first + 1, b[j]) && std::fabs(a[j] - b[j]) > l;
    };
    size_t i = 0;
    while (i < s.Size()) {
        if (!apart(i)) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end + 1 < s.Size() && apart(end + 1))
            ++end;
        out.push_back({ProbeFindingKind::ChannelsDiffer, first, s.ms[i], s.ms[end],
                       Name(first) + " and " + Name(first + 1) + " differ by more than " +
                           LogChannelValueText(first, limit(i)) + " (twice the tolerance) in one reservoir"});
        i = end + 1;
    }
}

// The middle of the forward steps between records: the log's usual interval.
int64_t UsualStep(const Samples& s)
{
    std::vector<int64_t> steps;
    steps.reserve(s.Size());
    for (size_t i = 1; i < s.Size(); ++i)
        if (s.ms[i] > s.ms[i - 1])
            steps.push_back(s.ms[i] - s.ms[i - 1]);
    if (steps.empty())
        return 0;
    std::nth_element(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2),
                     steps.end());
    return steps[steps.size() / 2];
}

void FindClockJumps(const Samples& s, const ProbeThresholds& t, std::vector<ProbeFinding>& out)
{
    // A log written every twelve hours has twelve-hour steps: only a step
    // far beyond the usual one is a gap.
    const int64_t gap = std::max(t.clockJumpMs, kGapSteps * UsualStep(s));
    for (size_t i = 1; i < s.Size(); ++i) {
        const int64_t step = s.ms[i] - s.ms[i - 1];
        if (step < -t.clockJumpMs)
            out.push_back({ProbeFindingKind::ClockJump, -1, s.ms[i], s.ms[i - 1],
                           "record times go back by " + DurationText(-step) + " (clock set back)"});
        else if (step > gap)
            out.push_back(
                {ProbeFindingKind::ClockJump, -1, s.ms[i - 1], s.ms[i],
                 "record times jump forward by " + DurationText(step) + " (clock set or records lost)"});
    }
}

} // namespace

std::vector<ProbeFinding> FindProbeTrouble(const LogRecord* records, uint32_t count,
                                           const LogTargets* targets, const ProbeThresholds& thresholds)
{
    std::vector<ProbeFinding> out;
    if (records == nullptr || count == 0)
        return out;
    const Samples s = ReadSamples(records, count);
    for (int k = 0; k < kLogChannelCount; ++k)
        FindStuck(s, k, thresholds, out);
    if (targets != nullptr)
        for (int k = 0; k < kLogChannelCount; ++k)
            if (LogChannelQuantity(k) == LogQuantity::Ec)
                FindLowEc(s, records, k, *targets, thresholds, out);
    for (int k = 0; k < kLogChannelCount; ++k)
        FindDropouts(s, k, out);
    for (int k = 0; k < kLogChannelCount; ++k)
        FindSpikes(s, k, thresholds, out);
    if (targets != nullptr && targets->OneReservoir())
        for (int first : {0, 2}) // EC1 - EC2, PH1 - PH2
            FindDifference(s, records, first, *targets, out);
    FindClockJumps(s, thresholds, out);
    return out;
}

namespace {

wxString InstantText(int64_t ms, const wxString& shortFormat)
{
    const wxDateTime t{wxLongLong(ms)};
    return FormatUserDateText(t, shortFormat) + " " + t.Format("%X");
}

bool Shown(const ProbeFinding& f, int64_t fromMs, int64_t toMs, const bool (&wanted)[kLogChannelCount])
{
    return f.toMs >= fromMs && f.fromMs <= toMs && (f.channel < 0 || wanted[f.channel]);
}

} // namespace

wxString ProbeFindingsText(const std::vector<ProbeFinding>& findings, int64_t fromMs, int64_t toMs,
                           const bool (&wanted)[kLogChannelCount])
{
    const wxString shortFormat = UserShortDateFormat();
    wxString text = "\nProbe checks\n";
    bool any = false;
    int spikes[kLogChannelCount] = {};
    for (const ProbeFinding& f : findings) {
        if (!Shown(f, fromMs, toMs, wanted))
            continue;
        if (!f.IsTrouble()) {
            ++spikes[f.channel];
            continue;
        }
        text << "  " << InstantText(f.fromMs, shortFormat) << " to " << InstantText(f.toMs, shortFormat)
             << ": " << f.reason << "\n";
        any = true;
    }
    if (!any)
        text << "  No trouble found\n";
    for (int k = 0; k < kLogChannelCount; ++k)
        if (spikes[k] > 0)
            text << "  " << LogChannelName(k) << ": " << spikes[k] << (spikes[k] == 1 ? " spike" : " spikes")
                 << " that returned (no trouble)\n";
    return text;
}
