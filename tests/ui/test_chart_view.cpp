// The chart view as a user drives it: its menus, channels, colours, export
// and About box.
#include "support/pixel_dump.h"
#include "wx_test_util.h"

#include "test_log_records.h"

#include "core/Version.h"
#include "ui/LogSummaryDialog.h"
#include "ui/OrvelGUIChartViewFrame.h"

#include "core/ConfigFile.h"
#include "core/LogTargets.h"
#include "core/NodeSchedule.h"

#include "chart/Chart.h"
#include "chart/wxChartPanel.h"

#include <wx/choicdlg.h>
#include <wx/clipbrd.h>
#include <wx/dcmemory.h>
#include <wx/file.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#ifdef HALVANE_TEST_X11
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

namespace {

using View = OrvelGUIChartViewFrame;

// A shown chart view of an hourly log, destroyed at scope end.
class ViewFixture {
public:
    explicit ViewFixture(const std::vector<LogRecord>& records = HourlyLog(72))
    {
        view = new View(TestTopFrame(), wxID_ANY, "HALVANE DUO Charts", wxDefaultPosition, wxSize(640, 480),
                        wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
        view->SetLog(MakeNodeLog(records.data(), static_cast<uint32_t>(records.size())));
        view->RebuildChart();
        exists = view;
        EXPECT_TRUE(ShowAndWaitForPaint(view, view->GetChartPanel())) << "the chart is not drawn";
    }
    ~ViewFixture()
    {
        if (alive())
            view->Destroy();
        wxWakeUpIdle();
        EXPECT_TRUE(PumpUntil([&] { return !exists; })) << "the window is not deleted";
    }
    bool alive() const
    {
        for (wxWindow* w : TestTopFrame()->GetChildren())
            if (w == view && !w->IsBeingDeleted())
                return true;
        return false;
    }

    // A click on a menu entry: check items toggle, then the command goes out.
    void Choose(int id)
    {
        wxMenuItem* item = view->GetMenuBar()->FindItem(id);
        ASSERT_NE(item, nullptr) << id;
        if (item->IsCheckable())
            item->Check(!item->IsChecked());
        wxCommandEvent command(wxEVT_MENU, id);
        command.SetEventObject(view);
        command.SetInt(item->IsCheckable() && item->IsChecked());
        view->ProcessWindowEvent(command);
        wxYield();
    }

    const XYPlot* Plot() const { return view->GetChartPanel()->GetChart()->GetPlot(); }

    View* view;
    wxWeakRef<wxWindow> exists; // null once the window is deleted
};

ExpectFile ExpectExportDialog(const wxString& path, const wxString& wildcard, int id = wxID_OK)
{
    return ExpectFile(path, id)
        .Titled("Export Chart")
        .Filter(wildcard)
        .Style(wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
}

// The colour dialog: starts at `initial`, answers `answer` with `colour`.
class ExpectColourDialog : public wxExpectModalBase<wxColourDialog, ExpectColourDialog> {
public:
    ExpectColourDialog(wxColour initial, wxColour colour, int answer)
        : m_initial(initial), m_colour(colour), m_answer(answer)
    {
    }

protected:
    int OnInvoked(wxColourDialog* dlg) const override
    {
        EXPECT_EQ(dlg->GetColourData().GetColour(), m_initial);
        dlg->GetColourData().SetColour(m_colour);
#ifdef __WXGTK__
        ColourDialogAccess::Push(dlg);
#endif
        return m_answer;
    }

private:
    wxColour m_initial, m_colour;
    int m_answer;
};

size_t PixelsOf(const wxImage& image, const wxColour& colour)
{
    size_t n = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
                image.GetBlue(x, y) == colour.Blue())
                ++n;
    return n;
}

wxImage ExportPng(ViewFixture& f, const TempDir& dir, const std::string& name)
{
    const wxString path = dir.File(name);
    wxTEST_DIALOG(f.Choose(View::ID_EXPORT_PNG), ExpectExportDialog(path, "PNG Image File (*.png)|*.png"));
    wxImage image;
    EXPECT_TRUE(image.LoadFile(path, wxBITMAP_TYPE_PNG)) << name;
    return Dumped(image);
}

// Collects the errors sent to the toolkit's log.
class ErrorLog : public wxLog {
public:
    ErrorLog() : m_old(wxLog::SetActiveTarget(this)) {}
    ~ErrorLog() override { wxLog::SetActiveTarget(m_old); }
    std::vector<wxString> errors, functions;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override
    {
        if (level == wxLOG_Error) {
            errors.push_back(msg);
            functions.push_back(info.func);
        }
    }

private:
    wxLog* m_old;
};

} // namespace

TEST(ChartView, MenusAndAFreshChart)
{
    ViewFixture f;
    // No file name given: the title carries the days of the first and last record.
    EXPECT_EQ(f.view->GetTitle(), "HALVANE DUO Charts (06/01/21 - 06/03/21)");
    ASSERT_EQ(f.view->GetIcons().GetIconCount(), 6u);
    EXPECT_EQ(f.view->GetIcons().GetIconByIndex(0).GetWidth(), 16);
    EXPECT_EQ(f.view->GetIcons().GetIconByIndex(5).GetWidth(), 256);

    wxMenuBar* bar = f.view->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    const char* titles[] = {"File", "View", "Color", "About"};
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    for (size_t m = 0; m < 4; ++m)
        EXPECT_EQ(bar->GetMenuLabelText(m), titles[m]);

    struct Entry {
        int id;
        const char* text;
    };
    const Entry file[] = {{5128, "Export to BMP"}, {5129, "Export to JPG"}, {5130, "Export to PNG"},
                          {5131, "Export to TIF"}, {wxID_SEPARATOR, ""},    {5132, "Close"}};
    wxMenu* fileMenu = bar->GetMenu(0);
    ASSERT_EQ(fileMenu->GetMenuItemCount(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        wxMenuItem* item = fileMenu->FindItemByPosition(i);
        EXPECT_EQ(item->GetId(), file[i].id);
        EXPECT_EQ(item->GetItemLabelText(), file[i].text);
        EXPECT_EQ(item->GetHelp(), "");
    }
    const char* channels[] = {"EC Channel 1", "EC Channel 2", "PH Channel 1",
                              "PH Channel 2", "TE Channel 1", "TE Channel 2"};
    const wxColour defaults[] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                 {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};
    ASSERT_EQ(bar->GetMenu(1)->GetMenuItemCount(), 6u);
    ASSERT_EQ(bar->GetMenu(2)->GetMenuItemCount(), 6u);
    for (int k = 0; k < 6; ++k) {
        wxMenuItem* view = bar->GetMenu(1)->FindItemByPosition(static_cast<size_t>(k));
        EXPECT_EQ(view->GetId(), 5059 + k);
        EXPECT_EQ(view->GetItemLabelText(), channels[k]);
        EXPECT_TRUE(view->IsCheckable());
        EXPECT_FALSE(view->IsChecked());
        wxMenuItem* colour = bar->GetMenu(2)->FindItemByPosition(static_cast<size_t>(k));
        EXPECT_EQ(colour->GetId(), 5051 + k);
        EXPECT_EQ(colour->GetItemLabelText(), channels[k]);
        EXPECT_FALSE(colour->IsCheckable());
        EXPECT_EQ(f.view->GetChannelColour(k), defaults[k]);
        EXPECT_EQ(f.view->GetChannelColour(k).Alpha(), 255);
    }
    ASSERT_EQ(bar->GetMenu(3)->GetMenuItemCount(), 1u);
    EXPECT_EQ(bar->GetMenu(3)->FindItemByPosition(0)->GetId(), wxID_ABOUT);
    EXPECT_EQ(bar->GetMenu(3)->FindItemByPosition(0)->GetItemLabelText(), "About");

    // Nothing checked: a titled chart with no line and no value axis in any
    // channel's colour.
    ASSERT_NE(f.view->GetChartPanel()->GetChart(), nullptr);
    EXPECT_EQ(f.view->GetChartPanel()->GetChart()->GetTitle(), "Log File");
    const wxImage shown = Dumped(f.view->GetChartPanel()->GetBackBuffer().ConvertToImage());
    for (const wxColour& colour : defaults)
        EXPECT_EQ(PixelsOf(shown, colour), 0u) << colour.GetAsString().utf8_string();
}

TEST(ChartView, CheckingPhChannel2DrawsItInCyan)
{
    TempDir dir;
    ViewFixture f;
    const wxColour cyan(0, 255, 255);
    EXPECT_EQ(PixelsOf(ExportPng(f, dir, "none.png"), cyan), 0u);

    f.Choose(View::ID_VIEW_FIRST + 3); // "PH Channel 2"
    const wxImage image = ExportPng(f, dir, "ph2.png");
    EXPECT_GT(PixelsOf(image, cyan), 100u);
    EXPECT_EQ(PixelsOf(image, wxColour(255, 0, 0)), 0u);
    // Word 14 falls by half a unit a record: the line runs from the top of
    // the plot at the first record to the bottom at the last, and its axis
    // and labels left of the plot are cyan too.
    const wxRect area = f.Plot()->GetLastPlotArea();
    ASSERT_GT(area.width, 100);
    auto cyanRows = [&](int x) {
        int top = -1, bottom = -1;
        for (int y = area.y; y < area.y + area.height; ++y)
            if (image.GetRed(x, y) == 0 && image.GetGreen(x, y) == 255 && image.GetBlue(x, y) == 255) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        return std::make_pair(top, bottom);
    };
    // The scale spans the readings a probe can give, 7 down to -2 (record
    // 18); lower words run off the bottom.
    auto columnOf = [&](double hours) {
        return static_cast<int>(std::lround(f.Plot()->XToPixel(hours / 24)));
    };
    EXPECT_NEAR(cyanRows(area.x).first, area.y, 1) << "7.0 at the first record";
    EXPECT_NEAR(cyanRows(columnOf(18)).second, area.GetBottom(), 1) << "-2 at record 18";
    EXPECT_NEAR(cyanRows(columnOf(9)).first, area.y + (area.height - 1) / 2.0, 2) << "2.5 at record 9";
    EXPECT_GT(PixelsOf(image.GetSubImage(wxRect(0, area.y, area.x - 1, area.height)), cyan), 20u)
        << "the axis and its labels";

    // Unchecking takes it away again.
    f.Choose(View::ID_VIEW_FIRST + 3);
    EXPECT_EQ(PixelsOf(Dumped(f.view->GetChartPanel()->GetBackBuffer().ConvertToImage()), cyan), 0u);
}

TEST(ChartView, ChoosingColours)
{
    TempDir dir;
    ViewFixture f;
    const wxColour orange(255, 128, 0);
    // Cancel keeps the colour, yet the chart is rebuilt (it picks up EC1,
    // checked without a rebuild of its own).
    f.view->GetViewItem(0)->Check(true);
    wxTEST_DIALOG(f.Choose(View::ID_COLOUR_FIRST),
                  ExpectColourDialog(wxColour(255, 0, 0), orange, wxID_CANCEL));
    EXPECT_EQ(f.view->GetChannelColour(0), wxColour(255, 0, 0));
    EXPECT_GT(PixelsOf(f.view->GetChartPanel()->GetBackBuffer().ConvertToImage(), wxColour(255, 0, 0)), 100u);

    // OK recolours the series and its axis, and the next dialog starts there.
    wxTEST_DIALOG(f.Choose(View::ID_COLOUR_FIRST), ExpectColourDialog(wxColour(255, 0, 0), orange, wxID_OK));
    EXPECT_EQ(f.view->GetChannelColour(0), orange);
    const wxImage image = ExportPng(f, dir, "orange.png");
    EXPECT_GT(PixelsOf(image, orange), 100u);
    EXPECT_EQ(PixelsOf(image, wxColour(255, 0, 0)), 0u);
    // The axis and its labels, left of the plot, are orange too.
    const wxRect area = f.Plot()->GetLastPlotArea();
    const wxRect leftOfPlot(0, area.y, area.x - 1, area.height);
    const size_t oneAxis = PixelsOf(image.GetSubImage(leftOfPlot), orange);
    EXPECT_GT(oneAxis, 20u);
    wxTEST_DIALOG(f.Choose(View::ID_COLOUR_FIRST), ExpectColourDialog(orange, orange, wxID_CANCEL));
    // The entry is still in its place in "Color".
    EXPECT_EQ(f.view->GetMenuBar()->GetMenu(2)->FindItemByPosition(0)->GetId(), View::ID_COLOUR_FIRST);
    EXPECT_EQ(f.view->GetMenuBar()->GetMenu(2)->GetMenuItemCount(), 6u);

    // A colour for an unchecked channel waits until the channel is checked.
    wxTEST_DIALOG(f.Choose(View::ID_COLOUR_FIRST + 4),
                  ExpectColourDialog(wxColour(255, 0, 255), orange, wxID_OK));
    const wxColour magenta(255, 0, 255);
    f.Choose(View::ID_VIEW_FIRST + 4);
    // TE1 is drawn, in orange, on an orange axis of its own beside EC1's.
    const wxImage both = Dumped(f.view->GetChartPanel()->GetBackBuffer().ConvertToImage());
    EXPECT_EQ(PixelsOf(both, magenta), 0u);
    const wxRect bothArea = f.Plot()->GetLastPlotArea();
    EXPECT_GT(PixelsOf(both.GetSubImage(wxRect(0, bothArea.y, bothArea.x - 1, bothArea.height)), orange),
              oneAxis * 3 / 2)
        << "a second orange axis";
}

TEST(ChartView, ExportsInEveryFormatAtThePanelsSize)
{
    TempDir dir;
    ViewFixture f;
    f.Choose(View::ID_VIEW_FIRST + 2);
    const wxSize size = f.view->GetChartPanel()->GetClientSize();
    ASSERT_GT(size.x, 100);
    ASSERT_GT(size.y, 100);
    struct Format {
        int id;
        const char* extension;
        const char* wildcard;
        wxBitmapType type;
    };
    const Format formats[] = {
        {View::ID_EXPORT_BMP, "bmp", "BMP Image File (*.bmp)|*.bmp", wxBITMAP_TYPE_BMP},
        {View::ID_EXPORT_JPG, "jpg", "JPG Image File (*.jpg)|*.jpg", wxBITMAP_TYPE_JPEG},
        {View::ID_EXPORT_PNG, "png", "PNG Image File (*.png)|*.png", wxBITMAP_TYPE_PNG},
        {View::ID_EXPORT_TIF, "tif", "TIF Image File (*.tif)|*.tif", wxBITMAP_TYPE_TIFF},
    };
    for (const Format& format : formats) {
        SCOPED_TRACE(format.extension);
        EXPECT_EQ(View::ExportWildcard(format.extension), format.wildcard);
        const wxString path = dir.File(std::string("chart.") + format.extension);
        wxTEST_DIALOG(f.Choose(format.id), ExpectExportDialog(path, format.wildcard));
        wxImage image;
        ASSERT_TRUE(image.LoadFile(path, format.type));
        EXPECT_EQ(image.GetSize(), size);
        EXPECT_EQ(image.GetSize(), f.view->GetChartPanel()->GetBackBuffer().GetSize());
    }
    // A bigger window exports a bigger image.
    f.view->SetSize(wxSize(800, 600));
    PumpUntil([&] { return f.view->GetChartPanel()->GetClientSize() != size; });
    const wxImage bigger = ExportPng(f, dir, "bigger.png");
    EXPECT_EQ(bigger.GetSize(), f.view->GetChartPanel()->GetClientSize());
    EXPECT_NE(bigger.GetSize(), size);

    // Cancelling writes nothing.
    const wxString cancelled = dir.File("cancelled.png");
    wxTEST_DIALOG(f.Choose(View::ID_EXPORT_PNG),
                  ExpectExportDialog(cancelled, "PNG Image File (*.png)|*.png", wxID_CANCEL));
    EXPECT_FALSE(wxFileExists(cancelled));
}

TEST(ChartView, AFailedExportIsToldAndLeavesNoFile)
{
    TempDir dir;
    ViewFixture f;
    // An existing image is replaced whole by a good export ...
    const wxString path = dir.File("chart.png");
    WriteBytes(path, std::vector<unsigned char>(10, 'x'));
    ASSERT_TRUE(f.view->SaveChartImage(path, wxBITMAP_TYPE_PNG));
    wxImage image;
    EXPECT_TRUE(image.LoadFile(path, wxBITMAP_TYPE_PNG));

    // ... and left alone by a failed one, which is told to the user.
    const wxString missing = dir.File("no-such-folder/chart.png");
    bool ok = true;
    wxTEST_DIALOG(ok = f.view->SaveChartImage(missing, wxBITMAP_TYPE_PNG),
                  wxExpectModal<wxMessageDialog>(wxID_OK).Describe("export failure message"));
    EXPECT_FALSE(ok);
    EXPECT_FALSE(wxFileExists(missing));
    const wxString folder = dir.File("a-folder.png");
    std::filesystem::create_directory(folder.utf8_string());
    wxTEST_DIALOG(ok = f.view->SaveChartImage(folder, wxBITMAP_TYPE_PNG),
                  wxExpectModal<wxMessageDialog>(wxID_OK).Describe("export failure message"));
    EXPECT_FALSE(ok);
    EXPECT_TRUE(wxDirExists(folder));
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 2u) << "no temporary or partial file is left behind";

    // Without a chart there is nothing to export.
    f.view->GetChartPanel()->SetChart(nullptr);
    ErrorLog log;
    f.Choose(View::ID_EXPORT_BMP); // no dialog may appear
    ASSERT_EQ(log.errors.size(), 1u);
    EXPECT_EQ(log.errors[0], "No chart chosen!");
    EXPECT_EQ(log.functions[0], "ExportChart");
}

TEST(ChartView, ALogOutsideItsSpanIsPlottedUpToThatRecordAndSaysSo)
{
    auto records = HourlyLog(10);
    records[7][kLogTime] = LogTime(23, 0, 0);
    records[7][kLogDate] = LogDate(2021, 6, 2); // after the last record
    ViewFixture f(records);
    f.Choose(View::ID_VIEW_FIRST);
    // The note is in the chart, under its unchanged title, where a narrow
    // window's title bar cannot cut it off.
    const Chart* chart = f.view->GetChartPanel()->GetChart();
    EXPECT_EQ(chart->GetTitle(), "Log File");
    EXPECT_EQ(chart->GetNote(),
              "7 of 10 records shown: record 8 is outside the time span of the first and last record");
    EXPECT_EQ(f.view->GetTitle(), "HALVANE DUO Charts (06/01/21)");
    TempDir dir;
    const wxColour noteRed(160, 0, 0);
    const wxImage partly = ExportPng(f, dir, "partly.png");
    EXPECT_GT(PixelsOf(partly, noteRed), 30u) << "the note is drawn";
    // Records 1 to 7 (hours 0 to 6 of the 9 the time axis spans): the line
    // stops at 6 o'clock.
    const wxRect area = f.Plot()->GetLastPlotArea();
    int lastRed = -1;
    for (int x = area.x; x < area.x + area.width; ++x)
        for (int y = area.y; y < area.y + area.height; ++y)
            if (partly.GetRed(x, y) == 255 && partly.GetGreen(x, y) == 0 && partly.GetBlue(x, y) == 0)
                lastRed = x;
    EXPECT_NEAR(lastRed, f.Plot()->XToPixel(6.0 / 24), 1.5) << "the line ends at record 7";

    records[7][kLogDate] = LogDate(2021, 2, 30);
    ViewFixture g(records);
    EXPECT_EQ(g.view->GetChartPanel()->GetChart()->GetNote(),
              "7 of 10 records shown: record 8 has an invalid date or time");
    EXPECT_EQ(g.view->GetTitle(), "HALVANE DUO Charts (06/01/21)");

    ViewFixture good;
    good.Choose(View::ID_VIEW_FIRST);
    EXPECT_EQ(good.view->GetChartPanel()->GetChart()->GetNote(), "");
    EXPECT_EQ(PixelsOf(ExportPng(good, dir, "whole.png"), noteRed), 0u);
}

TEST(ChartView, ARecordWithoutARealDateOrTimeAtAnEndIsLeftOut)
{
    // Two good readings, then a record written as the power failed.
    const std::vector<LogRecord> damagedLast = {SampleRecord(LogDate(2012, 12, 31), LogTime(10, 0, 0), 0),
                                                SampleRecord(LogDate(2012, 12, 31), LogTime(22, 0, 0), 1),
                                                SampleRecord(LogDate(2012, 12, 31), LogTime(25, 61, 61), 2)};
    const std::vector<LogRecord> damagedFirst = {SampleRecord(LogDate(2012, 13, 31), LogTime(9, 0, 0), 7),
                                                 SampleRecord(LogDate(2012, 12, 31), LogTime(10, 0, 0), 0),
                                                 SampleRecord(LogDate(2012, 12, 31), LogTime(22, 0, 0), 1)};
    TempDir dir;
    int n = 0;
    for (const auto& records : {damagedLast, damagedFirst}) {
        SCOPED_TRACE(n == 0 ? "damaged last record" : "damaged first record");
        ViewFixture f(records);
        f.Choose(View::ID_VIEW_FIRST); // "EC Channel 1"
        const XYSerie* serie = f.Plot()->GetDataset(0)->GetSerie(0);
        ASSERT_EQ(serie->GetCount(), 2u);
        EXPECT_EQ(serie->GetX(0), 0.0);
        EXPECT_EQ(serie->GetX(1), 0.5);
        EXPECT_EQ(serie->GetY(0), 1000.0);
        EXPECT_EQ(serie->GetY(1), 1001.0);
        EXPECT_EQ(f.view->GetChartPanel()->GetChart()->GetNote(),
                  "1 record has no valid date or time and is not plotted");
        EXPECT_EQ(f.view->GetTitle(), "HALVANE DUO Charts (12/31/12)");

        // The readings' line crosses the plot from side to side.
        const wxImage image = ExportPng(f, dir, "damaged" + std::to_string(n) + ".png");
        wxRect inner = f.Plot()->GetLastPlotArea();
        inner.Deflate(3);
        int columns = 0;
        for (int x = inner.x; x <= inner.GetRight(); ++x)
            for (int y = inner.y; y <= inner.GetBottom(); ++y)
                if (image.GetRed(x, y) == 255 && image.GetGreen(x, y) == 0 && image.GetBlue(x, y) == 0) {
                    ++columns;
                    break;
                }
        EXPECT_GT(columns, inner.width * 9 / 10) << "red columns in the plot";

        const std::unique_ptr<wxMenu> menu = f.view->MakeContextMenu();
        EXPECT_TRUE(menu->IsEnabled(View::ID_SUMMARY));
        EXPECT_TRUE(menu->IsEnabled(View::ID_EXPORT_CSV));
        const wxString summary = f.view->SummaryOfView();
        EXPECT_TRUE(summary.Contains("Records: 2,")) << summary;
        EXPECT_FALSE(summary.Contains("invalid")) << summary;

        // "Export Data to CSV..." writes the two good records.
        const wxString path = dir.File("damaged" + std::to_string(n) + ".csv");
        wxCommandEvent command(wxEVT_MENU, View::ID_EXPORT_CSV);
        command.SetEventObject(f.view);
        wxTEST_DIALOG(f.view->ProcessWindowEvent(command),
                      ExpectFile(path).Titled("Export Data to CSV").Filter("CSV File (*.csv)|*.csv"));
        wxFile file(path);
        ASSERT_TRUE(file.IsOpened());
        wxString text;
        ASSERT_TRUE(file.ReadAll(&text));
        const wxArrayString lines = wxSplit(text, '\n', '\0');
        ASSERT_EQ(lines.size(), 4u) << text; // header, 2 rows, the empty rest after the last "\r\n"
        EXPECT_TRUE(lines[1].StartsWith("2012-12-31T10:00:00,")) << lines[1];
        EXPECT_TRUE(lines[1].Contains(",1000,")) << lines[1];
        EXPECT_TRUE(lines[2].StartsWith("2012-12-31T22:00:00,")) << lines[2];
        EXPECT_TRUE(lines[2].Contains(",1001,")) << lines[2];
        ++n;
    }
}

TEST(ChartView, TheTitleNamesTheLogFile)
{
    ViewFixture f;
    f.view->SetLogName("greenhouse.hvl");
    f.view->RebuildChart();
    EXPECT_EQ(f.view->GetTitle(), "HALVANE DUO Charts - greenhouse.hvl (06/01/21 - 06/03/21)");
    // Every rebuild keeps it.
    f.Choose(View::ID_VIEW_FIRST + 1);
    EXPECT_EQ(f.view->GetTitle(), "HALVANE DUO Charts - greenhouse.hvl (06/01/21 - 06/03/21)");

    // Dates are those of the first and the last record with a real date
    // and time: the chart's span.
    auto records = HourlyLog(50);
    records[49][kLogDate] = LogDate(2021, 13, 1);
    EXPECT_EQ(View::LogTitle("T", "a.hvl", MakeNodeLog(records.data(), 50)),
              "T - a.hvl (06/01/21 - 06/03/21)");
    records[0][kLogTime] = LogTime(0, 61, 0);
    records[48][kLogTime] = LogTime(25, 0, 0);
    EXPECT_EQ(View::LogTitle("T", "a.hvl", MakeNodeLog(records.data(), 49)),
              "T - a.hvl (06/01/21 - 06/02/21)");
    EXPECT_EQ(View::LogTitle("T", "a.hvl", MakeNodeLog(records.data(), 1)), "T - a.hvl");
    EXPECT_EQ(View::LogTitle("T", "", NodeLog()), "T");
}

TEST(ChartView, AboutAndClose)
{
    const wxAboutDialogInfo info = View::AboutInfo();
    // The program's icon, not the theme's "image missing" picture.
    ASSERT_TRUE(info.HasIcon());
    EXPECT_EQ(info.GetIcon().GetWidth(), 64);
    EXPECT_EQ(info.GetIcon().GetHeight(), 64);
    EXPECT_EQ(info.GetName(), "HALVANE DUO Client Tool");
    EXPECT_EQ(info.GetVersion(), GetVersionText());
    EXPECT_EQ(info.GetDescription(),
              "This is the HALVANE DUO Client Tool.  Part of the HALVANE DUO Client Software package.");

    ViewFixture f;
    // GTK shows its own About window (not modal); choosing the entry must not
    // raise a wx assertion or a stray wx dialog.
    f.Choose(wxID_ABOUT);
    ASSERT_TRUE(PumpUntilIdle());

    ASSERT_TRUE(f.alive());
    f.Choose(View::ID_CHART_CLOSE);
    EXPECT_TRUE(PumpUntil([&] { return !f.alive(); })) << "\"Close\" closes the window and frees its chart";
}

namespace {

// What the screen shows in rect, read back from the X server: the root
// window's pixels, menus included (wxScreenDC leaves GTK's menu windows out).
wxImage ScreenPixels(const wxRect& rect)
{
    wxImage image(rect.width, rect.height);
#ifdef HALVANE_TEST_X11
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return image;
    XImage* pixels =
        XGetImage(display, DefaultRootWindow(display), rect.x, rect.y, static_cast<unsigned>(rect.width),
                  static_cast<unsigned>(rect.height), AllPlanes, ZPixmap);
    if (pixels) {
        for (int y = 0; y < rect.height; ++y) {
            for (int x = 0; x < rect.width; ++x) {
                const unsigned long p = XGetPixel(pixels, x, y); // 24-bit TrueColor: 0xRRGGBB
                image.SetRGB(x, y, static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                             static_cast<unsigned char>(p));
            }
        }
        XDestroyImage(pixels);
    }
    XCloseDisplay(display);
#endif
    return image;
}

// The bounding box of the pixels of exactly this colour, and their number.
wxRect BoxOf(const wxImage& image, const wxColour& colour, size_t& count)
{
    int left = image.GetWidth(), top = image.GetHeight(), right = -1, bottom = -1;
    count = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
                image.GetBlue(x, y) == colour.Blue()) {
                ++count;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return count ? wxRect(left, top, right - left + 1, bottom - top + 1) : wxRect();
}

} // namespace

// With the desktop's default settings (menu images off in GTK 3), as a new
// user would see it: each "Color" entry shows its channel's colour, one
// entry under the other in channel order.
TEST(ChartView, ColourEntriesShowTheirColoursOnScreen)
{
#ifndef HALVANE_TEST_X11
    GTEST_SKIP() << "needs Xlib to read the screen";
#endif
    ViewFixture f;
    f.view->Move(0, 0);
    f.view->Raise();
    ASSERT_TRUE(PumpUntil([&] { return f.view->IsShownOnScreen(); }));
    ASSERT_TRUE(PumpUntilIdle()); // moved and raised
    // The screen's pixels per logical pixel: 2 in the ui_chart_view_scale2
    // entry (GDK_SCALE=2), where the screen is read in its own pixels.
    const int scale = TestScreenScale() == 2 ? 2 : 1;
    ASSERT_EQ(f.view->GetContentScaleFactor(), scale);
    const wxRect screenRect(0, 0, std::min(900 * scale, 1280), std::min(700 * scale, 1024));
    const wxColour orange(255, 128, 0);
    std::vector<wxColour> colours = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                     {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};
    for (const wxColour& colour : colours) {
        size_t n = 0;
        BoxOf(ScreenPixels(screenRect), colour, n);
        ASSERT_EQ(n, 0u) << "nothing on screen has the colour before the menu opens";
    }

    wxUIActionSimulator sim;
    // The menu GTK has open, as wx reports it.
    wxMenu* open = nullptr;
    f.view->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        open = event.GetMenu();
        event.Skip();
    });
    f.view->Bind(wxEVT_MENU_CLOSE, [&](wxMenuEvent& event) {
        if (open == event.GetMenu())
            open = nullptr;
        event.Skip();
    });
    wxMenuBar* bar = f.view->GetMenuBar();
    auto openColourMenu = [&] {
        // A click on "File" opens the bar's first menu; two steps right is
        // "Color" ("File", "View", "Color", "About").
        const wxRect barRect = bar->GetScreenRect();
        const wxPoint onFile = barRect.GetPosition() + wxPoint(15, barRect.height / 2);
        sim.MouseMove(onFile);
        ASSERT_TRUE(PumpUntil([&] { return wxGetMousePosition() == onFile; }))
            << "the pointer is on \"File\"";
        sim.MouseClick();
        ASSERT_TRUE(PumpUntil([&] { return open == bar->GetMenu(0); }, 3000)) << "\"File\" opens";
        sim.Char(WXK_RIGHT);
        ASSERT_TRUE(PumpUntil([&] { return open == bar->GetMenu(1); }, 3000)) << "then \"View\"";
        sim.Char(WXK_RIGHT);
        ASSERT_TRUE(PumpUntil([&] { return open == bar->GetMenu(2); }, 3000)) << "then \"Color\"";
    };
    auto closeMenus = [&] {
        // The first Escape closes the menu, the second leaves the bar (GTK
        // takes the keys in the order they were typed).
        sim.Char(WXK_ESCAPE);
        sim.Char(WXK_ESCAPE);
        EXPECT_TRUE(PumpUntil([&] { return open == nullptr; }, 3000)) << "the menus close";
        EXPECT_TRUE(PumpUntilIdle());
    };
    auto expectSwatches = [&](const std::vector<wxColour>& expected) {
        std::vector<wxRect> boxes(expected.size());
        const bool shown = PumpUntil(
            [&] {
                const wxImage screen = ScreenPixels(screenRect);
                for (size_t k = 0; k < expected.size(); ++k) {
                    size_t n = 0;
                    boxes[k] = BoxOf(screen, expected[k], n);
                    if (n < 100)
                        return false;
                }
                return true;
            },
            3000);
        ASSERT_TRUE(shown) << "every entry shows a swatch of its colour";
        for (size_t k = 0; k < expected.size(); ++k) {
            SCOPED_TRACE(k);
            // A compact swatch beside the entry's text, not pixels anywhere.
            EXPECT_LE(boxes[k].width, 16 * scale);
            EXPECT_LE(boxes[k].height, 16 * scale);
            if (scale == 2) {
                // 16 logical pixels at the screen's pixels, the colour 14
                // of them inside a frame of one: not shown at twice that.
                EXPECT_EQ(boxes[k].width, 28);
                EXPECT_EQ(boxes[k].height, 28);
            }
            EXPECT_EQ(boxes[k].x, boxes[0].x);
            if (k > 0) {
                EXPECT_GE(boxes[k].y, boxes[k - 1].GetBottom())
                    << "entry " << k << " is under entry " << k - 1;
            }
        }
        // The menu hangs under the bar, at its left.
        EXPECT_LT(boxes[0].x, 300 * scale);
        EXPECT_GT(boxes[0].y, 0);
    };

    openColourMenu();
    expectSwatches(colours);
    closeMenus();
    size_t left = 0;
    ASSERT_TRUE(PumpUntil([&] {
        BoxOf(ScreenPixels(screenRect), colours[0], left);
        return left == 0;
    }));

    // A new colour shows in its entry, still in its place.
    wxTEST_DIALOG(f.Choose(View::ID_COLOUR_FIRST + 2), ExpectColourDialog(colours[2], orange, wxID_OK));
    colours[2] = orange;
    openColourMenu();
    expectSwatches(colours);
    size_t blue = 0;
    BoxOf(ScreenPixels(screenRect), wxColour(0, 0, 255), blue);
    EXPECT_EQ(blue, 0u);
    closeMenus();
}

