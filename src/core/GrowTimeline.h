// A season of node logs as one timeline: the records of every log of a grow
// in time order, each record once. A card copied twice, or logs that
// overlap, hold the same records more than once; a controller whose clock
// was set back writes records out of order. Records with no real date or
// time cannot be placed and are left out and counted. Pure: no window.
#pragma once

#include "core/FileResult.h"
#include "core/NodeLog.h"
#include "core/ProbeHealth.h"

#include <wx/string.h>

#include <cstdint>
#include <vector>

// A log of the grow that could not be read: its path and why.
struct GrowLogProblem {
    wxString path;
    LoadStatus status = LoadStatus::ReadError;
    wxString reason;
};

struct GrowTimeline {
    // The records in time order (equal times in the order of the logs, then
    // of the files); every record has a real date and time.
    NodeLog log;
    uint32_t read = 0;       // records read from the logs that could be read
    uint32_t duplicates = 0; // records equal (every word, same time) to one before, left out
    uint32_t undated = 0;    // records with no real date or time, left out
    // The logs left out whole (missing, of a bad length, unreadable), in the
    // order given.
    std::vector<GrowLogProblem> unreadable;
    bool lackedMemory = false; // no memory for the records: nothing is merged
    // The record times of each log that was read, in the order given, as
    // the clock check reads them (a log's clock set back is lost in the
    // merged order).
    std::vector<LogClockSteps> clocks;
};

// Reads the logs at paths and merges them. A log that cannot be read is
// named in unreadable and the others are merged. The records are held once:
// they are read into one buffer and put in order there.
GrowTimeline MergeLogFiles(const std::vector<wxString>& paths);

// The same for logs in memory (in this order).
GrowTimeline MergeLogs(const std::vector<NodeLog>& logs);

// The usual time between consecutive records of a timeline (the median of
// the positive steps, each to the millisecond, in days) for days in time
// order; 0 when there is no step. A step longer than kGapSteps usual steps is a gap: the chart breaks
// its lines there and the summary counts it.
double UsualStepDays(const double* days, uint32_t count);
constexpr double kGapSteps = 10;
