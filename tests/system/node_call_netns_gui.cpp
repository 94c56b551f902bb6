// The node call page searching for real, across network namespaces: run by
// test_node_call.sh inside the client's namespace, with controller
// stand-ins answering from the other one. Each test is one situation the
// script sets up (HALVANE_NODECALL_CASE) and skips in any other; the script
// checks that its test really ran.
//
//   HALVANE_NODECALL_EXPECT  answers the stand-ins give, "NAME@ADDRESS,..."
//   HALVANE_NODECALL_DATE    the stand-ins' date and time words
//   HALVANE_NODECALL_TIME
#include "ui/test_node_call_util.h"

#include "core/WordHelpers.h"

#include <wx/tokenzr.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <set>
#include <utility>

using namespace nodecall_test;

namespace {

// Only the namespaces the script made: loopback and the client's veth end.
bool InTestNamespace()
{
    for (const std::string& name : NetworkInterfaces())
        if (name != "lo" && name.rfind("hvca", 0) != 0)
            return false;
    return NetworkInterfaces().size() == 2;
}

#define REQUIRE_CASE(name)                                                                                   \
    do {                                                                                                     \
        wxString c;                                                                                          \
        if (!wxGetEnv("HALVANE_NODECALL_CASE", &c) || c != name)                                             \
            GTEST_SKIP() << "set up by test_node_call.sh";                                                   \
        ASSERT_TRUE(InTestNamespace()) << "refusing to broadcast outside the test's network namespaces";     \
    } while (0)

using Row = std::pair<wxString, wxString>; // server name, address

std::multiset<Row> Expected()
{
    std::multiset<Row> rows;
    wxString wanted;
    wxGetEnv("HALVANE_NODECALL_EXPECT", &wanted);
    for (const wxString& item : wxSplit(wanted, ',', '\0'))
        if (!item.empty())
            rows.insert({item.BeforeFirst('@'), item.AfterFirst('@')});
    return rows;
}

uint32_t EnvWord(const char* name)
{
    wxString text;
    unsigned long value = 0;
    wxGetEnv(name, &text);
    text.ToULong(&value, 0);
    return static_cast<uint32_t>(value);
}

std::multiset<Row> Listed(const PageFrame& f)
{
    std::multiset<Row> rows;
    for (int r = 0; r < f.Rows(); ++r)
        rows.insert({f.Cell(r, 2), f.Cell(r, 3)});
    return rows;
}

// "Search" clicked with the mouse, as a user would.
void ClickSearch(const PageFrame& f)
{
    wxButton* button = f.page->GetSearchButton();
    wxUIActionSimulator sim;
    ASSERT_TRUE(MovePointerTo(sim, button, wxPoint(button->GetSize().x / 2, button->GetSize().y / 2), false));
    sim.MouseClick();
}

} // namespace

TEST(NodeCallNetns, SearchListsTheStandInAndOpensItsWebClient)
{
    REQUIRE_CASE("one");
    const std::multiset<Row> expected = Expected();
    ASSERT_EQ(expected.size(), 1u);
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening());

    const unsigned long long readBefore = DatagramsRead();
    ClickSearch(f);
    ASSERT_TRUE(f.WaitForRows(1, 5000)) << "no answer from the stand-in";
    // Our own broadcast, heard back, and the answer read: the broadcast is no answer.
    ASSERT_TRUE(f.WaitForDatagramsRead(readBefore, 2, 5000));
    ASSERT_EQ(f.Rows(), 1);
    EXPECT_EQ(Listed(f), expected);
    EXPECT_TRUE(f.Cell(0, 3).StartsWith("10.200.0."));
    EXPECT_EQ(f.Cell(0, 0), FormatDateText(DecodePackedDate(EnvWord("HALVANE_NODECALL_DATE"))));
    EXPECT_EQ(f.Cell(0, 1), FormatTimeText(DecodePackedTime(EnvWord("HALVANE_NODECALL_TIME"))));

    // Enter on the row opens exactly "http://" and the address, and the
    // page sends nothing for it.
    RecordingBrowser browser;
    wxListCtrl* list = f.List();
    list->SetFocus();
    list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == list; }));
    const unsigned long long sentBefore = PacketsSent();
    wxUIActionSimulator sim;
    sim.Char(WXK_RETURN);
    const std::vector<wxString> urls = browser.Urls(1);
    ASSERT_EQ(urls.size(), 1u);
    EXPECT_EQ(urls[0], "http://" + expected.begin()->second);
    ASSERT_TRUE(PumpUntilIdle()); // all that Enter queued has run
    EXPECT_EQ(PacketsSent(), sentBefore) << "activating a row put packets on the network";
}

