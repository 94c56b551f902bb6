#include "ui/OrvelGUIChartViewFrame.h"

#include "ui/AppIcons.h"
#include "ui/ChartImageExport.h"
#include "ui/CsvExport.h"
#include "ui/GrowActions.h"
#include "ui/LogChart.h"
#include "ui/LogSummaryDialog.h"
#include "ui/ProbeThresholdsDialog.h"

#include "chart/Chart.h"
#include "chart/ViewRange.h"
#include "chart/wxChartPanel.h"
#include "core/ConfigFile.h"
#include "core/LogSpan.h"
#include "core/LogSummary.h"
#include "core/NodeSchedule.h"
#include "core/ProbeFlags.h"
#include "core/Version.h"
#include "core/WordHelpers.h"

#include <wx/choicdlg.h>
#include <wx/colordlg.h>
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/icon.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>

#include "images/icon.xpm"

namespace {

const unsigned char kChannelRgb[kLogChannelCount][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                                        {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};

// A 16 by 16 swatch at the screen's scale (GetContentScaleFactor(): 2 under
// GDK_SCALE=2), drawn at the screen's pixels rather than stretched: a black
// frame of one logical pixel around the colour.
wxBitmap Swatch(const wxColour& colour, double scale)
{
    wxBitmap bitmap;
    bitmap.CreateWithDIPSize(wxSize(16, 16), scale, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(colour));
    dc.DrawRectangle(1, 1, 14, 14);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

#ifdef __WXGTK__
// The two GLib object calls needed below, declared here because wx's
// development files do not bring GLib's headers. The layout of an object's
// start (its class pointer first) is GLib's stable ABI.
extern "C" {
struct HalvaneGObjectStart {
    void* objectClass;
};
void* g_object_class_find_property(void* objectClass, const char* propertyName);
void g_object_set(void* object, const char* firstPropertyName, ...);
}
#endif

// GTK 3 draws a menu entry's image only when the desktop's gtk-menu-images
// setting is on, and it is off by default: the swatch, the only thing that
// shows an entry's colour, would be hidden. The entry is told to show it
// always. Applies to the entry as it is in its menu now (GTK makes a new
// one whenever the entry is inserted).
void ShowImageAlways(wxMenuItem* item)
{
#ifdef __WXGTK__
    void* widget = item->GetMenuItem();
    if (!widget)
        return;
    void* objectClass = static_cast<HalvaneGObjectStart*>(widget)->objectClass;
    if (objectClass && g_object_class_find_property(objectClass, "always-show-image"))
        g_object_set(widget, "always-show-image", 1, static_cast<const char*>(nullptr));
#else
    (void)item; // other toolkits show menu images, and the entry's text colour
#endif
}

} // namespace

wxBEGIN_EVENT_TABLE(OrvelGUIChartViewFrame, wxFrame)
    EVT_MENU_RANGE(ID_EXPORT_BMP, ID_EXPORT_TIF, OrvelGUIChartViewFrame::OnExport)
    EVT_MENU(ID_CHART_CLOSE, OrvelGUIChartViewFrame::OnClose)
    EVT_MENU_RANGE(ID_VIEW_FIRST, ID_VIEW_FIRST + kLogChannelCount - 1, OrvelGUIChartViewFrame::OnView)
    EVT_MENU_RANGE(ID_COLOUR_FIRST, ID_COLOUR_FIRST + kLogChannelCount - 1, OrvelGUIChartViewFrame::OnColour)
    EVT_MENU(wxID_ABOUT, OrvelGUIChartViewFrame::OnAbout)
    EVT_MENU_RANGE(ID_ZOOM_IN, ID_SHOW_WHOLE, OrvelGUIChartViewFrame::OnZoom)
    EVT_MENU_RANGE(ID_OVERLAY_PROFILE, ID_EXPORT_CSV, OrvelGUIChartViewFrame::OnOverlay)
    EVT_MENU_RANGE(ID_NEW_GROW, ID_OPEN_GROW, OrvelGUIChartViewFrame::OnGrow)
    EVT_MENU(ID_STACK, OrvelGUIChartViewFrame::OnStack)
    EVT_MENU(ID_PROBE_THRESHOLDS, OrvelGUIChartViewFrame::OnProbeThresholds)
    EVT_MENU(ID_EXPORT_FLAGGED_CSV, OrvelGUIChartViewFrame::OnExportFlaggedCsv)
wxEND_EVENT_TABLE()

OrvelGUIChartViewFrame::OrvelGUIChartViewFrame(wxWindow* parent, wxWindowID id, const wxString& title,
                                               const wxPoint& pos, const wxSize& size, long style)
    : wxFrame(parent, id, title, pos, size, style), m_title(title)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    SetIcons(MakeAppIconBundle()); // its 16 x 16 icon is the window icon

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_chartPanel = new wxChartPanel(this, wxID_ANY, nullptr, wxDefaultPosition, wxDefaultSize);
    sizer->Add(m_chartPanel, 5, wxEXPAND | wxALL, FromDIP(5));
    m_chartPanel->Bind(wxEVT_CONTEXT_MENU, &OrvelGUIChartViewFrame::OnContextMenu, this);
    m_chartPanel->Bind(wxEVT_CHART_VIEW_CHANGED, [this](wxChartViewEvent& event) {
        m_shown = event.GetShownRange();
        m_zoomed = event.IsZoomed();
    });
    m_chartPanel->SetReadoutProvider([this](double x, wxChartPanel::Readout& readout) {
        if (!m_chartData)
            return false;
        wxColour copies[kLogChannelCount];
        ChannelColours colours{};
        CheckedColours(copies, colours);
        if (!m_chartData->Describe(x, colours, readout))
            return false;
        DescribeMore(x, readout);
        return true;
    });
    SetSizer(sizer);

    m_menuBar = new wxMenuBar(0);
    m_fileMenu = new wxMenu();
    m_fileMenu->Append(ID_EXPORT_BMP, "Export to BMP");
    m_fileMenu->Append(ID_EXPORT_JPG, "Export to JPG");
    m_fileMenu->Append(ID_EXPORT_PNG, "Export to PNG");
    m_fileMenu->Append(ID_EXPORT_TIF, "Export to TIF");
    m_fileMenu->AppendSeparator();
    m_fileMenu->Append(ID_CHART_CLOSE, "Close");
    m_menuBar->Append(m_fileMenu, "File");

    m_viewMenu = new wxMenu();
    for (int k = 0; k < kLogChannelCount; ++k)
        m_viewItems[k] = m_viewMenu->AppendCheckItem(ID_VIEW_FIRST + k, LogChannelName(k));
    m_menuBar->Append(m_viewMenu, "View");

    m_colourMenu = new wxMenu();
    for (int k = 0; k < kLogChannelCount; ++k) {
        m_colours[k] = DefaultChannelColour(k);
        auto* item = new wxMenuItem(m_colourMenu, ID_COLOUR_FIRST + k, LogChannelName(k));
        item->SetBitmap(Swatch(m_colours[k], GetContentScaleFactor()));
        m_colourItems[k] = m_colourMenu->Append(item);
        ShowImageAlways(m_colourItems[k]);
    }
    m_menuBar->Append(m_colourMenu, "Color");

    m_aboutMenu = new wxMenu();
    m_aboutItem = m_aboutMenu->Append(wxID_ABOUT, "About");
    m_menuBar->Append(m_aboutMenu, "About");
    SetMenuBar(m_menuBar);

    Layout();
}

wxString OrvelGUIChartViewFrame::ChannelName(int channel)
{
    return LogChannelName(channel);
}

wxColour OrvelGUIChartViewFrame::DefaultChannelColour(int channel)
{
    const unsigned char* rgb = kChannelRgb[channel];
    return wxColour(rgb[0], rgb[1], rgb[2], 255);
}

OrvelGUIChartViewFrame::~OrvelGUIChartViewFrame() = default;

void OrvelGUIChartViewFrame::SetLog(const NodeLog& log)
{
    // The chart shown may still read the old log's series: they are shared
    // with it and go with it.
    m_log = log;
    m_chartData.reset();
}

void OrvelGUIChartViewFrame::CheckedColours(wxColour (&copies)[kLogChannelCount],
                                            ChannelColours& colours) const
{
    for (int k = 0; k < kLogChannelCount; ++k) {
        colours[k] = nullptr;
        if (m_viewItems[k]->IsChecked()) {
            copies[k] = m_colours[k];
            colours[k] = &copies[k];
        }
    }
}

std::array<const wxColour*, kLogChannelCount> OrvelGUIChartViewFrame::CheckedChannelColours() const
{
    std::array<const wxColour*, kLogChannelCount> colours{};
    for (int k = 0; k < kLogChannelCount; ++k)
        colours[k] = m_viewItems[k]->IsChecked() ? &m_colours[k] : nullptr;
    return colours;
}

void OrvelGUIChartViewFrame::RebuildChart()
{
    wxColour copies[kLogChannelCount];
    ChannelColours colours{};
    CheckedColours(copies, colours);

    // The panel keeps the time range in view for every chart it shows; a
    // new log shows all of itself.
    if (!m_chartData) {
        m_chartPanel->SetChart(nullptr);
        m_chartPanel->ForgetView();
        m_chartData = std::make_unique<LogChart>();
        m_chartData->SetProbeThresholds(GetProbeThresholds());
        m_chartData->FillSeries(m_log.records, m_log.count);
    }
    m_chartData->SetTargets(std::make_shared<const LogTargets>(m_targets));
    m_chartData->SetStacked(m_stacked);
    PrepareChartData(*m_chartData);
    std::unique_ptr<Chart> drawn = m_chartData->CreateChart(colours);

    // A log that leaves its time span is plotted up to the record that does,
    // and records with no real date or time at its ends are left out; the
    // chart says so under its title.
    drawn->SetNote(LogChartNote(m_chartData->GetSeries(), m_chartData->LackedMemory()));
    DecorateChart(*drawn);
    m_chartPanel->SetChart(std::move(drawn));
    MarkProbeTroubleSoon();

    const wxString title = LogTitle(m_title, m_logName, m_log);
    if (GetTitle() != title)
        SetTitle(title);
}

// The probe checks of a year of records take a good part of a second's
// tenth: the chart is shown without their marks, and the checks run as soon
// as the window has shown it, redrawing it with them.
bool OrvelGUIChartViewFrame::ProbeChecksShown() const
{
    return m_chartData && m_chartData->ProbeFindingsKnown() && !m_probeChecksDue;
}

void OrvelGUIChartViewFrame::MarkProbeTroubleSoon()
{
    if (m_probeChecksDue || !m_chartData || m_chartData->ProbeFindingsKnown())
        return;
    m_probeChecksDue = true;
    CallAfter([this] {
        m_probeChecksDue = false;
        if (m_chartData && !m_chartData->ProbeFindingsKnown()) {
            m_chartData->ProbeFindings();
            RebuildChart();
        }
    });
}

wxString OrvelGUIChartViewFrame::LogTitle(const wxString& title, const wxString& fileName, const NodeLog& log)
{
    const wxString dates = LogSpanDates(log.records.get(), log.count);
    wxString result = title;
    if (!fileName.empty())
        result << " - " << fileName;
    if (!dates.empty())
        result << " (" << dates << ")";
    return result;
}

void OrvelGUIChartViewFrame::ChooseChannelColour(int channel)
{
    wxColourData data;
    data.SetColour(m_colours[channel]);
    wxColourDialog dialog(this, &data);
    if (dialog.ShowModal() == wxID_OK)
        SetChannelColour(channel, dialog.GetColourData().GetColour());
}

void OrvelGUIChartViewFrame::SetChannelColour(int channel, const wxColour& colour)
{
    m_colours[channel] = colour;
    ShowColourSwatch(channel);
}

void OrvelGUIChartViewFrame::ShowColourSwatch(int channel)
{
    // GTK builds an entry's image when the entry is inserted.
    wxMenuItem* item = m_colourMenu->Remove(m_colourItems[channel]);
    item->SetBitmap(Swatch(m_colours[channel], GetContentScaleFactor()));
    m_colourItems[channel] = m_colourMenu->Insert(static_cast<size_t>(channel), item);
    ShowImageAlways(m_colourItems[channel]);
}

wxString OrvelGUIChartViewFrame::ExportWildcard(const wxString& extension)
{
    return ChartImageWildcard(extension);
}

void OrvelGUIChartViewFrame::ExportChart(const wxString& extension, wxBitmapType type)
{
    if (!m_chartPanel->GetChart()) {
        wxLogError("No chart chosen!");
        return;
    }
    ExportChartImage(this, m_chartPanel->GetBackBuffer(), extension, type);
}

bool OrvelGUIChartViewFrame::SaveChartImage(const wxString& path, wxBitmapType type)
{
    return SaveChartImageTelling(this, m_chartPanel->GetBackBuffer(), path, type);
}

wxAboutDialogInfo OrvelGUIChartViewFrame::AboutInfo()
{
    wxAboutDialogInfo info;
    info.SetName("HALVANE DUO Client Tool");
    info.SetVersion(GetVersionText());
    info.SetDescription(
        "This is the HALVANE DUO Client Tool.  Part of the HALVANE DUO Client Software package.");
    // Without an icon GTK shows its theme's "image missing" picture. The
    // program's 16 x 16 icon, enlarged four times pixel for pixel.
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(wxBitmap(icon_xpm).ConvertToImage().Scale(64, 64, wxIMAGE_QUALITY_NEAREST)));
    info.SetIcon(icon);
    return info;
}

