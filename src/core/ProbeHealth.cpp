#include "core/ProbeHealth.h"

#include "core/DateText.h"
#include "core/JoiningThreads.h"
#include "core/LogChannels.h"
#include "core/LogSeries.h"
#include "core/LogSummary.h"
#include "core/MiddleStep.h"
#include "core/WordHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

namespace {

// Below this many records a helper thread costs more than it saves.
constexpr uint32_t kThreadFrom = 20000;

// The records that have a real date and time, with their times, date words
// and readings. A value that is no reading (missing or impossible) is kept
// as NaN, so that every rule asks one question of it. Readings are kept as
// floats: EC readings are whole numbers up to 100000 and PH and temperature
// are recorded as floats, so no reading loses a digit, and a year of six
// channels fits in half the memory.
struct Samples {
    std::vector<int64_t> ms;
    std::vector<uint32_t> date;
    std::vector<float> value[kLogChannelCount];
    size_t Size() const { return ms.size(); }
};

bool IsReading(double v)
{
    return !std::isnan(v);
}

// What a channel's word means, looked up once instead of per record.
struct ChannelDecoding {
    unsigned word;
    bool ec;
    float lo, hi;
};

float ReadingOf(const ChannelDecoding& c, uint32_t word)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    if (c.ec) // above 100000 is no reading, and so not rounded as a float
        return word <= static_cast<uint32_t>(c.hi) ? static_cast<float>(word) : nan;
    const float v = WordToFloat(word);
    return v >= c.lo && v <= c.hi ? v : nan; // false for NaN too
}

// Decodes records [from, to) into the samples from index `at`; how many had
// a real date and time.
size_t DecodeRecords(const LogRecord* records, uint32_t from, uint32_t to, Samples& s, size_t at)
{
    ChannelDecoding decoding[kLogChannelCount];
    for (int k = 0; k < kLogChannelCount; ++k) {
        const LogReadingRange range = LogChannelReadingRange(k);
        decoding[k] = {LogChannelWord(k), LogChannelQuantity(k) == LogQuantity::Ec,
                       static_cast<float>(range.lo), static_cast<float>(range.hi)};
    }
    size_t n = at;
    LogTimeDecoder decoder;
    for (uint32_t i = from; i < to; ++i) {
        const LogRecord& r = records[i];
        if (!decoder.Decode(r[kLogDate], r[kLogTime], s.ms[n]))
            continue;
        s.date[n] = r[kLogDate];
        for (int k = 0; k < kLogChannelCount; ++k)
            s.value[k][n] = ReadingOf(decoding[k], r[decoding[k].word]);
        ++n;
    }
    return n - at;
}

