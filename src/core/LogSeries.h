// The six point series a chart view plots from a node log: EC, PH and
// temperature of channels 1 and 2 against the time since the first record, in
// days. The time column is decoded once and shared by all six; a channel's
// values are read from the records when it is plotted. Pure: no window, no
// drawing.
#pragma once

#include "core/LargeBuffer.h"
#include "core/LogChannels.h"
#include "core/NodeLog.h"

#include <cstdint>
#include <memory>

// Milliseconds since the epoch of a record's date and time words in local
// time, or false when the words are no real date or time (never asserts).
bool LogRecordTime(uint32_t dateWord, uint32_t timeWord, int64_t& ms);

// Converts many records' date and time words quickly, giving exactly what
// LogRecordTime gives: local time is resolved once per day where the local
// offset is the same from three hours before the day to four hours after it
// (the instant of a time that day is then its midnight plus its hours,
// minutes and seconds), otherwise once per hour of the day, and an hour in
// which the offset changes is converted record by record.
class LogTimeDecoder {
public:
    bool Decode(uint32_t dateWord, uint32_t timeWord, int64_t& ms);

private:
    // Whether dateWord is a day of one local offset, and its midnight.
    static bool RegularDay(uint32_t dateWord, int64_t& midnightMs);

    bool m_dayHave = false;
    bool m_dayRegular = false;
    uint32_t m_dayWord = 0;
    int64_t m_dayStartMs = 0;
    bool m_have = false;
    bool m_valid = false;
    bool m_regular = false;
    uint32_t m_dateWord = 0;
    uint32_t m_hour = 0;
    int64_t m_hourStart = 0;
};

enum class LogSpanStop {
    None,            // every record of the span (see FindLogSpan) was within it
    OutOfSpan,       // record StopIndex() lies before the first or after the last record of the span
    InvalidDateTime, // record StopIndex() has no real date or time (or no record has one)
    NoMemory,        // there was no memory for the points; none is filled
};

// How a fill ended: why it stopped (None: it did not) and the points filled,
// which are the records before the one it stopped at.
struct LogFill {
    LogSpanStop stop = LogSpanStop::None;
    uint32_t filled = 0;

    bool Whole() const { return stop == LogSpanStop::None; }
};

class LogSeries {
public:
    // Fills the times of the records of the log's span (FindLogSpan: from
    // the first to the last record with a real date and time) in file
    // order: point i is record Begin() + i, its time since record Begin() in
    // days. Stops at the first record outside the span or whose date-time is
    // invalid (or at once when no record has a real one); the times before
    // it stay filled and are the only ones that may be read.
    LogFill Fill(const LogRecord* records, uint32_t count);

    // Records handed to Fill.
    uint32_t Count() const { return m_count; }
    // The record of point 0, and the records before and after the span,
    // which have no real date or time and are never plotted.
    uint32_t Begin() const { return m_begin; }
    uint32_t LeftOutCount() const { return m_leftOut; }
    // Points filled: Count() - LeftOutCount() after a successful fill.
    uint32_t FilledCount() const { return m_filled; }
    LogSpanStop Stop() const { return m_stop; }
    // The record (index in the file) the fill stopped at.
    uint32_t StopIndex() const { return m_begin + m_filled; }

    // The time of each filled record in days since the first one;
    // FilledCount() values, shared with whoever plots them (null when none
    // is filled).
    const double* Days() const { return m_days.get(); }
    const std::shared_ptr<const double[]>& SharedDays() const { return m_days; }
    // Record Begin()'s time, milliseconds since the epoch (0 when none).
    int64_t FirstTimeMs() const { return m_firstMs; }
    // The time of filled record i in ms since the epoch (the instant its
    // chart x stands for).
    int64_t TimeMs(uint32_t i) const;

    // Channel k's value of each filled record (records: those handed to
    // Fill; point i is record Begin() + i), in a new array of FilledCount()
    // values; null when there is no memory for it or nothing is filled.
    std::shared_ptr<const double[]> ChannelValues(const LogRecord* records, int channel) const;
    // The same for every channel k with wanted[k], reading each record once;
    // out[k] stays as it was for the others, and is null where there was no
    // memory.
    void ChannelValues(const LogRecord* records, const bool (&wanted)[kLogChannelCount],
                       std::shared_ptr<const double[]> (&out)[kLogChannelCount]) const;
    // Channel k's values of records [begin, end) into out[begin .. end - 1]
    // (those threads may write at once for ranges apart).
    static void ReadChannel(const LogRecord* records, int channel, uint32_t begin, uint32_t end, double* out);

    // Frees the time column (those sharing it keep it).
    void Release();

private:
    std::shared_ptr<const double[]> m_days;
    int64_t m_firstMs = 0;
    uint32_t m_count = 0;
    uint32_t m_begin = 0;
    uint32_t m_leftOut = 0;
    uint32_t m_filled = 0;
    LogSpanStop m_stop = LogSpanStop::None;
};
