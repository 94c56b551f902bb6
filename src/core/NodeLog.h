// The controller's node log file (*.hvl): 160-byte status records back to
// back, no header. The client only reads it.
//
// A loaded log is immutable and shared: the log page lists it and every chart
// view opened on it keeps its own reference, so loading another file never
// frees records a chart view still draws.
#pragma once

#include "core/FileResult.h"

#include <wx/string.h>

#include <sys/types.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

constexpr size_t kLogRecordWords = 40;
constexpr size_t kLogRecordSize = kLogRecordWords * 4; // 160 bytes

// One snapshot of the controller's status block. Word n is status item n;
// the words the client reads are named below, the rest are kept unchanged.
using LogRecord = std::array<uint32_t, kLogRecordWords>;
static_assert(sizeof(LogRecord) == kLogRecordSize, "a log record is 160 bytes in memory and on disk");

enum LogWord : unsigned {
    kLogCoreStatus = 5,
    kLogEc1 = 11,
    kLogEc2 = 12,
    kLogPh1 = 13,
    kLogPh2 = 14,
    kLogTe1 = 15,
    kLogTe2 = 16,
    kLogAc1 = 21,  // AC1 .. AC6 are words 21 .. 26
    kLogDate = 31, // PackedDate
    kLogTime = 32, // PackedTime
};

// A loaded log: records in file order. Empty (no array, count 0) before the
// first load and after loading a missing or 0-byte file.
struct NodeLog {
    std::shared_ptr<const LogRecord[]> records;
    uint32_t count = 0;

    bool Empty() const { return count == 0; }
    const LogRecord& operator[](size_t i) const { return records[i]; }
};

// Loads the node log at path. The record buffer is sized from the file's
// length. Statuses:
//   Loaded     the value holds exactly the whole records actually read (fewer
//              than the length announced when the file shrank while being read)
//   Missing    no file at the path; the value is an empty log (the page empties its log)
//   BadLength  the length is not a whole number of records
//   ReadError  the file could not be opened, held in memory or read
// On BadLength and ReadError nothing of the file is published: the value is
// empty and the page keeps the log it had. Never shows or logs anything.
LoadResult<NodeLog> LoadNodeLog(const wxString& path);

// The load once the file is open: length is the file's length (negative
// when unknown), read(buffer, size) reads up to size bytes and returns how
// many it read, 0 at the end of the file or a negative value on failure. A
// failed read publishes nothing.
LoadResult<NodeLog> ReadNodeLog(int64_t length, const std::function<ssize_t(void*, size_t)>& read);

// The same with reads at offsets: readAt(buffer, size, offset) reads up to
// size bytes from offset, as above. The file is read in up to parts parts
// side by side (readAt is then called from several threads at once, for
// parts apart), so that the copying and the first touch of a large buffer
// are shared by the cores. A part that ends early ends the file there.
using ReadAtOffset = std::function<ssize_t(void* buffer, size_t size, uint64_t offset)>;
LoadResult<NodeLog> ReadNodeLogInParts(int64_t length, const ReadAtOffset& readAt, unsigned parts);

// Makes a log from records in memory (words in host order).
NodeLog MakeNodeLog(const LogRecord* records, uint32_t count);
