// Calendar ticks: round steps of local wall-clock time, worked out on whole
// seconds since the epoch with the C library's localtime (the process's TZ).
//
// An instant t (seconds since the epoch, UTC) has a "wall" value: the
// local date and time of t counted as if they were UTC, t + offset(t). Wall
// values make the calendar plain arithmetic (days, months, years of the
// proleptic Gregorian calendar); localtime gives the offsets, and summer
// time is the offset changing between two instants.
#include "chart/AxisTicks.h"

#include "util/CivilTime.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <utility>

namespace chart {
namespace {

constexpr int64_t kSecondsPerDay = civil::kSecondsPerDay;
constexpr double kMsPerDay = static_cast<double>(civil::kMsPerDay);
// Instants further than this from the epoch (about 31 million years) get no
// ticks: every sum below stays far inside int64_t, and tm_year inside int.
constexpr double kMaxAbsSeconds = 1e15;
// Ticks a step may make before it counts as too fine; far above the 8 shown.
constexpr size_t kMaxCandidates = 64;
constexpr int kMinCount = 3, kMaxCount = 8;
// Only steps of at most this many nominal ticks over the range are tried.
constexpr double kMaxEstimate = 20;

using civil::CivilFromDays;
using civil::DaysFromCivil;
using civil::FloorDiv;
using civil::FloorMod;
using CivilDate = civil::Date;

// The smallest multiple of step (> 0) that is >= value.
int64_t CeilMultiple(int64_t value, int64_t step)
{
    return -FloorDiv(-value, step) * step;
}

// Local time minus UTC at instant t, in seconds. Where the C library has no
// local time for t (Windows' before 1970, say), the offset of the nearest
// instant it has one for within 1970..2038, else UTC.
int64_t OffsetAt(int64_t t)
{
    std::tm tm{};
    if (!civil::LocalTimeAt(t, tm)) {
        const int64_t near = std::clamp<int64_t>(t, 0, std::numeric_limits<int32_t>::max());
        if (near == t || !civil::LocalTimeAt(near, tm))
            return 0;
        t = near;
    }
    const int64_t wall =
        DaysFromCivil(static_cast<int64_t>(tm.tm_year) + 1900, tm.tm_mon + 1, tm.tm_mday) * kSecondsPerDay +
        int64_t{tm.tm_hour} * 3600 + int64_t{tm.tm_min} * 60 + tm.tm_sec;
    return wall - t;
}

int64_t WallAt(int64_t t)
{
    return t + OffsetAt(t);
}

// The offsets that may hold at the instants whose wall value is `wall`:
// those a day and a half either side and the ones they lead to.
struct Offsets {
    int64_t values[5];
    int count = 0;
    void Add(int64_t offset)
    {
        for (int i = 0; i < count; ++i)
            if (values[i] == offset)
                return;
        values[count++] = offset;
    }
};

Offsets OffsetsAround(int64_t wall)
{
    constexpr int64_t kAround = int64_t{36} * 3600;
    const int64_t before = OffsetAt(wall - kAround);
    const int64_t after = OffsetAt(wall + kAround);
    Offsets offsets;
    offsets.Add(before);
    offsets.Add(OffsetAt(wall));
    offsets.Add(after);
    offsets.Add(OffsetAt(wall - before));
    offsets.Add(OffsetAt(wall - after));
    return offsets;
}

// The first instant of local day `day` (days since 1970-01-01 of the local
// date): its midnight, the first one where the autumn change repeats
// midnight, the end of the gap where a change skips it.
bool DayStart(int64_t day, int64_t& instant)
{
    const int64_t wall = day * kSecondsPerDay;
    const Offsets offsets = OffsetsAround(wall);
    bool found = false;
    for (int i = 0; i < offsets.count; ++i) {
        const int64_t t = wall - offsets.values[i];
        if (OffsetAt(t) == offsets.values[i] && (!found || t < instant)) {
            instant = t;
            found = true;
        }
    }
    if (found)
        return true;
    // Midnight skipped: the first instant whose wall value is past it.
    int64_t lowOffset = offsets.values[0], highOffset = offsets.values[0];
    for (int i = 1; i < offsets.count; ++i) {
        lowOffset = std::min(lowOffset, offsets.values[i]);
        highOffset = std::max(highOffset, offsets.values[i]);
    }
    int64_t lo = wall - highOffset - 1, hi = wall - lowOffset;
    if (!(WallAt(lo) < wall) || !(WallAt(hi) >= wall))
        return false;
    while (hi - lo > 1) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (WallAt(mid) >= wall)
            hi = mid;
        else
            lo = mid;
    }
    if (FloorDiv(WallAt(hi), kSecondsPerDay) != day)
        return false;
    instant = hi;
    return true;
}

// A stretch of instants with one offset.
struct Segment {
    int64_t first, last, offset;
};

// [from, to] (at most some days long) cut where the offset changes, found
// by looking at every hour and halving the hour where it changed.
std::vector<Segment> SegmentsOf(int64_t from, int64_t to)
{
    std::vector<Segment> segments;
    int64_t begin = from;
    int64_t offset = OffsetAt(begin);
    while (begin <= to && segments.size() < 4 * kMaxCandidates) {
        int64_t known = begin; // the offset holds from begin through known
        int64_t changed = 0;   // the first instant of another offset,
        bool changes = false;  // if the offset changes before to
        while (known < to) {
            const int64_t next = std::min(known + 3600, to);
            if (OffsetAt(next) != offset) {
                int64_t lo = known, hi = next;
                while (hi - lo > 1) {
                    const int64_t mid = lo + (hi - lo) / 2;
                    if (OffsetAt(mid) == offset)
                        lo = mid;
                    else
                        hi = mid;
                }
                changed = hi;
                changes = true;
                break;
            }
            known = next;
        }
        if (!changes) {
            segments.push_back({begin, to, offset});
            break;
        }
        segments.push_back({begin, changed - 1, offset});
        begin = changed;
        offset = OffsetAt(begin);
    }
    return segments;
}

enum class Unit { Second, Day, Week, Month, Year };

struct Step {
    Unit unit;
    int64_t count;
    double NominalSeconds() const
    {
        const double n = static_cast<double>(count);
        switch (unit) {
        case Unit::Second:
            return n;
        case Unit::Day:
            return n * static_cast<double>(kSecondsPerDay);
        case Unit::Week:
            return n * 7 * static_cast<double>(kSecondsPerDay);
        case Unit::Month:
            return n * 2629746.0; // a 400-year average month
        case Unit::Year:
            return n * 31556952.0;
        }
        return n;
    }
};

// A tick instant and its wall value.
struct Instant {
    int64_t t, wall;
};

class Range {
public:
    Range(int64_t from, int64_t to) : m_from(from), m_to(to) {}

