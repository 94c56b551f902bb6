#include "core/GrowComparison.h"

#include "core/ConfigFile.h"
#include "core/LogChannels.h"
#include "core/NodeSchedule.h"
#include "util/CivilTime.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <wx/datetime.h>

std::shared_ptr<ComparedGrow> PrepareComparedGrow(const Grow& grow, const NodeLog& timeline,
                                                  std::vector<std::pair<wxString, wxString>>& unreadable)
{
    auto compared = std::make_shared<ComparedGrow>();
    compared->name = grow.name;
    compared->start = grow.start;
    compared->journal = grow.journal;
    compared->log = timeline;
    compared->series.Fill(timeline.records.get(), timeline.count);
    auto why = [](LoadStatus status, const wxString& reason) {
        return status == LoadStatus::Missing ? wxString("no such file") : reason;
    };
    if (!grow.profile.empty()) {
        const LoadResult<NodeConfig> profile = ReadConfigFile(grow.profile);
        if (profile.Loaded())
            compared->targets.SetProfile(profile.value);
        else
            unreadable.emplace_back(grow.profile, why(profile.status, profile.reason));
    }
    const wxString* schedules[2] = {&grow.schedule1, &grow.schedule2};
    for (int c = 0; c < 2; ++c) {
        if (schedules[c]->empty())
            continue;
        const LoadResult<NodeSchedule> schedule = ReadScheduleFile(*schedules[c]);
        if (schedule.Loaded())
            compared->targets.SetSchedule(c + 1, schedule.value);
        else
            unreadable.emplace_back(*schedules[c], why(schedule.status, schedule.reason));
    }
    return compared;
}

int64_t LocalMidnightMs(const GrowDate& date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT00:00:00", date.year, date.month, date.day);
    int64_t ms = 0;
    if (ParseLocalTime(text, ms))
        return ms;
    // A midnight that the clocks skip: the day's first hour.
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT01:00:00", date.year, date.month, date.day);
    return ParseLocalTime(text, ms)
               ? ms
               : civil::DaysFromCivil(date.year, date.month, date.day) * civil::kMsPerDay;
}

int64_t AlignmentShiftMs(const GrowDate& mine, const ComparedGrow& other, GrowAlignment alignment)
{
    if (alignment == GrowAlignment::CropDay)
        return LocalMidnightMs(mine) - LocalMidnightMs(other.start);
    // The date of the other grow's first record (its start without records)
    // moved by the whole years between the two starts, 29 February as the
    // 28th in a common year; every instant moves by as much.
    GrowDate anchor = other.start;
    if (other.series.FilledCount() > 0) {
        const wxDateTime first{wxLongLong(other.series.FirstTimeMs())};
        anchor = {first.GetYear(), static_cast<int>(first.GetMonth()) + 1, first.GetDay()};
    }
    GrowDate moved = anchor;
    moved.year += mine.year - other.start.year;
    if (moved.month == 2 && moved.day == 29) {
        const bool leap = (moved.year % 4 == 0 && moved.year % 100 != 0) || moved.year % 400 == 0;
        if (!leap)
            moved.day = 28;
    }
    return LocalMidnightMs(moved) - LocalMidnightMs(anchor);
}

namespace {

std::vector<std::pair<int64_t, wxString>> Yields(const ComparedGrow& grow)
{
    std::vector<std::pair<int64_t, wxString>> yields;
    for (const GrowNote& note : grow.journal.Notes())
        if (note.kind == NoteKind::Harvest)
            yields.emplace_back(CropDay(grow.start, note.timeMs), note.yield);
    return yields;
}

LogSummary Summarise(const ComparedGrow& grow, double lo, double hi)
{
    const bool wanted[kLogChannelCount] = {true, true, true, true, true, true};
    const LogTargets* targets = grow.targets.HasProfile() ? &grow.targets : nullptr;
    return SummariseLog(grow.Charted(), grow.series.Days(), grow.series.FilledCount(),
                        grow.series.FirstTimeMs(), lo, hi, wanted, targets);
}

int64_t LastMs(const ComparedGrow& grow)
{
    const uint32_t filled = grow.series.FilledCount();
    return filled ? grow.series.TimeMs(filled - 1) : grow.series.FirstTimeMs();
}

} // namespace

