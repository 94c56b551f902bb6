// Probe trouble on a log's chart: the hatched strip along the plot's bottom
// at the stretch's columns, and its reason in the readout over it.
#include "support/pixel_dump.h"
#include "wx_test_util.h"

#include "temp_dir.h"
#include "test_log_records.h"

#include "ui/LogChart.h"
#include "ui/OrvelGUIChartViewFrame.h"
#include "ui/ProbeStrips.h"
#include "ui/ProbeThresholdsDialog.h"

#include "chart/Chart.h"
#include "chart/StripLayer.h"
#include "chart/XYPlot.h"

#include <wx/dcmemory.h>
#include <wx/ffile.h>
#include <wx/menu.h>
#include <wx/spinctrl.h>
#include <wx/weakref.h>

#include <memory>
#include <vector>

namespace {

const wxColour kRed(255, 0, 0), kGreen(0, 255, 0);
const wxColour kDarkRed(153, 0, 0); // red's strip: three fifths of it

bool IsColour(const wxImage& image, int x, int y, const wxColour& colour)
{
    return image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
           image.GetBlue(x, y) == colour.Blue();
}

int CountColour(const wxImage& image, const wxRect& rect, const wxColour& colour)
{
    int count = 0;
    for (int y = rect.y; y <= rect.GetBottom(); ++y)
        for (int x = rect.x; x <= rect.GetRight(); ++x)
            count += IsColour(image, x, y, colour);
    return count;
}

wxImage Drawn(Chart& chart)
{
    wxBitmap bitmap(640, 480, 24);
    {
        wxMemoryDC dc(bitmap);
        chart.Draw(dc, wxRect(0, 0, 640, 480));
    }
    return Dumped(bitmap.ConvertToImage());
}

// 48 hourly records from 1 June 2021; every probe moves by its last digit
// but EC1, which reads 1200 from 10:00 to 20:00 unchanged. Record 0 reads
// 500, so that EC1's line lies well above the plot's bottom.
std::vector<LogRecord> StuckLog()
{
    std::vector<LogRecord> log;
    for (uint32_t i = 0; i < 48; ++i) {
        LogRecord r{};
        r[kLogDate] = LogDate(2021, 6, 1 + static_cast<int>(i / 24));
        r[kLogTime] = LogTime(static_cast<int>(i % 24), 0, 0);
        r[kLogEc1] = i == 0 ? 500 : (i >= 10 && i <= 20 ? 1200 : 1000 + i % 2);
        r[kLogEc2] = 2000 + i % 2;
        r[kLogPh1] = FloatToWord(i % 2 ? 6.1f : 6.0f);
        r[kLogPh2] = FloatToWord(i % 2 ? 6.1f : 6.0f);
        r[kLogTe1] = FloatToWord(i % 2 ? 20.1f : 20.0f);
        r[kLogTe2] = FloatToWord(i % 2 ? 20.1f : 20.0f);
        log.push_back(r);
    }
    return log;
}

// The thresholds dialog answered: the stuck minutes typed in, then `code`.
class ExpectThresholds : public wxExpectModalBase<ProbeThresholdsDialog, ExpectThresholds> {
public:
    ExpectThresholds(int stuckMinutes, int code) : m_minutes(stuckMinutes), m_code(code) {}

protected:
    int OnInvoked(ProbeThresholdsDialog* dialog) const override
    {
        EXPECT_EQ(dialog->GetTitle(), "Probe Thresholds");
        dialog->GetStuckMinutes()->SetValue(m_minutes);
        return m_code;
    }

private:
    int m_minutes;
    int m_code;
};

// "EC Channel 1" checked in the "View" menu, in its default red.
void CheckEc1(OrvelGUIChartViewFrame* view)
{
    wxMenuItem* item = view->GetMenuBar()->FindItem(OrvelGUIChartViewFrame::ID_VIEW_FIRST);
    ASSERT_NE(item, nullptr);
    item->Check(true);
    wxCommandEvent command(wxEVT_MENU, OrvelGUIChartViewFrame::ID_VIEW_FIRST);
    command.SetEventObject(view);
    command.SetInt(1);
    view->ProcessWindowEvent(command);
}

} // namespace

