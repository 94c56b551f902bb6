#include "core/LogText.h"

#include "core/WordHelpers.h"

namespace {

const LogColumn kColumns[kLogColumnCount] = {
    {"Date", 50, kLogDate},   {"Time", 50, kLogTime},   {"Core", 75, kLogCoreStatus},
    {"EC1", 50, kLogEc1},     {"EC2", 50, kLogEc2},     {"PH1", 50, kLogPh1},
    {"PH2", 50, kLogPh2},     {"TE1", 50, kLogTe1},     {"TE2", 50, kLogTe2},
    {"AC1", 50, kLogAc1},     {"AC2", 50, kLogAc1 + 1}, {"AC3", 50, kLogAc1 + 2},
    {"AC4", 50, kLogAc1 + 3}, {"AC5", 50, kLogAc1 + 4}, {"AC6", 50, kLogAc1 + 5},
};

wxString FloatText(double value)
{
    return wxString::Format("%f", value);
}

} // namespace

const LogColumn& GetLogColumn(unsigned column)
{
    return kColumns[column < kLogColumnCount ? column : kLogColumnCount - 1];
}

wxString FormatLogCell(unsigned item, uint32_t word)
{
    if (item == kLogEc1 || item == kLogEc2 || (item >= 21 && item <= 30))
        return wxString::Format("%lu", static_cast<unsigned long>(word));
    if (item == kLogPh1 || item == kLogPh2) {
        const double ph = WordToFloat(word);
        // Readings at or beyond the probe's ends (and NaN) are shown as 0.
        return FloatText(ph > 1.0 && ph < 14.0 ? ph : 0.0);
    }
    if (item == kLogTe1 || item == kLogTe2)
        return FloatText(WordToFloat(word));
    if (item == kLogDate)
        return FormatDateText(DecodePackedDate(word));
    if (item == kLogTime)
        return FormatTimeText(DecodePackedTime(word));
    return wxString();
}

std::vector<wxString> LogColumnSampleTexts(unsigned column)
{
    const unsigned item = GetLogColumn(column).item;
    const wxDateTime sample = WidestDateTimeSample();
    std::vector<uint32_t> words;
    if (item == kLogDate) {
        words = {EncodePackedDate(sample), 0};
    } else if (item == kLogTime) {
        const uint32_t time = static_cast<uint32_t>(sample.GetHour()) |
                              static_cast<uint32_t>(sample.GetMinute()) << 8 |
                              static_cast<uint32_t>(sample.GetSecond()) << 16;
        words = {time, 0xFFFFFFFFu};
    } else if (item == kLogPh1 || item == kLogPh2) {
        words = {FloatToWord(13.99f)};
    } else if (item == kLogTe1 || item == kLogTe2) {
        words = {FloatToWord(-99.99f), FloatToWord(199.99f)};
    } else {
        words = {0xFFFFFFFFu};
    }
    std::vector<wxString> texts;
    texts.reserve(words.size());
    for (uint32_t word : words)
        texts.push_back(FormatLogCell(item, word));
    return texts;
}
