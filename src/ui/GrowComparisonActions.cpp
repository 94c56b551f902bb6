// The grow chart view's comparison with another grow: asking for it, its
// entries in the context menu and the text of "Comparison...".
#include "ui/GrowActions.h"
#include "ui/GrowChartViewFrame.h"
#include "ui/LogChart.h"
#include "ui/LogSummaryDialog.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

namespace {

void TellUser(wxWindow* parent, const wxString& text)
{
    wxMessageBox(text, wxMessageBoxCaptionStr, wxOK | wxCENTRE, parent);
}

} // namespace

bool GrowChartViewFrame::CompareWithGrow(const wxString& chosen)
{
    wxString path = chosen;
    if (path.empty()) {
        wxFileDialog dialog(this, "Compare With Grow", "", "", "Grow File (*.hvg)|*.hvg",
                            wxFD_OPEN | wxFD_FILE_MUST_EXIST);
        if (dialog.ShowModal() != wxID_OK)
            return false;
        path = dialog.GetPath();
    }
    const LoadResult<Grow> read = ReadGrowFile(path);
    if (!read.Loaded()) {
        TellUser(this, "Error reading grow file " + wxFileName(path).GetFullName() + ": " +
                           (read.status == LoadStatus::Missing ? wxString("no such file") : read.reason));
        return false;
    }
    GrowTimeline timeline;
    std::vector<std::pair<wxString, wxString>> problems;
    std::shared_ptr<ComparedGrow> other;
    {
        wxBusyCursor busy;
        timeline = MergeLogFiles(read.value.logs);
        if (!timeline.lackedMemory)
            other = PrepareComparedGrow(read.value, timeline.log, problems);
    }
    if (!other) {
        TellUser(this, "There is not enough memory for the logs of the grow.");
        return false;
    }
    std::vector<std::pair<wxString, wxString>> all;
    for (const GrowLogProblem& problem : timeline.unreadable)
        all.emplace_back(problem.path, problem.reason);
    all.insert(all.end(), problems.begin(), problems.end());
    if (!all.empty())
        TellUser(this, GrowProblemsText(all));
    const GrowAlignment alignment = m_comparison ? m_comparison->Alignment() : GrowAlignment::CropDay;
    m_comparison.reset();
    const LogChart* data = GetChartData();
    m_comparison = std::make_unique<GrowComparisonOverlay>(
        std::move(other), m_grow.start, data ? data->GetSeries().FirstTimeMs() : 0, alignment);
    RebuildChart();
    return true;
}

void GrowChartViewFrame::SetComparisonAlignment(GrowAlignment alignment)
{
    if (!m_comparison)
        return;
    // The other grow's records stay shared; only their place is worked out
    // again (also after this grow's start or logs changed).
    const LogChart* data = GetChartData();
    auto moved = std::make_unique<GrowComparisonOverlay>(
        m_comparison->SharedOther(), m_grow.start, data ? data->GetSeries().FirstTimeMs() : 0, alignment);
    m_comparison = std::move(moved);
    RebuildChart();
}

void GrowChartViewFrame::EndComparison()
{
    m_comparison.reset();
    RebuildChart();
}

wxString GrowChartViewFrame::ComparisonOfGrows() const
{
    const LogChart* data = GetChartData();
    if (!m_comparison || !data)
        return wxString();
    ComparedGrow mine;
    mine.name = m_grow.name;
    mine.start = m_grow.start;
    mine.journal = m_grow.journal;
    mine.log = GetLog();
    mine.series = data->GetSeries();
    mine.targets = GetTargets();
    const ComparedGrow& other = m_comparison->Other();
    return ComparisonText(CompareGrows(mine, other, m_comparison->Alignment()), mine.name, other.name);
}

void GrowChartViewFrame::AppendComparisonEntries(wxMenu& menu) const
{
    menu.AppendSeparator();
    menu.Append(ID_COMPARE_GROW, "Compare With Grow...");
    menu.Append(ID_COMPARISON, "Comparison...")->Enable(m_comparison != nullptr);
    wxMenuItem* byDate = menu.AppendCheckItem(ID_COMPARE_BY_DATE, "Compare by Calendar Date");
    byDate->Check(m_comparison && m_comparison->Alignment() == GrowAlignment::Calendar);
    byDate->Enable(m_comparison != nullptr);
    menu.Append(ID_END_COMPARISON, "End Comparison")->Enable(m_comparison != nullptr);
}

void GrowChartViewFrame::OnComparisonEntry(int id)
{
    switch (id) {
    case ID_COMPARE_GROW:
        CompareWithGrow();
        break;
    case ID_COMPARISON: {
        wxString text;
        {
            wxBusyCursor busy;
            text = ComparisonOfGrows();
        }
        LogSummaryDialog dialog(this, text);
        dialog.SetTitle("Comparison");
        dialog.ShowModal();
        break;
    }
    case ID_COMPARE_BY_DATE:
        if (m_comparison)
            SetComparisonAlignment(m_comparison->Alignment() == GrowAlignment::Calendar
                                       ? GrowAlignment::CropDay
                                       : GrowAlignment::Calendar);
        break;
    case ID_END_COMPARISON:
        EndComparison();
        break;
    default:
        break;
    }
}
