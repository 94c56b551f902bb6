// A chart view of a grow: its logs merged into one timeline, its profile and
// schedules overlaid, its journal's notes drawn as markers. Everything the
// chart view does over one log it does over the grow; the journal is kept
// in the grow file on "Save Grow".
#pragma once

#include "core/GrowComparison.h"
#include "core/GrowFile.h"
#include "core/GrowTimeline.h"
#include "ui/GrowComparisonOverlay.h"
#include "ui/OrvelGUIChartViewFrame.h"

#include "chart/MarkerLayer.h"

#include <memory>
#include <vector>

class GrowChartViewFrame : public OrvelGUIChartViewFrame {
public:
    enum {
        ID_ADD_NOTE = 5153,
        ID_JOURNAL = 5154,
        ID_SAVE_GROW = 5155,
        ID_GROW_SETTINGS = 5156,
        ID_CROP_DAYS = 5157,
        ID_COMPARE_GROW = 5158,
        ID_COMPARISON = 5159,
        ID_COMPARE_BY_DATE = 5160,
        ID_END_COMPARISON = 5161,
    };

    explicit GrowChartViewFrame(wxWindow* parent);

    // Shows the grow of the file at path over its merged logs (every channel
    // checked), its profile and schedules overlaid but those in skipped
    // (the caller has told the user of what cannot be read).
    void SetGrow(const Grow& grow, const wxString& path, const GrowTimeline& timeline,
                 const std::vector<wxString>& skipped = {});
    const Grow& GetGrow() const { return m_grow; }
    const wxString& GetGrowPath() const { return m_path; }
    bool HasUnsavedChanges() const { return m_unsaved; }

    // The instant of a chart x and back.
    int64_t TimeAt(double x) const;
    double XAt(int64_t ms) const;

    // Asks for a note at timeMs (its time can be changed in the dialog) and
    // adds it; whether one was added.
    bool AddNoteAt(int64_t timeMs);
    void AddNote(const GrowNote& note);
    // The "Journal" dialog.
    void ShowJournal();
    // Centres the chart on an instant, keeping the span shown (a day when
    // the whole grow is shown).
    void ShowTime(int64_t timeMs);
    // Writes the grow file; tells the user when it cannot. Whether it was
    // written.
    bool SaveGrow();
    // "Grow Settings": what the grow holds, then the view shows it again.
    void ShowGrowSettings();
    // The bottom axis in crop days ("Day 23") instead of dates.
    void SetCropDays(bool on);
    bool ShowsCropDays() const { return m_cropDays; }
    // The markers drawn, as the chart's x and label.
    const std::vector<chart::Marker>& GetMarkers() const { return *m_markers; }

    // Another grow drawn over this one (dashed, with its bands), crop day
    // on crop day or a year apart by calendar: asked for when path is
    // empty. Whether one is shown.
    bool CompareWithGrow(const wxString& path = wxString());
    void SetComparisonAlignment(GrowAlignment alignment);
    void EndComparison();
    const GrowComparisonOverlay* GetComparison() const { return m_comparison.get(); }
    // The two grows' figures side by side, as "Comparison..." shows them.
    wxString ComparisonOfGrows() const;

private:
    void AppendGrowEntries(wxMenu& menu) const override;
    void PrepareChartData(LogChart& data) override;
    void DecorateChart(Chart& chart) override;
    void DescribeMore(double x, wxChartPanel::Readout& readout) const override;
    wxString SummaryMore(const LogSummary& summary, const LogRecord* charted,
                         const bool (&wanted)[kLogChannelCount]) const override;
    // A grow's thresholds are its own, kept in its file.
    ProbeThresholds GetProbeThresholds() const override { return m_grow.probeThresholds; }
    void SetProbeThresholds(const ProbeThresholds& thresholds) override;
    void OnGrowEntry(wxCommandEvent& event);
    void AppendComparisonEntries(wxMenu& menu) const;
    void OnComparisonEntry(int id);
    void OnCloseWindow(wxCloseEvent& event);
    void ShowParts(const GrowTimeline& timeline, const std::vector<wxString>& skipped);
    void JournalChanged();
    bool EditNote(size_t i);

    Grow m_grow;
    wxString m_path;
    uint32_t m_duplicates = 0, m_undated = 0;
    bool m_unsaved = false;
    std::shared_ptr<const std::vector<LogClockSteps>> m_clocks; // the grow's logs' clocks
    bool m_cropDays = false;
    std::unique_ptr<GrowComparisonOverlay> m_comparison;
    std::shared_ptr<std::vector<chart::Marker>> m_markers = std::make_shared<std::vector<chart::Marker>>();

    wxDECLARE_EVENT_TABLE();
};
