#include "core/NodeLog.h"

#include "core/LargeBuffer.h"
#include "core/Words.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/log.h>

#include <algorithm>
#include <cstring>
#include <limits>

LogLoadStatus LoadNodeLog(const wxString& path, NodeLog& log)
{
    if (!wxFileExists(path)) {
        log = NodeLog{};
        return LogLoadStatus::Missing;
    }

    wxLogNull quiet; // the page tells the user; no log dialogs from wxFile
    wxFile file;
    if (!file.Open(path, wxFile::read))
        return LogLoadStatus::ReadError;
    const wxFileOffset length = file.Length();
    return ReadNodeLog(
        length, [&file](void* buffer, size_t size) { return file.Read(buffer, size); }, log);
}

LogLoadStatus ReadNodeLog(int64_t length, const std::function<ssize_t(void*, size_t)>& read, NodeLog& log)
{
    if (length < 0)
        return LogLoadStatus::ReadError;
    if (length % static_cast<int64_t>(kLogRecordSize) != 0)
        return LogLoadStatus::BadLength;

    const uint64_t announced = static_cast<uint64_t>(length) / kLogRecordSize;
    if (announced > std::numeric_limits<uint32_t>::max() ||
        announced > std::numeric_limits<size_t>::max() / kLogRecordSize)
        return LogLoadStatus::ReadError;
    if (announced == 0) {
        log = NodeLog{};
        return LogLoadStatus::Loaded;
    }

    // The buffer is sized from the length just checked, never from a fixed
    // staging size, and left uninitialised: the read fills it.
    const size_t wanted = static_cast<size_t>(announced) * kLogRecordSize;
    LargeArray<LogRecord> records = AllocateLargeArray<LogRecord>(static_cast<size_t>(announced));
    if (!records)
        return LogLoadStatus::ReadError;

    auto* bytes = reinterpret_cast<unsigned char*>(records.get());
    size_t got = 0;
    while (got < wanted) {
        // Large files are read in pieces: one read() call moves at most ~2 GB.
        const size_t piece = std::min<size_t>(wanted - got, size_t{1} << 30);
        const ssize_t n = read(bytes + got, piece);
        if (n < 0 || static_cast<size_t>(n) > piece)
            return LogLoadStatus::ReadError;
        if (n == 0)
            break; // the file shrank after its length was taken
        got += static_cast<size_t>(n);
    }

    const size_t whole = got / kLogRecordSize;
    // Words are little-endian in the file; records in memory are in host order.
    for (size_t r = 0; r < whole; ++r)
        WordsFromLittleEndian(records[r].data(), kLogRecordWords);
    if (whole)
        log.records = std::shared_ptr<const LogRecord[]>(records.release(), FreeLargeBuffer());
    else
        log.records.reset();
    log.count = static_cast<uint32_t>(whole);
    return LogLoadStatus::Loaded;
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
