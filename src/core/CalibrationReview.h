// What each calibration of a grow did and how the two probes of a kind
// drifted apart between calibrations: the reading's jump at the calibration
// (the last reading before the note's time against the first after it) and
// the trend of EC1 - EC2 and PH1 - PH2 since the calibration before, as a
// least-squares slope per week. A pair of probes in one reservoir that
// drift apart week by week need calibrating more often. Pure: no window.
#pragma once

#include "core/GrowJournal.h"
#include "core/LogChannels.h"
#include "core/NodeLog.h"

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// A reading just before and just after an instant (NaN where there is none
// within a day).
struct CalibrationJump {
    double before, after;
    int64_t beforeMs = 0, afterMs = 0;
    bool Known() const { return before == before && after == after; }
};

// The least-squares slope of the difference between two probes over a
// stretch, per week (NaN: fewer than two records with both readings, or all
// at one instant).
struct ProbeDrift {
    double perWeek;
    size_t points = 0;
};

// One stretch of a grow: from the calibration before (or the first record)
// to a calibration note (or, for the last stretch, to the last record).
struct CalibrationStretch {
    size_t note = GrowJournal::npos; // the journal's calibration note ending it; npos: the last stretch
    int64_t fromMs = 0, toMs = 0;
    bool fromCalibration = false; // fromMs is a calibration's time, not the first record's
    CalibrationJump jump[4];      // EC1, EC2, PH1, PH2 at the note
    ProbeDrift drift[2];          // EC1 - EC2, PH1 - PH2 over the stretch
};

// The stretches of `count` records (in time order; records without a real
// date and time are passed over) cut at the journal's calibration notes.
// None when there are no records.
std::vector<CalibrationStretch> ReviewCalibrations(const LogRecord* records, uint32_t count,
                                                   const GrowJournal& journal);

// The summary's "Calibrations" section: each calibration note with a time in
// [fromMs, toMs], the jump of each wanted EC and PH channel at it and the
// drift of each wanted pair since the calibration before, then the drift
// since the last calibration. Empty when the journal holds no calibration.
wxString CalibrationText(const std::vector<CalibrationStretch>& stretches, const GrowJournal& journal,
                         int64_t fromMs, int64_t toMs, const bool (&wanted)[kLogChannelCount]);
