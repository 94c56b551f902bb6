#include "core/NodeLog.h"

#include "core/JoiningThreads.h"
#include "core/LargeBuffer.h"
#include "core/Words.h"

#include <wx/file.h>
#include <wx/log.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <thread>
#include <utility>

namespace {

// Parts are read side by side from this size on; smaller files in one.
constexpr size_t kMinPartBytes = size_t{8} << 20;
constexpr unsigned kMaxParts = 4;

// Reads size bytes from offset, piece by piece (one read() call moves at
// most ~2 GB): the bytes read, fewer where the file ended, or -1 when a read
// failed.
int64_t ReadPart(const ReadAtOffset& readAt, unsigned char* bytes, size_t size, uint64_t offset)
{
    size_t got = 0;
    while (got < size) {
        const size_t piece = std::min<size_t>(size - got, size_t{1} << 30);
        const ssize_t n = readAt(bytes + got, piece, offset + got);
        if (n < 0 || static_cast<size_t>(n) > piece)
            return -1;
        if (n == 0)
            break; // the file shrank after its length was taken
        got += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(got);
}

// Fills bytes[0, wanted) in parts on their own threads where threads are to
// be had; the bytes read from the start without a hole, or -1 when a read
// before the file's end failed.
int64_t ReadParts(const ReadAtOffset& readAt, unsigned char* bytes, size_t wanted, unsigned parts)
{
    parts = std::clamp<unsigned>(parts, 1, kMaxParts);
    parts = static_cast<unsigned>(std::min<size_t>(parts, std::max<size_t>(1, wanted / kMinPartBytes)));
    // Parts end on record boundaries, so that each one's records are whole.
    const size_t recordsPerPart = (wanted / kLogRecordSize + parts - 1) / parts;
    size_t begin[kMaxParts + 1];
    for (unsigned p = 0; p <= parts; ++p)
        begin[p] = std::min(wanted, p * recordsPerPart * kLogRecordSize);
    int64_t got[kMaxParts] = {};
    bool started[kMaxParts] = {};
    {
        JoiningThreads helpers;
        for (unsigned p = 1; p < parts; ++p)
            started[p] = helpers.Start(
                [&, p] { got[p] = ReadPart(readAt, bytes + begin[p], begin[p + 1] - begin[p], begin[p]); });
        for (unsigned p = 0; p < parts; ++p)
            if (!started[p])
                got[p] = ReadPart(readAt, bytes + begin[p], begin[p + 1] - begin[p], begin[p]);
    } // every helper joined here
    int64_t total = 0;
    for (unsigned p = 0; p < parts; ++p) {
        if (got[p] < 0)
            return -1;
        total += got[p];
        if (static_cast<size_t>(got[p]) < begin[p + 1] - begin[p])
            break; // the file ends here: what later parts found is not counted
    }
    return total;
}

} // namespace

LoadResult<NodeLog> LoadNodeLog(const wxString& path)
{
    wxLogNull quiet; // the page tells the user; no log dialogs from wxFile
    wxFile file;
    const LoadResult<wxFileOffset> opened = OpenForLoad(path, file);
    if (!opened.Loaded())
        return FailedLoad<NodeLog>(opened.status, opened.reason);
#ifdef _WIN32
    return ReadNodeLog(opened.value, [&file](void* buffer, size_t size) { return file.Read(buffer, size); });
#else
    const int fd = file.fd();
    auto readAt = [fd](void* buffer, size_t size, uint64_t offset) -> ssize_t {
        ssize_t n;
        do
            n = pread(fd, buffer, size, static_cast<off_t>(offset));
        while (n < 0 && errno == EINTR);
        return n;
    };
    return ReadNodeLogInParts(opened.value, readAt, std::thread::hardware_concurrency());
#endif
}

LoadResult<NodeLog> ReadNodeLog(int64_t length, const std::function<ssize_t(void*, size_t)>& read)
{
    // One part: the reads come in order, so the offset is where read is.
    return ReadNodeLogInParts(
        length, [&read](void* buffer, size_t size, uint64_t) { return read(buffer, size); }, 1);
}

LoadResult<NodeLog> ReadNodeLogInParts(int64_t length, const ReadAtOffset& readAt, unsigned parts)
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

    const int64_t got = ReadParts(readAt, reinterpret_cast<unsigned char*>(records.get()), wanted, parts);
    if (got < 0)
        return FailedLoad<NodeLog>(LoadStatus::ReadError, "the file could not be read");

    const size_t whole = static_cast<size_t>(got) / kLogRecordSize;
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
