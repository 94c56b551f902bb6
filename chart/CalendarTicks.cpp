// Calendar ticks: round steps of local wall-clock time, worked out on whole
// seconds since the epoch with the C library's localtime (the process's TZ).
//
// An instant t (seconds since the epoch, UTC) has a "wall" value: the
// local date and time of t counted as if they were UTC, t + offset(t). Wall
// values make the calendar plain arithmetic (days, months, years of the
// proleptic Gregorian calendar); localtime gives the offsets, and summer
// time is the offset changing between two instants.
#include "chart/AxisTicks.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <utility>

namespace chart {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr double kMsPerDay = 86400000.0;
// Instants further than this from the epoch (about 31 million years) get no
// ticks: every sum below stays far inside int64_t, and tm_year inside int.
constexpr double kMaxAbsSeconds = 1e15;
// Ticks a step may make before it counts as too fine; far above the 8 shown.
constexpr size_t kMaxCandidates = 64;
constexpr int kMinCount = 3, kMaxCount = 8;
// Only steps of at most this many nominal ticks over the range are tried.
constexpr double kMaxEstimate = 20;

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0)))
        --q;
    return q;
}

int64_t FloorMod(int64_t a, int64_t b)
{
    return a - FloorDiv(a, b) * b;
}

// The smallest multiple of step (> 0) that is >= value.
int64_t CeilMultiple(int64_t value, int64_t step)
{
    return -FloorDiv(-value, step) * step;
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t shiftedMonth = (month + 9) % 12; // March is 0
    const int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct CivilDate {
    int64_t year;
    int month; // 1..12
    int day;   // 1..31
};

CivilDate CivilFromDays(int64_t days)
{
    days += 719468;
    const int64_t era = FloorDiv(days, 146097);
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

bool LocalTm(int64_t t, std::tm& out)
{
    if (t < static_cast<int64_t>(std::numeric_limits<std::time_t>::min()) ||
        t > static_cast<int64_t>(std::numeric_limits<std::time_t>::max()))
        return false;
    const std::time_t tt = static_cast<std::time_t>(t);
#ifdef _WIN32
    return localtime_s(&out, &tt) == 0;
#else
    return localtime_r(&tt, &out) != nullptr;
#endif
}

// Local time minus UTC at instant t, in seconds. Where the C library has no
// local time for t (Windows' before 1970, say), the offset of the nearest
// instant it has one for within 1970..2038, else UTC.
int64_t OffsetAt(int64_t t)
{
    std::tm tm{};
    if (!LocalTm(t, tm)) {
        const int64_t near = std::clamp<int64_t>(t, 0, std::numeric_limits<int32_t>::max());
        if (near == t || !LocalTm(near, tm))
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
            return n * 86400.0;
        case Unit::Week:
            return n * 7 * 86400.0;
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

} // namespace

CalendarTicks::CalendarTicks(int64_t originMs, DateFormatter formatDate)
    : m_originMs(originMs), m_formatDate(std::move(formatDate))
{
}

std::vector<Tick> CalendarTicks::Make(double lo, double hi, int targetTicks) const
{
    std::vector<Tick> ticks;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(lo < hi))
        return ticks;
    const int target = std::clamp(targetTicks, kMinCount, kMaxCount);

    // The whole seconds of the range since the epoch, forgiving a millisecond
    // of rounding (the values decide in the end). Not wider: where the range
    // starts decides which repeated wall-clock times it shows first.
    // (The origin as whole seconds and the milliseconds left, of its sign.)
    const int64_t originSeconds = m_originMs / 1000;
    const int64_t originRestMs = m_originMs % 1000;
    const double origin = static_cast<double>(originSeconds) + static_cast<double>(originRestMs) / 1000.0;
    const double loSeconds = origin + lo * 86400.0, hiSeconds = origin + hi * 86400.0;
    if (!(loSeconds < kMaxAbsSeconds) || !(hiSeconds > -kMaxAbsSeconds))
        return ticks;
    const int64_t from = static_cast<int64_t>(std::ceil(std::max(loSeconds, -kMaxAbsSeconds) - 1e-3));
    const int64_t to = static_cast<int64_t>(std::floor(std::min(hiSeconds, kMaxAbsSeconds) + 1e-3));
    if (from > to)
        return ticks;
    const double span = static_cast<double>(to - from) + 1;

    auto valueOf = [&](int64_t t) {
        return (static_cast<double>(t - originSeconds) * 1000.0 - static_cast<double>(originRestMs)) /
               kMsPerDay;
    };
    // A tick a rounding error outside the range is the range's end.
    const double slack = 1e-3 / 86400.0 + 4 * DBL_EPSILON * std::max(std::fabs(lo), std::fabs(hi));
    auto inRange = [&](const std::vector<Instant>& instants) {
        std::vector<Instant> kept;
        for (const Instant& instant : instants) {
            const double value = valueOf(instant.t);
            if (value >= lo - slack && value <= hi + slack)
                kept.push_back(instant);
        }
        return kept;
    };

    Range range(from, to);
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
    const bool haveBest = !best.empty();
    const std::vector<Instant>& chosen = haveBest ? best : fallback;
    const Step& step = haveBest ? bestStep : fallbackStep;

    auto dateText = [&](int64_t day) {
        const CivilDate date = CivilFromDays(day);
        // wxDateTime and the formatter get the years they handle (noon: a
        // summer-time change never moves it to another day).
        if (m_formatDate && date.year >= 1 && date.year <= 9999) {
            const wxDateTime dt(static_cast<wxDateTime::wxDateTime_t>(date.day),
                                static_cast<wxDateTime::Month>(date.month - 1), static_cast<int>(date.year),
                                12, 0, 0);
            if (dt.IsValid())
                return m_formatDate(dt);
        }
        // ISO 8601 style: four digits at least, a minus before years before 0.
        const wxString year = wxString::Format("%04lld", static_cast<long long>(std::llabs(date.year)));
        return (date.year < 0 ? "-" : "") + year + "-" + TwoDigits(date.month) + "-" + TwoDigits(date.day);
    };

    int64_t previousDay = 0;
    for (const Instant& instant : chosen) {
        const double value = std::clamp(valueOf(instant.t), lo, hi);
        if (!ticks.empty() && value <= ticks.back().value)
            continue;
        const int64_t day = FloorDiv(instant.wall, kSecondsPerDay);
        wxString label;
        if (step.unit != Unit::Second) {
            label = dateText(day);
        } else {
            const int64_t secondOfDay = instant.wall - day * kSecondsPerDay;
            label = TwoDigits(secondOfDay / 3600) + ":" + TwoDigits(secondOfDay / 60 % 60);
            if (step.count < 60)
                label += ":" + TwoDigits(secondOfDay % 60);
            if (ticks.empty() || day != previousDay)
                label += "\n" + dateText(day);
        }
        previousDay = day;
        ticks.push_back({value, label});
    }
    return ticks;
}

} // namespace chart
