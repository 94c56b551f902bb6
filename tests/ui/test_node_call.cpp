// The "Node Call" page on the loopback: what a user sees as answers arrive,
// the browser launch, and the two send failures. Answers come from plain
// sockets on 127.0.0.x; nothing here leaves this machine. The tests that
// click "Search" run only where the process sees loopback alone (the
// private namespace run_gui.sh gives it as root).
#include "test_node_call_util.h"

#include "core/WordHelpers.h"

#include <wx/uiaction.h>

#include <fcntl.h>
#include <sys/resource.h>

#include <utility>

using namespace nodecall_test;

namespace {

void ClickSearch(NodeCallPanel* page)
{
    wxCommandEvent click(wxEVT_BUTTON, page->GetSearchButton()->GetId());
    click.SetEventObject(page->GetSearchButton());
    page->GetSearchButton()->ProcessWindowEvent(click);
}

} // namespace

TEST(NodeCallPage, LayoutColumnsAndListeningSocket)
{
    PageFrame f;
    NodeCallPanel* page = f.page;
    EXPECT_TRUE(page->IsListening()) << "port 5680 busy?";

    wxListCtrl* list = f.List();
    EXPECT_EQ(list->GetId(), 5015);
    EXPECT_TRUE(list->InReportView());
    EXPECT_TRUE(list->HasFlag(wxLC_SINGLE_SEL));
    const char* headers[] = {"Date", "Time", "Server Name", "IP", "Clock"};
    const int widths[] = {100, 100, 200, 100, 100};
    ASSERT_EQ(list->GetColumnCount(), 5);
    for (int c = 0; c < 5; ++c) {
        wxListItem col;
        col.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH | wxLIST_MASK_FORMAT);
        ASSERT_TRUE(list->GetColumn(c, col));
        EXPECT_EQ(col.GetText(), headers[c]);
        EXPECT_GE(col.GetWidth(), widths[c]); // the widths asked for are the least
        EXPECT_EQ(col.GetAlign(), wxLIST_FORMAT_LEFT);
    }
    // A name of sixteen wide letters and the longest address read whole.
    EXPECT_GT(list->GetColumnWidth(2), list->GetTextExtent("WWWWWWWWWWWWWWWW").x);
    EXPECT_GT(list->GetColumnWidth(3), list->GetTextExtent("255.255.255.255").x);
    EXPECT_GT(list->GetColumnWidth(4), list->GetTextExtent("47 h 59 min behind").x);
    EXPECT_EQ(f.Rows(), 0);

    wxButton* search = page->GetSearchButton();
    EXPECT_EQ(search->GetLabel(), "Search");
    EXPECT_EQ(search->GetId(), 5017);
    EXPECT_TRUE(search->IsEnabled());
    // List above, button below it at the right edge, list taking most room.
    const wxRect listRect = list->GetRect();
    const wxRect buttonRect = search->GetRect();
    EXPECT_GT(buttonRect.GetTop(), listRect.GetBottom());
    EXPECT_EQ(buttonRect.GetRight(), page->GetClientSize().GetWidth() - 1 - 5);
    EXPECT_GT(listRect.GetHeight(), 2 * buttonRect.GetHeight());

    // A second page in the same process cannot bind the port: no message,
    // it simply hears nothing.
    auto* second = new NodeCallPanel(f.frame);
    EXPECT_FALSE(second->IsListening());
    second->Destroy();
}