void OrvelGUIChartViewFrame::ShowAbout()
{
    wxAboutBox(AboutInfo());
}

void OrvelGUIChartViewFrame::OnExport(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case ID_EXPORT_BMP:
        ExportChart("bmp", wxBITMAP_TYPE_BMP);
        break;
    case ID_EXPORT_JPG:
        ExportChart("jpg", wxBITMAP_TYPE_JPEG);
        break;
    case ID_EXPORT_PNG:
        ExportChart("png", wxBITMAP_TYPE_PNG);
        break;
    case ID_EXPORT_TIF:
        ExportChart("tif", wxBITMAP_TYPE_TIFF);
        break;
    }
}

void OrvelGUIChartViewFrame::OnClose(wxCommandEvent&)
{
    // A hidden chart view could never be shown again, yet would keep its
    // chart in memory: "Close" closes the window like its close box.
    Close();
}

void OrvelGUIChartViewFrame::OnView(wxCommandEvent&)
{
    RebuildChart();
}

void OrvelGUIChartViewFrame::OnColour(wxCommandEvent& event)
{
    ChooseChannelColour(event.GetId() - ID_COLOUR_FIRST);
    RebuildChart();
}

std::unique_ptr<wxMenu> OrvelGUIChartViewFrame::MakeContextMenu() const
{
    auto menu = std::make_unique<wxMenu>();
    menu->Append(ID_ZOOM_IN, "Zoom In")->Enable(m_chartPanel->CanZoomIn());
    menu->Append(ID_ZOOM_OUT, "Zoom Out")->Enable(m_chartPanel->CanZoomOut());
    menu->Append(ID_SHOW_WHOLE, "Show Whole Log")->Enable(m_chartPanel->CanZoomOut());
    menu->AppendCheckItem(ID_STACK, "Stack by Quantity")->Check(m_stacked);
    menu->AppendSeparator();
    const bool charted = m_chartData && m_chartData->GetSeries().FilledCount() > 0;
    menu->Append(ID_OVERLAY_PROFILE, "Overlay Profile...");
    menu->Append(ID_OVERLAY_SCHEDULE, "Overlay Schedule...");
    menu->Append(ID_REMOVE_OVERLAYS, "Remove Overlays")
        ->Enable(m_targets.HasProfile() || m_targets.HasSchedule(1) || m_targets.HasSchedule(2));
    menu->AppendSeparator();
    menu->Append(ID_SUMMARY, "Summary...")->Enable(charted);
    menu->Append(ID_EXPORT_CSV, "Export Data to CSV...")->Enable(charted);
    menu->Append(ID_EXPORT_FLAGGED_CSV, "Export Data with Probe Flags to CSV...")->Enable(charted);
    menu->Append(ID_PROBE_THRESHOLDS, "Probe Thresholds...");
    menu->AppendSeparator();
    AppendGrowEntries(*menu);
    menu->AppendSeparator();
    for (int id = ID_EXPORT_BMP; id <= ID_EXPORT_TIF; ++id)
        menu->Append(id, m_fileMenu->GetLabelText(id));
    return menu;
}

