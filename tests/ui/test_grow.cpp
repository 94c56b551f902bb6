// A grow as a user makes and reads it: three logs through the dialogs into
// one timeline (its CSV in time order, a gap where a day is missing), a note
// at a spike drawn where the spike is and kept in the grow file, and a
// missing log named.
#include "support/pixel_dump.h"
#include "wx_test_util.h"

#include "test_log_records.h"

#include "ui/GrowActions.h"
#include "ui/GrowChartViewFrame.h"
#include "ui/GrowDialog.h"
#include "ui/JournalDialog.h"
#include "ui/LogPanel.h"
#include "ui/NoteDialog.h"
#include "ui/ProbeThresholdsDialog.h"

#include "chart/Chart.h"
#include "chart/NumberAxis.h"
#include "chart/XYPlot.h"
#include "chart/wxChartPanel.h"

#include <wx/file.h>
#include <wx/frame.h>
#include <wx/spinctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Fills a dialog as a user would, then answers it.
template <typename Dialog> class ExpectFilled : public wxExpectModalBase<Dialog, ExpectFilled<Dialog>> {
public:
    ExpectFilled(std::function<void(Dialog*)> fill, int answer = wxID_OK)
        : m_fill(std::move(fill)), m_answer(answer)
    {
    }

protected:
    int OnInvoked(Dialog* dialog) const override
    {
        m_fill(dialog);
        return m_answer;
    }

private:
    std::function<void(Dialog*)> m_fill;
    int m_answer;
};

class PageFixture {
public:
    PageFixture()
    {
        frame = new wxFrame(TestTopFrame(), wxID_ANY, "log page", wxDefaultPosition, wxSize(900, 600));
        page = new LogPanel(frame, wxID_ANY, wxDefaultPosition, wxSize(446, 319), wxTAB_TRAVERSAL);
        EXPECT_TRUE(ShowAndWaitForPaint(frame, page));
    }
    ~PageFixture() { EXPECT_TRUE(DestroyAndWait(frame)); }

    GrowChartViewFrame* GrowView() const
    {
        for (wxWindow* child : page->GetChildren())
            if (auto* view = dynamic_cast<GrowChartViewFrame*>(child))
                if (!view->IsBeingDeleted())
                    return view;
        return nullptr;
    }
    void Command(wxWindow* window, int id)
    {
        wxCommandEvent command(wxEVT_MENU, id);
        command.SetEventObject(window);
        window->ProcessWindowEvent(command);
    }

    wxFrame* frame = nullptr;
    LogPanel* page = nullptr;
};

std::vector<LogRecord> DayOf(int day, uint32_t firstSeed)
{
    std::vector<LogRecord> log;
    for (int hour = 0; hour < 24; ++hour)
        log.push_back(SampleRecord(LogDate(2021, 6, day), LogTime(hour, 0, 0),
                                   firstSeed + static_cast<uint32_t>(hour)));
    return log;
}

std::vector<wxString> CsvLines(const wxString& path)
{
    wxFile file(path);
    wxString text;
    EXPECT_TRUE(file.IsOpened() && file.ReadAll(&text)) << path;
    std::vector<wxString> lines;
    for (const wxString& line : wxSplit(text, '\n', '\0'))
        if (!line.empty())
            lines.push_back(line.BeforeFirst(','));
    return lines;
}

// The export of a view's chart as it is drawn.
wxImage Exported(GrowChartViewFrame* view, const wxString& path)
{
    EXPECT_TRUE(view->SaveChartImage(path, wxBITMAP_TYPE_PNG));
    wxImage image;
    EXPECT_TRUE(image.LoadFile(path, wxBITMAP_TYPE_PNG));
    return image;
}

// Whether column x of the plot area holds a pixel of the colour.
bool ColumnHas(const wxImage& image, const wxRect& area, int x, const wxColour& colour)
{
    for (int y = area.y; y <= area.GetBottom(); ++y)
        if (image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
            image.GetBlue(x, y) == colour.Blue())
            return true;
    return false;
}

int ColumnOf(GrowChartViewFrame* view, double x)
{
    return static_cast<int>(std::lround(view->GetChartPanel()->GetChart()->GetPlot()->XToPixel(x)));
}

} // namespace

