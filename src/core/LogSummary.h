// Figures of a node log for its summary: per channel the extremes, mean and
// last value and how the readings kept to their band; for the whole log its
// span, usual interval, gaps and records out of order. Pure.
#pragma once

#include "core/LogSeries.h"
#include "core/LogTargets.h"
#include "core/NodeLog.h"

#include <wx/string.h>

#include <cstdint>

struct ChannelSummary {
    bool any = false; // a finite value in range
    double lowest = 0, highest = 0, mean = 0, last = 0;
    uint32_t lowestIndex = 0, highestIndex = 0, lastIndex = 0; // record indices (first of equal extremes)
    bool banded = false;       // the channel had an adjusted target for some record in range
    double insideShare = 0;    // share (0..1) of banded records inside the band
    uint32_t excursions = 0;   // maximal runs of consecutive (file order) banded records outside the band
    uint32_t longestStart = 0; // record index where the longest excursion starts
    int64_t longestMs = 0; // from its first record to the first record back inside (or to its last record if
                           // it never returns)
    double furthest = 0;   // the value of that excursion furthest from its target
};

struct LogWideSummary {
    uint32_t count = 0;
    uint32_t firstIndex = 0, lastIndex = 0; // records 0 and count-1
    int64_t usualIntervalMs = 0; // the median of the positive time steps between consecutive records
    uint32_t gaps = 0;           // steps longer than 10 usual intervals
    int64_t longestGapMs = 0;
    uint32_t longestGapStart = 0; // record index before the longest gap
    uint32_t outOfOrder = 0;      // records earlier than the record before them
};

struct LogSummary {
    ChannelSummary channels[kLogChannelCount];
    LogWideSummary log;
    uint32_t inView = 0;
};

// Over the records whose times (days since record 0, LogSeries::Days():
// `days`, `filled` of them) lie in [lo, hi]; channels with wanted[k]; targets
// may be null. recordMs: the ms of record 0 (LogSeries::FirstTimeMs()). The
// log-wide part is over all filled records.
LogSummary SummariseLog(const LogRecord* records, const double* days, uint32_t filled, int64_t recordMs,
                        double lo, double hi, const bool (&wanted)[kLogChannelCount],
                        const LogTargets* targets);

// The log-wide part alone, for a caller that summarises many views of one
// log: computed once, handed to the overload below.
LogWideSummary SummariseLogWide(const double* days, uint32_t filled, int64_t recordMs);
// SummariseLog with the log-wide part already known (summary.log = whole).
LogSummary SummariseLog(const LogRecord* records, const double* days, uint32_t filled, int64_t recordMs,
                        double lo, double hi, const bool (&wanted)[kLogChannelCount],
                        const LogTargets* targets, const LogWideSummary& whole);

// The summary as plain text, lines separated by '\n': a section per wanted
// channel, then "Whole log".
wxString SummaryText(const LogSummary& summary, const LogRecord* records,
                     const bool (&wanted)[kLogChannelCount], const LogTargets* targets);

// A duration as the summary writes it: "45 s", "2 h 05 min", "3 d 4 h".
wxString DurationText(int64_t ms);