void OrvelGUIChartViewFrame::OnContextMenu(wxContextMenuEvent& event)
{
    // From the keyboard the position is unknown: the menu opens at the
    // panel's top left corner.
    wxPoint at = event.GetPosition();
    at = at == wxDefaultPosition ? m_chartPanel->GetPosition() + wxPoint(FromDIP(8), FromDIP(8))
                                 : ScreenToClient(at);
    m_chartPanel->HideReadout();
    m_contextX = std::numeric_limits<double>::quiet_NaN();
    const Chart* chart = m_chartPanel->GetChart();
    if (chart && event.GetPosition() != wxDefaultPosition) {
        const wxPoint onPanel = m_chartPanel->ScreenToClient(event.GetPosition());
        const wxRect area = chart->GetPlotsArea();
        if (area.Contains(onPanel))
            m_contextX = chart->GetPlot()->PixelToX(onPanel.x);
    }
    const std::unique_ptr<wxMenu> menu = MakeContextMenu();
    PopupMenu(menu.get(), at);
}

void OrvelGUIChartViewFrame::OnZoom(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case ID_ZOOM_IN:
        m_chartPanel->ZoomIn();
        break;
    case ID_ZOOM_OUT:
        m_chartPanel->ZoomOut();
        break;
    case ID_SHOW_WHOLE:
        m_chartPanel->ShowWhole();
        break;
    }
}

