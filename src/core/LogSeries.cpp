#include "core/LogSeries.h"

#include "core/LogSpan.h"
#include "core/WordHelpers.h"

#include <ctime>

namespace {

const unsigned kChannelWords[kLogChannelCount] = {kLogEc1, kLogEc2, kLogPh1, kLogPh2, kLogTe1, kLogTe2};
const char* const kChannelNames[kLogChannelCount] = {"EC Channel 1", "EC Channel 2", "PH Channel 1",
                                                     "PH Channel 2", "TE Channel 1", "TE Channel 2"};
constexpr double kMsPerDay = 86400000.0;

} // namespace

unsigned LogChannelWord(int channel)
{
    return kChannelWords[channel];
}

const char* LogChannelName(int channel)
{
    return channel >= 0 && channel < kLogChannelCount ? kChannelNames[channel] : "";
}

double LogChannelValue(const LogRecord& r, int channel)
{
    const uint32_t word = r[kChannelWords[channel]];
    if (channel < 2)
        return static_cast<double>(word);
    return static_cast<double>(WordToFloat(word));
}

LogReadingRange LogChannelReadingRange(int channel)
{
    if (channel < 2)
        return {0.0, 100000.0};
    if (channel < 4)
        return {-2.0, 16.0};
    return {-55.0, 125.0};
}

bool LogRecordTime(uint32_t dateWord, uint32_t timeWord, int64_t& ms)
{
    const wxDateTime t = DecodePackedDateTime(dateWord, timeWord);
    if (!t.IsValid())
        return false;
    ms = t.GetValue().GetValue();
    return true;
}

namespace {

#ifndef _WIN32
// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

// The local time at t and its offset from UTC in seconds.
bool LocalAt(int64_t t, std::tm& tm)
{
    const std::time_t when = static_cast<std::time_t>(t);
    return localtime_r(&when, &tm) != nullptr;
}
#endif

} // namespace

bool LogTimeDecoder::RegularDay(uint32_t dateWord, int64_t& midnightMs)
{
#ifdef _WIN32
    // The C library gives no offset of a local time here: every day takes
    // the hour by hour way.
    (void)dateWord;
    (void)midnightMs;
    return false;
#else
    const unsigned month = dateWord & 0xFFu;
    const unsigned day = (dateWord >> 8) & 0xFFu;
    const int year = static_cast<int>(dateWord >> 16);
    // The toolkit converts local times with the C library from 1970 to 2037
    // only (and its own way beyond): other years take the hour by hour way.
    if (year < 1971 || year > 2036 || month < 1 || month > 12 || day < 1)
        return false;
    if (day > wxDateTime::GetNumberOfDays(static_cast<wxDateTime::Month>(month - 1), year))
        return false;
    const int64_t naive = DaysFromCivil(year, month, day) * 86400;
    std::tm tm{};
    if (!LocalAt(naive, tm))
        return false;
    const long offset = tm.tm_gmtoff;
    const int64_t midnight = naive - offset;
    if (!LocalAt(midnight, tm) || tm.tm_gmtoff != offset || tm.tm_year != year - 1900 ||
        tm.tm_mon != static_cast<int>(month) - 1 || tm.tm_mday != static_cast<int>(day) || tm.tm_hour != 0 ||
        tm.tm_min != 0 || tm.tm_sec != 0)
        return false;
    // No change of offset from three hours before to four hours after the
    // day (looked at every eight hours: changes are months apart), so every
    // time of the day exists once and is midnight plus its seconds.
    for (int64_t at : {-3 * 3600, 8 * 3600, 16 * 3600, 28 * 3600}) {
        if (!LocalAt(midnight + at, tm) || tm.tm_gmtoff != offset)
            return false;
    }
    midnightMs = midnight * 1000;
    return true;
#endif
}