TEST(ChartView, ANameWithoutExtensionGetsTheFormatsExtension)
{
    TempDir dir;
    ViewFixture f;
    f.Choose(View::ID_VIEW_FIRST);
    wxTEST_DIALOG(f.Choose(View::ID_EXPORT_PNG),
                  ExpectExportDialog(dir.File("chart"), "PNG Image File (*.png)|*.png"));
    EXPECT_FALSE(wxFileExists(dir.File("chart")));
    wxImage image;
    ASSERT_TRUE(wxFileExists(dir.File("chart.png")));
    EXPECT_TRUE(image.LoadFile(dir.File("chart.png"), wxBITMAP_TYPE_PNG));
    // The name ending in a dot, and a name that has an extension of its own.
    wxTEST_DIALOG(f.Choose(View::ID_EXPORT_BMP),
                  ExpectExportDialog(dir.File("dotted."), "BMP Image File (*.bmp)|*.bmp"));
    EXPECT_TRUE(image.LoadFile(dir.File("dotted.bmp"), wxBITMAP_TYPE_BMP));
    wxTEST_DIALOG(f.Choose(View::ID_EXPORT_JPG),
                  ExpectExportDialog(dir.File("june.v2"), "JPG Image File (*.jpg)|*.jpg"));
    EXPECT_TRUE(image.LoadFile(dir.File("june.v2"), wxBITMAP_TYPE_JPEG));

    // "chart" again: chart.png exists, so the user is asked; No keeps it.
    const std::vector<unsigned char> old(12, 'x');
    WriteBytes(dir.File("chart.png"), old);
    const wxString question = "A file named \"chart.png\" already exists in \"" +
                              wxString::FromUTF8(dir.Path().u8string()) + "\".\nDo you want to replace it?";
    wxTEST_DIALOG(f.Choose(View::ID_EXPORT_PNG),
                  ExpectExportDialog(dir.File("chart"), "PNG Image File (*.png)|*.png"),
                  ExpectMessageBox(wxID_NO, question, "Export Chart", wxYES_NO | wxICON_QUESTION));
    EXPECT_EQ(ReadBytes(dir.File("chart.png")), old);
    wxTEST_DIALOG(f.Choose(View::ID_EXPORT_PNG),
                  ExpectExportDialog(dir.File("chart"), "PNG Image File (*.png)|*.png"),
                  ExpectMessageBox(wxID_YES, question, "Export Chart", wxYES_NO | wxICON_QUESTION));
    EXPECT_TRUE(image.LoadFile(dir.File("chart.png"), wxBITMAP_TYPE_PNG));
}

