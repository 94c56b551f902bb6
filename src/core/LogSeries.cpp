#include "core/LogSeries.h"

#include "core/WordHelpers.h"

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

bool LogTimeDecoder::Decode(uint32_t dateWord, uint32_t timeWord, int64_t& ms)
{
    const uint32_t hour = timeWord & 0xFFu;
    const uint32_t minute = (timeWord >> 8) & 0xFFu;
    const uint32_t second = (timeWord >> 16) & 0xFFu;
    if (minute > 59 || second > 59)
        return false;
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
    LargeArray<double> days = AllocateLargeArray<double>(count);
    if (!days) {
        m_stop = LogSpanStop::NoMemory;
        return -1;
    }

    LogTimeDecoder decoder;
    int64_t first = 0, last = 0;
    const bool spanValid = decoder.Decode(records[0][kLogDate], records[0][kLogTime], first) &&
                           decoder.Decode(records[count - 1][kLogDate], records[count - 1][kLogTime], last);
    m_firstMs = spanValid ? first : 0;
    int32_t result = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const LogRecord& r = records[i];
        int64_t t = 0;
        if (!spanValid || !decoder.Decode(r[kLogDate], r[kLogTime], t)) {
            m_stop = LogSpanStop::InvalidDateTime;
            result = -1;
            break;
        }
        if (t < first || t > last) {
            m_stop = LogSpanStop::OutOfSpan;
            result = -1;
            break;
        }
        days[i] = static_cast<double>(t - first) / kMsPerDay;
        m_filled = i + 1;
    }
    if (m_filled > 0)
        m_days = std::shared_ptr<const double[]>(std::move(days));
    return result;
}

std::shared_ptr<const double[]> LogSeries::ChannelValues(const LogRecord* records, int channel) const
{
    if (m_filled == 0 || channel < 0 || channel >= kLogChannelCount)
        return nullptr;
    LargeArray<double> values = AllocateLargeArray<double>(m_filled);
    if (!values)
        return nullptr;
    const unsigned word = kChannelWords[channel];
    if (channel < 2) {
        for (uint32_t i = 0; i < m_filled; ++i)
            values[i] = static_cast<double>(records[i][word]);
    } else {
        for (uint32_t i = 0; i < m_filled; ++i)
            values[i] = static_cast<double>(WordToFloat(records[i][word]));
    }
    return std::shared_ptr<const double[]>(std::move(values));
}

void LogSeries::Release()
{
    m_days.reset();
    m_firstMs = 0;
    m_count = 0;
    m_filled = 0;
    m_stop = LogSpanStop::None;
}