TEST(Grow, ThreeLogsThroughTheDialogsMakeOneTimelineWithAGap)
{
    TempDir dir;
    PageFixture f;
    // 1 June and 3 June (2 June is missing); a card copied again holds the
    // last four hours of 1 June and one record of 05:30 written late.
    const wxString first = WriteLogFile(dir, "june 1.hvl", DayOf(1, 0));
    const wxString third = WriteLogFile(dir, "june 3.hvl", DayOf(3, 100));
    const std::vector<LogRecord> june1 = DayOf(1, 0);
    std::vector<LogRecord> copy(june1.begin() + 20, june1.end());
    copy.push_back(SampleRecord(LogDate(2021, 6, 1), LogTime(5, 30, 0), 50));
    const wxString again = WriteLogFile(dir, "card again.hvl", copy);

    const wxString growPath = dir.File("Tomaten März");
    wxTEST_DIALOG(f.Command(f.page, LogPanel::ID_NEW_GROW), ExpectFilled<GrowDialog>([&](GrowDialog* dialog) {
                      dialog->SetGrowName(wxString::FromUTF8("Tomaten März"));
                      dialog->SetStart({2021, 5, 20});
                      dialog->AddLogs(wxArrayString(1, &third));
                      dialog->AddLogs(wxArrayString(1, &first));
                      dialog->AddLogs(wxArrayString(1, &again));
                      EXPECT_TRUE(dialog->TransferDataFromWindow());
                  }),
                  ExpectFile(growPath).Titled("Save Grow").Filter("Grow File (*.hvg)|*.hvg"));
    ASSERT_TRUE(wxFileExists(growPath + ".hvg"));
    GrowChartViewFrame* view = f.GrowView();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(ShowAndWaitForPaint(view, view->GetChartPanel()));
    EXPECT_EQ(view->GetTitle(),
              wxString::FromUTF8("HALVANE DUO Charts - Tomaten März.hvg (06/01/21 - 06/03/21)"));
    EXPECT_EQ(view->GetChartPanel()->GetChart()->GetNote(), "4 repeated records counted once");
    // The clock is checked log by log: the record of 05:30 written late goes
    // back in its log; 2 June lies between two logs and is no clock jump.
    ASSERT_TRUE(PumpUntil([&] { return view->ProbeChecksShown(); }));
    const wxString summary = view->SummaryOfView();
    EXPECT_TRUE(summary.Contains("record times go back by 17 h 30 min (clock set back)")) << summary;
    EXPECT_FALSE(summary.Contains("record times jump forward")) << summary;

    // The CSV of the grow: 49 records in time order.
    const wxString csv = dir.File("season.csv");
    wxTEST_DIALOG(f.Command(view, OrvelGUIChartViewFrame::ID_EXPORT_CSV), ExpectFile(csv));
    const std::vector<wxString> rows = CsvLines(csv);
    ASSERT_EQ(rows.size(), 50u);
    EXPECT_EQ(rows[0], "DateTime");
    EXPECT_EQ(rows[1], "2021-06-01T00:00:00");
    EXPECT_EQ(rows[6], "2021-06-01T05:00:00");
    EXPECT_EQ(rows[7], "2021-06-01T05:30:00");
    EXPECT_EQ(rows[8], "2021-06-01T06:00:00");
    EXPECT_EQ(rows[25], "2021-06-01T23:00:00");
    EXPECT_EQ(rows[26], "2021-06-03T00:00:00");
    EXPECT_EQ(rows[49], "2021-06-03T23:00:00");

    // No line crosses 2 June; EC 1 in red on either side of it (EC 1 alone:
    // the other channels' lines run over it).
    for (int k = 1; k < kLogChannelCount; ++k)
        view->GetViewItem(k)->Check(false);
    view->RebuildChart();
    const wxImage image = Exported(view, dir.File("season.png"));
    const wxRect area = view->GetChartPanel()->GetChart()->GetPlot()->GetLastPlotArea();
    const wxColour red(255, 0, 0);
    EXPECT_TRUE(ColumnHas(image, area, ColumnOf(view, 0.5), red));
    EXPECT_TRUE(ColumnHas(image, area, ColumnOf(view, 2.5), red));
    for (double day : {1.2, 1.5, 1.8}) {
        EXPECT_FALSE(ColumnHas(image, area, ColumnOf(view, day), red)) << day;
    }
    view->Destroy();
}