// Run by the ui_chart_view_scale2 entry under GDK_SCALE=2: what the screen
// shows, the export and the swatches have the screen's pixels.
TEST(ChartViewScale2, TheScreenAndTheExportHaveTheScreensPixels)
{
    if (TestScreenScale() != 2)
        GTEST_SKIP() << "for a screen scaled by 2 (the ui_chart_view_scale2 entry)";
    ViewFixture f;
    ASSERT_EQ(f.view->GetContentScaleFactor(), 2.0);
    f.view->Move(0, 0);
    f.view->Raise();
    ASSERT_TRUE(PumpUntil([&] { return f.view->IsShownOnScreen(); }));
    wxChartPanel* panel = f.view->GetChartPanel();
    EventCounter<wxPaintEvent> painted(panel, wxEVT_PAINT);
    panel->Refresh();
    panel->Update();
    ASSERT_TRUE(painted.WaitFor(1));
    const wxSize client = panel->GetClientSize();
    ASSERT_GT(client.x, 100);
    const wxImage buffer = Dumped(panel->GetBackBuffer().ConvertToImage());
    ASSERT_EQ(buffer.GetSize(), wxSize(2 * client.x, 2 * client.y));

    // The export writes those pixels.
    TempDir dir;
    const wxImage exported = ExportPng(f, dir, "scaled.png");
    ASSERT_TRUE(exported.IsOk());
    EXPECT_EQ(exported.GetSize(), buffer.GetSize());
    EXPECT_EQ(0, std::memcmp(exported.GetData(), buffer.GetData(),
                             static_cast<size_t>(buffer.GetWidth() * buffer.GetHeight() * 3)));

#ifdef HALVANE_TEST_X11
    // And the screen shows them one for one, not the buffer stretched.
    const wxPoint origin = panel->ClientToScreen(wxPoint(0, 0));
    const wxRect shown(2 * origin.x, 2 * origin.y, buffer.GetWidth(), buffer.GetHeight());
    ASSERT_LE(shown.GetRight(), 1279);
    ASSERT_LE(shown.GetBottom(), 1023);
    const wxImage screen = ScreenPixels(shown);
    int differ = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
            differ += screen.GetRed(x, y) != buffer.GetRed(x, y) ||
                      screen.GetGreen(x, y) != buffer.GetGreen(x, y) ||
                      screen.GetBlue(x, y) != buffer.GetBlue(x, y);
    EXPECT_EQ(differ, 0);
#endif
}

