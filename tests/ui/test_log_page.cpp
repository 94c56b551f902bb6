// The "Log Book" page as a user drives it: opening logs, the rows they give,
// the messages, and the chart views it opens.
#include "wx_test_util.h"

#include "test_log_records.h"

#include "core/WordHelpers.h"
#include "ui/LogPanel.h"
#include "ui/OrvelGUIChartViewFrame.h"

#include "chart/wxChartPanel.h"

#include <wx/file.h>
#include <wx/listctrl.h>
#include <wx/uiaction.h>

#include <algorithm>

namespace {

// A shown frame holding one log page, destroyed at scope end.
class PageFixture {
public:
    PageFixture()
    {
        frame = new wxFrame(TestTopFrame(), wxID_ANY, "log page", wxDefaultPosition, wxSize(900, 600));
        page = new LogPanel(frame, wxID_ANY, wxDefaultPosition, wxSize(446, 319), wxTAB_TRAVERSAL);
        EXPECT_TRUE(ShowAndWaitForPaint(frame, page));
    }
    ~PageFixture() { EXPECT_TRUE(DestroyAndWait(frame)); }

    void Click(int id)
    {
        auto* button = wxDynamicCast(page->FindWindow(id), wxButton);
        ASSERT_NE(button, nullptr) << id;
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(click);
        wxYield();
    }
    // "Open", answering the file dialog with path (checking its texts).
    void OpenThroughDialog(const wxString& path);

    std::vector<OrvelGUIChartViewFrame*> ChartViews() const
    {
        std::vector<OrvelGUIChartViewFrame*> views;
        for (wxWindow* child : page->GetChildren())
            if (auto* view = dynamic_cast<OrvelGUIChartViewFrame*>(child))
                if (!view->IsBeingDeleted())
                    views.push_back(view);
        return views;
    }

    long Rows() const { return page->GetList()->GetItemCount(); }
    wxString Cell(long row, int column) const { return page->GetList()->GetItemText(row, column); }

    wxFrame* frame;
    LogPanel* page;
};

ExpectFile ExpectOpenDialog(const wxString& path, int id = wxID_OK)
{
    return ExpectFile(path, id).Titled("Load Log File").Filter("Log File (*.hvl)|*.hvl").Style(wxFD_OPEN);
}

void PageFixture::OpenThroughDialog(const wxString& path)
{
    wxTEST_DIALOG(Click(wxID_OPEN), ExpectOpenDialog(path));
}

// A message box answered OK, noting that it was shown.
class SeenMessageBox : public wxExpectModalBase<wxMessageDialog, SeenMessageBox> {
public:
    SeenMessageBox(wxString message, bool& seen) : m_message(std::move(message)), m_seen(seen) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        EXPECT_EQ(dlg->GetMessage(), m_message);
        m_seen = true;
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "message box \"" + m_message + "\""; }

private:
    wxString m_message;
    bool& m_seen;
};

void ExpectRowIs(const PageFixture& f, long row, const LogRecord& r)
{
    SCOPED_TRACE(testing::Message() << "row " << row);
    EXPECT_EQ(f.Cell(row, 0), FormatDateText(DecodePackedDate(r[kLogDate])));
    EXPECT_EQ(f.Cell(row, 1), FormatTimeText(DecodePackedTime(r[kLogTime])));
    EXPECT_EQ(f.Cell(row, 2), "");
    EXPECT_EQ(f.Cell(row, 3), wxString::Format("%u", r[kLogEc1]));
    EXPECT_EQ(f.Cell(row, 4), wxString::Format("%u", r[kLogEc2]));
    const auto phText = [](uint32_t word) {
        const double ph = WordToFloat(word);
        return wxString::Format("%f", ph > 1 && ph < 14 ? ph : 0.0);
    };
    EXPECT_EQ(f.Cell(row, 5), phText(r[kLogPh1]));
    EXPECT_EQ(f.Cell(row, 6), phText(r[kLogPh2]));
    EXPECT_EQ(f.Cell(row, 7), wxString::Format("%f", static_cast<double>(WordToFloat(r[kLogTe1]))));
    EXPECT_EQ(f.Cell(row, 8), wxString::Format("%f", static_cast<double>(WordToFloat(r[kLogTe2]))));
    for (int a = 0; a < 6; ++a)
        EXPECT_EQ(f.Cell(row, 9 + a), wxString::Format("%u", r[kLogAc1 + static_cast<unsigned>(a)]));
}

} // namespace

