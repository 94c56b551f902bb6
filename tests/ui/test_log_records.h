// Node log records and files for the log page and chart view tests.
#pragma once

#include "core/NodeLog.h"
#include "core/WordHelpers.h"

#include "log_words.h"
#include "temp_dir.h"

#include <algorithm>
#include <memory>
#include <vector>

// A shared copy of records, as a loaded log holds them.
inline std::shared_ptr<const LogRecord[]> Shared(const std::vector<LogRecord>& records)
{
    std::shared_ptr<LogRecord[]> copy(new LogRecord[records.size()]);
    std::copy(records.begin(), records.end(), copy.get());
    return copy;
}

// A record at the given date and time whose readings are derived from seed.
inline LogRecord SampleRecord(uint32_t date, uint32_t time, uint32_t seed)
{
    LogRecord r{};
    for (size_t n = 0; n < kLogRecordWords; ++n)
        r[n] = 0xA5000000u + seed * 64 + static_cast<uint32_t>(n); // unread words hold noise
    r[kLogDate] = date;
    r[kLogTime] = time;
    r[kLogEc1] = 1000 + seed;
    r[kLogEc2] = 2000 + seed;
    r[kLogPh1] = FloatToWord(5.5f + static_cast<float>(seed) * 0.25f);
    r[kLogPh2] = FloatToWord(7.0f - static_cast<float>(seed) * 0.5f);
    r[kLogTe1] = FloatToWord(18.0f + static_cast<float>(seed));
    r[kLogTe2] = FloatToWord(22.5f - static_cast<float>(seed));
    for (uint32_t a = 0; a < 6; ++a)
        r[kLogAc1 + a] = seed * 10 + a;
    return r;
}

// count records one hour apart from 1 June 2021 00:00, seeds first, first+1, ...
inline std::vector<LogRecord> HourlyLog(uint32_t count, uint32_t firstSeed = 0)
{
    std::vector<LogRecord> log;
    for (uint32_t i = 0; i < count; ++i)
        log.push_back(SampleRecord(LogDate(2021, 6, 1 + static_cast<int>(i / 24)),
                                   LogTime(static_cast<int>(i % 24), 0, 0), firstSeed + i));
    return log;
}

// The file image of records: words little-endian, back to back.
inline std::vector<unsigned char> LogFileBytes(const std::vector<LogRecord>& records)
{
    std::vector<unsigned char> bytes;
    for (const LogRecord& r : records)
        for (uint32_t w : r)
            for (int b = 0; b < 4; ++b)
                bytes.push_back(static_cast<unsigned char>(w >> (8 * b)));
    return bytes;
}

inline wxString WriteLogFile(const TempDir& dir, const std::string& name,
                             const std::vector<LogRecord>& records)
{
    const wxString path = dir.File(name);
    WriteBytes(path, LogFileBytes(records));
    return path;
}