TEST(ChartViewScale2, SwatchesAreDrawnAtTheScreensPixels)
{
    if (TestScreenScale() != 2)
        GTEST_SKIP() << "for a screen scaled by 2 (the ui_chart_view_scale2 entry)";
    ViewFixture f;
    const wxColour orange(255, 128, 0);
    wxTEST_DIALOG(f.Choose(View::ID_COLOUR_FIRST + 1),
                  ExpectColourDialog(wxColour(0, 255, 0), orange, wxID_OK));
    const std::vector<wxColour> colours = {{255, 0, 0},   orange,        {0, 0, 255},
                                           {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};
    for (size_t k = 0; k < colours.size(); ++k) {
        SCOPED_TRACE(k);
        const wxMenuItem* item = f.view->GetMenuBar()->FindItem(View::ID_COLOUR_FIRST + static_cast<int>(k));
        ASSERT_NE(item, nullptr);
        const wxBitmap bitmap = item->GetBitmapBundle().GetBitmapFor(f.view);
        ASSERT_TRUE(bitmap.IsOk());
        EXPECT_EQ(bitmap.GetSize(), wxSize(32, 32));
        EXPECT_EQ(bitmap.GetLogicalSize(), wxSize(16, 16));
        const wxImage image = Dumped(bitmap.ConvertToImage());
        ASSERT_EQ(image.GetSize(), wxSize(32, 32));
        auto at = [&](int x, int y) {
            return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
        };
        EXPECT_EQ(at(16, 16), colours[k]);
        // The frame is one logical pixel, two of the screen's; the colour
        // fills the 28 by 28 inside exactly.
        EXPECT_EQ(at(1, 1), *wxBLACK);
        EXPECT_EQ(at(30, 30), *wxBLACK);
        EXPECT_EQ(at(2, 2), colours[k]);
        EXPECT_EQ(at(29, 29), colours[k]);
        EXPECT_EQ(PixelsOf(image, colours[k]), 28u * 28u);
    }
}

namespace {

// count records one minute apart from 1 June 2021 00:00, EC 1 flat at 1000
// but for a spike to 5000 at record spike.
std::vector<LogRecord> MinuteLogWithSpike(uint32_t count, uint32_t spike)
{
    std::vector<LogRecord> log;
    for (uint32_t i = 0; i < count; ++i) {
        LogRecord r =
            SampleRecord(LogDate(2021, 6, 1 + static_cast<int>(i / 1440)),
                         LogTime(static_cast<int>(i / 60 % 24), static_cast<int>(i % 60), 0), i % 7);
        r[kLogEc1] = i == spike ? 5000 : 1000;
        log.push_back(r);
    }
    return log;
}

// The columns of the plot area holding colour above row (the spike, above
// the flat line; the axis line of the same colour is outside the area).
int ColumnsAbove(const wxImage& image, const wxColour& colour, const wxRect& area, int row)
{
    int columns = 0;
    for (int x = area.x; x <= area.GetRight(); ++x)
        for (int y = area.y; y < row; ++y)
            if (image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
                image.GetBlue(x, y) == colour.Blue()) {
                ++columns;
                break;
            }
    return columns;
}

// The point of the panel at time x (days) and the middle of the plot's height.
wxPoint PlotPoint(const XYPlot* plot, double x)
{
    const wxRect area = plot->GetLastPlotArea();
    return wxPoint(static_cast<int>(std::lround(plot->XToPixel(x))), area.y + area.height / 2);
}

} // namespace

TEST(ChartViewZoom, ABandDraggedOverASpikeExportsItWideWithoutTheReadout)
{
    TempDir dir;
    ViewFixture f(MinuteLogWithSpike(2000, 1000));
    f.Choose(View::ID_VIEW_FIRST + 0); // EC Channel 1 only, red
    wxChartPanel* panel = f.view->GetChartPanel();
    const wxColour red(255, 0, 0);
    const XYPlot* plot = f.Plot();
    const int flatRow = static_cast<int>(std::lround(plot->YToPixel(0, 1000))) - 2;
    const int wholeColumns =
        ColumnsAbove(Dumped(panel->GetBackBuffer().ConvertToImage()), red, plot->GetLastPlotArea(), flatRow);
    EXPECT_LE(wholeColumns, 2) << "a one-minute spike in 2000 minutes is a needle";

    // A band from half an hour before the spike to half an hour after it,
    // then one from 5 minutes before to 5 minutes after.
    const double spikeDay = 1000.0 / 1440;
    wxUIActionSimulator sim;
    auto band = [&](double fromMinutes, double toMinutes) {
        const wxPoint from = panel->ClientToScreen(PlotPoint(f.Plot(), fromMinutes / 1440));
        const wxPoint to = panel->ClientToScreen(PlotPoint(f.Plot(), toMinutes / 1440));
        sim.MouseMove(from);
        wxYield();
        sim.MouseDown();
        wxYield();
        for (int step = 1; step <= 4; ++step) {
            sim.MouseMove(from + (to - from) * step / 4);
            wxYield();
        }
        EXPECT_TRUE(panel->IsBandShown());
        const chart::Range before = f.Plot()->GetViewX();
        sim.MouseUp();
        EXPECT_TRUE(PumpUntil([&] { return f.Plot()->GetViewX() != before; }));
    };
    band(970, 1030);
    ASSERT_TRUE(f.Plot()->HasViewX());
    // Within a pixel's worth of the band's ends: a pixel was about 2000 / 600
    // minutes of the whole log.
    EXPECT_NEAR(f.Plot()->GetViewX().lo * 1440, 970, 4);
    EXPECT_NEAR(f.Plot()->GetViewX().hi * 1440, 1030, 4);
    band(995, 1005);
    const chart::Range view = f.Plot()->GetViewX();
    EXPECT_NEAR(view.lo * 1440, 995, 0.5);
    EXPECT_NEAR(view.hi * 1440, 1005, 0.5);

    // The pointer rests over the plot: the readout is on the screen.
    sim.MouseMove(panel->ClientToScreen(PlotPoint(f.Plot(), spikeDay)));
    ASSERT_TRUE(PumpUntil([&] { return panel->IsReadoutShown(); }));
    const wxImage exported = ExportPng(f, dir, "zoomed.png");
    ASSERT_TRUE(exported.IsOk());
    const wxImage buffer = Dumped(panel->GetBackBuffer().ConvertToImage());
    ASSERT_EQ(exported.GetSize(), buffer.GetSize());
    {
        // The value axis spans what is in view, 1000 to the spike's 5000:
        // the line reaches from the bottom of the plot to its top.
        const wxRect area = f.Plot()->GetLastPlotArea();
        int top = -1, bottom = -1;
        for (int y = area.y; y < area.y + area.height; ++y)
            for (int x = area.x; x < area.x + area.width; ++x)
                if (buffer.GetRed(x, y) == 255 && buffer.GetGreen(x, y) == 0 && buffer.GetBlue(x, y) == 0) {
                    top = top < 0 ? y : top;
                    bottom = y;
                }
        EXPECT_NEAR(top, area.y, 1) << "5000 at the top";
        EXPECT_NEAR(bottom, area.GetBottom(), 1) << "1000 at the bottom";
    }
    EXPECT_EQ(0, std::memcmp(exported.GetData(), buffer.GetData(),
                             static_cast<size_t>(buffer.GetWidth()) * buffer.GetHeight() * 3))
        << "the export is the chart as drawn, without the readout";
    // The screen shows the readout over the chart.
    wxBitmap screen(panel->GetClientSize(), 24);
    {
        wxMemoryDC dc(screen);
        dc.DrawBitmap(panel->GetBackBuffer(), 0, 0);
        panel->DrawOverlay(dc);
    }
    EXPECT_NE(0, std::memcmp(Dumped(screen.ConvertToImage()).GetData(), buffer.GetData(),
                             static_cast<size_t>(buffer.GetWidth()) * buffer.GetHeight() * 3));
    // Two minutes of spike in ten: a fifth of the plot's width at least.
    const int flatNow = static_cast<int>(std::lround(f.Plot()->YToPixel(0, 1000))) - 2;
    EXPECT_GE(ColumnsAbove(exported, red, f.Plot()->GetLastPlotArea(), flatNow),
              f.Plot()->GetLastPlotArea().width / 6);

    // A double click shows the whole log again.
    sim.MouseDblClick();
    ASSERT_TRUE(PumpUntil([&] { return !f.Plot()->HasViewX(); }));
}

TEST(ChartViewZoom, TheReadoutShowsTheNearestRecordAndGoesWhenThePointerLeaves)
{
    ViewFixture f; // 72 hourly records from 1 June 2021
    f.Choose(View::ID_VIEW_FIRST + 0);
    f.Choose(View::ID_VIEW_FIRST + 2);
    f.Choose(View::ID_VIEW_FIRST + 5);
    wxChartPanel* panel = f.view->GetChartPanel();
    // 25 h 20 min after the first record: nearest is record 25 (2 June, 01:00).
    wxUIActionSimulator sim;
    sim.MouseMove(panel->ClientToScreen(PlotPoint(f.Plot(), (25 + 1.0 / 3) / 24)));
    ASSERT_TRUE(PumpUntil([&] { return panel->IsReadoutShown(); }));
    const wxChartPanel::Readout& readout = panel->GetReadout();
    EXPECT_DOUBLE_EQ(readout.x, 25.0 / 24);
    std::vector<std::string> lines;
    for (const auto& line : readout.lines)
        lines.push_back(line.text.utf8_string());
    // The test runs in the "C" locale: month/day/year, 24-hour time.
    EXPECT_EQ(lines, (std::vector<std::string>{"06/02/2021 01:00:00", "EC Channel 1: 1025",
                                               "PH Channel 1: 11.75", "TE Channel 2: -2.50"}));
    ASSERT_EQ(readout.lines.size(), 4u);
    EXPECT_EQ(readout.lines[1].colour, wxColour(255, 0, 0));
    EXPECT_EQ(readout.lines[3].colour, wxColour(255, 255, 0));

    // Out of the panel (over the frame's border, then beyond it): gone.
    sim.MouseMove(f.view->ClientToScreen(wxPoint(1, 1)));
    EXPECT_TRUE(PumpUntil([&] { return !panel->IsReadoutShown(); }));
}

TEST(ChartViewZoom, TheContextMenuZoomsShowsAllAndExports)
{
    TempDir dir;
    ViewFixture f;
    f.Choose(View::ID_VIEW_FIRST + 0);
    wxChartPanel* panel = f.view->GetChartPanel();
    {
        const std::unique_ptr<wxMenu> menu = f.view->MakeContextMenu();
        std::vector<std::string> labels;
        for (const wxMenuItem* item : menu->GetMenuItems())
            labels.push_back(item->IsSeparator() ? "-" : item->GetItemLabelText().utf8_string());
        EXPECT_EQ(labels, (std::vector<std::string>{"Zoom In",
                                                    "Zoom Out",
                                                    "Show Whole Log",
                                                    "Stack by Quantity",
                                                    "-",
                                                    "Overlay Profile...",
                                                    "Overlay Schedule...",
                                                    "Remove Overlays",
                                                    "-",
                                                    "Summary...",
                                                    "Export Data to CSV...",
                                                    "Export Data with Probe Flags to CSV...",
                                                    "Probe Thresholds...",
                                                    "-",
                                                    "New Grow...",
                                                    "Open Grow...",
                                                    "-",
                                                    "Export to BMP",
                                                    "Export to JPG",
                                                    "Export to PNG",
                                                    "Export to TIF"}));
        EXPECT_FALSE(menu->IsEnabled(View::ID_REMOVE_OVERLAYS)) << "no overlay yet";
        EXPECT_TRUE(menu->IsEnabled(View::ID_SUMMARY));
        EXPECT_TRUE(menu->IsEnabled(View::ID_ZOOM_IN));
        EXPECT_FALSE(menu->IsEnabled(View::ID_ZOOM_OUT)) << "the whole log is in view";
        EXPECT_FALSE(menu->IsEnabled(View::ID_SHOW_WHOLE));
    }
    auto send = [&](int id) {
        wxCommandEvent command(wxEVT_MENU, id);
        command.SetEventObject(f.view);
        f.view->ProcessWindowEvent(command);
        wxYield();
    };
    send(View::ID_ZOOM_IN);
    ASSERT_TRUE(f.Plot()->HasViewX());
    // Half of 71 hours around the middle.
    EXPECT_NEAR(f.Plot()->GetViewX().lo * 24, 17.75, 1e-9);
    EXPECT_NEAR(f.Plot()->GetViewX().hi * 24, 53.25, 1e-9);
    EXPECT_TRUE(f.view->MakeContextMenu()->IsEnabled(View::ID_ZOOM_OUT));
    send(View::ID_ZOOM_IN);
    send(View::ID_ZOOM_OUT);
    EXPECT_NEAR(f.Plot()->GetViewX().Span() * 24, 35.5, 1e-9);
    send(View::ID_SHOW_WHOLE);
    EXPECT_FALSE(f.Plot()->HasViewX());

    // A right click opens the menu over the chart; Escape closes it.
    std::vector<std::string> opened;
    EventCounter<wxMenuEvent> closed(f.view, wxEVT_MENU_CLOSE);
    f.view->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        if (wxMenu* menu = event.GetMenu())
            if (menu->FindItem(View::ID_SHOW_WHOLE))
                opened.push_back("context");
        event.Skip();
        // Closed from the keyboard once GTK shows it.
        f.view->CallAfter([] {
            wxUIActionSimulator keys;
            keys.Char(WXK_ESCAPE);
        });
    });
    wxUIActionSimulator sim;
    sim.MouseMove(panel->ClientToScreen(PlotPoint(f.Plot(), 1.0)));
    wxYield();
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    EXPECT_TRUE(PumpUntil([&] { return opened.size() == 1; }, 3000));
    // Closed again, and all the click queued run: it opened once.
    EXPECT_TRUE(closed.WaitFor(1));
    EXPECT_TRUE(PumpUntilIdle());
    EXPECT_EQ(opened.size(), 1u);

    // An export entry of the context menu exports as "File" does.
    send(View::ID_ZOOM_IN);
    const wxString path = dir.File("from-menu.png");
    wxTEST_DIALOG(send(View::ID_EXPORT_PNG), ExpectExportDialog(path, "PNG Image File (*.png)|*.png"));
    EXPECT_TRUE(wxFileExists(path));
}