TEST(NodeCallNetns, TwoControllersTwoSearchesTwoRows)
{
    REQUIRE_CASE("two");
    const std::multiset<Row> expected = Expected();
    ASSERT_EQ(expected.size(), 2u);
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening());

    unsigned long long readBefore = DatagramsRead();
    ClickSearch(f);
    ASSERT_TRUE(f.WaitForRows(2, 5000));
    // Both answers and our own broadcast read.
    ASSERT_TRUE(f.WaitForDatagramsRead(readBefore, 3, 5000));
    EXPECT_EQ(Listed(f), expected);

    readBefore = DatagramsRead();
    ClickSearch(f);
    // The second click clears the list before its answers come.
    ASSERT_TRUE(f.WaitForRows(2, 5000));
    ASSERT_TRUE(f.WaitForDatagramsRead(readBefore, 3, 5000));
    EXPECT_EQ(f.Rows(), 2) << "answers of the first search were kept";
    EXPECT_EQ(Listed(f), expected);
}

TEST(NodeCallNetns, TwoIdenticalAnswersTwoRows)
{
    REQUIRE_CASE("twice");
    const std::multiset<Row> expected = Expected();
    ASSERT_EQ(expected.size(), 2u);
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening());

    const unsigned long long readBefore = DatagramsRead();
    ClickSearch(f);
    ASSERT_TRUE(f.WaitForRows(2, 5000));
    ASSERT_TRUE(f.WaitForDatagramsRead(readBefore, 3, 5000));
    EXPECT_EQ(Listed(f), expected);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(f.Cell(0, c), f.Cell(1, c)) << "column " << c;
}

TEST(NodeCallNetns, NoControllerAnEmptyListAndNoMessage)
{
    REQUIRE_CASE("none");
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening());
    const unsigned long long sentBefore = PacketsSent();
    const unsigned long long readBefore = DatagramsRead();
    // Any message box would fail the test (the catch-all dialog hook).
    ClickSearch(f);
    // Our own broadcast comes back, is read and ignored.
    ASSERT_TRUE(f.WaitForDatagramsRead(readBefore, 1, 5000));
    EXPECT_EQ(f.Rows(), 0);
    // The request did go out (and came back to our own socket, ignored).
    EXPECT_GT(PacketsSent(), sentBefore);
}

TEST(NodeCallNetns, ControllerClockBehindShowsHowFarInTheWarningColour)
{
    REQUIRE_CASE("behind");
    const std::multiset<Row> expected = Expected();
    ASSERT_EQ(expected.size(), 2u);
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening());

    const unsigned long long readBefore = DatagramsRead();
    ClickSearch(f);
    ASSERT_TRUE(f.WaitForRows(2, 5000));
    ASSERT_TRUE(f.WaitForDatagramsRead(readBefore, 3, 5000));
    ASSERT_EQ(Listed(f), expected);
    const auto* list = static_cast<const NodeCallListCtrl*>(f.List());
    for (int r = 0; r < 2; ++r) {
        SCOPED_TRACE(f.Cell(r, 2));
        if (f.Cell(r, 2) == "LATE-CLOCK") {
            EXPECT_EQ(f.Cell(r, 4), "3 h 0 min behind");
            EXPECT_EQ(list->RowTextColour(r), NodeCallListCtrl::ClockWarningColour());
        } else {
            EXPECT_EQ(f.Cell(r, 4), "ok");
            EXPECT_NE(list->RowTextColour(r), NodeCallListCtrl::ClockWarningColour());
        }
    }
}