TEST(LogPage, LayoutAndColumns)
{
    PageFixture f;
    wxListCtrl* list = f.page->GetList();
    EXPECT_EQ(list->GetId(), 5015);
    EXPECT_TRUE(list->HasFlag(wxLC_REPORT));
    EXPECT_TRUE(list->HasFlag(wxLC_VIRTUAL));
    EXPECT_TRUE(list->HasFlag(wxLC_SINGLE_SEL));
    const char* headers[] = {"Date", "Time", "Core", "EC1", "EC2", "PH1", "PH2", "TE1",
                             "TE2",  "AC1",  "AC2",  "AC3", "AC4", "AC5", "AC6"};
    ASSERT_EQ(list->GetColumnCount(), 15);
    for (int c = 0; c < 15; ++c) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH | wxLIST_MASK_FORMAT);
        ASSERT_TRUE(list->GetColumn(c, column));
        EXPECT_EQ(column.GetText(), headers[c]);
        EXPECT_GE(column.GetWidth(), f.page->FromDIP(c == 2 ? 75 : 50)) << headers[c];
        EXPECT_EQ(column.GetAlign(), wxLIST_FORMAT_LEFT) << headers[c];
    }
    EXPECT_EQ(f.Rows(), 0);

    auto* open = wxDynamicCast(f.page->FindWindow(wxID_OPEN), wxButton);
    auto* chart = wxDynamicCast(f.page->FindWindow(5044), wxButton);
    ASSERT_NE(open, nullptr);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(open->GetLabel(), "Open");
    EXPECT_EQ(chart->GetLabel(), "Show Chart");
    // List on top, then "Open" left of "Show Chart" at the page's right edge
    // (less the button's 5-pixel border), as on the other pages.
    EXPECT_LT(list->GetRect().GetBottom(), open->GetPosition().y);
    EXPECT_LT(open->GetRect().GetRight(), chart->GetPosition().x);
    EXPECT_EQ(chart->GetRect().GetRight(), f.page->GetClientSize().GetWidth() - 1 - 5);
    EXPECT_GT(open->GetPosition().x, f.page->GetClientSize().GetWidth() / 2);
}

TEST(LogPage, LoadsStackNewRowsOnTop)
{
    PageFixture f;
    TempDir dir;
    const auto three = HourlyLog(3, 0);
    const auto two = HourlyLog(2, 50);
    f.OpenThroughDialog(WriteLogFile(dir, "three.hvl", three));
    ASSERT_EQ(f.Rows(), 3);
    for (long i = 0; i < 3; ++i)
        ExpectRowIs(f, i, three[static_cast<size_t>(i)]);

    f.page->GetList()->SetItemState(1, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                    wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    f.OpenThroughDialog(WriteLogFile(dir, "two.hvl", two));
    ASSERT_EQ(f.Rows(), 5);
    ExpectRowIs(f, 0, two[0]);
    ExpectRowIs(f, 1, two[1]);
    for (long i = 0; i < 3; ++i)
        ExpectRowIs(f, 2 + i, three[static_cast<size_t>(i)]);
    EXPECT_EQ(f.page->GetList()->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 3)
        << "the selected record stays selected as its row moves down";
    EXPECT_EQ(f.page->GetList()->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED), 3);
    EXPECT_EQ(f.page->GetLog().count, 2u) << "the page's log is the last one loaded";

    // A missing file: message, empty log, earlier rows stay.
    wxTEST_DIALOG(f.page->OpenLogFile(dir.File("gone.hvl")),
                  ExpectMessageBox(wxID_OK, "nodelog set to 0", DefaultCaption(), wxOK | wxCENTRE));
    EXPECT_EQ(f.Rows(), 5);
    EXPECT_EQ(f.page->GetLog().count, 0u);

    // Cancelling the dialog changes nothing and says nothing.
    f.OpenThroughDialog(WriteLogFile(dir, "again.hvl", three));
    wxTEST_DIALOG(f.Click(wxID_OPEN), ExpectOpenDialog("", wxID_CANCEL));
    EXPECT_EQ(f.Rows(), 8);
    EXPECT_EQ(f.page->GetLog().count, 3u);
}

