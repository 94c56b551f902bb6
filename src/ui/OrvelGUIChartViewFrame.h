// A window that charts a node log: the channels checked in "View", in the
// colours chosen in "Color", exportable as an image from "File".
#pragma once

#include "core/LogSeries.h"
#include "core/LogTargets.h"
#include "core/NodeLog.h"
#include "core/ProbeHealth.h"

#include "chart/ViewRange.h"
#include "chart/wxChartPanel.h"

#include <wx/aboutdlg.h>
#include <wx/frame.h>
#include <wx/menu.h>

#include <array>
#include <memory>
#include <vector>

class Chart;
class LogChart;
struct LogSummary;

class OrvelGUIChartViewFrame : public wxFrame {
public:
    enum {
        ID_EXPORT_BMP = 5128,
        ID_EXPORT_JPG = 5129,
        ID_EXPORT_PNG = 5130,
        ID_EXPORT_TIF = 5131,
        ID_CHART_CLOSE = 5132,
        ID_COLOUR_FIRST = 5051, // "Color" entry k is ID_COLOUR_FIRST + k
        ID_VIEW_FIRST = 5059,   // "View" entry k is ID_VIEW_FIRST + k
        // The chart panel's context menu (its export entries are those of "File").
        ID_ZOOM_IN = 5140,
        ID_ZOOM_OUT = 5141,
        ID_SHOW_WHOLE = 5142,
        ID_OVERLAY_PROFILE = 5143,
        ID_OVERLAY_SCHEDULE = 5144,
        ID_REMOVE_OVERLAYS = 5145,
        ID_SUMMARY = 5146,
        ID_EXPORT_CSV = 5147,
        // Grows: any chart view makes or opens one.
        ID_NEW_GROW = 5150,
        ID_OPEN_GROW = 5151,
        ID_STACK = 5152, // "Stack by Quantity": EC, PH and temperature in panes
        ID_PROBE_THRESHOLDS = 5190,
        ID_EXPORT_FLAGGED_CSV = 5191,
    };