TEST(ChartViewZoom, TwoViewsOfOneLogZoomEachOnItsOwn)
{
    ViewFixture first, second;
    first.Choose(View::ID_VIEW_FIRST + 0);
    second.Choose(View::ID_VIEW_FIRST + 0);
    first.view->GetChartPanel()->SetView(1.0, 1.5);
    EXPECT_TRUE(first.Plot()->HasViewX());
    EXPECT_FALSE(second.Plot()->HasViewX());
    second.view->GetChartPanel()->ZoomIn();
    EXPECT_EQ(first.Plot()->GetViewX(), (chart::Range{1.0, 1.5}));
    EXPECT_NEAR(second.Plot()->GetViewX().Span() * 24, 35.5, 1e-9);
}

TEST(ChartViewZoom, TheViewSurvivesChannelsAndColoursAndANewLogShowsAll)
{
    ViewFixture f;
    f.Choose(View::ID_VIEW_FIRST + 0);
    wxChartPanel* panel = f.view->GetChartPanel();
    panel->SetView(1.0, 1.5);
    ASSERT_TRUE(f.Plot()->HasViewX());
    EXPECT_EQ(f.Plot()->GetViewX(), (chart::Range{1.0, 1.5}));
    f.Choose(View::ID_VIEW_FIRST + 3);
    EXPECT_EQ(f.Plot()->GetViewX(), (chart::Range{1.0, 1.5})) << "a channel checked";
    f.view->SetChannelColour(0, wxColour(10, 20, 30));
    f.view->RebuildChart();
    EXPECT_EQ(f.Plot()->GetViewX(), (chart::Range{1.0, 1.5})) << "a colour changed";

    // Zoomed in, the time axis reads calendar time: 1 June 2021 is day 0.
    const std::vector<chart::Tick> ticks = f.Plot()->GetHorizontalAxis(0)->GetTicks(5);
    ASSERT_GE(ticks.size(), 3u);
    EXPECT_EQ(ticks.front().label, "00:00\n06/02/2021");
    for (const chart::Tick& tick : ticks)
        EXPECT_TRUE(tick.label.Matches("??:00*")) << tick.label;
    // A new log is shown whole.
    const std::vector<LogRecord> other = HourlyLog(48, 3);
    f.view->SetLog(MakeNodeLog(other.data(), static_cast<uint32_t>(other.size())));
    f.view->RebuildChart();
    EXPECT_FALSE(f.Plot()->HasViewX());
    EXPECT_EQ(f.Plot()->GetHorizontalAxis(0)->GetTicks(5).front().label, "0.0")
        << "days since the first record";
}

