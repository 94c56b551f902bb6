#include "core/ScheduleText.h"

#include "core/NodeSchedule.h"
#include "core/ParameterTable.h"
#include "core/WordHelpers.h"

wxString FormatScheduleCell(int column, uint32_t word)
{
    if (column == static_cast<int>(kScheduleDate))
        return FormatDateText(DecodePackedDate(word));
    if (column == static_cast<int>(kScheduleTargetPh))
        return wxString::Format("%f", static_cast<double>(WordToFloat(word)));
    if (column >= static_cast<int>(kScheduleTargetEc) && column < kScheduleColumnCount)
        return wxString::Format("%lu", static_cast<unsigned long>(word));
    return wxString(); // column 0 (the reserved word) and anything unknown
}