TEST(Grow, ANoteAtASpikeIsDrawnThereListedSavedAndReopened)
{
    TempDir dir;
    PageFixture f;
    std::vector<LogRecord> day = DayOf(1, 0);
    day[12][kLogEc1] = 5000; // a spike at noon
    Grow grow;
    grow.name = "Spike";
    grow.start = {2021, 5, 20};
    grow.logs = {WriteLogFile(dir, "day.hvl", day)};
    const wxString path = dir.File("spike.hvg");
    ASSERT_TRUE(WriteGrowFile(path, grow).Saved());
    GrowChartViewFrame* view = OpenGrowFile(f.page, path);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(ShowAndWaitForPaint(view, view->GetChartPanel()));
    EXPECT_FALSE(view->HasUnsavedChanges());

    // "Add Note Here..." at the spike's time.
    const int64_t noon = view->TimeAt(0.5);
    wxTEST_DIALOG(EXPECT_TRUE(view->AddNoteAt(noon)), ExpectFilled<NoteDialog>([](NoteDialog* dialog) {
                      EXPECT_EQ(dialog->GetTimeCtrl()->GetValue(), "2021-06-01 12:00:00");
                      dialog->GetKindCtrl()->SetSelection(0);
                      dialog->GetTextCtrl()->SetValue("fresh 120 l");
                      EXPECT_TRUE(dialog->TransferDataFromWindow());
                  }));
    EXPECT_TRUE(view->HasUnsavedChanges());
    ASSERT_EQ(view->GetMarkers().size(), 1u);
    EXPECT_EQ(view->GetMarkers()[0].label, "Reservoir change: fresh 120 l");

    // Its marker runs down the spike's column; none elsewhere.
    const wxImage image = Exported(view, dir.File("spike.png"));
    const wxRect area = view->GetChartPanel()->GetChart()->GetPlot()->GetLastPlotArea();
    const wxColour grey(96, 96, 96);
    const int spike = ColumnOf(view, 0.5);
    int greyRows = 0;
    for (int y = area.y; y <= area.GetBottom(); ++y)
        greyRows +=
            image.GetRed(spike, y) == 96 && image.GetGreen(spike, y) == 96 && image.GetBlue(spike, y) == 96;
    EXPECT_GT(greyRows, area.height / 2);
    EXPECT_FALSE(ColumnHas(image, area, ColumnOf(view, 0.25), grey));

    // The readout at the spike names the note and the crop day.
    const wxPoint at(spike, area.y + area.height / 2);
    ASSERT_TRUE(view->GetChartPanel()->ShowReadoutAt(at));
    const auto& lines = view->GetChartPanel()->GetReadout().lines;
    ASSERT_GE(lines.size(), 2u);
    EXPECT_TRUE(lines[0].text.EndsWith("(Day 12)")) << lines[0].text;
    EXPECT_EQ(lines.back().text, "Note: Reservoir change: fresh 120 l");

    // Crop days on the bottom axis: 1 June is day 12 of a grow started on
    // 20 May; the readout keeps the date and adds the day.
    auto bottomLabels = [view] {
        std::vector<std::string> labels;
        const NumberAxis* axis = view->GetChartPanel()->GetChart()->GetPlot()->GetHorizontalAxis(0);
        for (const chart::Tick& tick : axis->GetTicks(5))
            labels.push_back(tick.label.utf8_string());
        return labels;
    };
    EXPECT_EQ(bottomLabels().front().find("Day"), std::string::npos);
    f.Command(view, GrowChartViewFrame::ID_CROP_DAYS);
    EXPECT_TRUE(view->ShowsCropDays());
    std::vector<std::string> cropLabels = bottomLabels();
    ASSERT_FALSE(cropLabels.empty());
    EXPECT_NE(cropLabels.front().find("Day 12"), std::string::npos)
        << cropLabels.front() << " / " << cropLabels.back();
    EXPECT_EQ(view->GetMarkers().size(), 1u) << "the note stays";

    // The journal lists it.
    wxTEST_DIALOG(view->ShowJournal(), ExpectFilled<JournalDialog>(
                                           [](JournalDialog* dialog) {
                                               wxListCtrl* list = dialog->GetList();
                                               ASSERT_EQ(list->GetItemCount(), 1);
                                               EXPECT_EQ(list->GetItemText(0, 0), "2021-06-01 12:00:00");
                                               EXPECT_EQ(list->GetItemText(0, 1), "Reservoir change");
                                               EXPECT_EQ(list->GetItemText(0, 2), "fresh 120 l");
                                           },
                                           wxID_CLOSE));

    // "Show in Chart" (as a double click) centres the chart on the note,
    // keeping the span shown.
    view->GetChartPanel()->SetView(0.1, 0.2);
    wxTEST_DIALOG(view->ShowJournal(), ExpectFilled<JournalDialog>(
                                           [](JournalDialog* dialog) {
                                               dialog->GetList()->SetItemState(0, wxLIST_STATE_SELECTED,
                                                                               wxLIST_STATE_SELECTED);
                                               dialog->ShowSelected();
                                           },
                                           wxID_CLOSE));
    const chart::Range shown = view->GetChartPanel()->GetChart()->GetPlot()->GetViewX();
    EXPECT_NEAR(shown.lo, 0.45, 1e-9);
    EXPECT_NEAR(shown.hi, 0.55, 1e-9);

    // Saved, and there when the grow is opened again.
    f.Command(view, GrowChartViewFrame::ID_SAVE_GROW);
    EXPECT_FALSE(view->HasUnsavedChanges());
    EXPECT_TRUE(view->Close());
    GrowChartViewFrame* again = OpenGrowFile(f.page, path);
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(again->GetGrow().journal.Count(), 1u);
    EXPECT_EQ(NoteDescription(again->GetGrow().journal[0]), "Reservoir change: fresh 120 l");
    EXPECT_EQ(again->GetMarkers().size(), 1u);

    // A note not saved is asked about on closing: "Cancel" keeps the view,
    // "Discard" closes it and the file keeps one note.
    GrowNote late;
    late.timeMs = noon + 3600 * 1000;
    again->AddNote(late);
    const wxString question = "Save the changes to the grow \"Spike\" before closing its chart?";
    wxTEST_DIALOG(EXPECT_FALSE(again->Close()), ExpectMessageBox(wxID_CANCEL, question, "Unsaved Changes"));
    wxTEST_DIALOG(EXPECT_TRUE(again->Close()), ExpectMessageBox(wxID_NO, question, "Unsaved Changes"));
    EXPECT_EQ(ReadGrowFile(path).value.journal.Count(), 1u);
}

