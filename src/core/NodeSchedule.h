// The schedule the controller follows day by day: an ordered table of 88-byte
// entries, each giving one calendar day's target EC, target PH and three sets
// of six actuator dosage ratios, and its file (*.hvs), the entries back to
// back with no header.
//
// Everything here is pure: reading returns a LoadResult, writing a SaveResult,
// and the page tells the user.
#pragma once

#include "core/FileResult.h"

#include <wx/string.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr std::size_t kScheduleEntryWords = 22;
constexpr std::size_t kScheduleEntrySize = kScheduleEntryWords * 4; // 88 bytes
constexpr std::size_t kScheduleActuators = 6;

// Most entries the page lets a user build (one year of days). A file read
// from disk may hold more; the limit applies only when adding.
constexpr std::size_t ScheduleCapacity = 365;

// Largest file the page will read: ten years of days. Anything longer is not
// a schedule, and reading it would only fill memory and freeze the list.
constexpr std::size_t kScheduleFileMaxEntries = 10 * ScheduleCapacity;

// Word positions inside an entry.
enum ScheduleWord : std::size_t {
    kScheduleReserved = 0, // kept as read, 0 in new entries
    kScheduleDate = 1,     // PackedDate
    kScheduleTargetEc = 2, // microsiemens
    kScheduleTargetPh = 3, // IEEE-754 single
    kScheduleEcRatio = 4,  // 4..9, actuators 1..6
    kSchedulePhUpRatio = 10,
    kSchedulePhDownRatio = 16,
};

struct ScheduleEntry {
    std::array<uint32_t, kScheduleEntryWords> words{};

    uint32_t& operator[](std::size_t index) { return words[index]; }
    uint32_t operator[](std::size_t index) const { return words[index]; }

    uint32_t& reserved() { return words[kScheduleReserved]; }
    uint32_t& date() { return words[kScheduleDate]; }
    uint32_t& targetEc() { return words[kScheduleTargetEc]; }
    uint32_t& targetPh() { return words[kScheduleTargetPh]; }
    // actuator is 0..5
    uint32_t& ecRatio(std::size_t actuator) { return words[kScheduleEcRatio + actuator]; }
    uint32_t& phUpRatio(std::size_t actuator) { return words[kSchedulePhUpRatio + actuator]; }
    uint32_t& phDownRatio(std::size_t actuator) { return words[kSchedulePhDownRatio + actuator]; }

    bool operator==(const ScheduleEntry& other) const { return words == other.words; }
    bool operator!=(const ScheduleEntry& other) const { return !(*this == other); }
};

// The table, in the order the entries were added or read; never sorted, and
// a date may appear more than once.
using NodeSchedule = std::vector<ScheduleEntry>;

// The file image of a table: each entry's 22 words little-endian, in order.
std::vector<unsigned char> EncodeScheduleFile(const NodeSchedule& schedule);

// Turns file bytes back into entries. False (and no entry) when size is not a
// whole number of entries.
bool DecodeScheduleFile(const unsigned char* bytes, std::size_t size, NodeSchedule& schedule);

// Writes the table as a whole: a failed save leaves any file already at path
// as it was, and the result holds a one-line reason.
SaveResult WriteScheduleFile(const wxString& path, const NodeSchedule& schedule);

// Reads a schedule file. Statuses: Loaded (the entries, possibly none),
// Missing (no file at path), BadLength (not a whole number of 88-byte
// entries), TooLarge (more than kScheduleFileMaxEntries entries), ReadError
// (the file exists but could not be opened or read whole). The value holds
// entries only when Loaded.
LoadResult<NodeSchedule> ReadScheduleFile(const wxString& path);