namespace {
// A file of an overlay, read as its page reads it: the path chosen (asked
// for when empty) and what it holds, or nothing when none was chosen or it
// cannot be read (told as its page tells it; a file gone since it was
// chosen changes nothing either).
template <typename Value>
std::optional<Value> ReadOverlay(wxWindow* parent, const wxString& chosen, const wxString& title,
                                 const wxString& wildcard, LoadResult<Value> (*read)(const wxString&),
                                 const wxString& failure)
{
    wxString path = chosen;
    if (path.empty()) {
        wxFileDialog dialog(parent, title, "", "", wildcard, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
        if (dialog.ShowModal() == wxID_OK)
            path = dialog.GetPath();
    }
    if (path.empty())
        return std::nullopt;
    LoadResult<Value> loaded = read(path);
    if (!loaded.Loaded()) {
        if (loaded.status != LoadStatus::Missing)
            wxMessageBox(failure, wxMessageBoxCaptionStr, wxOK | wxCENTRE, parent);
        return std::nullopt;
    }
    return std::move(loaded.value);
}
} // namespace

bool OrvelGUIChartViewFrame::OverlayProfile(const wxString& chosen)
{
    const std::optional<NodeConfig> profile =
        ReadOverlay(this, chosen, "Overlay Profile", "Configuration File (*.hvc)|*.hvc", &ReadConfigFile,
                    "Error reading node config file");
    if (!profile)
        return false;
    m_targets.SetProfile(*profile);
    RebuildChart();
    return true;
}

bool OrvelGUIChartViewFrame::OverlaySchedule(const wxString& chosen, int channel)
{
    const std::optional<NodeSchedule> schedule =
        ReadOverlay(this, chosen, "Overlay Schedule", "Schedule File (*.hvs)|*.hvs", &ReadScheduleFile,
                    "Error reading node schedule file");
    if (!schedule)
        return false;
    if (channel != 1 && channel != 2) {
        const wxString choices[] = {"Channel 1", "Channel 2"};
        wxSingleChoiceDialog ask(this, "Which channel does this schedule set the targets of?",
                                 "Overlay Schedule", 2, choices);
        if (ask.ShowModal() != wxID_OK)
            return false;
        channel = ask.GetSelection() + 1;
    }
    m_targets.SetSchedule(channel, *schedule);
    RebuildChart();
    return true;
}

void OrvelGUIChartViewFrame::RemoveOverlays()
{
    m_targets.Clear();
    RebuildChart();
}

std::vector<uint32_t> OrvelGUIChartViewFrame::RecordsInView() const
{
    std::vector<uint32_t> rows;
    if (!m_chartData || !m_chartPanel->GetChart())
        return rows;
    const LogSeries& series = m_chartData->GetSeries();
    const double* days = series.Days();
    for (uint32_t i = 0; i < series.FilledCount(); ++i)
        if (!m_zoomed || (days[i] >= m_shown.lo && days[i] <= m_shown.hi))
            rows.push_back(series.Begin() + i);
    return rows;
}

wxString OrvelGUIChartViewFrame::SummaryOfView() const
{
    if (!m_chartData || !m_chartPanel->GetChart())
        return wxString();
    const LogSeries& series = m_chartData->GetSeries();
    bool wanted[kLogChannelCount] = {};
    for (int k = 0; k < kLogChannelCount; ++k)
        wanted[k] = m_viewItems[k]->IsChecked();
    const chart::Range view = m_shown;
    const bool overlaid = m_targets.HasProfile();
    // The summary's records are those of the points: from record Begin().
    const LogRecord* charted = m_log.records.get() + series.Begin();
    const LogSummary summary =
        SummariseLog(charted, series.Days(), series.FilledCount(), series.FirstTimeMs(), view.lo, view.hi,
                     wanted, overlaid ? &m_targets : nullptr);
    const auto ms = [&](double days) {
        return series.FirstTimeMs() + static_cast<int64_t>(std::llround(days * civil::kMsPerDay));
    };
    return SummaryText(summary, charted, wanted, overlaid ? &m_targets : nullptr) +
           ProbeFindingsText(m_chartData->ProbeFindings(), ms(view.lo), ms(view.hi), wanted) +
           SummaryMore(summary, charted, wanted);
}

void OrvelGUIChartViewFrame::ShowSummary()
{
    wxString text;
    {
        wxBusyCursor busy;
        text = SummaryOfView();
    }
    LogSummaryDialog dialog(this, text);
    dialog.ShowModal();
}

void OrvelGUIChartViewFrame::ExportViewCsv()
{
    const std::vector<uint32_t> rows = RecordsInView();
    const LogRecord* records = m_log.records.get();
    ExportLogCsv(this, "Export Data to CSV", rows.size(),
                 [&](size_t i) -> const LogRecord& { return records[rows[i]]; });
}

void OrvelGUIChartViewFrame::OnProbeThresholds(wxCommandEvent& WXUNUSED(event))
{
    ProbeThresholdsDialog dialog(this, GetProbeThresholds());
    if (dialog.ShowModal() != wxID_OK)
        return;
    SetProbeThresholds(dialog.GetThresholds());
    if (m_chartData)
        m_chartData->SetProbeThresholds(GetProbeThresholds());
    RebuildChart();
}

ProbeThresholds OrvelGUIChartViewFrame::GetProbeThresholds() const
{
    return SessionProbeThresholds();
}

void OrvelGUIChartViewFrame::SetProbeThresholds(const ProbeThresholds& thresholds)
{
    SessionProbeThresholds() = thresholds;
}

void OrvelGUIChartViewFrame::OnExportFlaggedCsv(wxCommandEvent& WXUNUSED(event))
{
    if (!m_chartData)
        return;
    const std::vector<uint32_t> rows = RecordsInView();
    const LogRecord* records = m_log.records.get();
    const LogCsvExtra flags = ProbeFlags(m_chartData->ProbeFindings()).CsvColumns();
    ExportLogCsv(
        this, "Export Data with Probe Flags to CSV", rows.size(),
        [&](size_t i) -> const LogRecord& { return records[rows[i]]; }, &flags);
}

void OrvelGUIChartViewFrame::OnOverlay(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case ID_OVERLAY_PROFILE:
        OverlayProfile();
        break;
    case ID_OVERLAY_SCHEDULE:
        OverlaySchedule();
        break;
    case ID_REMOVE_OVERLAYS:
        RemoveOverlays();
        break;
    case ID_SUMMARY:
        ShowSummary();
        break;
    case ID_EXPORT_CSV:
        ExportViewCsv();
        break;
    }
}

void OrvelGUIChartViewFrame::SetStacked(bool stacked)
{
    m_stacked = stacked;
    RebuildChart();
}

void OrvelGUIChartViewFrame::OnStack(wxCommandEvent&)
{
    SetStacked(!m_stacked);
}

void OrvelGUIChartViewFrame::AppendGrowEntries(wxMenu& menu) const
{
    menu.Append(ID_NEW_GROW, "New Grow...");
    menu.Append(ID_OPEN_GROW, "Open Grow...");
}

void OrvelGUIChartViewFrame::OnGrow(wxCommandEvent& event)
{
    // A grow's view is a sibling of this one: a child of the log page.
    wxWindow* parent = GetParent() ? GetParent() : this;
    if (event.GetId() == ID_NEW_GROW)
        NewGrow(parent);
    else
        OpenGrow(parent);
}

void OrvelGUIChartViewFrame::OnAbout(wxCommandEvent&)
{
    ShowAbout();
}
