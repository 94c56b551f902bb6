#include "core/NodeSchedule.h"

#include "core/SafeFile.h"
#include "core/Words.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>


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

bool WriteScheduleFile(const wxString& path, const NodeSchedule& schedule, wxString& error)
{
    const std::vector<unsigned char> bytes = EncodeScheduleFile(schedule);
    return WriteFileAtomically(path, bytes.data(), bytes.size(), error);
}

NodeSchedule ReadScheduleFile(const wxString& path, ScheduleFileStatus& status)
{
    wxLogNull quiet; // the page tells the user; wxFile must not log
    NodeSchedule schedule;
    if (!wxFileName::FileExists(path)) {
        status = ScheduleFileStatus::Missing;
        return schedule;
    }
    wxFile file;
    if (!file.Open(path, wxFile::read)) {
        status = ScheduleFileStatus::ReadError;
        return schedule;
    }
    const wxFileOffset length = file.Length();
    if (length < 0) {
        status = ScheduleFileStatus::ReadError;
        return schedule;
    }
    if (static_cast<unsigned long long>(length) % kScheduleEntrySize != 0) {
        status = ScheduleFileStatus::BadLength;
        return schedule;
    }
    if (static_cast<unsigned long long>(length) > kScheduleFileMaxEntries * kScheduleEntrySize) {
        status = ScheduleFileStatus::TooLarge;
        return schedule;
    }
    const std::size_t size = static_cast<std::size_t>(length);
    std::vector<unsigned char> bytes(size);
    if (size != 0 && file.Read(bytes.data(), size) != static_cast<ssize_t>(size)) {
        status = ScheduleFileStatus::ReadError;
        return schedule;
    }
    // A file that grew while being read is not the file that was measured.
    unsigned char extra;
    if (file.Read(&extra, 1) != 0) {
        status = ScheduleFileStatus::ReadError;
        return schedule;
    }
    DecodeScheduleFile(bytes.data(), bytes.size(), schedule);
    status = ScheduleFileStatus::Loaded;
    return schedule;
}