// A grow keeps probe thresholds of its own: "Probe Thresholds..." shows
// and changes the grow's (not the session's), the grow is then unsaved, and
// "Save Grow" keeps them. The summary lists a calibration note.
TEST(Grow, ItsProbeThresholdsAreItsOwnAndSavedWithIt)
{
    TempDir dir;
    PageFixture f;
    Grow grow;
    grow.name = "Thresholds";
    grow.start = {2021, 5, 20};
    grow.logs = {WriteLogFile(dir, "day.hvl", DayOf(1, 0))};
    grow.probeThresholds.stuckMs = int64_t{90} * 60000;
    GrowNote calibration;
    calibration.kind = NoteKind::Calibration;
    calibration.text = "PH 1";
    ASSERT_TRUE(ParseLocalTime("2021-06-01T12:30:00", calibration.timeMs));
    grow.journal.Add(calibration);
    const wxString path = dir.File("thresholds.hvg");
    ASSERT_TRUE(WriteGrowFile(path, grow).Saved());
    GrowChartViewFrame* view = OpenGrowFile(f.page, path);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(ShowAndWaitForPaint(view, view->GetChartPanel()));

    const wxString summary = view->SummaryOfView();
    EXPECT_NE(summary.Find("\nCalibrations\n"), wxNOT_FOUND) << summary;
    EXPECT_NE(summary.Find(": Calibration: PH 1\n    EC Channel 1: "), wxNOT_FOUND) << summary;

    const ProbeThresholds session = SessionProbeThresholds();
    wxTEST_DIALOG(f.Command(view, OrvelGUIChartViewFrame::ID_PROBE_THRESHOLDS),
                  ExpectFilled<ProbeThresholdsDialog>([](ProbeThresholdsDialog* dialog) {
                      EXPECT_EQ(dialog->GetStuckMinutes()->GetValue(), 90);
                      dialog->GetStuckMinutes()->SetValue(45);
                  }));
    EXPECT_TRUE(view->HasUnsavedChanges());
    EXPECT_EQ(SessionProbeThresholds().stuckMs, session.stuckMs) << "the session's are not the grow's";
    EXPECT_EQ(ReadGrowFile(path).value.probeThresholds.stuckMs, 5400000) << "not saved yet";

    f.Command(view, GrowChartViewFrame::ID_SAVE_GROW);
    EXPECT_FALSE(view->HasUnsavedChanges());
    EXPECT_EQ(ReadGrowFile(path).value.probeThresholds.stuckMs, 2700000);
    EXPECT_TRUE(view->Close());
}