    // The instants of the step's ticks within [from, to] in increasing
    // order; false when there would be more than kMaxCandidates.
    bool Ticks(const Step& step, std::vector<Instant>& out)
    {
        out.clear();
        return step.unit == Unit::Second ? WallClockTicks(step.count, out) : DayTicks(step, out);
    }

private:
    // Each wall value on the step at the first instant where the range
    // reaches it, and only where it is the latest wall value so far:
    // skipped wall values get none, repeated ones one.
    bool WallClockTicks(int64_t step, std::vector<Instant>& out)
    {
        if (!m_segmentsKnown) {
            m_segments = SegmentsOf(m_from, m_to);
            m_segmentsKnown = true;
        }
        bool any = false;
        int64_t latest = 0; // the largest wall value of the range so far
        for (const Segment& segment : m_segments) {
            const int64_t firstWall = segment.first + segment.offset;
            const int64_t lastWall = segment.last + segment.offset;
            const int64_t from = any ? std::max(firstWall, latest + 1) : firstWall;
            for (int64_t wall = CeilMultiple(from, step); wall <= lastWall; wall += step) {
                if (out.size() >= kMaxCandidates)
                    return false;
                out.push_back({wall - segment.offset, wall});
            }
            latest = any ? std::max(latest, lastWall) : lastWall;
            any = true;
        }
        return true;
    }