TEST(LogPage, RejectedFilesKeepTheLogAndTheRows)
{
    PageFixture f;
    TempDir dir;
    const auto log = HourlyLog(4);
    f.OpenThroughDialog(WriteLogFile(dir, "good.hvl", log));
    const auto records = f.page->GetLog().records;
    for (size_t size : {159u, 161u, 4u * 160u + 1u}) {
        SCOPED_TRACE(size);
        const wxString path = dir.File("bad" + std::to_string(size) + ".hvl");
        WriteBytes(path, std::vector<unsigned char>(size, 0x42));
        wxTEST_DIALOG(
            f.Click(wxID_OPEN), ExpectOpenDialog(path),
            ExpectMessageBox(wxID_OK, "Error reading node log file", DefaultCaption(), wxOK | wxCENTRE));
        EXPECT_EQ(f.Rows(), 4);
        EXPECT_EQ(f.page->GetLog().records, records);
        EXPECT_EQ(f.page->GetLog().count, 4u);
    }
    // ... so a chart of the earlier log still opens.
    OrvelGUIChartViewFrame* view = f.page->ShowChart();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetLog().count, 4u);
}

TEST(LogPage, ShowChartNeedsALog)
{
    PageFixture f;
    TempDir dir;
    // Before any load.
    wxTEST_DIALOG(f.Click(5044),
                  ExpectMessageBox(wxID_OK, "Open Log File first.", "ERROR", wxOK | wxCENTRE | wxICON_ERROR));
    EXPECT_TRUE(f.ChartViews().empty());

    // After a log, then a 0-byte file (valid, silent, empty).
    f.OpenThroughDialog(WriteLogFile(dir, "one.hvl", HourlyLog(1)));
    f.OpenThroughDialog(WriteLogFile(dir, "empty.hvl", {}));
    EXPECT_EQ(f.Rows(), 1);
    wxTEST_DIALOG(f.Click(5044),
                  ExpectMessageBox(wxID_OK, "Open Log File first.", "ERROR", wxOK | wxCENTRE | wxICON_ERROR));
    EXPECT_TRUE(f.ChartViews().empty());
}

TEST(LogPage, ChartViewsKeepTheirLogAcrossReloads)
{
    PageFixture f;
    TempDir dir;
    const auto first = HourlyLog(30, 0);
    f.OpenThroughDialog(WriteLogFile(dir, "first.hvl", first));
    f.Click(5044);
    f.Click(5044);
    auto views = f.ChartViews();
    ASSERT_EQ(views.size(), 2u) << "every click opens one more chart view";
    for (OrvelGUIChartViewFrame* view : views) {
        // The title names the file and the days of its first and last record.
        EXPECT_EQ(view->GetTitle(), "HALVANE DUO Charts - first.hvl (06/01/21 - 06/02/21)");
        EXPECT_EQ(view->GetSize(), wxSize(640, 480));
        EXPECT_TRUE(view->IsShown());
        EXPECT_TRUE(view->HasFlag(wxTAB_TRAVERSAL));
        const long frameStyle = wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX | wxMAXIMIZE_BOX;
        EXPECT_EQ(view->GetWindowStyleFlag() & frameStyle, frameStyle);
        EXPECT_EQ(view->GetParent(), f.page);
        EXPECT_NE(view->GetChartPanel()->GetChart(), nullptr);
    }

    // Another file, then a missing one: the page's log goes, the views' logs stay.
    f.OpenThroughDialog(WriteLogFile(dir, "second.hvl", HourlyLog(2, 90)));
    wxTEST_DIALOG(f.page->OpenLogFile(dir.File("gone.hvl")),
                  ExpectMessageBox(wxID_OK, "nodelog set to 0", DefaultCaption(), wxOK | wxCENTRE));
    for (OrvelGUIChartViewFrame* view : views) {
        ASSERT_EQ(view->GetLog().count, 30u);
        for (size_t i = 0; i < first.size(); ++i)
            ASSERT_EQ(view->GetLog()[i], first[i]) << "record " << i;
        // Redrawing after the reload reads the shared records (ASan would see a free).
        view->GetViewItem(0)->Check(true);
        view->RebuildChart();
        EXPECT_EQ(view->GetChartPanel()->GetChart()->GetPlot()->GetDataset(0)->GetSerie(0)->GetCount(), 30u);
        EXPECT_EQ(view->GetTitle(), "HALVANE DUO Charts - first.hvl (06/01/21 - 06/02/21)");
    }

    // A view of the next log names that log; a log of one day shows one date.
    f.OpenThroughDialog(WriteLogFile(dir, "third.hvl", HourlyLog(5, 7)));
    f.Click(5044);
    const auto more = f.ChartViews();
    ASSERT_EQ(more.size(), 3u);
    for (OrvelGUIChartViewFrame* view : more) {
        if (std::find(views.begin(), views.end(), view) == views.end()) {
            EXPECT_EQ(view->GetTitle(), "HALVANE DUO Charts - third.hvl (06/01/21)");
        }
    }
}