namespace {

// A profile holding channel 1 at EC 1030 +/- 20 and PH 12.00 +/- 0.50 in the
// given mode (channel 2 EC 2010 +/- 10).
NodeConfig TargetProfile(uint32_t mode)
{
    NodeConfig config;
    config[kIndexOperationMode] = mode;
    config[kIndexEc1Target] = 1030;
    config[kIndexEc2Target] = 2010;
    config[kIndexPh1Target] = FloatToWord(12.0f);
    config[50] = 20;
    config[51] = 10;
    config[52] = FloatToWord(0.5f);
    config[53] = FloatToWord(0.5f);
    return config;
}

// A schedule choice dialog answered with the channel index given.
class ExpectChoice : public wxExpectModalBase<wxSingleChoiceDialog, ExpectChoice> {
public:
    explicit ExpectChoice(int selection) : m_selection(selection) {}

protected:
    int OnInvoked(wxSingleChoiceDialog* dlg) const override
    {
        EXPECT_EQ(dlg->GetTitle(), "Overlay Schedule");
        dlg->SetSelection(m_selection);
        return wxID_OK;
    }

private:
    int m_selection;
};

// The pixels of rect in image holding colour, give or take 2 of each
// component.
int CountExact(const wxImage& image, const wxRect& rect, const wxColour& colour)
{
    int count = 0;
    const wxRect clipped = rect.Intersect(wxRect(image.GetSize()));
    for (int y = clipped.y; y <= clipped.GetBottom(); ++y)
        for (int x = clipped.x; x <= clipped.GetRight(); ++x)
            count += std::abs(image.GetRed(x, y) - colour.Red()) <= 2 &&
                     std::abs(image.GetGreen(x, y) - colour.Green()) <= 2 &&
                     std::abs(image.GetBlue(x, y) - colour.Blue()) <= 2;
    return count;
}

// The rows of image's column x holding colour, give or take 2 of each
// component (a band is blended into the white plot).
std::vector<int> RowsOf(const wxImage& image, int x, const wxColour& colour)
{
    std::vector<int> rows;
    for (int y = 0; y < image.GetHeight(); ++y)
        if (std::abs(image.GetRed(x, y) - colour.Red()) <= 2 &&
            std::abs(image.GetGreen(x, y) - colour.Green()) <= 2 &&
            std::abs(image.GetBlue(x, y) - colour.Blue()) <= 2)
            rows.push_back(y);
    return rows;
}

} // namespace

