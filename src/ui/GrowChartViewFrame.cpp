#include "ui/GrowChartViewFrame.h"

#include "ui/GrowActions.h"
#include "ui/GrowDialog.h"
#include "ui/JournalDialog.h"
#include "ui/LogChart.h"
#include "ui/NoteDialog.h"
#include "ui/UnsavedChanges.h"

#include "chart/Chart.h"
#include "chart/XYPlot.h"
#include "core/CalibrationReview.h"
#include "core/ExcursionNotes.h"
#include "util/CivilTime.h"

#include <wx/filename.h>
#include <wx/msgdlg.h>

#include <algorithm>
#include <cmath>

namespace {

// Markers in a grey that reads on the chart's white and beside every
// channel's colour.
const wxColour kNoteColour(96, 96, 96);
// The readout names a note this many pixels either side of the pointer.
constexpr int kNoteReach = 6;

} // namespace

wxBEGIN_EVENT_TABLE(GrowChartViewFrame, OrvelGUIChartViewFrame)
    EVT_MENU_RANGE(GrowChartViewFrame::ID_ADD_NOTE, GrowChartViewFrame::ID_END_COMPARISON,
                   GrowChartViewFrame::OnGrowEntry)
    EVT_CLOSE(GrowChartViewFrame::OnCloseWindow)
wxEND_EVENT_TABLE()

GrowChartViewFrame::GrowChartViewFrame(wxWindow* parent)
    : OrvelGUIChartViewFrame(parent, wxID_ANY, "HALVANE DUO Charts", wxDefaultPosition,
                             parent ? parent->FromDIP(wxSize(800, 560)) : wxSize(800, 560))
{
}

void GrowChartViewFrame::SetGrow(const Grow& grow, const wxString& path, const GrowTimeline& timeline,
                                 const std::vector<wxString>& skipped)
{
    m_grow = grow;
    m_path = path;
    SetLogName(wxFileName(path).GetFullName());
    for (int k = 0; k < kLogChannelCount; ++k)
        GetViewItem(k)->Check(true);
    ShowParts(timeline, skipped);
    m_unsaved = false;
}

void GrowChartViewFrame::ShowParts(const GrowTimeline& timeline, const std::vector<wxString>& skipped)
{
    m_duplicates = timeline.duplicates;
    m_undated = timeline.undated;
    m_clocks = std::make_shared<const std::vector<LogClockSteps>>(timeline.clocks);
    SetLog(timeline.log);
    RemoveOverlays(); // also makes the first chart of the new records
    auto usable = [&skipped](const wxString& file) {
        return !file.empty() && std::find(skipped.begin(), skipped.end(), file) == skipped.end();
    };
    if (usable(m_grow.profile))
        OverlayProfile(m_grow.profile);
    if (usable(m_grow.schedule1))
        OverlaySchedule(m_grow.schedule1, 1);
    if (usable(m_grow.schedule2))
        OverlaySchedule(m_grow.schedule2, 2);
    if (m_comparison) // placed again for this grow's start and first record
        SetComparisonAlignment(m_comparison->Alignment());
    JournalChanged();
}

int64_t GrowChartViewFrame::TimeAt(double x) const
{
    const LogChart* data = GetChartData();
    const int64_t ms = civil::MsAtDays(x, data ? data->GetSeries().FirstTimeMs() : 0);
    // To the second, as notes are kept.
    return civil::FloorDiv(ms + 500, 1000) * 1000;
}

double GrowChartViewFrame::XAt(int64_t ms) const
{
    const LogChart* data = GetChartData();
    return civil::DaysSince(ms, data ? data->GetSeries().FirstTimeMs() : 0);
}

void GrowChartViewFrame::JournalChanged()
{
    auto markers = std::make_shared<std::vector<chart::Marker>>();
    markers->reserve(m_grow.journal.Count());
    for (const GrowNote& note : m_grow.journal.Notes())
        markers->push_back({XAt(note.timeMs), NoteLabel(note)});
    m_markers = std::move(markers);
    RebuildChart();
}

