// Time as the log and its charts count it: whole days of the proleptic
// Gregorian calendar, milliseconds since the epoch, and the C library's local
// time (the process's TZ). Header-only and free of wxWidgets, so that the core
// and the chart library share one copy without either depending on the other.
#pragma once

#include <cstdint>
#include <ctime>
#include <limits>

namespace civil {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kMsPerDay = kSecondsPerDay * 1000;
constexpr int64_t kMinutesPerDay = 1440;

// a / b rounded towards minus infinity (b > 0).
constexpr int64_t FloorDiv(int64_t a, int64_t b)
{
    return a / b - (a % b != 0 && ((a < 0) != (b < 0)) ? 1 : 0);
}

constexpr int64_t FloorMod(int64_t a, int64_t b)
{
    return a - FloorDiv(a, b) * b;
}

// Days since 1970-01-01 of a date (month 1..12, day 1..31).
constexpr int64_t DaysFromCivil(int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t shiftedMonth = (month + 9) % 12; // March is 0
    const int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Date {
    int64_t year;
    int month; // 1..12
    int day;   // 1..31
};

// The date of a day counted from 1970-01-01: DaysFromCivil's inverse.
constexpr Date CivilFromDays(int64_t days)
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

// The local time of t (seconds since the epoch); false where the C library
// has none (beyond time_t, or before 1970 on Windows).
inline bool LocalTimeAt(int64_t t, std::tm& out)
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

// A chart's x for an instant: days since an origin, both in ms since the
// epoch. Exact for whole milliseconds: MsAtDays gives them back.
inline double DaysSince(int64_t ms, int64_t originMs)
{
    return static_cast<double>(ms - originMs) / static_cast<double>(kMsPerDay);
}

// The instant (ms since the epoch, rounded half away from zero) of x days
// after the origin.
inline int64_t MsAtDays(double days, int64_t originMs)
{
    const double ms = days * static_cast<double>(kMsPerDay);
    return originMs + static_cast<int64_t>(ms >= 0 ? ms + 0.5 : ms - 0.5);
}

} // namespace civil