TEST(NodeCallPage, AnswersBecomeTopRowsOthersAreIgnored)
{
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening());

    // Arrives without any search: listed all the same.
    SendToPage(AnswerBytes("HYDRO", Date(7, 12, 2026), Time(15, 30, 10)), "127.0.0.2");
    ASSERT_TRUE(f.WaitForRows(1));
    EXPECT_EQ(f.Cell(0, 0), FormatDateText(wxDateTime(7, wxDateTime::Dec, 2026)));
    EXPECT_EQ(f.Cell(0, 1), FormatTimeText(wxDateTime::Today().SetHour(15).SetMinute(30).SetSecond(10)));
    EXPECT_EQ(f.Cell(0, 2), "HYDRO");
    EXPECT_EQ(f.Cell(0, 3), "127.0.0.2");

    // Not answers: our own request, a wrong magic, a short answer.
    const unsigned long long readBefore = DatagramsRead();
    const auto request = NodeCallRequest();
    SendToPage(Bytes(request.begin(), request.end()));
    Bytes wrong = AnswerBytes("WRONG");
    wrong[1] = 0xF8;
    SendToPage(wrong);
    Bytes shortAnswer = AnswerBytes("SHORT");
    shortAnswer.resize(35);
    SendToPage(shortAnswer);
    // Then the same controller twice, and one with words out of range.
    SendToPage(AnswerBytes("TWIN"), "127.0.0.3");
    SendToPage(AnswerBytes("TWIN"), "127.0.0.3");
    SendToPage(AnswerBytes("ABCDEFGHIJKLMNOP", Date(31, 2, 2026), Time(25, 0, 0)), "127.0.0.4");
    // All six read: nothing else turns up.
    ASSERT_TRUE(f.WaitForDatagramsRead(readBefore, 6));
    ASSERT_EQ(f.Rows(), 4);

    // Newest on top.
    EXPECT_EQ(f.Cell(0, 2), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(f.Cell(0, 0), InvalidDateTimeText());
    EXPECT_EQ(f.Cell(0, 1), InvalidDateTimeText());
    EXPECT_EQ(f.Cell(0, 3), "127.0.0.4");
    for (long row : {1, 2}) {
        EXPECT_EQ(f.Cell(row, 2), "TWIN");
        EXPECT_EQ(f.Cell(row, 3), "127.0.0.3");
    }
    EXPECT_EQ(f.Cell(3, 2), "HYDRO");
}

// The controller's clock against the moment its answer came: a clock on
// time reads "ok" in the list's colour, one two days behind and one that is
// no real date read in the warning colour.
TEST(NodeCallPage, ClockColumnComparesTheControllersClockWithOurs)
{
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening());
    const auto words = [](const wxDateTime& t) {
        return std::pair<uint32_t, uint32_t>(
            Date(t.GetDay(), t.GetMonth() + 1, static_cast<unsigned>(t.GetYear())),
            Time(t.GetHour(), t.GetMinute(), t.GetSecond()));
    };
    const auto now = words(wxDateTime::Now());
    const auto late = words(wxDateTime::Now() - wxTimeSpan::Hours(2 * 24 + 5));
    SendToPage(AnswerBytes("ON-TIME", now.first, now.second), "127.0.0.2");
    SendToPage(AnswerBytes("LATE", late.first, late.second), "127.0.0.3");
    SendToPage(AnswerBytes("UNSET", Date(31, 2, 2026), Time(12, 0, 0)), "127.0.0.4");
    ASSERT_TRUE(f.WaitForRows(3));

    const auto* list = static_cast<const NodeCallListCtrl*>(f.List());
    EXPECT_EQ(f.Cell(2, 2), "ON-TIME");
    EXPECT_EQ(f.Cell(2, 4), "ok");
    EXPECT_NE(list->RowTextColour(2), NodeCallListCtrl::ClockWarningColour());
    EXPECT_EQ(f.Cell(1, 4), "2 days behind");
    EXPECT_EQ(list->RowTextColour(1), NodeCallListCtrl::ClockWarningColour());
    EXPECT_EQ(f.Cell(0, 4), "(invalid)");
    EXPECT_EQ(list->RowTextColour(0), NodeCallListCtrl::ClockWarningColour());
}

TEST(NodeCallPage, SelectionStaysWithItsAnswer)
{
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening());
    SendToPage(AnswerBytes("FIRST"), "127.0.0.5");
    SendToPage(AnswerBytes("SECOND"), "127.0.0.6");
    ASSERT_TRUE(f.WaitForRows(2));
    wxListCtrl* list = f.List();
    list->SetItemState(1, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    ASSERT_EQ(f.Cell(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 2), "FIRST");

    SendToPage(AnswerBytes("THIRD"), "127.0.0.7");
    ASSERT_TRUE(f.WaitForRows(3));
    EXPECT_EQ(list->GetSelectedItemCount(), 1);
    EXPECT_EQ(f.Cell(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 2), "FIRST");
    EXPECT_EQ(f.Cell(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED), 2), "FIRST");
}

