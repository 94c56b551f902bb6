// The six channels of a node log (EC1, EC2, PH1, PH2, TE1, TE2): what each
// measures, where its word lies in a record, how its value reads and is
// written. Every rule that tells the channels apart lives here.
#pragma once

#include "core/NodeLog.h"

#include <wx/string.h>

#include <cstdint>

constexpr int kLogChannelCount = 6;

enum class LogQuantity {
    Ec,          // conductivity in uS, recorded as an unsigned integer word
    Ph,          // recorded as a single-precision float word
    Temperature, // degrees Celsius, recorded as a single-precision float word
};

// What channel k measures.
LogQuantity LogChannelQuantity(int channel);
// Whether channel k is held in a band by the controller (EC and PH: their
// targets and tolerances); temperatures are not.
bool LogChannelHasTarget(int channel);
// The control channel (0, 1) channel k belongs to.
inline int LogChannelControl(int channel)
{
    return channel % 2;
}

// Record word of channel k (EC1, EC2, PH1, PH2, TE1, TE2).
unsigned LogChannelWord(int channel);
// The name of channel k as the chart view shows it: "EC Channel 1",
// "EC Channel 2", "PH Channel 1", "PH Channel 2", "TE Channel 1",
// "TE Channel 2".
const char* LogChannelName(int channel);

// The value of channel k's word: EC words as unsigned integers, PH and
// temperature words as floats; no range rule.
double LogChannelWordValue(int channel, uint32_t word);
// The value a chart plots for channel k of record r.
inline double LogChannelValue(const LogRecord& r, int channel)
{
    return LogChannelWordValue(channel, r[LogChannelWord(channel)]);
}

// A value of channel k as the chart view and the summary write it: EC a
// whole number, PH and temperature with two decimals; "no reading" for a
// NaN.
wxString LogChannelValueText(int channel, double value);

// The values channel k's probe can report: EC 0 to 100000 uS (targets go
// up to 20000 uS, sea water is about 50000 uS), PH -2 to 16 (the scale with
// room for a probe out of calibration), temperature -55 to 125 degrees
// Celsius (what common probes report). A value outside is plainly not a
// reading: the word 4294967295 (all bits set) of an EC reading never taken,
// foremost.
struct LogReadingRange {
    double lo;
    double hi;
};
LogReadingRange LogChannelReadingRange(int channel);
