#include "core/LogCsv.h"

#include "core/LogText.h"
#include "core/SafeFile.h"

#include <charconv>
#include <cstring>

namespace {

bool RealDate(uint32_t dateWord, unsigned& year, unsigned& month, unsigned& day)
{
    year = dateWord >> 16;
    month = dateWord & 0xFFu;
    day = (dateWord >> 8) & 0xFFu;
    if (month < 1 || month > 12 || day < 1)
        return false;
    static const unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const unsigned length = month == 2 && leap ? 29 : kDays[month - 1];
    return day <= length;
}

bool RealTime(uint32_t timeWord, unsigned& hour, unsigned& minute, unsigned& second)
{
    hour = timeWord & 0xFFu;
    minute = (timeWord >> 8) & 0xFFu;
    second = (timeWord >> 16) & 0xFFu;
    return hour <= 23 && minute <= 59 && second <= 59;
}

void AppendDigits(std::string& out, unsigned value, int width)
{
    char buffer[16];
    char* end = buffer + sizeof buffer;
    char* p = end;
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
        --width;
    } while (value != 0 || width > 0);
    out.append(p, static_cast<size_t>(end - p));
}

void AppendUnsigned(std::string& out, uint32_t value)
{
    char buffer[16];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, static_cast<size_t>(r.ptr - buffer));
}

void AppendFloat(std::string& out, uint32_t word)
{
    float value;
    std::memcpy(&value, &word, sizeof value);
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, static_cast<size_t>(r.ptr - buffer));
}

void AppendDate(std::string& out, unsigned year, unsigned month, unsigned day)
{
    AppendDigits(out, year, 4);
    out.push_back('-');
    AppendDigits(out, month, 2);
    out.push_back('-');
    AppendDigits(out, day, 2);
}

void AppendTime(std::string& out, unsigned hour, unsigned minute, unsigned second)
{
    AppendDigits(out, hour, 2);
    out.push_back(':');
    AppendDigits(out, minute, 2);
    out.push_back(':');
    AppendDigits(out, second, 2);
}

} // namespace

void AppendCsvField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (const char c : field) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

std::string LogCsvHeader()
{
    std::string out;
    AppendCsvField(out, "DateTime");
    for (unsigned c = 0; c < kLogColumnCount; ++c) {
        out.push_back(',');
        AppendCsvField(out, GetLogColumn(c).header);
    }
    out += "\r\n";
    return out;
}

void AppendLogCsvRow(std::string& out, const LogRecord& record)
{
    unsigned year, month, day, hour, minute, second;
    const bool date = RealDate(record[kLogDate], year, month, day);
    const bool time = RealTime(record[kLogTime], hour, minute, second);
    if (date && time) {
        AppendDate(out, year, month, day);
        out.push_back('T');
        AppendTime(out, hour, minute, second);
    }
    for (unsigned c = 0; c < kLogColumnCount; ++c) {
        out.push_back(',');
        const unsigned item = GetLogColumn(c).item;
        const uint32_t word = record[item];
        switch (item) {
        case kLogDate:
            if (date)
                AppendDate(out, year, month, day);
            break;
        case kLogTime:
            if (time)
                AppendTime(out, hour, minute, second);
            break;
        case kLogPh1:
        case kLogPh2:
        case kLogTe1:
        case kLogTe2:
            AppendFloat(out, word);
            break;
        default:
            AppendUnsigned(out, word);
            break;
        }
    }
    out += "\r\n";
}

SaveResult WriteLogCsv(const wxString& path, size_t rowCount,
                       const std::function<const LogRecord&(size_t)>& record,
                       const std::function<bool(size_t, size_t)>& progress, const LogCsvExtra* extra)
{
    constexpr size_t kProgressRows = 4096;
    std::string out;
    try {
        out.reserve(LogCsvHeader().size() + rowCount * 140);
        // Extra columns go before each line's "\r\n".
        const auto endLine = [&](const LogRecord* r) {
            if (!extra)
                return;
            out.resize(out.size() - 2);
            if (r)
                extra->append(out, *r);
            else
                out += extra->header;
            out += "\r\n";
        };
        out += LogCsvHeader();
        endLine(nullptr);
        for (size_t i = 0; i < rowCount; ++i) {
            if (progress && i % kProgressRows == 0 && !progress(i, rowCount))
                return CancelledSave("The export was cancelled.");
            const LogRecord& r = record(i);
            AppendLogCsvRow(out, r);
            endLine(&r);
        }
    } catch (const std::bad_alloc&) {
        return FailedSave("There is not enough memory to export the log.");
    }
    if (progress && !progress(rowCount, rowCount))
        return CancelledSave("The export was cancelled.");
    return WriteFileAtomically(path, out.data(), out.size());
}
