#include "core/LogTargets.h"

#include "core/WordHelpers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

// Orders packed dates as the calendar does: year, month, day.
uint32_t DateKey(uint32_t dateWord)
{
    return (dateWord & 0xFFFF0000u) | (dateWord & 0xFFu) << 8 | ((dateWord >> 8) & 0xFFu);
}

uint32_t KeyToDateWord(uint32_t key)
{
    return (key & 0xFFFF0000u) | ((key >> 8) & 0xFFu) | (key & 0xFFu) << 8;
}

double PhWord(uint32_t word)
{
    return static_cast<double>(WordToFloat(word));
}

// A tolerance that is no number or below zero holds nothing but the target.
double Tolerance(double value)
{
    return std::isfinite(value) && value > 0 ? value : 0.0;
}

// The control channel (0, 1) of a log channel, and whether it is its PH; -1
// for the temperatures.
int ControlOf(int logChannel, bool& ph)
{
    ph = LogChannelHasTarget(logChannel) && LogChannelQuantity(logChannel) == LogQuantity::Ph;
    return LogChannelHasTarget(logChannel) ? LogChannelControl(logChannel) : -1;
}

int64_t MidnightMs(const wxDateTime& day)
{
    return day.GetValue().GetValue();
}

} // namespace

bool ChannelTarget::Contains(double value) const
{
    if (!adjusted || std::isnan(value))
        return false;
    const double slack = (std::fabs(target) + tolerance) * static_cast<double>(FLT_EPSILON);
    return std::fabs(value - target) <= tolerance + slack;
}

bool ChannelTarget::operator==(const ChannelTarget& other) const
{
    if (adjusted != other.adjusted)
        return false;
    return !adjusted || (target == other.target && tolerance == other.tolerance);
}

void LogTargets::SetProfile(const NodeConfig& config)
{
    const uint32_t mode = config[kIndexOperationMode];
    const bool dual = mode == kModeDualChannelSingleEnv || mode == kModeDualChannelDualEnv;
    m_channels[0].adjusted = dual || mode == kModeSingleChannel;
    m_channels[1].adjusted = dual;
    m_oneReservoir = mode == kModeDualChannelSingleEnv;
    for (int c = 0; c < 2; ++c) {
        Channel& ch = m_channels[c];
        ch.ecTarget = config[kIndexEc1Target + c];
        ch.ecTolerance = config[kIndexEc1Tolerance + c];
        ch.phTarget = PhWord(config[kIndexPh1Target + c]);
        ch.phTolerance = Tolerance(PhWord(config[kIndexPh1Tolerance + c]));
    }
    m_hasProfile = true;
}

void LogTargets::SetSchedule(int controlChannel, const NodeSchedule& schedule)
{
    if (controlChannel != 1 && controlChannel != 2)
        return;
    Channel& ch = m_channels[controlChannel - 1];
    ch.days.clear();
    ch.days.reserve(schedule.size());
    for (const ScheduleEntry& e : schedule) {
        if (!DecodePackedDate(e[kScheduleDate]).IsValid())
            continue; // names no day, so no day follows it
        ch.days.push_back({DateKey(e[kScheduleDate]), static_cast<double>(e[kScheduleTargetEc]),
                           PhWord(e[kScheduleTargetPh])});
    }
    // Stable, so that of the entries of one date the first stays first.
    std::stable_sort(ch.days.begin(), ch.days.end(),
                     [](const DayTarget& a, const DayTarget& b) { return a.dateKey < b.dateKey; });
    ch.days.erase(std::unique(ch.days.begin(), ch.days.end(),
                              [](const DayTarget& a, const DayTarget& b) { return a.dateKey == b.dateKey; }),
                  ch.days.end());
    ch.hasSchedule = true;
}

bool LogTargets::HasSchedule(int controlChannel) const
{
    if (controlChannel != 1 && controlChannel != 2)
        return false;
    return m_channels[controlChannel - 1].hasSchedule;
}

