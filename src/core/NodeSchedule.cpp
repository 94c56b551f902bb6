#include "core/NodeSchedule.h"

#include "core/SafeFile.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <cctype>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

void PutWord(unsigned char* out, uint32_t word)
{
    for (int b = 0; b < 4; ++b)
        out[b] = static_cast<unsigned char>(word >> (8 * b));
}

uint32_t GetWord(const unsigned char* in)
{
    return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
           static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
}

// The "C" locale for number reading, whatever locale the toolkit set: a PH of
// 6.5 is typed with a point on every machine.
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

std::vector<unsigned char> EncodeScheduleFile(const NodeSchedule& schedule)
{
    std::vector<unsigned char> bytes(schedule.size() * kScheduleEntrySize);
    unsigned char* out = bytes.data();
    for (const ScheduleEntry& entry : schedule)
        for (uint32_t word : entry.words) {
            PutWord(out, word);
            out += 4;
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
        for (std::size_t w = 0; w < kScheduleEntryWords; ++w)
            schedule[i][w] = GetWord(bytes + i * kScheduleEntrySize + w * 4);
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

uint32_t ReadUnsignedText(const wxString& text)
{
    const std::string utf8 = text.utf8_string();
    errno = 0;
    const unsigned long value = strtoul_l(utf8.c_str(), nullptr, 10, CLocale());
    const bool overflow = errno == ERANGE;
    std::size_t start = 0;
    while (start < utf8.size() && std::isspace(static_cast<unsigned char>(utf8[start])))
        ++start;
    const bool negative = start < utf8.size() && utf8[start] == '-';
    // unsigned long is 64 bits here; read as the 32-bit conversion would.
    const unsigned long magnitude = negative ? 0UL - value : value;
    if (overflow || magnitude > 0xFFFFFFFFUL)
        return 0xFFFFFFFFu;
    const uint32_t low = static_cast<uint32_t>(magnitude);
    return negative ? 0u - low : low;
}

double ReadDecimalText(const wxString& text)
{
    const std::string utf8 = text.utf8_string();
    return strtod_l(utf8.c_str(), nullptr, CLocale());
}
