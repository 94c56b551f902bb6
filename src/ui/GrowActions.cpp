#include "ui/GrowActions.h"

#include "ui/GrowChartViewFrame.h"
#include "ui/GrowDialog.h"

#include "core/ConfigFile.h"
#include "core/GrowTimeline.h"
#include "core/NodeSchedule.h"

#include <wx/datetime.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <utility>
#include <vector>

namespace {

const char* const kGrowWildcard = "Grow File (*.hvg)|*.hvg";

void Tell(wxWindow* parent, const wxString& text)
{
    wxMessageBox(text, wxMessageBoxCaptionStr, wxOK | wxCENTRE, parent);
}

// The overlay files of the grow that cannot be read, as (name, reason).
void CheckOverlays(const Grow& grow, std::vector<std::pair<wxString, wxString>>& problems)
{
    if (!grow.profile.empty()) {
        const LoadResult<NodeConfig> profile = ReadConfigFile(grow.profile);
        if (!profile.Loaded())
            problems.emplace_back(grow.profile,
                                  profile.status == LoadStatus::Missing ? "no such file" : profile.reason);
    }
    for (const wxString* schedule : {&grow.schedule1, &grow.schedule2}) {
        if (schedule->empty())
            continue;
        const LoadResult<NodeSchedule> read = ReadScheduleFile(*schedule);
        if (!read.Loaded())
            problems.emplace_back(*schedule,
                                  read.status == LoadStatus::Missing ? "no such file" : read.reason);
    }
}

} // namespace

wxString GrowProblemsText(const std::vector<std::pair<wxString, wxString>>& problems)
{
    if (problems.empty())
        return wxString();
    wxString text = problems.size() == 1 ? "This file of the grow could not be read and is left out:\n"
                                         : "These files of the grow could not be read and are left out:\n";
    for (const auto& [path, reason] : problems)
        text << "\n" << wxFileName(path).GetFullName() << ": " << reason;
    return text;
}

bool ReadGrowParts(wxWindow* parent, const Grow& grow, GrowTimeline& timeline, std::vector<wxString>& skipped)
{
    std::vector<std::pair<wxString, wxString>> overlays;
    {
        wxBusyCursor busy;
        timeline = MergeLogFiles(grow.logs);
        CheckOverlays(grow, overlays);
    }
    if (timeline.lackedMemory) {
        Tell(parent, "There is not enough memory for the logs of the grow.");
        return false;
    }
    std::vector<std::pair<wxString, wxString>> all;
    for (const GrowLogProblem& problem : timeline.unreadable)
        all.emplace_back(problem.path, problem.reason);
    all.insert(all.end(), overlays.begin(), overlays.end());
    if (!all.empty())
        Tell(parent, GrowProblemsText(all));
    skipped.clear();
    for (const auto& overlay : overlays)
        skipped.push_back(overlay.first);
    return true;
}

GrowChartViewFrame* ShowGrow(wxWindow* parent, const Grow& grow, const wxString& path)
{
    GrowTimeline timeline;
    std::vector<wxString> skipped;
    if (!ReadGrowParts(parent, grow, timeline, skipped))
        return nullptr;
    auto* view = new GrowChartViewFrame(parent);
    view->SetGrow(grow, path, timeline, skipped);
    view->Show();
    return view;
}

GrowChartViewFrame* OpenGrowFile(wxWindow* parent, const wxString& path)
{
    const LoadResult<Grow> read = ReadGrowFile(path);
    if (!read.Loaded()) {
        Tell(parent, "Error reading grow file " + wxFileName(path).GetFullName() + ": " +
                         (read.status == LoadStatus::Missing ? wxString("no such file") : read.reason));
        return nullptr;
    }
    return ShowGrow(parent, read.value, path);
}

GrowChartViewFrame* OpenGrow(wxWindow* parent)
{
    wxFileDialog dialog(parent, "Open Grow", "", "", kGrowWildcard, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return nullptr;
    return OpenGrowFile(parent, dialog.GetPath());
}

GrowChartViewFrame* NewGrow(wxWindow* parent)
{
    Grow grow;
    const wxDateTime today = wxDateTime::Today();
    grow.start = {today.GetYear(), static_cast<int>(today.GetMonth()) + 1, today.GetDay()};
    GrowDialog settings(parent, "New Grow", grow);
    if (settings.ShowModal() != wxID_OK)
        return nullptr;
    grow = settings.GetGrow();
    wxFileDialog ask(parent, "Save Grow", "", grow.name + ".hvg", kGrowWildcard,
                     wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (ask.ShowModal() != wxID_OK)
        return nullptr;
    wxFileName name(ask.GetPath());
    if (!name.HasExt())
        name.SetExt("hvg");
    const SaveResult saved = WriteGrowFile(name.GetFullPath(), grow);
    if (!saved.Saved()) {
        Tell(parent, "Error writing grow file " + name.GetFullName() + ": " + saved.reason);
        return nullptr;
    }
    return ShowGrow(parent, grow, name.GetFullPath());
}