void GrowChartViewFrame::PrepareChartData(LogChart& data)
{
    data.SetLogClocks(m_clocks); // a log's clock set back, lost in the merged order
    if (!m_cropDays) {
        data.SetDayLabels(nullptr);
        return;
    }
    const GrowDate start = m_grow.start;
    data.SetDayLabels(
        [start](const wxDateTime& t) { return CropDayText(CropDay(start, t.GetValue().GetValue())); });
}

void GrowChartViewFrame::DecorateChart(Chart& chart)
{
    wxString note = chart.GetNote();
    auto add = [&note](const wxString& line) { note << (note.empty() ? "" : "; ") << line; };
    if (m_undated == 1)
        add("1 record with no valid date or time is left out");
    else if (m_undated > 1)
        add(wxString::Format("%u records with no valid date or time are left out", m_undated));
    if (m_duplicates > 0)
        add(wxString::Format("%u repeated records counted once", m_duplicates));
    chart.SetNote(note);
    if (m_comparison)
        m_comparison->Decorate(chart, CheckedChannelColours(), IsStacked());
    // Over every channel: in every pane.
    const auto layer = std::make_shared<chart::MarkerLayer>(m_markers, kNoteColour);
    for (size_t i = 0; i < chart.GetPaneCount(); ++i)
        chart.GetPane(i)->AddLayer(layer);
}

void GrowChartViewFrame::DescribeMore(double x, wxChartPanel::Readout& readout) const
{
    if (!readout.lines.empty())
        readout.lines[0].text << "  (" << CropDayText(CropDay(m_grow.start, TimeAt(readout.x))) << ")";
    if (m_comparison)
        m_comparison->Describe(x, CheckedChannelColours(), readout.lines);
    const Chart* chart = GetChartPanel()->GetChart();
    if (!chart || m_grow.journal.Count() == 0)
        return;
    const XYPlot* plot = chart->GetPlot();
    const double reach = std::fabs(plot->PixelToX(kNoteReach) - plot->PixelToX(0));
    const int64_t reachMs = static_cast<int64_t>(reach * civil::kMsPerDay);
    const size_t nearest = m_grow.journal.Nearest(TimeAt(x), reachMs);
    if (nearest != GrowJournal::npos)
        readout.lines.push_back({"Note: " + NoteDescription(m_grow.journal[nearest]), kNoteColour});
}

wxString GrowChartViewFrame::SummaryMore(const LogSummary&, const LogRecord* charted,
                                         const bool (&wanted)[kLogChannelCount]) const
{
    const LogChart* data = GetChartData();
    if (!data)
        return wxString();
    const LogSeries& series = data->GetSeries();
    const chart::Range view = GetShown();
    wxString text = CalibrationText(ReviewCalibrations(charted, series.FilledCount(), m_grow.journal),
                                    m_grow.journal, TimeAt(view.lo), TimeAt(view.hi), wanted);
    if (GetTargets().HasProfile())
        text += ExcursionNotesText(charted, series.Days(), series.FilledCount(), series.FirstTimeMs(),
                                   view.lo, view.hi, wanted, GetTargets(), m_grow.journal);
    return text;
}

void GrowChartViewFrame::SetProbeThresholds(const ProbeThresholds& thresholds)
{
    if (thresholds == m_grow.probeThresholds)
        return;
    m_grow.probeThresholds = thresholds;
    m_unsaved = true;
}

void GrowChartViewFrame::AppendGrowEntries(wxMenu& menu) const
{
    OrvelGUIChartViewFrame::AppendGrowEntries(menu);
    menu.AppendSeparator();
    menu.Append(ID_ADD_NOTE, "Add Note Here...");
    menu.Append(ID_JOURNAL, "Journal...");
    menu.Append(ID_SAVE_GROW, "Save Grow");
    menu.Append(ID_GROW_SETTINGS, "Grow Settings...");
    menu.AppendCheckItem(ID_CROP_DAYS, "Crop Days")->Check(m_cropDays);
    AppendComparisonEntries(menu);
}