TEST(NodeCallPage, ActivatingARowOpensItsAddressAndSendsNothing)
{
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening());
    RecordingBrowser browser;
    SendToPage(AnswerBytes("OTHER"), "127.0.0.8");
    SendToPage(AnswerBytes("HYDRO"), "127.0.0.7");
    ASSERT_TRUE(f.WaitForRows(2));

    // Keyboard: select the top row and press Enter.
    wxListCtrl* list = f.List();
    list->SetFocus();
    list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == list; }));
    const unsigned long long sentBefore = PacketsSent();
    wxUIActionSimulator sim;
    sim.Char(WXK_RETURN);
    std::vector<wxString> urls = browser.Urls(1);
    ASSERT_EQ(urls.size(), 1u) << "Enter on a row did not open the browser";
    EXPECT_EQ(urls[0], "http://127.0.0.7");

    // Mouse: double-click the second row.
    wxRect rect;
    ASSERT_TRUE(list->GetItemRect(1, rect));
    wxWindow* rows = ListRowsWindow(list);
    ASSERT_TRUE(MovePointerTo(
        sim, rows,
        rows->ScreenToClient(list->ClientToScreen(rect.GetPosition() + wxPoint(20, rect.GetHeight() / 2)))));
    sim.MouseDblClick();
    urls = browser.Urls(2);
    ASSERT_EQ(urls.size(), 2u) << "double click on a row did not open the browser";
    EXPECT_EQ(urls[1], "http://127.0.0.8");
    ASSERT_TRUE(PumpUntilIdle()); // all the double click queued has run
    EXPECT_EQ(PacketsSent(), sentBefore) << "activating a row put packets on the network";
}

TEST(NodeCallPage, SearchThatCannotBeSentTellsTheUser)
{
    if (!OnlyLoopback())
        GTEST_SKIP() << "clicks \"Search\": runs only in a private network namespace (root)";
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening());
    SendToPage(AnswerBytes("OLD"));
    ASSERT_TRUE(f.WaitForRows(1));

    // Loopback alone has no route to 255.255.255.255: the send fails. The
    // list is cleared first all the same.
    const wxString expected = wxString::Format("Broadcast Error: %d", static_cast<int>(wxSOCKET_IOERR));
    wxTEST_DIALOG(ClickSearch(f.page),
                  ExpectMessageBox(wxID_OK, expected, DefaultCaption(), wxOK | wxCENTRE));
    EXPECT_EQ(f.Rows(), 0);
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(f.Rows(), 0);
    // The page still listens after a failed search.
    SendToPage(AnswerBytes("LATE"));
    ASSERT_TRUE(f.WaitForRows(1));
    EXPECT_EQ(f.Cell(0, 2), "LATE");
}

TEST(NodeCallPage, NoSocketForTheSearchMeansNoSend)
{
    if (!OnlyLoopback())
        GTEST_SKIP() << "clicks \"Search\": runs only in a private network namespace (root)";
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening());

    // Use up every file descriptor, so the sending socket cannot be made.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &old), 0);
    rlimit low = old;
    low.rlim_cur = 256;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> fds;
    const unsigned long long sentBefore = PacketsSent();
    for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;)
        fds.push_back(fd);

    // Only this message: a send attempted on no socket would fail again
    // with "Broadcast Error: ..." (the catch-all hook fails on that).
    bool sent = true;
    wxTEST_DIALOG(sent = f.page->SearchNodes(),
                  ExpectMessageBox(wxID_OK, "Broadcast Socket Error!", DefaultCaption(), wxOK | wxCENTRE));
    for (int fd : fds)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &old);
    EXPECT_FALSE(sent);
    EXPECT_GT(fds.size(), 0u);
    EXPECT_EQ(PacketsSent(), sentBefore);
}
