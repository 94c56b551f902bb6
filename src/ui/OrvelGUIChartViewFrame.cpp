#include "ui/OrvelGUIChartViewFrame.h"

#include "ui/AppIcons.h"
#include "ui/LogChart.h"
#include "ui/SavePath.h"

#include "chart/wxChartPanel.h"
#include "core/SafeFile.h"
#include "core/Version.h"
#include "core/WordHelpers.h"

#include <wx/colordlg.h>
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/icon.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/mstream.h>
#include <wx/sizer.h>

#include <memory>

#include "images/icon.xpm"

namespace {

const char* const kChannelNames[kLogChannelCount] = {"EC Channel 1", "EC Channel 2", "PH Channel 1",
                                                     "PH Channel 2", "TE Channel 1", "TE Channel 2"};
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
        m_viewItems[k] = m_viewMenu->AppendCheckItem(ID_VIEW_FIRST + k, kChannelNames[k]);
    m_menuBar->Append(m_viewMenu, "View");

    m_colourMenu = new wxMenu();
    for (int k = 0; k < kLogChannelCount; ++k) {
        m_colours[k] = DefaultChannelColour(k);
        auto* item = new wxMenuItem(m_colourMenu, ID_COLOUR_FIRST + k, kChannelNames[k]);
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
    return kChannelNames[channel];
}

wxColour OrvelGUIChartViewFrame::DefaultChannelColour(int channel)
{
    const unsigned char* rgb = kChannelRgb[channel];
    return wxColour(rgb[0], rgb[1], rgb[2], 255);
}

void OrvelGUIChartViewFrame::RebuildChart()
{
    wxColour copies[kLogChannelCount];
    ChannelColours colours{};
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (m_viewItems[k]->IsChecked()) {
            copies[k] = m_colours[k];
            colours[k] = &copies[k];
        }
    }

    // The old chart goes first: a year of records is large, and two charts of
    // it at once are not needed.
    m_chartPanel->SetChart(nullptr);
    LogChart chart;
    chart.FillSeries(m_log.records.get(), m_log.count);
    std::unique_ptr<Chart> drawn = chart.CreateChart(colours);

    // A log that leaves its time span is plotted up to the record that does;
    // the chart says so under its title.
    const LogSeries& series = chart.GetSeries();
    wxString note;
    switch (series.Stop()) {
    case LogSpanStop::None:
        break;
    case LogSpanStop::OutOfSpan:
    case LogSpanStop::InvalidDateTime:
        note << series.FilledCount() << " of " << series.Count() << " records shown: record "
             << series.StopIndex() + 1
             << (series.Stop() == LogSpanStop::OutOfSpan
                     ? " is outside the time span of the first and last record"
                     : " has an invalid date or time");
        break;
    case LogSpanStop::NoMemory:
        note << "Not enough memory to chart " << series.Count() << " records";
        break;
    }
    drawn->SetNote(note);
    m_chartPanel->SetChart(std::move(drawn));

    const wxString title = LogTitle(m_title, m_logName, m_log);
    if (GetTitle() != title)
        SetTitle(title);
}

wxString OrvelGUIChartViewFrame::LogTitle(const wxString& title, const wxString& fileName, const NodeLog& log)
{
    wxString dates;
    if (!log.Empty()) {
        const wxString first = FormatDateText(DecodePackedDate(log[0][kLogDate]));
        const wxString last = FormatDateText(DecodePackedDate(log[log.count - 1][kLogDate]));
        dates = first == last ? first : first + " - " + last;
    }
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
    if (dialog.ShowModal() == wxID_OK) {
        m_colours[channel] = dialog.GetColourData().GetColour();
        ShowColourSwatch(channel);
    }
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
    return extension.Upper() + " Image File (*." + extension + ")|*." + extension;
}

void OrvelGUIChartViewFrame::ExportChart(const wxString& extension, wxBitmapType type)
{
    if (!m_chartPanel->GetChart()) {
        wxLogError("No chart chosen!");
        return;
    }
    wxFileDialog dialog(this, "Export Chart", "", "", ExportWildcard(extension),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty())
        return;
    const wxString path = ChooseSavePath(this, dialog.GetPath(), extension, "Export Chart");
    if (!path.empty())
        SaveChartImage(path, type);
}

bool OrvelGUIChartViewFrame::SaveChartImage(const wxString& path, wxBitmapType type)
{
    wxString error;
    bool ok = false;
    const wxBitmap& buffer = m_chartPanel->GetBackBuffer();
    if (!buffer.IsOk()) {
        error = "the chart window has no room to draw the chart";
    } else {
        // Encode in memory, then write the file whole: a failure never leaves
        // an empty or cut-off image behind.
        const wxImage image = buffer.ConvertToImage();
        wxMemoryOutputStream encoded;
        bool encodedOk = false;
        {
            wxLogNull quiet;
            encodedOk = image.IsOk() && image.SaveFile(encoded, type);
        }
        if (!encodedOk) {
            error = "the image could not be encoded in this format";
        } else {
            const wxStreamBuffer* bytes = encoded.GetOutputStreamBuffer();
            const SaveResult saved =
                WriteFileAtomically(path, bytes->GetBufferStart(), static_cast<size_t>(encoded.GetLength()));
            ok = saved.Saved();
            error = saved.reason;
        }
    }
    if (!ok)
        wxMessageBox("Cannot export the chart to \"" + path + "\": " + error, wxMessageBoxCaptionStr,
                     wxOK | wxCENTRE | wxICON_ERROR, this);
    return ok;
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

void OrvelGUIChartViewFrame::OnAbout(wxCommandEvent&)
{
    ShowAbout();
}
