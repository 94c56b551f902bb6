// The grow file (*.hvg): a season as the grower thinks of it. The logs of
// the season, the profile and the channel 1 and channel 2 schedules in force,
// the grow's name, its start (day 0: sowing or transplant) and its journal.
// JSON, UTF-8, with a format version; its files are named relative to the
// grow file's folder, so that the folder can be moved, zipped or shared.
// Read as untrusted input: a file is taken whole or refused with a reason.
#pragma once

#include "core/FileResult.h"
#include "core/GrowJournal.h"
#include "core/ProbeHealth.h"

#include <wx/string.h>

#include <cstdint>
#include <string>
#include <vector>

// The format version this program writes and the newest it reads.
constexpr int kGrowFormat = 1;
// Refused beyond these: a grow file is small (a journal of a million notes
// is some hundred MB).
constexpr size_t kGrowFileMaxBytes = size_t{256} << 20;
constexpr size_t kGrowMaxLogs = 100000;
constexpr size_t kGrowMaxNotes = 1000000;

// A calendar day.
struct GrowDate {
    int year = 2000, month = 1, day = 1;

    bool operator==(const GrowDate& o) const { return year == o.year && month == o.month && day == o.day; }
};

struct Grow {
    wxString name;
    GrowDate start; // day 0
    // Full paths in memory; relative to the grow file's folder on disk.
    std::vector<wxString> logs;
    wxString profile;   // empty: none
    wxString schedule1; // of control channel 1; empty: none
    wxString schedule2;
    GrowJournal journal;
    // The probe checks' thresholds of this grow's view; written only when
    // they are not the defaults.
    ProbeThresholds probeThresholds;
};

// The grow as the file's bytes, its paths made relative to folder (the
// grow file's). False with a reason when a path cannot be (a file on
// another drive).
bool GrowToJson(const Grow& grow, const wxString& folder, std::string& json, wxString& reason);
// The grow of a file's bytes, its paths resolved against folder. Loaded,
// or ReadError with a reason naming what is wrong (and nothing of the file).
LoadResult<Grow> GrowFromJson(const std::string& json, const wxString& folder);

// Reads the grow file at path (Missing when there is none).
LoadResult<Grow> ReadGrowFile(const wxString& path);
// Writes the grow to path, whole or not at all.
SaveResult WriteGrowFile(const wxString& path, const Grow& grow);

// The crop day of an instant: whole days from the start's midnight to the
// instant's local date (day 0 is the start date; before it, negative).
int64_t CropDay(const GrowDate& start, int64_t timeMs);
// "Day 23".
wxString CropDayText(int64_t day);
// The instant of a note's local time "2026-03-04T10:20:00"; false when it is
// no real local time.
bool ParseLocalTime(const std::string& text, int64_t& ms);
std::string FormatLocalTime(int64_t ms);
