#include "core/LogSeries.h"

#include "core/JoiningThreads.h"
#include "core/LogSpan.h"
#include "core/WordHelpers.h"
#include "util/CivilTime.h"

#include <algorithm>
#include <ctime>
#include <thread>

bool LogRecordTime(uint32_t dateWord, uint32_t timeWord, int64_t& ms)
{
    const wxDateTime t = DecodePackedDateTime(dateWord, timeWord);
    if (!t.IsValid())
        return false;
    ms = t.GetValue().GetValue();
    return true;
}

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
    const int64_t naive =
        civil::DaysFromCivil(year, static_cast<int>(month), static_cast<int>(day)) * civil::kSecondsPerDay;
    std::tm tm{};
    if (!civil::LocalTimeAt(naive, tm))
        return false;
    const long offset = tm.tm_gmtoff;
    const int64_t midnight = naive - offset;
    if (!civil::LocalTimeAt(midnight, tm) || tm.tm_gmtoff != offset || tm.tm_year != year - 1900 ||
        tm.tm_mon != static_cast<int>(month) - 1 || tm.tm_mday != static_cast<int>(day) || tm.tm_hour != 0 ||
        tm.tm_min != 0 || tm.tm_sec != 0)
        return false;
    // No change of offset from three hours before to four hours after the
    // day (looked at every eight hours: changes are months apart), so every
    // time of the day exists once and is midnight plus its seconds.
    for (int64_t at : {-3 * 3600, 8 * 3600, 16 * 3600, 28 * 3600}) {
        if (!civil::LocalTimeAt(midnight + at, tm) || tm.tm_gmtoff != offset)
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

namespace {

// The times of records [begin, end) of the span, in days since its first
// time; the first record that stops the plot (none: end) and why.
struct FilledPart {
    uint32_t stopAt = 0;
    LogSpanStop stop = LogSpanStop::None;
};

FilledPart FillPart(const LogRecord* records, const LogSpan& span, uint32_t begin, uint32_t end, double* days)
{
    LogTimeDecoder decoder;
    for (uint32_t i = begin; i < end; ++i) {
        const LogRecord& r = records[i];
        int64_t t = 0;
        if (!decoder.Decode(r[kLogDate], r[kLogTime], t))
            return {i, LogSpanStop::InvalidDateTime};
        if (t < span.firstMs || t > span.lastMs)
            return {i, LogSpanStop::OutOfSpan};
        days[i - span.begin] = civil::DaysSince(t, span.firstMs);
    }
    return {end, LogSpanStop::None};
}

// Spans from this many records on are filled in parts side by side, which
// also shares the first touch of the fresh array among the cores.
constexpr uint32_t kMinPartRecords = 65536;
constexpr unsigned kMaxParts = 4;

} // namespace

LogFill LogSeries::Fill(const LogRecord* records, uint32_t count)
{
    Release();
    m_count = count;
    if (count == 0)
        return {};
    const LogSpan span = FindLogSpan(records, count);
    m_begin = span.begin;
    m_leftOut = count - (span.end - span.begin);
    if (span.Empty()) {
        m_stop = LogSpanStop::InvalidDateTime;
        return {m_stop, 0};
    }
    LargeArray<double> days = AllocateLargeArray<double>(span.end - span.begin);
    if (!days) {
        m_stop = LogSpanStop::NoMemory;
        return {m_stop, 0};
    }
    m_firstMs = span.firstMs;

    const uint32_t size = span.end - span.begin;
    const unsigned parts =
        std::clamp(std::min(std::thread::hardware_concurrency(), size / kMinPartRecords), 1u, kMaxParts);
    FilledPart filled[kMaxParts];
    {
        JoiningThreads helpers;
        bool started[kMaxParts] = {};
        auto fillPart = [&](unsigned p) {
            const uint32_t begin = span.begin + static_cast<uint32_t>(uint64_t{size} * p / parts),
                           end = span.begin + static_cast<uint32_t>(uint64_t{size} * (p + 1) / parts);
            filled[p] = FillPart(records, span, begin, end, days.get());
        };
        for (unsigned p = 1; p < parts; ++p)
            started[p] = helpers.Start([&fillPart, p] { fillPart(p); });
        for (unsigned p = 0; p < parts; ++p)
            if (!started[p])
                fillPart(p);
    } // every helper joined here
    // The plot stops at the first record that stops any part.
    m_filled = size;
    for (unsigned p = 0; p < parts; ++p)
        if (filled[p].stop != LogSpanStop::None) {
            m_stop = filled[p].stop;
            m_filled = filled[p].stopAt - span.begin;
            break;
        }
    if (m_filled > 0)
        m_days = std::shared_ptr<const double[]>(std::move(days));
    return {m_stop, m_filled};
}

int64_t LogSeries::TimeMs(uint32_t i) const
{
    return i < m_filled ? civil::MsAtDays(m_days[i], m_firstMs) : m_firstMs;
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
    // Block by block and channel by channel: a block's records stay in the
    // cache while each channel reads them, so a year of records is read from
    // memory once, not once per channel.
    constexpr uint32_t kBlock = 1024;
    LargeArray<double> values[kLogChannelCount];
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!wanted[k])
            continue;
        out[k].reset();
        if (m_filled > 0)
            values[k] = AllocateLargeArray<double>(m_filled);
    }
    for (uint32_t begin = 0; begin < m_filled; begin += kBlock) {
        const uint32_t end = m_filled - begin > kBlock ? begin + kBlock : m_filled;
        for (int k = 0; k < kLogChannelCount; ++k)
            if (values[k])
                ReadChannel(records + m_begin, k, begin, end, values[k].get());
    }
    for (int k = 0; k < kLogChannelCount; ++k)
        if (values[k])
            out[k] = std::shared_ptr<const double[]>(std::move(values[k]));
}

void LogSeries::ReadChannel(const LogRecord* records, int channel, uint32_t begin, uint32_t end, double* out)
{
    const unsigned word = LogChannelWord(channel);
    if (LogChannelQuantity(channel) == LogQuantity::Ec) {
        for (uint32_t i = begin; i < end; ++i)
            out[i] = static_cast<double>(records[i][word]);
        return;
    }
    for (uint32_t i = begin; i < end; ++i)
        out[i] = static_cast<double>(WordToFloat(records[i][word]));
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
