#include "core/ScheduleText.h"

#include "core/NodeSchedule.h"
#include "core/ParameterTable.h"
#include "core/WordHelpers.h"

#include <string>

wxString FormatScheduleCell(int column, uint32_t word)
{
    if (column == static_cast<int>(kScheduleDate))
        return FormatDateText(DecodePackedDate(word));
    if (column == static_cast<int>(kScheduleTargetPh))
        return wxString::Format("%f", static_cast<double>(WordToFloat(word)));
    // Digits alone: std::to_string is many times faster than a format
    // through wide characters, and a list formats every cell it shows.
    if (column >= static_cast<int>(kScheduleTargetEc) && column < kScheduleColumnCount)
        return wxString::FromAscii(std::to_string(word).c_str());
    return wxString(); // column 0 (the reserved word) and anything unknown
}

std::vector<wxString> ScheduleColumnSampleTexts(int column)
{
    std::vector<uint32_t> words;
    if (column == 1)
        words = {EncodePackedDate(WidestDateTimeSample()), 0};
    else if (column == 2)
        words = {99999};
    else if (column == 3)
        words = {FloatToWord(99999.0f)};
    else if (column >= 4 && column < kScheduleColumnCount)
        words = {999};
    std::vector<wxString> texts;
    texts.reserve(words.size());
    for (uint32_t word : words)
        texts.push_back(FormatScheduleCell(column, word));
    return texts;
}