TEST(ProbeStrips, AStuckStretchIsHatchedAtItsColumnsAndExplainedInTheReadout)
{
    const std::vector<LogRecord> records = StuckLog();
    LogChart chart;
    ASSERT_EQ(chart.FillSeries(Shared(records), 48), 0);
    ChannelColours colours{};
    colours[0] = &kRed;
    // A chart made before the checks are worked out has no marks (the chart
    // view shows it first and then runs them).
    EXPECT_FALSE(chart.ProbeFindingsKnown());
    const wxImage unchecked = Drawn(*chart.CreateChart(colours));
    EXPECT_EQ(CountColour(unchecked, wxRect(unchecked.GetSize()), kDarkRed), 0);
    chart.ProbeFindings();
    EXPECT_TRUE(chart.ProbeFindingsKnown());
    const std::unique_ptr<Chart> c = chart.CreateChart(colours);
    const wxImage image = Drawn(*c);
    const wxRect area = c->GetPlot()->GetLastPlotArea();
    ASSERT_GT(area.width, 300);

    const chart::StripLayer rows;
    const wxRect strip = rows.RowRect(area, 0);
    ASSERT_EQ(strip.GetBottom(), area.GetBottom());
    const int from = static_cast<int>(c->GetPlot()->XToPixel(10.0 / 24));
    const int to = static_cast<int>(c->GetPlot()->XToPixel(20.0 / 24));
    ASSERT_GT(to - from, 50);
    // The strip's top edge is dark red across the stretch, and its hatch
    // below.
    for (int x = from + 1; x < to; ++x)
        ASSERT_TRUE(IsColour(image, x, strip.y, kDarkRed)) << "column " << x;
    EXPECT_GT(CountColour(image, wxRect(from, strip.y + 1, to - from, strip.height - 1), kDarkRed),
              (to - from));
    // None of it before or after the stretch, and never in the line's own
    // red, which could be taken for readings lying along the bottom.
    EXPECT_EQ(CountColour(image, wxRect(area.x, strip.y, from - 2 - area.x, strip.height), kDarkRed), 0);
    EXPECT_EQ(CountColour(image, wxRect(to + 2, strip.y, area.GetRight() - to - 2, strip.height), kDarkRed),
              0);
    const int early = static_cast<int>(c->GetPlot()->XToPixel(2.0 / 24)); // the line falls to 500 left of it
    EXPECT_EQ(CountColour(image, wxRect(early, strip.y, area.GetRight() - early, strip.height), kRed), 0);
    EXPECT_EQ(CountColour(image, wxRect(image.GetSize()), kGreen), 0) << "EC2 is neither plotted nor stuck";

    // Over the stretch the readout gives the reason; beyond it, it does not.
    const wxString reason = "EC Channel 1 stuck at 1200 for 10 h 00 min while EC Channel 2 moved";
    wxChartPanel::Readout readout;
    ASSERT_TRUE(chart.Describe(15.0 / 24, colours, readout));
    ASSERT_FALSE(readout.lines.empty());
    EXPECT_EQ(readout.lines.back().text, reason);
    EXPECT_EQ(readout.lines.back().colour, kRed);
    ASSERT_TRUE(chart.Describe(30.0 / 24, colours, readout));
    for (const auto& line : readout.lines)
        EXPECT_NE(line.text, reason);

    // EC2 plotted alone: its probe was fine, so nothing is marked.
    ChannelColours ec2{};
    ec2[1] = &kGreen;
    EXPECT_EQ(ProbeStripLayer(chart.ProbeFindings(), chart.GetSeries().FirstTimeMs(), ec2), nullptr);
}

