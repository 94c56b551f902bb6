// The fixed text vocabulary of the controller's configuration: a name, a
// one-line description, a unit and an HTML help page per parameter index;
// the operation mode names; the schedule list's column labels.
//
// Each table is a fill operation on an array the caller owns: the caller
// starts from empty texts and the fill overwrites only the entries it defines.
#pragma once

#include "core/NodeConfig.h"

#include <wx/string.h>

#include <array>
#include <cstdint>

using ParameterTexts = std::array<wxString, kParameterCount>;

constexpr int kScheduleColumnCount = 22;
using ScheduleColumnLabels = std::array<wxString, kScheduleColumnCount>;

namespace ParameterTable {

void FillParameterNames(ParameterTexts& names);
void FillShortDescriptions(ParameterTexts& descriptions);
void FillUnitTexts(ParameterTexts& units);
void FillHelpTexts(ParameterTexts& helpPages);
void FillScheduleColumnLabels(ScheduleColumnLabels& labels);

} // namespace ParameterTable

// Display name of an operation mode code; "Error Operation Mode Not
// Recognized" for any code that is not one of the four modes.
wxString OperationModeName(uint32_t mode);

using ParameterTable::FillHelpTexts;
using ParameterTable::FillParameterNames;
using ParameterTable::FillScheduleColumnLabels;
using ParameterTable::FillShortDescriptions;
using ParameterTable::FillUnitTexts;
