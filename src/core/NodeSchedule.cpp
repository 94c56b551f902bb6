#include "core/NodeSchedule.h"

#include "core/SafeFile.h"
#include "core/Words.h"

#include <wx/file.h>
#include <wx/log.h>

#include <utility>

std::vector<unsigned char> EncodeScheduleFile(const NodeSchedule& schedule)
{
    std::vector<unsigned char> bytes(schedule.size() * kScheduleEntrySize);
    unsigned char* out = bytes.data();
    for (const ScheduleEntry& entry : schedule) {
        StoreRecordLE(entry.words, out);
        out += kScheduleEntrySize;
    }
    return bytes;
}

bool DecodeScheduleFile(const unsigned char* bytes, std::size_t size, NodeSchedule& schedule)
{
    schedule.clear();
    if (size % kScheduleEntrySize != 0)
        return false;
    const std::size_t count = size / kScheduleEntrySize;
    schedule.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        schedule[i].words = LoadRecordLE<kScheduleEntryWords>(bytes + i * kScheduleEntrySize);
    return true;
}

SaveResult WriteScheduleFile(const wxString& path, const NodeSchedule& schedule)
{
    const std::vector<unsigned char> bytes = EncodeScheduleFile(schedule);
    return WriteFileAtomically(path, bytes.data(), bytes.size());
}

LoadResult<NodeSchedule> ReadScheduleFile(const wxString& path)
{
    wxLogNull quiet; // the page tells the user; wxFile must not log
    wxFile file;
    const LoadResult<wxFileOffset> opened = OpenForLoad(path, file);
    if (!opened.Loaded())
        return FailedLoad<NodeSchedule>(opened.status, opened.reason);
    const wxFileOffset length = opened.value;
    if (static_cast<unsigned long long>(length) % kScheduleEntrySize != 0)
        return FailedLoad<NodeSchedule>(LoadStatus::BadLength,
                                        "the length is not a whole number of 88-byte entries");
    if (static_cast<unsigned long long>(length) > kScheduleFileMaxEntries * kScheduleEntrySize)
        return FailedLoad<NodeSchedule>(LoadStatus::TooLarge, "the file holds more than ten years of days");
    const std::size_t size = static_cast<std::size_t>(length);
    std::vector<unsigned char> bytes(size);
    if (size != 0 && file.Read(bytes.data(), size) != static_cast<ssize_t>(size))
        return FailedLoad<NodeSchedule>(LoadStatus::ReadError, "the file could not be read whole");
    // A file that grew while being read is not the file that was measured.
    unsigned char extra;
    if (file.Read(&extra, 1) != 0)
        return FailedLoad<NodeSchedule>(LoadStatus::ReadError, "the file grew while it was read");
    NodeSchedule schedule;
    DecodeScheduleFile(bytes.data(), bytes.size(), schedule);
    return LoadedResult(std::move(schedule));
}
