// Which note of the journal came just before each excursion of a channel
// from its band: an excursion forty minutes after a reservoir change reads
// differently from one out of nowhere. Pure: no window.
#pragma once

#include "core/GrowJournal.h"
#include "core/LogChannels.h"
#include "core/LogTargets.h"
#include "core/NodeLog.h"

#include <wx/string.h>

#include <cstdint>
#include <vector>

// The first record (point index) of each excursion of channel k over the
// records whose days lie in [lo, hi]: a run of readings outside an adjusted
// band, by the summary's rule (a reading is a value the probe can report;
// a day without a band ends a run).
std::vector<uint32_t> ExcursionStarts(const LogRecord* records, const double* days, uint32_t filled,
                                      double lo, double hi, int channel, const LogTargets& targets);

// The section the summary of a grow ends with: for every wanted channel with
// a band, each excursion's start and the note just before it ("40 min after
// Reservoir change: 120 l"), or "no note before it"; at most `limit` lines
// per channel, then how many more. Empty when no channel has an excursion.
wxString ExcursionNotesText(const LogRecord* records, const double* days, uint32_t filled, int64_t recordMs,
                            double lo, double hi, const bool (&wanted)[kLogChannelCount],
                            const LogTargets& targets, const GrowJournal& journal, size_t limit = 20);
