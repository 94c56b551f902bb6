#include "core/LogSummary.h"

#include "core/DateText.h"
#include "core/WordHelpers.h"
#include "util/CivilTime.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The instant of a record from its time in days (which LogSeries made from
// whole milliseconds, so rounding gives them back).
inline int64_t RecordMs(int64_t recordMs, double day)
{
    return civil::MsAtDays(day, recordMs);
}

// The median (the lower of the two middle ones for an even count) of the
// steps. Logs have few distinct intervals (the logging period and a second
// either side), so they are counted; many distinct ones are selected.
class StepMedian {
public:
    void Add(int64_t step)
    {
        ++m_count;
        if (m_many) {
            m_all.push_back(step);
            return;
        }
        if (m_distinct > 0 && m_values[m_last] == step) {
            ++m_counts[m_last];
            return;
        }
        for (size_t i = 0; i < m_distinct; ++i) {
            if (m_values[i] == step) {
                ++m_counts[i];
                m_last = i;
                return;
            }
        }
        if (m_distinct < kDistinct) {
            m_values[m_distinct] = step;
            m_counts[m_distinct] = 1;
            m_last = m_distinct++;
            return;
        }
        // Too many distinct steps: keep them all from here on.
        m_many = true;
        m_all.reserve(1024);
        for (size_t i = 0; i < m_distinct; ++i)
            m_all.insert(m_all.end(), m_counts[i], m_values[i]);
        m_all.push_back(step);
    }

    int64_t Median()
    {
        if (m_count == 0)
            return 0;
        const uint64_t k = (m_count - 1) / 2; // rank of the median, from 0
        if (m_many) {
            const auto mid = m_all.begin() + static_cast<std::ptrdiff_t>(k);
            std::nth_element(m_all.begin(), mid, m_all.end());
            return *mid;
        }
        std::vector<std::pair<int64_t, uint64_t>> sorted;
        for (size_t i = 0; i < m_distinct; ++i)
            sorted.emplace_back(m_values[i], m_counts[i]);
        std::sort(sorted.begin(), sorted.end());
        uint64_t seen = 0;
        for (const auto& [value, n] : sorted) {
            seen += n;
            if (seen > k)
                return value;
        }
        return sorted.back().first;
    }

private:
    static constexpr size_t kDistinct = 64;
    int64_t m_values[kDistinct] = {};
    uint64_t m_counts[kDistinct] = {};
    size_t m_distinct = 0;
    size_t m_last = 0;
    uint64_t m_count = 0;
    bool m_many = false;
    std::vector<int64_t> m_all;
};

// The state of one channel over the records in view (the widest members
// first: a year of records passes through six of these).
struct ChannelPass {
    double lo = 0, hi = 0;
    double sum = 0;
    uint64_t n = 0;
    uint64_t banded = 0, inside = 0;
    // the target of the last day asked for
    ChannelTarget dayTarget;
    // the excursion going on
    int64_t outStartMs = 0, outLastMs = 0;
    double outFurthest = 0, outDistance = 0;
    int channel = 0;
    unsigned word = 0;
    uint32_t dayWord = 0;
    uint32_t outStart = 0;
    bool isEc = false;
    bool targeted = false; // the channel can have a band
    bool haveDay = false;
    bool out = false;
    bool haveLongest = false;
};

void EndExcursion(ChannelPass& p, ChannelSummary& s, int64_t endMs)
{
    const int64_t duration = endMs - p.outStartMs;
    if (!p.haveLongest || duration > s.longestMs) {
        p.haveLongest = true;
        s.longestStart = p.outStart;
        s.longestMs = duration;
        s.furthest = p.outFurthest;
    }
    p.out = false;
}