// Date and time columns hold the locale's longest forms whole: the last
// second of a two-digit day in a two-digit month.
TEST(LogPage, DateAndTimeColumnsFitTheLocalesTexts)
{
    PageFixture f;
    wxListCtrl* list = f.page->GetList();
    const wxDateTime late(31, wxDateTime::Dec, 2012, 23, 59, 59);
    // The list keeps 4 pixels either side of a cell's text.
    EXPECT_GE(list->GetColumnWidth(0), list->GetTextExtent(late.Format("%x")).x + 8) << late.Format("%x");
    EXPECT_GE(list->GetColumnWidth(1), list->GetTextExtent(late.Format("%X")).x + 8) << late.Format("%X");
    EXPECT_GE(list->GetColumnWidth(5), list->GetTextExtent("13.990000").x + 8);
}

TEST(LogPage, CellTextsForEveryColumnRule)
{
    PageFixture f;
    TempDir dir;
    std::vector<LogRecord> log;
    const float phs[] = {0.5f, 1.0f, 14.0f, 6.5f, 13.99f};
    const char* phTexts[] = {"0.000000", "0.000000", "0.000000", "6.500000", "13.990000"};
    for (uint32_t i = 0; i < 5; ++i) {
        LogRecord r = SampleRecord(LogDate(2012, 12, 31), LogTime(13, 45, 30) | 0x5A000000u, i);
        r[kLogPh1] = FloatToWord(phs[i]);
        r[kLogPh2] = FloatToWord(phs[4 - i]);
        r[kLogTe1] = FloatToWord(0.5f);
        r[kLogEc1] = 0xFFFFFFFFu;
        r[kLogAc1 + 5] = 0x80000000u;
        log.push_back(r);
    }
    log[3][kLogDate] = LogDate(2012, 13, 1); // no real date
    log[4][kLogTime] = LogTime(24, 0, 0);    // no real time
    f.OpenThroughDialog(WriteLogFile(dir, "cells.hvl", log));
    ASSERT_EQ(f.Rows(), 5);
    const wxString date = wxDateTime(31, wxDateTime::Dec, 2012).Format("%x");
    const wxString time = wxDateTime::Today().SetHour(13).SetMinute(45).SetSecond(30).Format("%X");
    for (long i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(f.Cell(i, 0), i == 3 ? InvalidDateTimeText() : date);
        EXPECT_EQ(f.Cell(i, 1), i == 4 ? InvalidDateTimeText() : time);
        EXPECT_EQ(f.Cell(i, 2), "");
        EXPECT_EQ(f.Cell(i, 3), "4294967295");
        EXPECT_EQ(f.Cell(i, 4), wxString::Format("%u", 2000 + static_cast<unsigned>(i)));
        EXPECT_EQ(f.Cell(i, 5), phTexts[i]);
        EXPECT_EQ(f.Cell(i, 6), phTexts[4 - i]);
        EXPECT_EQ(f.Cell(i, 7), "0.500000") << "no range rule for temperatures";
        EXPECT_EQ(f.Cell(i, 14), "2147483648");
    }
    // The rows are painted without a wx assertion, invalid dates included.
    EventCounter<wxPaintEvent> painted(ListRowsWindow(f.page->GetList()), wxEVT_PAINT);
    f.page->GetList()->Refresh();
    f.page->GetList()->Update();
    EXPECT_TRUE(painted.WaitFor(1));
}

