// A second grow compared in a grow's chart view: its lines dashed where its
// values lie, crop day on crop day; the readout with both grows' values and
// crop days; the comparison's text; by calendar date a year apart.
#include "wx_test_util.h"

#include "test_log_records.h"

#include "ui/GrowActions.h"
#include "ui/GrowChartViewFrame.h"
#include "ui/LogSummaryDialog.h"

#include "chart/Chart.h"
#include "chart/XYPlot.h"
#include "chart/wxChartPanel.h"

#include <wx/frame.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

class ExpectComparison : public wxExpectModalBase<LogSummaryDialog, ExpectComparison> {
public:
    explicit ExpectComparison(std::function<void(LogSummaryDialog*)> check) : m_check(std::move(check)) {}

protected:
    int OnInvoked(LogSummaryDialog* dialog) const override
    {
        m_check(dialog);
        return wxID_OK;
    }

private:
    std::function<void(LogSummaryDialog*)> m_check;
};

void Command(wxWindow* window, int id)
{
    wxCommandEvent command(wxEVT_MENU, id);
    command.SetEventObject(window);
    window->ProcessWindowEvent(command);
}

// A day of hourly records whose EC 1 is ec(hour).
std::vector<LogRecord> Day(int year, int month, int day, const std::function<uint32_t(int)>& ec)
{
    std::vector<LogRecord> log;
    for (int hour = 0; hour < 24; ++hour) {
        LogRecord r =
            SampleRecord(LogDate(year, month, day), LogTime(hour, 0, 0), static_cast<uint32_t>(hour));
        r[kLogEc1] = ec(hour);
        log.push_back(r);
    }
    return log;
}

wxString SaveGrow(const TempDir& dir, const char* name, GrowDate start, const std::vector<LogRecord>& log)
{
    Grow grow;
    grow.name = name;
    grow.start = start;
    grow.logs = {WriteLogFile(dir, std::string(name) + ".hvl", log)};
    const wxString path = dir.File(std::string(name) + ".hvg");
    EXPECT_TRUE(WriteGrowFile(path, grow).Saved());
    return path;
}

// The share of columns [from, to] with a pixel of the colour within a row
// of y.
double RowShare(const wxImage& image, int y, int from, int to, const wxColour& colour)
{
    int hits = 0;
    for (int x = from; x <= to; ++x) {
        bool hit = false;
        for (int dy = -1; dy <= 1; ++dy)
            hit = hit ||
                  (image.GetRed(x, y + dy) == colour.Red() && image.GetGreen(x, y + dy) == colour.Green() &&
                   image.GetBlue(x, y + dy) == colour.Blue());
        hits += hit;
    }
    return static_cast<double>(hits) / (to - from + 1);
}

} // namespace