GrowComparison CompareGrows(const ComparedGrow& mine, const ComparedGrow& other, GrowAlignment alignment)
{
    GrowComparison result;
    result.alignment = alignment;
    result.mine.yields = Yields(mine);
    result.other.yields = Yields(other);
    if (mine.series.FilledCount() == 0 || other.series.FilledCount() == 0)
        return result;
    const int64_t shift = AlignmentShiftMs(mine.start, other, alignment);
    result.fromMs = std::max(mine.series.FirstTimeMs(), other.series.FirstTimeMs() + shift);
    result.toMs = std::min(LastMs(mine), LastMs(other) + shift);
    if (result.fromMs > result.toMs)
        return result;
    result.overlap = true;
    result.firstDay = CropDay(mine.start, result.fromMs);
    result.lastDay = CropDay(mine.start, result.toMs);
    const int64_t mineFirst = mine.series.FirstTimeMs();
    const int64_t otherFirst = other.series.FirstTimeMs() + shift;
    result.mine.lo = civil::DaysSince(result.fromMs, mineFirst);
    result.mine.hi = civil::DaysSince(result.toMs, mineFirst);
    result.other.lo = civil::DaysSince(result.fromMs, otherFirst);
    result.other.hi = civil::DaysSince(result.toMs, otherFirst);
    result.mine.summary = Summarise(mine, result.mine.lo, result.mine.hi);
    result.other.summary = Summarise(other, result.other.lo, result.other.hi);
    return result;
}

namespace {

wxString Signed(double value, const wxString& text)
{
    return (value > 0 ? "+" : value < 0 ? "-" : "") + text;
}

wxString Share(const ChannelSummary& c)
{
    return c.banded ? wxString::Format("%.1f %%", c.insideShare * 100) : wxString("no band");
}

void ChannelLines(int k, const ChannelSummary& a, const ChannelSummary& b, wxString& out)
{
    out << LogChannelName(k) << "\n";
    const auto line = [&out](const char* what, const wxString& x, const wxString& y, const wxString& diff) {
        out << "  " << what << ": " << x << " | " << y << (diff.empty() ? "" : " | " + diff) << "\n";
    };
    if (a.banded || b.banded) {
        const double share = (a.insideShare - b.insideShare) * 100;
        line("Time in band", Share(a), Share(b),
             a.banded && b.banded ? Signed(share, wxString::Format("%.1f points", std::fabs(share))) : "");
        const bool both = a.banded && b.banded;
        const auto count = [](const ChannelSummary& c) {
            return c.banded ? wxString::Format("%u", c.excursions) : wxString("no band");
        };
        const long long more = static_cast<long long>(a.excursions) - static_cast<long long>(b.excursions);
        line("Excursions", count(a), count(b),
             both ? Signed(static_cast<double>(more), wxString::Format("%lld", more < 0 ? -more : more))
                  : "");
        const auto longest = [](const ChannelSummary& c) {
            return !c.banded      ? wxString("no band")
                   : c.excursions ? DurationText(c.longestMs)
                                  : wxString("none");
        };
        const int64_t longer = a.longestMs - b.longestMs;
        line("Longest excursion", longest(a), longest(b),
             both ? Signed(static_cast<double>(longer), DurationText(longer < 0 ? -longer : longer)) : "");
    }
    const wxString none = "no reading";
    if (a.any && b.any) {
        const double diff = a.mean - b.mean;
        line("Mean", LogChannelValueText(k, a.mean), LogChannelValueText(k, b.mean),
             Signed(diff, LogChannelValueText(k, std::fabs(diff))));
    } else {
        line("Mean", a.any ? LogChannelValueText(k, a.mean) : none,
             b.any ? LogChannelValueText(k, b.mean) : none, "");
    }
}

void YieldLines(const wxString& name, const std::vector<std::pair<int64_t, wxString>>& yields, wxString& out)
{
    out << "  " << name << ": ";
    if (yields.empty())
        out << "no harvest noted";
    for (size_t i = 0; i < yields.size(); ++i)
        out << (i ? ", " : "") << CropDayText(yields[i].first) << " "
            << (yields[i].second.empty() ? wxString("(no yield)") : yields[i].second);
    out << "\n";
}

} // namespace

wxString ComparisonText(const GrowComparison& c, const wxString& mineName, const wxString& otherName)
{
    wxString out;
    out << "\"" << mineName << "\" | \"" << otherName << "\" | difference, "
        << (c.alignment == GrowAlignment::CropDay ? "by crop day" : "by calendar date") << "\n";
    if (!c.overlap) {
        out << "The grows have no records over the same days.\n";
    } else {
        out << "Over " << CropDayText(c.firstDay) << " to " << CropDayText(c.lastDay) << " ("
            << FormatLocalTime(c.fromMs) << " to " << FormatLocalTime(c.toMs) << ")\n";
        for (int k = 0; k < kLogChannelCount; ++k) {
            const ChannelSummary& a = c.mine.summary.channels[k];
            const ChannelSummary& b = c.other.summary.channels[k];
            if (a.any || b.any)
                ChannelLines(k, a, b, out);
        }
    }
    out << "Harvests\n";
    YieldLines(mineName, c.mine.yields, out);
    YieldLines(otherName, c.other.yields, out);
    return out;
}
