// Making and opening grows, from the Log Book's list and any chart view.
#pragma once

#include "core/GrowFile.h"
#include "core/GrowTimeline.h"

#include <wx/string.h>

#include <utility>
#include <vector>

class GrowChartViewFrame;
class wxWindow;

// "New Grow...": asks what the grow holds, then where to save it; saves it
// and opens its chart view (a child of parent). Null when cancelled or when
// it could not be saved (told).
GrowChartViewFrame* NewGrow(wxWindow* parent);
// "Open Grow...": asks for a grow file and opens it.
GrowChartViewFrame* OpenGrow(wxWindow* parent);
// Opens the grow file at path in a new chart view. A file that is no grow
// is told and nothing opens; logs, a profile or schedules that cannot be
// read are named in one message and the rest opens.
GrowChartViewFrame* OpenGrowFile(wxWindow* parent, const wxString& path);
// The view of a grow already read (its file at path).
GrowChartViewFrame* ShowGrow(wxWindow* parent, const Grow& grow, const wxString& path);

// Merges the grow's logs and checks its profile and schedules, telling in
// one message what cannot be read; skipped: the profile and schedules that
// cannot. False (told) when there is no memory for the logs.
bool ReadGrowParts(wxWindow* parent, const Grow& grow, GrowTimeline& timeline,
                   std::vector<wxString>& skipped);

// The message naming what of a grow could not be read, one line each:
// "name: reason" (empty when everything was read).
wxString GrowProblemsText(const std::vector<std::pair<wxString, wxString>>& problems);
