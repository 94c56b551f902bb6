// Two grows side by side: how each kept its channels in band over the same
// stretch of the season, and what each yielded. The other grow is placed in
// this grow's time so that its crop day 0 falls on this grow's day 0, or so
// that its calendar dates fall a whole number of years later or earlier, on
// this grow's year. The figures are the summary's, each grow with its own
// targets. Pure: no window.
#pragma once

#include "core/GrowFile.h"
#include "core/LogSeries.h"
#include "core/LogSummary.h"
#include "core/LogTargets.h"
#include "core/NodeLog.h"

#include <wx/string.h>

#include <cstdint>
#include <memory>
#include <vector>

enum class GrowAlignment {
    CropDay,  // crop day d of the other grow on crop day d of this one
    Calendar, // the other grow's dates moved by the whole years between the two starts
};

// One grow as compared: its merged records and their times, its targets
// (its profile and schedules), its start and journal.
struct ComparedGrow {
    wxString name;
    GrowDate start;
    NodeLog log;
    LogSeries series; // filled from log
    LogTargets targets;
    GrowJournal journal;

    // The records of the series' points (point i is record Begin() + i).
    const LogRecord* Charted() const { return log.records.get() + series.Begin(); }
};

// The grow ready to compare: its timeline's records filled into the series
// and the targets of its profile and schedules read. Each of those files
// that cannot be read is named in unreadable (path, reason) and left out.
std::shared_ptr<ComparedGrow> PrepareComparedGrow(const Grow& grow, const NodeLog& timeline,
                                                  std::vector<std::pair<wxString, wxString>>& unreadable);

// The local midnight starting a calendar day, ms since the epoch.
int64_t LocalMidnightMs(const GrowDate& date);
// What is added to an instant of the other grow to place it in the time of
// a grow started on mine. By calendar: the date of the other grow's first
// record moved by the whole years between the two starts, so that its
// records fall on their own dates (a season that holds a 29 February is a
// day off after it).
int64_t AlignmentShiftMs(const GrowDate& mine, const ComparedGrow& other, GrowAlignment alignment);

struct GrowSideFigures {
    LogSummary summary;    // over the stretch both grows cover
    double lo = 0, hi = 0; // that stretch in the grow's own days since its first record
    std::vector<std::pair<int64_t, wxString>> yields; // every harvest note: its crop day, its yield
};

struct GrowComparison {
    GrowAlignment alignment = GrowAlignment::CropDay;
    bool overlap = false;              // the two grows have records over a common stretch
    int64_t fromMs = 0, toMs = 0;      // the common stretch, in this grow's time
    int64_t firstDay = 0, lastDay = 0; // its crop days of this grow
    GrowSideFigures mine, other;
};

GrowComparison CompareGrows(const ComparedGrow& mine, const ComparedGrow& other, GrowAlignment alignment);

// The comparison as plain text, lines separated by '\n': the stretch, then
// per channel with a band in either grow the time in band, the excursions,
// the longest one and the mean of each grow and their difference, then the
// yields.
wxString ComparisonText(const GrowComparison& comparison, const wxString& mineName,
                        const wxString& otherName);