// The two halves of the records are decoded side by side when a helper
// thread can be had, the second then moved down behind the first.
Samples ReadSamples(const LogRecord* records, uint32_t count)
{
    Samples s;
    s.ms.resize(count);
    s.date.resize(count);
    for (std::vector<float>& v : s.value)
        v.resize(count);
    const uint32_t half = count < kThreadFrom ? count : count / 2;
    size_t first = 0, second = 0;
    {
        JoiningThreads helper;
        const auto secondHalf = [&] { second = DecodeRecords(records, half, count, s, half); };
        const bool apart = half < count && helper.Start(secondHalf);
        first = DecodeRecords(records, 0, half, s, 0);
        if (!apart)
            secondHalf();
    }
    if (first < half) {
        const auto down = [&](auto& v) {
            std::copy(v.begin() + half, v.begin() + half + static_cast<std::ptrdiff_t>(second),
                      v.begin() + static_cast<std::ptrdiff_t>(first));
        };
        down(s.ms);
        down(s.date);
        for (std::vector<float>& v : s.value)
            down(v);
    }
    const size_t n = first + second;
    s.ms.resize(n);
    s.date.resize(n);
    for (std::vector<float>& v : s.value)
        v.resize(n);
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

wxString Name(int channel)
{
    return LogChannelName(channel);
}

// Whether the channel's twin reads at least two different values in [from, to].
bool TwinMoves(const Samples& s, int channel, size_t from, size_t to)
{
    const int twin = channel ^ 1;
    const std::vector<float>& v = s.value[twin];
    bool have = false;
    float first = 0;
    for (size_t i = from; i <= to; ++i) {
        if (!IsReading(v[i]))
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
    const std::vector<float>& v = s.value[channel];
    size_t i = 0;
    while (i < s.Size()) {
        if (!IsReading(v[i])) {
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

void FindLowEc(const Samples& s, int channel, const LogTargets& targets, const ProbeThresholds& t,
               std::vector<ProbeFinding>& out)
{
    const std::vector<float>& v = s.value[channel];
    const wxString threshold = LogChannelValueText(channel, t.lowEcUs);
    DayTarget target(targets, channel);
    const auto low = [&](size_t j) {
        return IsReading(v[j]) && v[j] < t.lowEcUs && target.On(s.date[j]).adjusted;
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
    const std::vector<float>& v = s.value[channel];
    size_t total = 0, longest = 0, longestFrom = 0, run = 0;
    for (size_t i = 0; i < s.Size(); ++i) {
        if (IsReading(v[i])) {
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
    const std::vector<float>& v = s.value[channel];
    for (size_t j = from + 1; j < s.Size() && s.ms[j] - s.ms[from] <= returnMs; ++j)
        if (IsReading(v[j]) && std::fabs(v[j] - level) <= step / 2)
            return j;
    return 0;
}

void FindSpikes(const Samples& s, int channel, const ProbeThresholds& t, std::vector<ProbeFinding>& out)
{
    const std::vector<float>& v = s.value[channel];
    const double step = SpikeStep(channel, t);
    size_t i = 1;
    while (i < s.Size()) {
        const double before = v[i - 1];
        if (!IsReading(before) || !IsReading(v[i]) || std::fabs(v[i] - before) <= step) {
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

void FindDifference(const Samples& s, int first, const LogTargets& targets, std::vector<ProbeFinding>& out)
{
    const std::vector<float>& a = s.value[first];
    const std::vector<float>& b = s.value[first + 1];
    DayTarget target1(targets, first), target2(targets, first + 1);
    const auto limit = [&](size_t j) {
        const uint32_t date = s.date[j];
        const ChannelTarget &t1 = target1.On(date), &t2 = target2.On(date);
        return 2 * std::max(t1.adjusted ? t1.tolerance : 0.0, t2.adjusted ? t2.tolerance : 0.0);
    };
    const auto apart = [&](size_t j) {
        const double l = limit(j);
        return l > 0 && IsReading(a[j]) && IsReading(b[j]) && std::fabs(double{a[j]} - b[j]) > l;
    };
    // Two wandering probes part and meet again thousands of times a year,
    // under a limit that changes only with the profile: its text is made
    // once per limit.
    double reasonLimit = -1;
    wxString reason;
    size_t i = 0;
    while (i < s.Size()) {
        if (!apart(i)) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end + 1 < s.Size() && apart(end + 1))
            ++end;
        if (limit(i) != reasonLimit) {
            reasonLimit = limit(i);
            reason = Name(first) + " and " + Name(first + 1) + " differ by more than " +
                     LogChannelValueText(first, reasonLimit) + " (twice the tolerance) in one reservoir";
        }
        out.push_back({ProbeFindingKind::ChannelsDiffer, first, s.ms[i], s.ms[end], reason});
        i = end + 1;
    }
}

// The clock findings of one log's steps, appended to out.
void ClockJumpsOf(const LogClockSteps& log, const ProbeThresholds& t, std::vector<ProbeFinding>& out)
{
    // A log written every twelve hours has twelve-hour steps: only a step
    // far beyond the usual one is a gap.
    const int64_t gap = std::max(t.clockJumpMs, LogClockSteps::kClockGapSteps * log.usualStepMs);
    for (const auto& [before, after] : log.steps) {
        const int64_t step = after - before;
        if (step < -t.clockJumpMs)
            out.push_back({ProbeFindingKind::ClockJump, -1, after, before,
                           "record times go back by " + DurationText(-step) + " (clock set back)"});
        else if (step > gap)
            out.push_back(
                {ProbeFindingKind::ClockJump, -1, before, after,
                 "record times jump forward by " + DurationText(step) + " (clock set or records lost)"});
    }
}

void FindClockJumps(const Samples& s, const ProbeThresholds& t, const std::vector<LogClockSteps>* logClocks,
                    std::vector<ProbeFinding>& out)
{
    if (!logClocks) {
        ClockJumpsOf(ReadClockSteps(s.ms.data(), s.Size()), t, out);
        return;
    }
    const size_t first = out.size();
    for (const LogClockSteps& log : *logClocks)
        ClockJumpsOf(log, t, out);
    std::stable_sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
                     [](const ProbeFinding& a, const ProbeFinding& b) { return a.fromMs < b.fromMs; });
}

} // namespace

LogClockSteps ReadClockSteps(const int64_t* ms, size_t count)
{
    LogClockSteps log;
    log.usualStepMs = MiddleStep<int64_t>(
        count, [ms](size_t i) { return ms[i] - ms[i - 1]; }, [](int64_t a, int64_t b) { return a == b; });
    const int64_t gap = LogClockSteps::kClockGapSteps * log.usualStepMs;
    for (size_t i = 1; i < count; ++i)
        if (ms[i] < ms[i - 1] || ms[i] - ms[i - 1] > gap)
            log.steps.emplace_back(ms[i - 1], ms[i]);
    return log;
}

std::vector<ProbeFinding> FindProbeTrouble(const LogRecord* records, uint32_t count,
                                           const LogTargets* targets, const ProbeThresholds& thresholds,
                                           const std::vector<LogClockSteps>* logClocks)
{
    std::vector<ProbeFinding> out;
    if (records == nullptr || count == 0)
        return out;
    const Samples s = ReadSamples(records, count);
    // The rules read the samples only: two halves of them run side by side
    // (on a helper thread when one can be had), each into its own list, and
    // the lists are joined in the rules' order.
    std::vector<ProbeFinding> first, second;
    const auto firstHalf = [&] {
        for (int k = 0; k < kLogChannelCount; ++k)
            FindStuck(s, k, thresholds, first);
        if (targets != nullptr)
            for (int k = 0; k < kLogChannelCount; ++k)
                if (LogChannelQuantity(k) == LogQuantity::Ec)
                    FindLowEc(s, k, *targets, thresholds, first);
        for (int k = 0; k < kLogChannelCount; ++k)
            FindDropouts(s, k, first);
    };
    {
        JoiningThreads helper;
        if (count < kThreadFrom || !helper.Start(firstHalf))
            firstHalf();
        for (int k = 0; k < kLogChannelCount; ++k)
            FindSpikes(s, k, thresholds, second);
        if (targets != nullptr && targets->OneReservoir())
            for (int pair : {0, 2}) // EC1 - EC2, PH1 - PH2
                FindDifference(s, pair, *targets, second);
        FindClockJumps(s, thresholds, logClocks, second);
    }
    out.reserve(first.size() + second.size());
    for (std::vector<ProbeFinding>* part : {&first, &second})
        for (ProbeFinding& f : *part)
            out.push_back(std::move(f));
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
