#include "core/NodeSchedule.h"

#include "core/SafeFile.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

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

namespace {

// The blanks strtoul and strtod skip in the "C" locale.
bool IsCBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

uint32_t ReadUnsignedText(const wxString& text)
{
    const std::string utf8 = text.utf8_string();
    const char* p = utf8.c_str();
    while (IsCBlank(*p))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    uint64_t magnitude = 0;
    bool overflow = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        magnitude = magnitude * 10 + static_cast<uint64_t>(*p - '0');
        if (magnitude > 0xFFFFFFFFu) {
            overflow = true;
            magnitude = 0xFFFFFFFFu; // keeps the loop from wrapping on long texts
        }
    }
    if (overflow)
        return 0xFFFFFFFFu; // a 32-bit strtoul gives ULONG_MAX either way
    const uint32_t low = static_cast<uint32_t>(magnitude);
    return negative ? 0u - low : low;
}

double ReadDecimalText(const wxString& text)
{
    // std::from_chars reads in the "C" locale whatever locale is set, so a PH
    // of 6.5 is typed with a point on every machine. It neither skips blanks
    // nor takes a plus sign or a 0x prefix as strtod does; those are done here.
    const std::string utf8 = text.utf8_string();
    const char* p = utf8.c_str();
    const char* const end = p + utf8.size();
    while (p < end && IsCBlank(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    if (p < end && (*p == '-' || *p == '+'))
        return 0.0; // "--5" or "+-5" holds no number
    double value = 0.0;
    std::chars_format format = std::chars_format::general;
    if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
        std::isxdigit(static_cast<unsigned char>(p[2])) != 0) {
        p += 2;
        format = std::chars_format::hex;
    } else if (end - p > 3 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && p[2] == '.' &&
               std::isxdigit(static_cast<unsigned char>(p[3])) != 0) {
        p += 2;
        format = std::chars_format::hex;
    }
    const std::from_chars_result result = std::from_chars(p, end, value, format);
    if (result.ec == std::errc::invalid_argument)
        return 0.0;
    // Out of range: strtod gives HUGE_VAL or 0 with ERANGE; from_chars leaves
    // value untouched, so say what strtod says.
    if (result.ec == std::errc::result_out_of_range) {
        const bool tiny = [&] {
            // An exponent with a minus sign makes the value too small, not too big.
            const char mark = format == std::chars_format::hex ? 'p' : 'e';
            for (const char* q = p; q + 1 < result.ptr; ++q)
                if ((*q == mark || *q == mark - 'a' + 'A') && q[1] == '-')
                    return true;
            return false;
        }();
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}
