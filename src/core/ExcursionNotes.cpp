#include "core/ExcursionNotes.h"

#include "core/DateText.h"
#include "core/LogSummary.h"
#include "util/CivilTime.h"

#include <wx/datetime.h>

std::vector<uint32_t> ExcursionStarts(const LogRecord* records, const double* days, uint32_t filled,
                                      double lo, double hi, int channel, const LogTargets& targets)
{
    std::vector<uint32_t> starts;
    if (!LogChannelHasTarget(channel))
        return starts;
    const LogReadingRange range = LogChannelReadingRange(channel);
    bool out = false, haveDay = false;
    uint32_t dayWord = 0;
    ChannelTarget target;
    for (uint32_t i = 0; i < filled; ++i) {
        if (!(days[i] >= lo && days[i] <= hi))
            continue;
        const double value = LogChannelValue(records[i], channel);
        if (!(value >= range.lo && value <= range.hi))
            continue;
        if (!haveDay || records[i][kLogDate] != dayWord) {
            haveDay = true;
            dayWord = records[i][kLogDate];
            target = targets.TargetOn(channel, dayWord);
        }
        if (!target.adjusted || target.Contains(value)) {
            out = false;
            continue;
        }
        if (!out)
            starts.push_back(i);
        out = true;
    }
    return starts;
}

wxString ExcursionNotesText(const LogRecord* records, const double* days, uint32_t filled, int64_t recordMs,
                            double lo, double hi, const bool (&wanted)[kLogChannelCount],
                            const LogTargets& targets, const GrowJournal& journal, size_t limit)
{
    const wxString shortFormat = UserShortDateFormat();
    auto when = [&shortFormat](int64_t ms) {
        const wxDateTime t{wxLongLong(ms)};
        return FormatUserDateText(t, shortFormat) + " " + t.Format("%X");
    };
    wxString text;
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!wanted[k])
            continue;
        const std::vector<uint32_t> starts = ExcursionStarts(records, days, filled, lo, hi, k, targets);
        if (starts.empty())
            continue;
        text << LogChannelName(k) << "\n";
        for (size_t e = 0; e < starts.size() && e < limit; ++e) {
            const int64_t ms = civil::MsAtDays(days[starts[e]], recordMs);
            text << "  From " << when(ms) << ": ";
            const size_t note = journal.AtOrBefore(ms);
            if (note == GrowJournal::npos)
                text << "no note before it\n";
            else
                text << DurationText(ms - journal[note].timeMs) << " after " << NoteLabel(journal[note])
                     << " (" << when(journal[note].timeMs) << ")\n";
        }
        if (starts.size() > limit)
            text << "  and " << (starts.size() - limit) << " more\n";
    }
    return text.empty() ? text : "\nNotes before excursions\n" + text;
}