TEST(ProbeStrips, TheChartViewMarksItsExportAndListsTheFindingInItsSummary)
{
    const std::vector<LogRecord> records = StuckLog();
    auto* view = new OrvelGUIChartViewFrame(TestTopFrame(), wxID_ANY, "HALVANE DUO Charts", wxDefaultPosition,
                                            wxSize(640, 480), wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
    wxWeakRef<wxWindow> exists(view);
    view->SetLog(MakeNodeLog(records.data(), 48));
    view->RebuildChart();
    ASSERT_TRUE(ShowAndWaitForPaint(view, view->GetChartPanel()));
    CheckEc1(view);
    wxChartPanel* panel = view->GetChartPanel();
    // The chart comes first; its marks as soon as the checks are done.
    ASSERT_TRUE(PumpUntil([&] {
        return view->ProbeChecksShown() && panel->GetChart() &&
               panel->GetChart()->GetPlot()->GetLastPlotArea().width > 0;
    }));

    // The picture an export writes: the panel's back buffer.
    const wxImage image = Dumped(panel->GetBackBuffer().ConvertToImage());
    const XYPlot* plot = panel->GetChart()->GetPlot();
    const wxRect strip = chart::StripLayer().RowRect(plot->GetLastPlotArea(), 0);
    const int from = static_cast<int>(plot->XToPixel(10.0 / 24));
    const int to = static_cast<int>(plot->XToPixel(20.0 / 24));
    int marked = 0;
    for (int x = from + 1; x < to; ++x)
        marked += IsColour(image, x, strip.y, kDarkRed);
    EXPECT_EQ(marked, to - from - 1) << "the strip's top edge across the stuck stretch";
    EXPECT_EQ(CountColour(image,
                          wxRect(to + 2, strip.y, plot->GetLastPlotArea().GetRight() - to - 2, strip.height),
                          kDarkRed),
              0);

    const wxString summary = view->SummaryOfView();
    EXPECT_TRUE(summary.Contains("\nProbe checks\n")) << summary;
    EXPECT_TRUE(summary.Contains(": EC Channel 1 stuck at 1200 for 10 h 00 min while EC Channel 2 moved\n"))
        << summary;
    EXPECT_TRUE(summary.Contains("Records in view")) << "the summary's own lines stay";

    view->Destroy();
    wxWakeUpIdle();
    EXPECT_TRUE(PumpUntil([&] { return !exists; }));
}

TEST(ProbeStrips, ThresholdsFromTheContextMenuApplyToTheViewAndLaterOnes)
{
    const std::vector<LogRecord> records = StuckLog();
    auto* view = new OrvelGUIChartViewFrame(TestTopFrame(), wxID_ANY, "HALVANE DUO Charts");
    wxWeakRef<wxWindow> exists(view);
    view->SetLog(MakeNodeLog(records.data(), 48));
    view->RebuildChart();
    ASSERT_TRUE(ShowAndWaitForPaint(view, view->GetChartPanel()));
    CheckEc1(view);
    const wxString stuck = "EC Channel 1 stuck at 1200 for 10 h 00 min";
    ASSERT_TRUE(view->SummaryOfView().Contains(stuck));
    ASSERT_EQ(SessionProbeThresholds().stuckMs, 60 * 60 * 1000);

    const std::unique_ptr<wxMenu> menu = view->MakeContextMenu();
    ASSERT_NE(menu->FindItem(OrvelGUIChartViewFrame::ID_PROBE_THRESHOLDS), nullptr);
    EXPECT_EQ(menu->GetLabelText(OrvelGUIChartViewFrame::ID_PROBE_THRESHOLDS), "Probe Thresholds...");
    const auto choose = [&] {
        wxCommandEvent command(wxEVT_MENU, OrvelGUIChartViewFrame::ID_PROBE_THRESHOLDS);
        command.SetEventObject(view);
        view->ProcessWindowEvent(command);
    };

    // Cancel changes nothing.
    wxTEST_DIALOG(choose(), ExpectThresholds(700, wxID_CANCEL));
    EXPECT_EQ(SessionProbeThresholds().stuckMs, 60 * 60 * 1000);
    EXPECT_TRUE(view->SummaryOfView().Contains(stuck));

    // Eleven hours and forty minutes: ten unchanged hours are no longer stuck.
    wxTEST_DIALOG(choose(), ExpectThresholds(700, wxID_OK));
    EXPECT_EQ(SessionProbeThresholds().stuckMs, 700 * 60 * 1000);
    EXPECT_FALSE(view->SummaryOfView().Contains("stuck")) << view->SummaryOfView();

    // A view opened later starts from the session's thresholds.
    auto* later = new OrvelGUIChartViewFrame(TestTopFrame(), wxID_ANY, "HALVANE DUO Charts");
    wxWeakRef<wxWindow> laterExists(later);
    later->SetLog(MakeNodeLog(records.data(), 48));
    later->RebuildChart();
    CheckEc1(later);
    EXPECT_FALSE(later->SummaryOfView().Contains("stuck"));

    SessionProbeThresholds() = ProbeThresholds();
    view->Destroy();
    later->Destroy();
    wxWakeUpIdle();
    EXPECT_TRUE(PumpUntil([&] { return !exists && !laterExists; }));
}

TEST(ProbeStrips, TheFlaggedCsvMarksTheStuckRecords)
{
    TempDir dir;
    const std::vector<LogRecord> records = StuckLog();
    auto* view = new OrvelGUIChartViewFrame(TestTopFrame(), wxID_ANY, "HALVANE DUO Charts");
    wxWeakRef<wxWindow> exists(view);
    view->SetLog(MakeNodeLog(records.data(), 48));
    view->RebuildChart();
    ASSERT_TRUE(ShowAndWaitForPaint(view, view->GetChartPanel()));
    EXPECT_TRUE(view->MakeContextMenu()->IsEnabled(OrvelGUIChartViewFrame::ID_EXPORT_FLAGGED_CSV));

    const wxString path = dir.File("flags.csv");
    wxCommandEvent command(wxEVT_MENU, OrvelGUIChartViewFrame::ID_EXPORT_FLAGGED_CSV);
    command.SetEventObject(view);
    wxTEST_DIALOG(
        view->ProcessWindowEvent(command),
        ExpectFile(path).Titled("Export Data with Probe Flags to CSV").Filter("CSV File (*.csv)|*.csv"));
    wxFFile file(path);
    ASSERT_TRUE(file.IsOpened());
    wxString text;
    ASSERT_TRUE(file.ReadAll(&text));
    const wxArrayString lines = wxSplit(text, '\n', '\0');
    ASSERT_EQ(lines.size(), 50u) << text; // header, 48 rows, the empty rest
    EXPECT_TRUE(lines[0].EndsWith(",Stuck,Low EC,Missing,Probes Apart,Clock Jump,Spike\r")) << lines[0];
    // Records 10 to 20 (rows 11 to 21) are EC1's stuck stretch, and only those.
    for (size_t row = 1; row <= 48; ++row) {
        SCOPED_TRACE(lines[row].utf8_string());
        EXPECT_EQ(lines[row].EndsWith(",EC1,,,,,\r"), row >= 11 && row <= 21);
        EXPECT_EQ(lines[row].EndsWith(",,,,,,\r"), !(row >= 11 && row <= 21));
    }
    view->Destroy();
    wxWakeUpIdle();
    EXPECT_TRUE(PumpUntil([&] { return !exists; }));
}
