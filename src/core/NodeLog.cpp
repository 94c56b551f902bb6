#include "core/NodeLog.h"

#include "core/LargeBuffer.h"
#include "core/Words.h"

#include <wx/file.h>
#include <wx/log.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

LoadResult<NodeLog> LoadNodeLog(const wxString& path)
{
    wxLogNull quiet; // the page tells the user; no log dialogs from wxFile
    wxFile file;
    const LoadResult<wxFileOffset> opened = OpenForLoad(path, file);
    if (!opened.Loaded())
        return FailedLoad<NodeLog>(opened.status, opened.reason);
    return ReadNodeLog(opened.value, [&file](void* buffer, size_t size) { return file.Read(buffer, size); });
}

LoadResult<NodeLog> ReadNodeLog(int64_t length, const std::function<ssize_t(void*, size_t)>& read)
{
    if (length < 0)
        return FailedLoad<NodeLog>(LoadStatus::ReadError, "the file's length is unknown");
    if (length % static_cast<int64_t>(kLogRecordSize) != 0)
        return FailedLoad<NodeLog>(LoadStatus::BadLength,
                                   "the length is not a whole number of 160-byte records");

    const uint64_t announced = static_cast<uint64_t>(length) / kLogRecordSize;
    if (announced > std::numeric_limits<uint32_t>::max() ||
        announced > std::numeric_limits<size_t>::max() / kLogRecordSize)
        return FailedLoad<NodeLog>(LoadStatus::ReadError, "the file holds more records than can be loaded");
    if (announced == 0)
        return LoadedResult(NodeLog{});

    // The buffer is sized from the length just checked, never from a fixed
    // staging size, and left uninitialised: the read fills it.
    const size_t wanted = static_cast<size_t>(announced) * kLogRecordSize;
    LargeArray<LogRecord> records = AllocateLargeArray<LogRecord>(static_cast<size_t>(announced));
    if (!records)
        return FailedLoad<NodeLog>(LoadStatus::ReadError, "no memory for the records");

    auto* bytes = reinterpret_cast<unsigned char*>(records.get());
    size_t got = 0;
    while (got < wanted) {
        // Large files are read in pieces: one read() call moves at most ~2 GB.
        const size_t piece = std::min<size_t>(wanted - got, size_t{1} << 30);
        const ssize_t n = read(bytes + got, piece);
        if (n < 0 || static_cast<size_t>(n) > piece)
            return FailedLoad<NodeLog>(LoadStatus::ReadError, "the file could not be read");
        if (n == 0)
            break; // the file shrank after its length was taken
        got += static_cast<size_t>(n);
    }

    const size_t whole = got / kLogRecordSize;
    // Words are little-endian in the file; records in memory are in host order.
    for (size_t r = 0; r < whole; ++r)
        WordsFromLittleEndian(records[r].data(), kLogRecordWords);
    NodeLog log;
    if (whole)
        log.records = std::shared_ptr<const LogRecord[]>(records.release(), FreeLargeBuffer());
    log.count = static_cast<uint32_t>(whole);
    return LoadedResult(std::move(log));
}

NodeLog MakeNodeLog(const LogRecord* records, uint32_t count)
{
    NodeLog log;
    if (count == 0)
        return log;
    std::unique_ptr<LogRecord[]> copy(new LogRecord[count]);
    std::copy(records, records + count, copy.get());
    log.records = std::shared_ptr<const LogRecord[]>(copy.release());
    log.count = count;
    return log;
}