inline void Visit(ChannelPass& p, ChannelSummary& s, const LogRecord& r, uint32_t i, const double* days,
                  int64_t recordMs, const LogTargets& targets)
{
    const uint32_t word = r[p.word];
    const double value = p.isEc ? static_cast<double>(word) : static_cast<double>(WordToFloat(word));
    if (!(value >= p.lo && value <= p.hi))
        return; // no reading (a NaN fails both)
    if (!s.any) {
        s.any = true;
        s.lowest = s.highest = value;
        s.lowestIndex = s.highestIndex = i;
    } else if (value < s.lowest) {
        s.lowest = value;
        s.lowestIndex = i;
    } else if (value > s.highest) {
        s.highest = value;
        s.highestIndex = i;
    }
    s.last = value;
    s.lastIndex = i;
    p.sum += value;
    ++p.n;
    if (!p.targeted)
        return;
    const uint32_t dateWord = r[kLogDate];
    if (!p.haveDay || dateWord != p.dayWord) {
        p.haveDay = true;
        p.dayWord = dateWord;
        p.dayTarget = targets.TargetOn(p.channel, dateWord);
    }
    const ChannelTarget& t = p.dayTarget;
    if (!t.adjusted) {
        // The band is gone: an excursion ends at its last reading outside.
        if (p.out)
            EndExcursion(p, s, p.outLastMs);
        return;
    }
    ++p.banded;
    if (t.Contains(value)) {
        ++p.inside;
        if (p.out)
            EndExcursion(p, s, RecordMs(recordMs, days[i]));
        return;
    }
    const double distance = std::fabs(value - t.target);
    const int64_t ms = RecordMs(recordMs, days[i]);
    if (!p.out) {
        ++s.excursions;
        p.out = true;
        p.outStart = i;
        p.outStartMs = ms;
        p.outFurthest = value;
        p.outDistance = distance;
    } else if (distance > p.outDistance) {
        p.outFurthest = value;
        p.outDistance = distance;
    }
    p.outLastMs = ms;
}

LogWideSummary SummariseWhole(const double* days, uint32_t filled, int64_t recordMs)
{
    LogWideSummary w;
    w.count = filled;
    if (filled == 0)
        return w;
    w.lastIndex = filled - 1;
    StepMedian median;
    int64_t before = RecordMs(recordMs, days[0]);
    for (uint32_t i = 1; i < filled; ++i) {
        const int64_t ms = RecordMs(recordMs, days[i]);
        const int64_t step = ms - before;
        if (step < 0)
            ++w.outOfOrder;
        else if (step > 0)
            median.Add(step);
        before = ms;
    }
    w.usualIntervalMs = median.Median();
    if (w.usualIntervalMs <= 0)
        return w;
    const int64_t gap = 10 * w.usualIntervalMs;
    before = RecordMs(recordMs, days[0]);
    for (uint32_t i = 1; i < filled; ++i) {
        const int64_t ms = RecordMs(recordMs, days[i]);
        const int64_t step = ms - before;
        before = ms;
        if (step > gap) {
            ++w.gaps;
            if (step > w.longestGapMs) {
                w.longestGapMs = step;
                w.longestGapStart = i - 1;
            }
        }
    }
    return w;
}

} // namespace

LogWideSummary SummariseLogWide(const double* days, uint32_t filled, int64_t recordMs)
{
    return SummariseWhole(days, filled, recordMs);
}

LogSummary SummariseLog(const LogRecord* records, const double* days, uint32_t filled, int64_t recordMs,
                        double lo, double hi, const bool (&wanted)[kLogChannelCount],
                        const LogTargets* targets)
{
    const LogWideSummary whole = SummariseWhole(days, filled, recordMs);
    return SummariseLog(records, days, filled, recordMs, lo, hi, wanted, targets, whole);
}

LogSummary SummariseLog(const LogRecord* records, const double* days, uint32_t filled, int64_t recordMs,
                        double lo, double hi, const bool (&wanted)[kLogChannelCount],
                        const LogTargets* targets, const LogWideSummary& whole)
{
    LogSummary summary;
    summary.log = whole;
    if (filled == 0 || records == nullptr || days == nullptr)
        return summary;

    ChannelPass passes[kLogChannelCount];
    int active[kLogChannelCount];
    int activeCount = 0;
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!wanted[k])
            continue;
        ChannelPass& p = passes[k];
        p.channel = k;
        p.word = LogChannelWord(k);
        p.isEc = LogChannelQuantity(k) == LogQuantity::Ec;
        const LogReadingRange range = LogChannelReadingRange(k);
        p.lo = range.lo;
        p.hi = range.hi;
        p.targeted = targets != nullptr && LogChannelHasTarget(k);
        active[activeCount++] = k;
    }

    // The records in view: a range found by bisection when the times are in
    // order, otherwise every record whose time lies in [lo, hi].
    uint32_t first = 0, end = filled;
    const bool inOrder = whole.count == filled ? whole.outOfOrder == 0 : std::is_sorted(days, days + filled);
    if (inOrder) {
        first = static_cast<uint32_t>(std::lower_bound(days, days + filled, lo) - days);
        end = static_cast<uint32_t>(std::upper_bound(days, days + filled, hi) - days);
        if (end < first)
            end = first;
    }
    static const LogTargets kNoTargets;
    const LogTargets& t = targets != nullptr ? *targets : kNoTargets;
    for (uint32_t i = first; i < end; ++i) {
        if (!inOrder && !(days[i] >= lo && days[i] <= hi))
            continue;
        ++summary.inView;
        const LogRecord& r = records[i];
        for (int a = 0; a < activeCount; ++a) {
            const int k = active[a];
            Visit(passes[k], summary.channels[k], r, i, days, recordMs, t);
        }
    }
    for (int a = 0; a < activeCount; ++a) {
        const int k = active[a];
        ChannelPass& p = passes[k];
        ChannelSummary& s = summary.channels[k];
        if (p.out)
            EndExcursion(p, s, p.outLastMs); // never back inside in view
        if (p.n > 0)
            s.mean = p.sum / static_cast<double>(p.n);
        s.banded = p.banded > 0;
        if (p.banded > 0)
            s.insideShare = static_cast<double>(p.inside) / static_cast<double>(p.banded);
    }
    return summary;
}

