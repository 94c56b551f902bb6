#include "core/NodeClock.h"

#include "core/WordHelpers.h"

namespace {

constexpr int64_t kMinute = 60;
constexpr int64_t kHourMinutes = 60;
constexpr int64_t kDayMinutes = 24 * kHourMinutes;
constexpr int64_t kTwoDaysMinutes = 2 * kDayMinutes;

} // namespace

wxString FormatClockDifference(int64_t difference)
{
    const bool behind = difference < 0;
    // Negating the most negative value would overflow; no clock is that far.
    const uint64_t magnitude =
        behind ? 0 - static_cast<uint64_t>(difference) : static_cast<uint64_t>(difference);
    if (magnitude <= static_cast<uint64_t>(kNodeClockToleranceSeconds))
        return "ok";
    const uint64_t minutes = (magnitude + kMinute / 2) / kMinute;
    wxString text;
    if (minutes < static_cast<uint64_t>(kHourMinutes))
        text.Printf("%llu min", static_cast<unsigned long long>(minutes));
    else if (minutes < static_cast<uint64_t>(kTwoDaysMinutes))
        text.Printf("%llu h %llu min", static_cast<unsigned long long>(minutes / kHourMinutes),
                    static_cast<unsigned long long>(minutes % kHourMinutes));
    else
        text.Printf("%llu days", static_cast<unsigned long long>(minutes / kDayMinutes));
    return text + (behind ? " behind" : " ahead");
}

NodeClock CompareNodeClock(uint32_t dateWord, uint32_t timeWord, const wxDateTime& arrival)
{
    const wxDateTime controller = DecodePackedDateTime(dateWord, timeWord);
    if (!controller.IsValid() || !arrival.IsValid())
        return {"(invalid)", true};
    const int64_t difference = (controller - arrival).GetSeconds().GetValue();
    const bool off = difference > kNodeClockToleranceSeconds || difference < -kNodeClockToleranceSeconds;
    return {FormatClockDifference(difference), off};
}

wxString WidestClockText()
{
    // Hours and minutes of two digits each, the longest text under two days.
    return FormatClockDifference(-(47 * 3600 + 59 * 60));
}