TEST(Grow, AMissingLogIsNamedAndTheRestOpens)
{
    TempDir dir;
    PageFixture f;
    Grow grow;
    grow.name = "Gaps";
    grow.logs = {WriteLogFile(dir, "here.hvl", DayOf(1, 0)), dir.File("gone.hvl")};
    grow.schedule2 = dir.File("gone.hvs");
    const wxString path = dir.File("gaps.hvg");
    ASSERT_TRUE(WriteGrowFile(path, grow).Saved());
    GrowChartViewFrame* view = nullptr;
    wxTEST_DIALOG(view = OpenGrowFile(f.page, path),
                  ExpectMessageBox(wxID_OK,
                                   "These files of the grow could not be read and are left out:\n\n"
                                   "gone.hvl: no such file\ngone.hvs: no such file",
                                   DefaultCaption()));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetLog().count, 24u);
    EXPECT_EQ(view->GetGrow().schedule2, dir.File("gone.hvs")) << "kept in the grow for when it is back";
    view->Destroy();

    // A file that is no grow is told, and nothing opens.
    const wxString bad = dir.File("bad.hvg");
    WriteBytes(bad, {'{', '"', 'f'});
    wxTEST_DIALOG(EXPECT_EQ(OpenGrowFile(f.page, bad), nullptr),
                  ExpectMessageBox(
                      wxID_OK, "Error reading grow file bad.hvg: it is no JSON or is cut short (at byte 4)",
                      DefaultCaption()));
}

TEST(Grow, StackByQuantityShowsPanesOverOneTimeAxis)
{
    TempDir dir;
    PageFixture f;
    Grow grow;
    grow.name = "Panes";
    grow.start = {2021, 6, 1};
    grow.logs = {WriteLogFile(dir, "day.hvl", DayOf(1, 0))};
    const wxString path = dir.File("panes.hvg");
    ASSERT_TRUE(WriteGrowFile(path, grow).Saved());
    GrowChartViewFrame* view = OpenGrowFile(f.page, path);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(ShowAndWaitForPaint(view, view->GetChartPanel()));
    GrowNote noon;
    noon.timeMs = view->TimeAt(0.5);
    view->AddNote(noon);
    EXPECT_EQ(view->GetChartPanel()->GetChart()->GetPaneCount(), 1u) << "one plot by default";

    // Channel 1's EC, PH and temperature (channel 2's lines would run over
    // them: the sample readings rise alike).
    for (int k : {1, 3, 5})
        view->GetViewItem(k)->Check(false);
    f.Command(view, OrvelGUIChartViewFrame::ID_STACK);
    EXPECT_TRUE(view->IsStacked());
    EXPECT_TRUE(view->MakeContextMenu()->IsChecked(OrvelGUIChartViewFrame::ID_STACK));
    const wxImage image = Exported(view, dir.File("panes.png"));
    const Chart* chart = view->GetChartPanel()->GetChart();
    ASSERT_EQ(chart->GetPaneCount(), 3u);
    std::vector<wxRect> areas;
    for (size_t i = 0; i < 3; ++i)
        areas.push_back(chart->GetPane(i)->GetLastPlotArea());
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(areas[i].x, areas[0].x) << "pane " << i << " lines up";
        EXPECT_EQ(areas[i].width, areas[0].width) << "pane " << i;
        EXPECT_GT(areas[i].y, areas[i - 1].GetBottom()) << "pane " << i << " under the one before";
    }
    // EC 1 (red) in the top pane only, TE 1 (magenta) in the bottom one;
    // the note's marker down every pane.
    const wxColour red(255, 0, 0), magenta(255, 0, 255);
    const int early = ColumnOf(view, 0.1), noonColumn = ColumnOf(view, 0.5);
    EXPECT_TRUE(ColumnHas(image, areas[0], early, red));
    EXPECT_FALSE(ColumnHas(image, areas[1], early, red));
    EXPECT_FALSE(ColumnHas(image, areas[2], early, red));
    EXPECT_TRUE(ColumnHas(image, areas[2], early, magenta));
    EXPECT_FALSE(ColumnHas(image, areas[0], early, magenta));
    for (const wxRect& area : areas)
        EXPECT_TRUE(ColumnHas(image, area, noonColumn, wxColour(96, 96, 96)));

    // Zoom and pan move every pane.
    view->GetChartPanel()->SetView(0.25, 0.75);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(chart->GetPane(i)->GetViewX().lo, 0.25) << i;
        EXPECT_DOUBLE_EQ(chart->GetPane(i)->GetViewX().hi, 0.75) << i;
    }
    view->GetChartPanel()->PanBy(0.5);
    EXPECT_DOUBLE_EQ(chart->GetPane(2)->GetViewX().lo, chart->GetPane(0)->GetViewX().lo);
    EXPECT_GT(chart->GetPane(2)->GetViewX().lo, 0.25);

    f.Command(view, OrvelGUIChartViewFrame::ID_STACK);
    EXPECT_EQ(view->GetChartPanel()->GetChart()->GetPaneCount(), 1u);
    view->Destroy();
}