wxString DurationText(int64_t ms)
{
    if (ms < 0)
        ms = 0;
    const int64_t seconds = ms / 1000;
    const int64_t minutes = seconds / 60;
    const int64_t hours = minutes / 60;
    const int64_t daysCount = hours / 24;
    const long long d = daysCount, h = hours % 24, m = minutes % 60, s = seconds % 60;
    if (daysCount > 0)
        return wxString::Format("%lld d %lld h", d, h);
    if (hours > 0)
        return wxString::Format("%lld h %02lld min", h, m);
    if (minutes > 0 && s == 0)
        return wxString::Format("%lld min", m);
    if (minutes > 0)
        return wxString::Format("%lld min %02lld s", m, s);
    return wxString::Format("%lld s", s);
}

namespace {

wxString DateTimeText(const LogRecord& r, const wxString& shortFormat)
{
    const wxDateTime t = DecodePackedDateTime(r[kLogDate], r[kLogTime]);
    if (!t.IsValid())
        return InvalidDateTimeText();
    return FormatUserDateText(t, shortFormat) + " " + t.Format("%H:%M:%S");
}

} // namespace

wxString SummaryText(const LogSummary& summary, const LogRecord* records,
                     const bool (&wanted)[kLogChannelCount], const LogTargets* targets)
{
    const wxString shortFormat = UserShortDateFormat();
    wxString text;
    text << "Records in view: " << summary.inView << "\n";
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!wanted[k])
            continue;
        const ChannelSummary& s = summary.channels[k];
        text << "\n" << LogChannelName(k);
        if (s.any && records != nullptr && targets != nullptr && LogChannelHasTarget(k))
            text << " (" << TargetText(k, targets->TargetOn(k, records[s.lastIndex][kLogDate])) << ")";
        text << "\n";
        if (!s.any || records == nullptr) {
            text << "  No readings in view\n";
            continue;
        }
        const auto line = [&](const char* name, double value, uint32_t index) {
            text << "  " << name << ": " << LogChannelValueText(k, value) << " at "
                 << DateTimeText(records[index], shortFormat) << "\n";
        };
        line("Lowest", s.lowest, s.lowestIndex);
        line("Highest", s.highest, s.highestIndex);
        text << "  Mean: " << LogChannelValueText(k, s.mean) << "\n";
        line("Last", s.last, s.lastIndex);
        if (!s.banded)
            continue;
        text << "  Inside the band: " << wxString::Format("%.1f%%", s.insideShare * 100.0)
             << " of readings\n";
        if (s.excursions == 0) {
            text << "  Excursions: none\n";
            continue;
        }
        text << "  Excursions: " << s.excursions << "; longest from "
             << DateTimeText(records[s.longestStart], shortFormat) << " for " << DurationText(s.longestMs)
             << ", furthest " << LogChannelValueText(k, s.furthest) << "\n";
    }
    const LogWideSummary& w = summary.log;
    text << "\nWhole log\n";
    if (w.count == 0 || records == nullptr) {
        text << "  No records\n";
        return text;
    }
    text << "  Records: " << w.count << ", " << DateTimeText(records[w.firstIndex], shortFormat) << " to "
         << DateTimeText(records[w.lastIndex], shortFormat) << "\n";
    if (w.usualIntervalMs > 0)
        text << "  Usual interval: " << DurationText(w.usualIntervalMs) << "\n";
    if (w.gaps == 0)
        text << "  Gaps (over 10 intervals): none\n";
    else
        text << "  Gaps (over 10 intervals): " << w.gaps << "; longest " << DurationText(w.longestGapMs)
             << " from " << DateTimeText(records[w.longestGapStart], shortFormat) << "\n";
    text << "  Records out of order: " << w.outOfOrder << "\n";
    return text;
}