void GrowChartViewFrame::AddNote(const GrowNote& note)
{
    m_grow.journal.Add(note);
    m_unsaved = true;
    JournalChanged();
}

bool GrowChartViewFrame::AddNoteAt(int64_t timeMs)
{
    GrowNote note;
    note.timeMs = timeMs;
    NoteDialog dialog(this, "Add Note", note);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    AddNote(dialog.GetNote());
    return true;
}

bool GrowChartViewFrame::EditNote(size_t i)
{
    NoteDialog dialog(this, "Edit Note", m_grow.journal[i]);
    if (dialog.ShowModal() != wxID_OK || dialog.GetNote() == m_grow.journal[i])
        return false;
    m_grow.journal.Replace(i, dialog.GetNote());
    m_unsaved = true;
    JournalChanged();
    return true;
}

void GrowChartViewFrame::ShowJournal()
{
    JournalDialog::Actions actions;
    actions.edit = [this](size_t i) { return EditNote(i); };
    actions.remove = [this](size_t i) {
        m_grow.journal.Remove(i);
        m_unsaved = true;
        JournalChanged();
    };
    actions.show = [this](size_t i) { ShowTime(m_grow.journal[i].timeMs); };
    JournalDialog dialog(this, m_grow.journal, std::move(actions));
    dialog.ShowModal();
}

void GrowChartViewFrame::ShowTime(int64_t timeMs)
{
    const chart::Range shown = GetShown();
    const double span = IsZoomed() ? shown.hi - shown.lo : 1.0;
    const double x = XAt(timeMs);
    GetChartPanel()->SetView(x - span / 2, x + span / 2);
}

bool GrowChartViewFrame::SaveGrow()
{
    const SaveResult saved = WriteGrowFile(m_path, m_grow);
    if (!saved.Saved()) {
        wxMessageBox("Error writing grow file " + wxFileName(m_path).GetFullName() + ": " + saved.reason,
                     wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
        return false;
    }
    m_unsaved = false;
    return true;
}

void GrowChartViewFrame::ShowGrowSettings()
{
    GrowDialog dialog(this, "Grow Settings", m_grow);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const Grow changed = dialog.GetGrow();
    GrowTimeline timeline;
    std::vector<wxString> skipped;
    if (!ReadGrowParts(this, changed, timeline, skipped))
        return;
    m_grow = changed;
    m_unsaved = true;
    ShowParts(timeline, skipped);
}

void GrowChartViewFrame::SetCropDays(bool on)
{
    m_cropDays = on;
    RebuildChart();
}

void GrowChartViewFrame::OnGrowEntry(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case ID_ADD_NOTE: {
        // From the keyboard: the middle of the time shown.
        double x = GetContextX();
        if (std::isnan(x)) {
            const chart::Range shown = GetShown();
            x = (shown.lo + shown.hi) / 2;
        }
        AddNoteAt(TimeAt(x));
        break;
    }
    case ID_JOURNAL:
        ShowJournal();
        break;
    case ID_SAVE_GROW:
        SaveGrow();
        break;
    case ID_GROW_SETTINGS:
        ShowGrowSettings();
        break;
    case ID_CROP_DAYS:
        SetCropDays(!m_cropDays);
        break;
    default:
        OnComparisonEntry(event.GetId());
        break;
    }
}

void GrowChartViewFrame::OnCloseWindow(wxCloseEvent& event)
{
    // A close that cannot be refused (the session ending) still asks,
    // without "Cancel": unsaved notes are never dropped without a word.
    if (m_unsaved) {
        const wxString question =
            UnsavedChangesQuestion({"the grow \"" + m_grow.name + "\""}, "closing its chart");
        switch (AskAboutUnsavedChanges(this, question, event.CanVeto())) {
        case UnsavedAnswer::Save:
            if (!SaveGrow() && event.CanVeto()) {
                event.Veto();
                return;
            }
            break;
        case UnsavedAnswer::Discard:
            break;
        case UnsavedAnswer::Cancel:
            event.Veto();
            return;
        }
    }
    event.Skip();
}