    // The first instants of the step's days within the range.
    bool DayTicks(const Step& step, std::vector<Instant>& out)
    {
        // Wall values inside the range lie at most a summer-time change past
        // those of its ends: one day more covers them.
        const int64_t firstDay = FloorDiv(WallAt(m_from), kSecondsPerDay);
        const int64_t lastDay = FloorDiv(WallAt(m_to), kSecondsPerDay) + 1;
        size_t candidates = 0;
        auto add = [&](int64_t day) {
            int64_t t = 0;
            if (DayStart(day, t) && t >= m_from && t <= m_to)
                out.push_back({t, WallAt(t)});
            return ++candidates <= kMaxCandidates;
        };
        switch (step.unit) {
        case Unit::Day:
            for (int64_t day = CeilMultiple(firstDay, step.count); day <= lastDay; day += step.count)
                if (!add(day))
                    return false;
            break;
        case Unit::Week: {
            // Mondays: 1970-01-05 is day 4.
            const int64_t first = CeilMultiple(firstDay - 4, 7) + 4;
            for (int64_t day = first; day <= lastDay; day += 7)
                if (!add(day))
                    return false;
            break;
        }
        case Unit::Month: {
            const CivilDate a = CivilFromDays(firstDay), b = CivilFromDays(lastDay);
            const int64_t firstMonth = a.year * 12 + (a.month - 1), lastMonth = b.year * 12 + (b.month - 1);
            for (int64_t m = CeilMultiple(firstMonth, step.count); m <= lastMonth; m += step.count)
                if (!add(DaysFromCivil(FloorDiv(m, 12), static_cast<int>(FloorMod(m, 12)) + 1, 1)))
                    return false;
            break;
        }
        case Unit::Year: {
            const int64_t firstYear = CivilFromDays(firstDay).year, lastYear = CivilFromDays(lastDay).year;
            for (int64_t y = CeilMultiple(firstYear, step.count); y <= lastYear; y += step.count)
                if (!add(DaysFromCivil(y, 1, 1)))
                    return false;
            break;
        }
        case Unit::Second:
            break;
        }
        std::sort(out.begin(), out.end(), [](const Instant& x, const Instant& y) { return x.t < y.t; });
        out.erase(std::unique(out.begin(), out.end(),
                              [](const Instant& x, const Instant& y) { return x.t == y.t; }),
                  out.end());
        return true;
    }

    int64_t m_from, m_to;
    bool m_segmentsKnown = false;
    std::vector<Segment> m_segments;
};

std::vector<Step> AllSteps()
{
    std::vector<Step> steps;
    for (int64_t s : {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200})
        steps.push_back({Unit::Second, s});
    steps.push_back({Unit::Day, 1});
    steps.push_back({Unit::Day, 2});
    steps.push_back({Unit::Week, 1});
    for (int64_t m : {1, 2, 3, 6})
        steps.push_back({Unit::Month, m});
    // 1, 2, 5, 10, 20, 50 ... years, well past the widest range there is.
    for (int64_t decade = 1; decade <= 1000000000; decade *= 10)
        for (int64_t f : {1, 2, 5})
            steps.push_back({Unit::Year, f * decade});
    return steps;
}

wxString TwoDigits(int64_t n)
{
    return wxString::Format("%02d", static_cast<int>(n));
}

// The range [lo, hi] of values (days since the origin) as whole seconds
// since the epoch, and back.
struct SecondsRange {
    int64_t originSeconds = 0, originRestMs = 0; // the origin as whole seconds and the ms left, of its sign
    int64_t from = 0, to = 0;
    double lo = 0, hi = 0, slack = 0;