TEST(GrowCompare, TheOtherGrowIsDashedWhereItsValuesLieAndTheReadoutGivesBoth)
{
    TempDir dir;
    wxFrame* frame = new wxFrame(TestTopFrame(), wxID_ANY, "grows", wxDefaultPosition, wxSize(400, 300));
    // This season's crop day 1 is 1 June 2021, EC 1 a flat 1500; last
    // season's crop day 1 is 11 July 2020, EC 1 at 2500 in the morning and
    // 3000 from noon.
    const wxString mine =
        SaveGrow(dir, "This season", {2021, 5, 31}, Day(2021, 6, 1, [](int) { return 1500u; }));
    const wxString other = SaveGrow(dir, "Last season", {2020, 7, 10},
                                    Day(2020, 7, 11, [](int hour) { return hour < 12 ? 2500u : 3000u; }));
    GrowChartViewFrame* view = OpenGrowFile(frame, mine);
    ASSERT_NE(view, nullptr);
    for (int k = 1; k < kLogChannelCount; ++k)
        view->GetViewItem(k)->Check(false);
    view->RebuildChart();
    ASSERT_TRUE(ShowAndWaitForPaint(view, view->GetChartPanel()));

    const auto menu = view->MakeContextMenu();
    EXPECT_TRUE(menu->IsEnabled(GrowChartViewFrame::ID_COMPARE_GROW));
    EXPECT_FALSE(menu->IsEnabled(GrowChartViewFrame::ID_COMPARISON));
    wxTEST_DIALOG(Command(view, GrowChartViewFrame::ID_COMPARE_GROW),
                  ExpectFile(other).Titled("Compare With Grow").Filter("Grow File (*.hvg)|*.hvg"));
    ASSERT_NE(view->GetComparison(), nullptr);
    EXPECT_TRUE(view->MakeContextMenu()->IsEnabled(GrowChartViewFrame::ID_COMPARISON));

    wxImage image;
    const wxString png = dir.File("compared.png");
    ASSERT_TRUE(view->SaveChartImage(png, wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(image.LoadFile(png, wxBITMAP_TYPE_PNG));
    auto plot = [view] { return view->GetChartPanel()->GetChart()->GetPlot(); };
    const wxColour ec1 = view->GetChannelColour(0);
    auto column = [plot](double hours) {
        return static_cast<int>(std::lround(plot()->XToPixel(hours / 24)));
    };
    auto row = [plot](double value) { return static_cast<int>(std::lround(plot()->YToPixel(0, value))); };
    // This season's line is solid; last season's is dashed at 2500 over the
    // morning and at 3000 over the afternoon, on this season's hours.
    EXPECT_GT(RowShare(image, row(1500), column(1), column(10), ec1), 0.95);
    const double morning = RowShare(image, row(2500), column(1), column(10), ec1);
    EXPECT_GT(morning, 0.2);
    EXPECT_LT(morning, 0.85);
    const double afternoon = RowShare(image, row(3000), column(13), column(22), ec1);
    EXPECT_GT(afternoon, 0.2);
    EXPECT_LT(afternoon, 0.85);
    EXPECT_EQ(RowShare(image, row(3000), column(1), column(10), ec1), 0.0);
    EXPECT_EQ(RowShare(image, row(2500), column(13), column(22), ec1), 0.0);

    // The readout at 6:00: both values, both crop days.
    const wxRect area = plot()->GetLastPlotArea();
    ASSERT_TRUE(view->GetChartPanel()->ShowReadoutAt(wxPoint(column(6), area.y + area.height / 2)));
    std::vector<wxString> texts;
    for (const auto& line : view->GetChartPanel()->GetReadout().lines)
        texts.push_back(line.text);
    // This grow's time and crop day, its value (and a probe check's line),
    // then the compared grow's.
    ASSERT_GE(texts.size(), 4u);
    EXPECT_TRUE(texts[0].EndsWith("(Day 1)")) << texts[0];
    EXPECT_TRUE(texts[1].StartsWith("EC Channel 1: 1500")) << texts[1];
    EXPECT_EQ(texts[texts.size() - 2], "Compared: Last season, Day 1 (2020-07-11 06:00:00)");
    EXPECT_EQ(texts.back(), "EC Channel 1 (compared): 2500");

    wxTEST_DIALOG(
        Command(view, GrowChartViewFrame::ID_COMPARISON), ExpectComparison([](LogSummaryDialog* dialog) {
            EXPECT_EQ(dialog->GetTitle(), "Comparison");
            const wxString text = dialog->GetTextCtrl()->GetValue();
            EXPECT_TRUE(text.Contains("Over Day 1 to Day 1 (2021-06-01T00:00:00 to "
                                      "2021-06-01T23:00:00)\nEC Channel 1\n  Mean: 1500 | 2750 | -1250\n"))
                << text;
        }));

    // By calendar date the other season falls on 11 July 2021: nothing of it
    // on 1 June, and the comparison says so.
    Command(view, GrowChartViewFrame::ID_COMPARE_BY_DATE);
    EXPECT_EQ(view->GetComparison()->Alignment(), GrowAlignment::Calendar);
    EXPECT_TRUE(view->ComparisonOfGrows().Contains("The grows have no records over the same days."));
    ASSERT_TRUE(view->SaveChartImage(png, wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(image.LoadFile(png, wxBITMAP_TYPE_PNG));
    int ec1Rows = 0;
    for (int y = area.y; y <= area.GetBottom(); ++y)
        ec1Rows += RowShare(image, y, column(6), column(6), ec1) > 0;
    EXPECT_LE(ec1Rows, 5); // this season's line alone

    Command(view, GrowChartViewFrame::ID_END_COMPARISON);
    EXPECT_EQ(view->GetComparison(), nullptr);
    EXPECT_TRUE(DestroyAndWait(frame));
}
