// How far a controller's clock is from this computer's: the controller
// stamps its log records with its own clock, so a clock that drifted or was
// never set puts every record of its log at the wrong time.
#pragma once

#include <wx/datetime.h>
#include <wx/string.h>

#include <cstdint>

// A clock this close to ours (either way) counts as right.
constexpr int64_t kNodeClockToleranceSeconds = 120;

struct NodeClock {
    wxString text;    // "ok", "3 h 12 min behind", "2 days ahead", "(invalid)"
    bool off = false; // beyond the tolerance, or no real date and time
};

// The text for a controller clock `difference` seconds ahead of ours
// (behind when negative). Within the tolerance: "ok". Otherwise the
// difference rounded to whole minutes reads "N min" under an hour, "H h M min"
// under two days and whole days ("N days", rounded down) beyond, followed
// by " behind" or " ahead".
wxString FormatClockDifference(int64_t difference);

// The controller's date and time words against `arrival`, the moment its
// answer came, both in local time. Words that are no real date or time give
// "(invalid)", which counts as off.
NodeClock CompareNodeClock(uint32_t dateWord, uint32_t timeWord, const wxDateTime& arrival);

// A clock text at least as wide as any other, for sizing a column.
wxString WidestClockText();