TEST(LogPage, MouseAndKeyboard)
{
    PageFixture f;
    TempDir dir;
    wxUIActionSimulator sim;
    wxWindow* chartButton = f.page->FindWindow(5044);
    ASSERT_NE(chartButton, nullptr);
    bool seen = false;
    wxTEST_DIALOG(
        {
            sim.MouseMove(chartButton->GetScreenRect().GetPosition() + chartButton->GetSize() / 2);
            wxYield();
            sim.MouseClick();
            PumpUntil([&] { return seen; }, 3000);
        },
        SeenMessageBox("Open Log File first.", seen));
    EXPECT_TRUE(seen) << "a click on \"Show Chart\" with no log tells the user";
    EXPECT_TRUE(f.ChartViews().empty());

    // The rows can be walked with the keyboard; Enter on a row does nothing.
    f.page->OpenLogFile(WriteLogFile(dir, "keys.hvl", HourlyLog(50)));
    wxListCtrl* list = f.page->GetList();
    list->SetFocus();
    list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == list; }));
    for (int i = 0; i < 3; ++i) {
        sim.Char(WXK_DOWN);
        wxYield();
    }
    PumpUntil([&] { return list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED) == 3; });
    EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 3);
    ASSERT_TRUE(TypeKey(WXK_RETURN));
    EXPECT_TRUE(f.ChartViews().empty());
    EXPECT_EQ(f.Rows(), 50);
}

TEST(LogPage, ExportRowsToCsvWritesEveryRowInTheListsOrder)
{
    PageFixture f;
    TempDir dir;
    {
        const std::unique_ptr<wxMenu> menu = f.page->MakeListMenu();
        ASSERT_EQ(menu->GetMenuItemCount(), 4u);
        EXPECT_EQ(menu->FindItemByPosition(0)->GetItemLabelText(), "Export Rows to CSV...");
        EXPECT_EQ(menu->FindItemByPosition(2)->GetItemLabelText(), "New Grow...");
        EXPECT_EQ(menu->FindItemByPosition(3)->GetItemLabelText(), "Open Grow...");
        EXPECT_FALSE(menu->IsEnabled(LogPanel::ID_EXPORT_ROWS_CSV)) << "no rows yet";
    }
    f.page->OpenLogFile(WriteLogFile(dir, "three.hvl", HourlyLog(3, 0)));
    f.page->OpenLogFile(WriteLogFile(dir, "two.hvl", HourlyLog(2, 50)));
    ASSERT_EQ(f.Rows(), 5);
    EXPECT_TRUE(f.page->MakeListMenu()->IsEnabled(LogPanel::ID_EXPORT_ROWS_CSV));

    const wxString path = dir.File("rows.csv");
    wxCommandEvent command(wxEVT_MENU, LogPanel::ID_EXPORT_ROWS_CSV);
    command.SetEventObject(f.page);
    wxTEST_DIALOG(f.page->ProcessWindowEvent(command),
                  ExpectFile(path).Titled("Export Rows to CSV").Filter("CSV File (*.csv)|*.csv"));
    wxFile file(path);
    ASSERT_TRUE(file.IsOpened());
    wxString text;
    ASSERT_TRUE(file.ReadAll(&text));
    const wxArrayString lines = wxSplit(text, '\n', '\0');
    ASSERT_EQ(lines.size(), 7u) << text;
    // The list's order: the last load on top, each load in file order; EC 1
    // of an hourly record is 1000 + its seed.
    const char* const starts[] = {"2021-06-01T00:00:00,", "2021-06-01T01:00:00,", "2021-06-01T00:00:00,",
                                  "2021-06-01T01:00:00,", "2021-06-01T02:00:00,"};
    const char* const ec[] = {",1050,", ",1051,", ",1000,", ",1001,", ",1002,"};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_TRUE(lines[i + 1].StartsWith(starts[i])) << lines[i + 1];
        EXPECT_TRUE(lines[i + 1].Contains(ec[i])) << lines[i + 1];
        EXPECT_TRUE(lines[i + 1].EndsWith("\r")) << "CRLF line ends";
    }
    EXPECT_EQ(lines[6], "");
}