bool LogTimeDecoder::Decode(uint32_t dateWord, uint32_t timeWord, int64_t& ms)
{
    const uint32_t hour = timeWord & 0xFFu;
    const uint32_t minute = (timeWord >> 8) & 0xFFu;
    const uint32_t second = (timeWord >> 16) & 0xFFu;
    if (minute > 59 || second > 59)
        return false;
    if (!m_dayHave || dateWord != m_dayWord) {
        m_dayHave = true;
        m_dayWord = dateWord;
        m_dayRegular = RegularDay(dateWord, m_dayStartMs);
    }
    if (m_dayRegular && hour <= 23) {
        ms = m_dayStartMs + (static_cast<int64_t>(hour) * 3600 + int64_t{minute} * 60 + second) * 1000;
        return true;
    }
    // Within an hour whose local offset does not change, the start of the
    // hour (resolved by the toolkit once) plus the record's minutes and
    // seconds is its instant. An hour holding a change (a missing or repeated
    // half hour, say) is converted record by record.
    if (!m_have || dateWord != m_dateWord || hour != m_hour) {
        m_have = true;
        m_dateWord = dateWord;
        m_hour = hour;
        int64_t hourEnd = 0;
        m_valid = LogRecordTime(dateWord, hour, m_hourStart);
        m_regular = m_valid && LogRecordTime(dateWord, hour | 59u << 8 | 59u << 16, hourEnd) &&
                    hourEnd - m_hourStart == int64_t{3599} * 1000;
    }
    if (!m_valid)
        return false;
    if (!m_regular)
        return LogRecordTime(dateWord, timeWord, ms);
    ms = m_hourStart + (static_cast<int64_t>(minute) * 60 + second) * 1000;
    return true;
}

int32_t LogSeries::Fill(const LogRecord* records, uint32_t count)
{
    Release();
    m_count = count;
    m_filled = 0;
    m_stop = LogSpanStop::None;
    if (count == 0)
        return 0;
    const LogSpan span = FindLogSpan(records, count);
    m_begin = span.begin;
    m_leftOut = count - (span.end - span.begin);
    if (span.Empty()) {
        m_stop = LogSpanStop::InvalidDateTime;
        return -1;
    }
    LargeArray<double> days = AllocateLargeArray<double>(span.end - span.begin);
    if (!days) {
        m_stop = LogSpanStop::NoMemory;
        return -1;
    }

    LogTimeDecoder decoder;
    const int64_t first = span.firstMs, last = span.lastMs;
    m_firstMs = first;
    int32_t result = 0;
    for (uint32_t i = span.begin; i < span.end; ++i) {
        const LogRecord& r = records[i];
        int64_t t = 0;
        if (!decoder.Decode(r[kLogDate], r[kLogTime], t)) {
            m_stop = LogSpanStop::InvalidDateTime;
            result = -1;
            break;
        }
        if (t < first || t > last) {
            m_stop = LogSpanStop::OutOfSpan;
            result = -1;
            break;
        }
        days[i - span.begin] = static_cast<double>(t - first) / kMsPerDay;
        m_filled = i - span.begin + 1;
    }
    if (m_filled > 0)
        m_days = std::shared_ptr<const double[]>(std::move(days));
    return result;
}

std::shared_ptr<const double[]> LogSeries::ChannelValues(const LogRecord* records, int channel) const
{
    if (channel < 0 || channel >= kLogChannelCount)
        return nullptr;
    bool wanted[kLogChannelCount] = {};
    wanted[channel] = true;
    std::shared_ptr<const double[]> out[kLogChannelCount];
    ChannelValues(records, wanted, out);
    return out[channel];
}

void LogSeries::ChannelValues(const LogRecord* records, const bool (&wanted)[kLogChannelCount],
                              std::shared_ptr<const double[]> (&out)[kLogChannelCount]) const
{
    LargeArray<double> values[kLogChannelCount];
    double* to[kLogChannelCount] = {};
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!wanted[k])
            continue;
        out[k].reset();
        if (m_filled == 0)
            continue;
        values[k] = AllocateLargeArray<double>(m_filled);
        to[k] = values[k].get();
    }
    // One pass over the records, whose words of one record share a cache
    // line or two: a year of records is read from memory once, not once per
    // channel.
    for (uint32_t i = 0; i < m_filled; ++i) {
        const LogRecord& r = records[m_begin + i];
        if (to[0])
            to[0][i] = static_cast<double>(r[kLogEc1]);
        if (to[1])
            to[1][i] = static_cast<double>(r[kLogEc2]);
        for (int k = 2; k < kLogChannelCount; ++k)
            if (to[k])
                to[k][i] = static_cast<double>(WordToFloat(r[kChannelWords[k]]));
    }
    for (int k = 0; k < kLogChannelCount; ++k)
        if (values[k])
            out[k] = std::shared_ptr<const double[]>(std::move(values[k]));
}

void LogSeries::Release()
{
    m_days.reset();
    m_firstMs = 0;
    m_count = 0;
    m_begin = 0;
    m_leftOut = 0;
    m_filled = 0;
    m_stop = LogSpanStop::None;
}