    double ValueOf(int64_t t) const
    {
        return (static_cast<double>(t - originSeconds) * 1000.0 - static_cast<double>(originRestMs)) /
               kMsPerDay;
    }
    // A tick a rounding error outside the range is the range's end.
    bool Holds(double value) const { return value >= lo - slack && value <= hi + slack; }
};

// The whole seconds of the range since the epoch, forgiving a millisecond of
// rounding (the values decide in the end). Not wider: where the range starts
// decides which repeated wall-clock times it shows first. False when the
// range has no whole second within the instants handled.
bool ToSeconds(int64_t originMs, double lo, double hi, SecondsRange& range)
{
    range.originSeconds = originMs / 1000;
    range.originRestMs = originMs % 1000;
    const double origin =
        static_cast<double>(range.originSeconds) + static_cast<double>(range.originRestMs) / 1000.0;
    const double daySeconds = static_cast<double>(kSecondsPerDay);
    const double loSeconds = origin + lo * daySeconds, hiSeconds = origin + hi * daySeconds;
    if (!(loSeconds < kMaxAbsSeconds) || !(hiSeconds > -kMaxAbsSeconds))
        return false;
    range.from = static_cast<int64_t>(std::ceil(std::max(loSeconds, -kMaxAbsSeconds) - 1e-3));
    range.to = static_cast<int64_t>(std::floor(std::min(hiSeconds, kMaxAbsSeconds) + 1e-3));
    range.lo = lo;
    range.hi = hi;
    range.slack = 1e-3 / daySeconds + 4 * DBL_EPSILON * std::max(std::fabs(lo), std::fabs(hi));
    return range.from <= range.to;
}

// The step whose ticks within the range come nearest to target in number
// (kMinCount to kMaxCount of them), else the one with the most ticks up to
// kMaxCount; its instants in increasing order.
std::vector<Instant> ChooseStep(const SecondsRange& seconds, int target, Step& chosen)
{
    const double span = static_cast<double>(seconds.to - seconds.from) + 1;
    auto inRange = [&](const std::vector<Instant>& instants) {
        std::vector<Instant> kept;
        for (const Instant& instant : instants)
            if (seconds.Holds(seconds.ValueOf(instant.t)))
                kept.push_back(instant);
        return kept;
    };
    Range range(seconds.from, seconds.to);
    std::vector<Instant> best, fallback, candidate;
    Step bestStep{Unit::Second, 0}, fallbackStep{Unit::Second, 0};
    int bestDistance = 0;
    for (const Step& step : AllSteps()) {
        const double estimate = span / step.NominalSeconds();
        if (estimate > kMaxEstimate)
            continue;
        if (range.Ticks(step, candidate)) {
            std::vector<Instant> kept = inRange(candidate);
            const int count = static_cast<int>(kept.size());
            if (count >= kMinCount && count <= kMaxCount) {
                const int distance = std::abs(count - target);
                if (best.empty() || distance < bestDistance) {
                    bestDistance = distance;
                    bestStep = step;
                    best = kept;
                }
            }
            if (count <= kMaxCount && count > static_cast<int>(fallback.size())) {
                fallbackStep = step;
                fallback = std::move(kept);
            }
        }
        // Coarser steps have at most one tick here: none can do better.
        if (estimate < 0.5)
            break;
    }
    chosen = best.empty() ? fallbackStep : bestStep;
    return best.empty() ? fallback : best;
}

// A date as the formatter writes it, or ISO 8601 style where it cannot.
wxString DateText(const DateFormatter& formatDate, int64_t day)
{
    const CivilDate date = CivilFromDays(day);
    // wxDateTime and the formatter get the years they handle (noon: a
    // summer-time change never moves it to another day).
    if (formatDate && date.year >= 1 && date.year <= 9999) {
        const wxDateTime dt(static_cast<wxDateTime::wxDateTime_t>(date.day),
                            static_cast<wxDateTime::Month>(date.month - 1), static_cast<int>(date.year), 12,
                            0, 0);
        if (dt.IsValid())
            return formatDate(dt);
    }
    // Four digits at least, a minus before years before 0.
    const wxString year = wxString::Format("%04lld", static_cast<long long>(std::llabs(date.year)));
    return (date.year < 0 ? "-" : "") + year + "-" + TwoDigits(date.month) + "-" + TwoDigits(date.day);
}

} // namespace

CalendarTicks::CalendarTicks(int64_t originMs, DateFormatter formatDate)
    : m_originMs(originMs), m_formatDate(std::move(formatDate))
{
}

std::vector<Tick> CalendarTicks::Make(double lo, double hi, int targetTicks) const
{
    std::vector<Tick> ticks;
    SecondsRange seconds;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(lo < hi) || !ToSeconds(m_originMs, lo, hi, seconds))
        return ticks;
    Step step{Unit::Second, 0};
    const std::vector<Instant> chosen =
        ChooseStep(seconds, std::clamp(targetTicks, kMinCount, kMaxCount), step);

    int64_t previousDay = 0;
    for (const Instant& instant : chosen) {
        const double value = std::clamp(seconds.ValueOf(instant.t), lo, hi);
        if (!ticks.empty() && value <= ticks.back().value)
            continue;
        const int64_t day = FloorDiv(instant.wall, kSecondsPerDay);
        wxString label;
        if (step.unit != Unit::Second) {
            label = DateText(m_formatDate, day);
        } else {
            const int64_t secondOfDay = instant.wall - day * kSecondsPerDay;
            label = TwoDigits(secondOfDay / 3600) + ":" + TwoDigits(secondOfDay / 60 % 60);
            if (step.count < 60)
                label += ":" + TwoDigits(secondOfDay % 60);
            if (ticks.empty() || day != previousDay)
                label += "\n" + DateText(m_formatDate, day);
        }
        previousDay = day;
        ticks.push_back({value, label});
    }
    return ticks;
}

} // namespace chart