    OrvelGUIChartViewFrame(wxWindow* parent, wxWindowID id, const wxString& title,
                           const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(640, 480),
                           long style = wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
    ~OrvelGUIChartViewFrame() override;

    // Keeps a share of the log: it stays readable however often the log page
    // loads another file.
    void SetLog(const NodeLog& log);
    const NodeLog& GetLog() const { return m_log; }
    // The name of the file the log came from, for the window's title (the
    // next RebuildChart shows it).
    void SetLogName(const wxString& fileName) { m_logName = fileName; }
    const wxString& GetLogName() const { return m_logName; }

    // Builds a new chart of the checked channels in their colours and shows
    // it, keeping the time range in view. The log's times are decoded and a
    // channel's values read once per log.
    void RebuildChart();
    // The probe checks of the log are worked out and their marks drawn: a
    // chart is shown first and marked as soon as the checks are done.
    bool ProbeChecksShown() const;
    // The chart panel's context menu: "Zoom In", "Zoom Out", "Show Whole
    // Log"; "Overlay Profile...", "Overlay Schedule...", "Remove Overlays";
    // "Summary...", "Export Data to CSV..."; and the export entries of
    // "File", enabled as they apply.
    std::unique_ptr<wxMenu> MakeContextMenu() const;

    // Targets drawn over the readings: a profile file's (asked for when
    // path is empty), a schedule file's for control channel 1 or 2 (0: asks
    // which). A file that cannot be read is told as its page tells it and
    // the overlay stays as it was. Each returns whether the overlay changed.
    bool OverlayProfile(const wxString& path = wxString());
    bool OverlaySchedule(const wxString& path = wxString(), int channel = 0);
    void RemoveOverlays();
    // EC, PH and temperature in three panes over one time axis, or one plot.
    void SetStacked(bool stacked);
    bool IsStacked() const { return m_stacked; }
    const LogTargets& GetTargets() const { return m_targets; }
    // The summary of the records in view, as the "Summary..." dialog shows it.
    wxString SummaryOfView() const;
    void ShowSummary();
    // The indices of the charted records in view, in file order.
    std::vector<uint32_t> RecordsInView() const;
    // Asks for a file and writes the records in view as CSV.
    void ExportViewCsv();
    // Lets the user pick channel k's colour; cancel keeps it.
    void ChooseChannelColour(int channel);
    // Sets channel k's colour and its "Color" entry's swatch (the next
    // RebuildChart draws it).
    void SetChannelColour(int channel, const wxColour& colour);
    // Asks for a file and saves the chart as drawn in the given format.
    void ExportChart(const wxString& extension, wxBitmapType type);
    // Saves the chart as drawn to path, whole or not at all; tells the user
    // when it cannot. Returns whether the file was written.
    bool SaveChartImage(const wxString& path, wxBitmapType type);
    void ShowAbout();

    static wxString ExportWildcard(const wxString& extension);
    // The window title for a log: title, then the file name (if known) and
    // the dates of the first and last record (if any), as in
    // "HALVANE DUO Charts - day.hvl (06/01/21 - 06/03/21)"; one date when
    // both are the same day.
    static wxString LogTitle(const wxString& title, const wxString& fileName, const NodeLog& log);
    static wxAboutDialogInfo AboutInfo();
    static wxString ChannelName(int channel);
    static wxColour DefaultChannelColour(int channel);

    const wxChartPanel* GetChartPanel() const { return m_chartPanel; }
    wxChartPanel* GetChartPanel() { return m_chartPanel; }
    wxColour GetChannelColour(int channel) const { return m_colours[channel]; }
    const wxMenuItem* GetViewItem(int channel) const { return m_viewItems[channel]; }
    wxMenuItem* GetViewItem(int channel) { return m_viewItems[channel]; }
    const wxMenuItem* GetColourItem(int channel) const { return m_colourItems[channel]; }

protected:
    // Hooks for a view of more than one log (a grow): entries of its own in
    // the context menu (after the summary's), the chart decorated before it
    // is shown, readout and summary lines added.
    virtual void AppendGrowEntries(wxMenu& menu) const;
    virtual void PrepareChartData(LogChart& data) { (void)data; }
    virtual void DecorateChart(Chart& chart) { (void)chart; }
    virtual void DescribeMore(double x, wxChartPanel::Readout& readout) const
    {
        (void)x;
        (void)readout;
    }
    virtual wxString SummaryMore(const LogSummary& summary, const LogRecord* charted,
                                 const bool (&wanted)[kLogChannelCount]) const
    {
        (void)summary;
        (void)charted;
        (void)wanted;
        return wxString();
    }
    // The probe thresholds of this view: the session's; a grow keeps its own.
    virtual ProbeThresholds GetProbeThresholds() const;
    virtual void SetProbeThresholds(const ProbeThresholds& thresholds);
    LogChart* GetChartData() const { return m_chartData.get(); }
    // The colours of the checked channels (null for the others), as the
    // chart is drawn in.
    std::array<const wxColour*, kLogChannelCount> CheckedChannelColours() const;
    // The chart's x at the pointer when the context menu was opened; NaN
    // when opened from the keyboard or outside the plot.
    double GetContextX() const { return m_contextX; }
    // The time range shown, as the panel last told, and whether zoomed.
    chart::Range GetShown() const { return m_shown; }
    bool IsZoomed() const { return m_zoomed; }

private:
    void OnContextMenu(wxContextMenuEvent& event);
    void MarkProbeTroubleSoon();
    void OnGrow(wxCommandEvent& event);
    void OnStack(wxCommandEvent& event);
    void OnZoom(wxCommandEvent& event);
    void OnOverlay(wxCommandEvent& event);
    void OnProbeThresholds(wxCommandEvent& event);
    void OnExportFlaggedCsv(wxCommandEvent& event);
    // The colours of the checked channels (null for the others).
    void CheckedColours(wxColour (&copies)[kLogChannelCount],
                        std::array<const wxColour*, kLogChannelCount>& colours) const;
    void OnExport(wxCommandEvent& event);
    void OnClose(wxCommandEvent& event);
    void OnView(wxCommandEvent& event);
    void OnColour(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void ShowColourSwatch(int channel);

    NodeLog m_log;
    std::unique_ptr<LogChart> m_chartData; // of m_log, made on the first chart
    LogTargets m_targets;                  // the overlays, kept for new logs too
    wxChartPanel* m_chartPanel = nullptr;
    wxMenuItem* m_viewItems[kLogChannelCount] = {};
    wxMenuItem* m_colourItems[kLogChannelCount] = {};
    // The colour of each "Color" entry. GTK menus cannot draw an entry's text
    // in a colour of its own, so the entry shows a swatch of it instead, one
    // that GTK is told to show even where menu images are switched off.
    wxColour m_colours[kLogChannelCount];
    wxMenuItem* m_aboutItem = nullptr;
    wxMenuBar* m_menuBar = nullptr;
    wxMenu* m_fileMenu = nullptr;
    wxMenu* m_viewMenu = nullptr;
    wxMenu* m_colourMenu = nullptr;
    wxMenu* m_aboutMenu = nullptr;
    // The time range the chart shows, as its panel last told.
    chart::Range m_shown;
    bool m_zoomed = false;
    double m_contextX = 0;
    bool m_stacked = false;
    bool m_probeChecksDue = false; // the checks run once the chart is shown
    wxString m_title;              // the title given; the log's name and dates follow it
    wxString m_logName;            // the file name of the log, if known

    wxDECLARE_EVENT_TABLE();
};
