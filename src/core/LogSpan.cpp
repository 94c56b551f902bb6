#include "core/LogSpan.h"

#include "core/LogSeries.h"
#include "core/WordHelpers.h"

LogSpan FindLogSpan(const LogRecord* records, uint32_t count)
{
    LogSpan span;
    LogTimeDecoder decoder;
    uint32_t first = 0;
    while (first < count && !decoder.Decode(records[first][kLogDate], records[first][kLogTime], span.firstMs))
        ++first;
    if (first == count) {
        span.firstMs = 0;
        return span;
    }
    uint32_t last = count - 1;
    while (last > first && !decoder.Decode(records[last][kLogDate], records[last][kLogTime], span.lastMs))
        --last;
    if (last == first)
        span.lastMs = span.firstMs;
    span.begin = first;
    span.end = last + 1;
    return span;
}

wxString LogChartNote(const LogSeries& series, bool lackedMemory)
{
    wxString note;
    const uint32_t count = series.Count();
    const uint32_t leftOut = series.LeftOutCount();
    if (count > 0 && leftOut == count) {
        note << "0 of " << count << " records shown: no record has a valid date and time";
        return note;
    }
    switch (series.Stop()) {
    case LogSpanStop::None:
        break;
    case LogSpanStop::OutOfSpan:
    case LogSpanStop::InvalidDateTime:
        note << series.FilledCount() << " of " << count << " records shown: record "
             << series.StopIndex() + 1;
        if (series.Stop() == LogSpanStop::InvalidDateTime)
            note << " has an invalid date or time";
        else if (leftOut == 0)
            note << " is outside the time span of the first and last record";
        else
            note << " is outside the time span of the first and last record with a valid date and time";
        break;
    case LogSpanStop::NoMemory:
        note << "Not enough memory to chart " << count << " records";
        return note;
    }
    if (leftOut > 0)
        note << (note.empty() ? "" : "; ") << leftOut
             << (leftOut == 1 ? " record has no valid date or time and is not plotted"
                              : " records have no valid date or time and are not plotted");
    if (lackedMemory)
        note << (note.empty() ? "" : "; ") << "Not enough memory to chart every channel of " << count
             << " records";
    return note;
}

wxString LogSpanDates(const LogRecord* records, uint32_t count)
{
    const LogSpan span = FindLogSpan(records, count);
    if (span.Empty())
        return wxString();
    const wxString first = FormatDateText(DecodePackedDate(records[span.begin][kLogDate]));
    const wxString last = FormatDateText(DecodePackedDate(records[span.end - 1][kLogDate]));
    return first == last ? first : first + " - " + last;
}