TEST(ChartViewTargets, AProfileAndAScheduleDrawTheirBandsWhereTheyBelong)
{
    TempDir dir;
    ViewFixture f; // 72 hourly records from 1 June 2021, EC 1 = 1000 + hour
    f.Choose(View::ID_VIEW_FIRST + 0);
    auto send = [&](int id) {
        wxCommandEvent command(wxEVT_MENU, id);
        command.SetEventObject(f.view);
        f.view->ProcessWindowEvent(command);
        wxYield();
    };
    const wxString profile = dir.File("targets.hvc");
    ASSERT_TRUE(WriteConfigFile(profile, TargetProfile(kModeDualChannelDualEnv)).Saved());
    wxTEST_DIALOG(send(View::ID_OVERLAY_PROFILE),
                  ExpectFile(profile).Titled("Overlay Profile").Filter("Configuration File (*.hvc)|*.hvc"));
    ASSERT_TRUE(f.view->GetTargets().HasProfile());

    // The band of EC 1: from 1010 to 1050 on its axis, in a light red, with
    // the readings' red line crossing it.
    const wxImage image = ExportPng(f, dir, "band.png");
    const XYPlot* plot = f.Plot();
    const wxRect area = plot->GetLastPlotArea();
    const wxColour tint(255, 204, 204);
    const int column = area.x + area.width / 2; // record 35 or so: EC 1035, inside
    const std::vector<int> rows = RowsOf(image, column, tint);
    ASSERT_FALSE(rows.empty());
    EXPECT_NEAR(rows.front(), plot->YToPixel(0, 1050), 2);
    EXPECT_NEAR(rows.back(), plot->YToPixel(0, 1010), 2);
    // Nothing of the band above or below it.
    EXPECT_TRUE(RowsOf(image, area.x + 3, tint).size() >= rows.size() - 4);
    EXPECT_EQ(
        CountExact(image,
                   wxRect(area.x, area.y, area.width, static_cast<int>(plot->YToPixel(0, 1050)) - area.y - 3),
                   tint),
        0);

    // The readout gives the target and marks a value outside it.
    wxChartPanel* panel = f.view->GetChartPanel();
    wxUIActionSimulator sim;
    sim.MouseMove(panel->ClientToScreen(PlotPoint(plot, 5.0 / 24)));
    ASSERT_TRUE(PumpUntil([&] { return panel->IsReadoutShown(); }));
    EXPECT_EQ(panel->GetReadout().lines.at(1).text,
              wxString::FromUTF8("EC Channel 1: 1005, outside target 1030 \u00b1 20"));
    sim.MouseMove(panel->ClientToScreen(PlotPoint(plot, 30.0 / 24)));
    ASSERT_TRUE(PumpUntil([&] { return panel->GetReadout().x == 30.0 / 24; }));
    EXPECT_EQ(panel->GetReadout().lines.at(1).text,
              wxString::FromUTF8("EC Channel 1: 1030, target 1030 \u00b1 20"));

    // A schedule for channel 1 sets 2 June's target EC to 1060.
    NodeSchedule schedule(1);
    schedule[0].date() = LogDate(2021, 6, 2);
    schedule[0].targetEc() = 1060;
    schedule[0].targetPh() = FloatToWord(11.0f);
    const wxString path = dir.File("june.hvs");
    ASSERT_TRUE(WriteScheduleFile(path, schedule).Saved());
    wxTEST_DIALOG(send(View::ID_OVERLAY_SCHEDULE),
                  ExpectFile(path).Titled("Overlay Schedule").Filter("Schedule File (*.hvs)|*.hvs"),
                  ExpectChoice(0));
    EXPECT_TRUE(f.view->GetTargets().HasSchedule(1));
    // (The pointer rests where it was: the readout is asked for at a record.)
    ASSERT_TRUE(panel->ShowReadoutAt(PlotPoint(f.Plot(), 31.0 / 24)));
    EXPECT_DOUBLE_EQ(panel->GetReadout().x, 31.0 / 24);
    EXPECT_EQ(panel->GetReadout().lines.at(1).text,
              wxString::FromUTF8("EC Channel 1: 1031, outside target 1060 \u00b1 20"));
    const wxImage scheduled = ExportPng(f, dir, "scheduled.png");
    // (Off the grid lines, which show through a band.)
    const int day2 = static_cast<int>(std::lround(f.Plot()->XToPixel(34.7 / 24)));
    const std::vector<int> day2Rows = RowsOf(scheduled, day2, tint);
    ASSERT_FALSE(day2Rows.empty());
    EXPECT_NEAR(day2Rows.front(), f.Plot()->YToPixel(0, 1080), 2);

    // Removed: no band, no target in the readout.
    send(View::ID_REMOVE_OVERLAYS);
    EXPECT_FALSE(f.view->GetTargets().HasProfile());
    const wxImage plain = ExportPng(f, dir, "plain.png");
    EXPECT_EQ(CountExact(plain, f.Plot()->GetLastPlotArea(), tint), 0);
}