bool LogTargets::operator==(const LogTargets& other) const
{
    const auto sameDays = [](const std::vector<DayTarget>& a, const std::vector<DayTarget>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const DayTarget& x, const DayTarget& y) {
            return x.dateKey == y.dateKey && x.ec == y.ec && x.ph == y.ph;
        });
    };
    for (size_t c = 0; c < m_channels.size(); ++c) {
        const Channel &a = m_channels[c], &b = other.m_channels[c];
        if (a.adjusted != b.adjusted || a.ecTarget != b.ecTarget || a.ecTolerance != b.ecTolerance ||
            a.phTarget != b.phTarget || a.phTolerance != b.phTolerance || a.hasSchedule != b.hasSchedule ||
            !sameDays(a.days, b.days))
            return false;
    }
    return m_hasProfile == other.m_hasProfile && m_oneReservoir == other.m_oneReservoir;
}

void LogTargets::Clear()
{
    *this = LogTargets();
}

ChannelTarget LogTargets::Compute(int c, bool ph, uint32_t dateKey) const
{
    const Channel& ch = m_channels[c];
    ChannelTarget out;
    if (!m_hasProfile || !ch.adjusted)
        return out;
    double target = ph ? ch.phTarget : ch.ecTarget;
    if (!ch.days.empty()) {
        const auto it = std::lower_bound(ch.days.begin(), ch.days.end(), dateKey,
                                         [](const DayTarget& d, uint32_t key) { return d.dateKey < key; });
        if (it != ch.days.end() && it->dateKey == dateKey)
            target = ph ? it->ph : it->ec;
    }
    // 0 is "not maintained"; a PH word that is no number or below zero is no target either.
    if (!(target > 0) || !std::isfinite(target))
        return out;
    out.adjusted = true;
    out.target = target;
    out.tolerance = ph ? ch.phTolerance : ch.ecTolerance;
    return out;
}

ChannelTarget LogTargets::TargetOn(int logChannel, uint32_t dateWord) const
{
    bool ph = false;
    const int c = ControlOf(logChannel, ph);
    if (c < 0)
        return {};
    return Compute(c, ph, DateKey(dateWord));
}

ChannelTarget LogTargets::TargetAt(int logChannel, int64_t ms) const
{
    return TargetOn(logChannel, EncodePackedDate(wxDateTime(wxLongLong(ms))));
}

std::vector<TargetStep> LogTargets::Steps(int logChannel, int64_t fromMs, int64_t toMs) const
{
    std::vector<TargetStep> steps;
    bool ph = false;
    const int c = ControlOf(logChannel, ph);
    if (c < 0 || fromMs > toMs || !m_hasProfile || !m_channels[c].adjusted)
        return steps;
    const std::vector<DayTarget>& days = m_channels[c].days;
    bool anyAdjusted = false;
    int64_t cursor = fromMs;
    while (true) {
        const wxDateTime at{wxLongLong(cursor)};
        const uint32_t key = DateKey(EncodePackedDate(at));
        const ChannelTarget target = Compute(c, ph, key);
        // Where this target may change: the next midnight on a scheduled day,
        // the midnight of the next scheduled day otherwise.
        const auto next = std::upper_bound(days.begin(), days.end(), key,
                                           [](uint32_t k, const DayTarget& d) { return k < d.dateKey; });
        const bool scheduled = next != days.begin() && std::prev(next)->dateKey == key;
        int64_t end = toMs;
        bool last = true;
        if (scheduled) {
            wxDateTime midnight = at.GetDateOnly();
            midnight += wxDateSpan::Day();
            end = MidnightMs(midnight.GetDateOnly());
            last = false;
        } else if (next != days.end()) {
            end = MidnightMs(DecodePackedDate(KeyToDateWord(next->dateKey)));
            last = false;
        }
        if (last || end >= toMs) {
            end = toMs;
            last = true;
        }
        anyAdjusted = anyAdjusted || target.adjusted;
        if (!steps.empty() && steps.back().target == target)
            steps.back().toMs = end;
        else
            steps.push_back({cursor, end, target});
        if (last || end <= cursor)
            break;
        cursor = end;
    }
    if (!anyAdjusted)
        steps.clear();
    return steps;
}

wxString TargetText(int logChannel, const ChannelTarget& target)
{
    if (!target.adjusted || !LogChannelHasTarget(logChannel))
        return "not adjusted";
    return "target " + LogChannelValueText(logChannel, target.target) + wxString::FromUTF8(" \xC2\xB1 ") +
           LogChannelValueText(logChannel, target.tolerance);
}