TEST(ChartViewTargets, AProfileThatIsNoProfileIsToldAndChangesNothing)
{
    TempDir dir;
    ViewFixture f;
    f.Choose(View::ID_VIEW_FIRST + 0);
    const wxString good = dir.File("good.hvc");
    ASSERT_TRUE(WriteConfigFile(good, TargetProfile(kModeSingleChannel)).Saved());
    ASSERT_TRUE(f.view->OverlayProfile(good));
    const wxString bad = dir.File("short.hvc");
    {
        wxFile file(bad, wxFile::write);
        file.Write("not a profile", 13);
    }
    wxTEST_DIALOG(EXPECT_FALSE(f.view->OverlayProfile(bad)),
                  ExpectMessageBox(wxID_OK, "Error reading node config file", DefaultCaption()));
    // The good profile's overlay stays: single channel mode adjusts channel 1 only.
    EXPECT_TRUE(f.view->GetTargets().HasProfile());
    EXPECT_EQ(TargetText(0, f.view->GetTargets().TargetOn(0, LogDate(2021, 6, 1))),
              wxString::FromUTF8("target 1030 \u00b1 20"));
    EXPECT_EQ(TargetText(1, f.view->GetTargets().TargetOn(1, LogDate(2021, 6, 1))), "not adjusted");
    const wxString badSchedule = dir.File("short.hvs");
    {
        wxFile file(badSchedule, wxFile::write);
        file.Write("12345", 5);
    }
    wxTEST_DIALOG(EXPECT_FALSE(f.view->OverlaySchedule(badSchedule, 1)),
                  ExpectMessageBox(wxID_OK, "Error reading node schedule file", DefaultCaption()));
    EXPECT_FALSE(f.view->GetTargets().HasSchedule(1));
}

TEST(ChartViewTargets, TheSummaryAndTheCsvOfTheRecordsInView)
{
    TempDir dir;
    ViewFixture f;
    f.Choose(View::ID_VIEW_FIRST + 0);
    wxChartPanel* panel = f.view->GetChartPanel();
    // 10:00 to 14:00 on 1 June: records 10 to 14.
    panel->SetView(10.0 / 24, 14.0 / 24);
    EXPECT_EQ(f.view->RecordsInView(), (std::vector<uint32_t>{10, 11, 12, 13, 14}));
    const wxString summary = f.view->SummaryOfView();
    EXPECT_TRUE(summary.Contains("EC Channel 1")) << summary;
    EXPECT_TRUE(summary.Contains("1010")) << summary; // lowest in view
    EXPECT_TRUE(summary.Contains("1014")) << summary; // highest and last in view
    EXPECT_FALSE(summary.Contains("1015")) << summary;

    // The dialog shows it and "Copy" puts it on the clipboard.
    wxTEST_DIALOG(
        {
            LogSummaryDialog dialog(f.view, summary);
            EXPECT_EQ(dialog.GetTextCtrl()->GetValue(), summary);
            if (dialog.CopyText()) {
                wxClipboardLocker locker;
                wxTextDataObject data;
                ASSERT_TRUE(wxTheClipboard->GetData(data));
                EXPECT_EQ(data.GetText(), summary);
            }
            dialog.ShowModal();
        },
        wxExpectDismissableModal<LogSummaryDialog>(wxID_CLOSE));

    // The CSV of the records in view, through the file dialog; a name
    // without extension gets ".csv".
    const wxString path = dir.File("view");
    wxCommandEvent command(wxEVT_MENU, View::ID_EXPORT_CSV);
    command.SetEventObject(f.view);
    wxTEST_DIALOG(f.view->ProcessWindowEvent(command),
                  ExpectFile(path).Titled("Export Data to CSV").Filter("CSV File (*.csv)|*.csv"));
    wxFile file(path + ".csv");
    ASSERT_TRUE(file.IsOpened());
    wxString text;
    ASSERT_TRUE(file.ReadAll(&text));
    const wxArrayString lines = wxSplit(text, '\n', '\0');
    ASSERT_EQ(lines.size(), 7u) << text; // header, 5 rows, the empty rest after the last "\r\n"
    EXPECT_TRUE(lines[0].StartsWith("DateTime,")) << lines[0];
    EXPECT_TRUE(lines[1].StartsWith("2021-06-01T10:00:00,")) << lines[1];
    EXPECT_TRUE(lines[5].StartsWith("2021-06-01T14:00:00,")) << lines[5];
    EXPECT_TRUE(lines[1].Contains(",1010,")) << lines[1];
}
