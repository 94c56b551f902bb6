// Every list of the main window, on a small screen, scrolled fully to the
// right: its last column shows whole, header and longest text. Run once at
// the frame's own 640 x 480 on the usual screen and once on a 640 x 480
// screen (C and de_DE), where the window cannot grow to fit the columns.
#include "wx_test_util.h"

#include "test_log_records.h"

#include "core/NodeCall.h"
#include "core/NodeSchedule.h"
#include "core/Version.h"
#include "core/WordHelpers.h"
#include "ui/ConfigPanel.h"
#include "ui/HalvaneFrame.h"
#include "ui/LogPanel.h"
#include "ui/NodeCallPanel.h"
#include "ui/SchedulePanel.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

class InTempDir {
public:
    InTempDir() : m_old(wxGetCwd()) { wxSetWorkingDirectory(wxString::FromUTF8(m_dir.Path().string())); }
    ~InTempDir() { wxSetWorkingDirectory(m_old); }
    const TempDir& Dir() const { return m_dir; }

private:
    TempDir m_dir;
    wxString m_old;
};

void ClickButton(wxWindow* page, wxWindowID id)
{
    auto* button = wxDynamicCast(page->FindWindow(id), wxButton);
    ASSERT_NE(button, nullptr) << id;
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

// Scrolls the list's bar to its maximum, as dragging it to the end does, and
// checks that the last column, its header and its longest text lie within
// the list's visible width.
void ExpectLastColumnWhole(wxListCtrl* list, const char* what)
{
    SCOPED_TRACE(what);
    ASSERT_GT(list->GetItemCount(), 0);
    const int last = list->GetColumnCount() - 1;
    ASSERT_GE(last, 0);
    // The list lays itself out again when next idle after a change (the
    // columns' widths, a new page shown): scroll once that is done, as a
    // user would, and look once the scroll is drawn.
    PumpUntilIdle();
    list->Scroll(list->GetScrollRange(wxHORIZONTAL), -1);
    PumpUntilIdle();

    wxListItem header;
    header.SetMask(wxLIST_MASK_TEXT);
    ASSERT_TRUE(list->GetColumn(last, header));
    wxString longest = header.GetText();
    long longestRow = -1;
    for (long row = 0; row < list->GetItemCount(); ++row) {
        const wxString text = list->GetItemText(row, last);
        if (list->GetTextExtent(text).x > list->GetTextExtent(longest).x) {
            longest = text;
            longestRow = row;
        }
    }
    wxRect cell;
    ASSERT_TRUE(list->GetSubItemRect(std::max(0L, longestRow), last, cell));
    const int visible = list->GetClientSize().x;
    int columns = 0;
    for (int c = 0; c <= last; ++c)
        columns += list->GetColumnWidth(c);
    if (columns <= visible) {
        EXPECT_EQ(cell.x + cell.width, columns) << "no scrolling needed";
    }
    // The list draws a cell's text 4 pixels in from either edge of its column.
    EXPECT_LE(cell.x + cell.width, visible)
        << "the column's right edge is out of reach: \"" << longest.utf8_string() << "\"";
    EXPECT_GE(cell.x, 0);
    EXPECT_GE(cell.width, list->GetTextExtent(longest).x + 8) << longest.utf8_string();
}

} // namespace

#if !(defined(__WXMSW__) || defined(__WXQT__)) || defined(__WXUNIVERSAL__)
TEST(ListScroll, EveryListScrolledFullyRightShowsItsLastColumnWhole)
{
    // The small screen's entries run where they say they do.
    if (const char* screen = std::getenv("HALVANE_TEST_SCREEN");
        screen && std::string(screen) == "640x480x24") {
        EXPECT_EQ(wxGetDisplaySize(), wxSize(640, 480));
    }
    InTempDir cwd;
    const TempDir& dir = cwd.Dir();
    auto* frame = new HalvaneFrame(nullptr, wxID_ANY, GetClientTitle(), wxDefaultPosition, wxSize(640, 480),
                                   wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
    frame->SetSize(640, 480); // on a larger screen the window would widen to fit the profile
    ASSERT_TRUE(ShowAndWaitForPaint(frame, frame->GetNotebook()->GetPage(0)));
    wxNotebook* book = frame->GetNotebook();
    ASSERT_EQ(book->GetPageCount(), 4u);

    // A profile of mode 0x201, opened.
    auto* profile = dynamic_cast<ConfigPanel*>(book->GetPage(0));
    ASSERT_NE(profile, nullptr);
    std::vector<unsigned char> bytes(400, 0);
    bytes[4] = 0x01;
    bytes[5] = 0x02;
    bytes[4 * 46] = 0xDC; // EC 1 target 1500 uS
    bytes[4 * 46 + 1] = 0x05;
    WriteBytes(dir.File("p.hvc"), bytes);
    wxTEST_DIALOG(ClickButton(profile, wxID_OPEN), ExpectFile(dir.File("p.hvc")));
    EXPECT_TRUE(profile->GetList()->GetItemText(1, 1).EndsWith("Channel 1"))
        << profile->GetList()->GetItemText(1, 1);

    // A schedule of two entries with the widest figures.
    NodeSchedule schedule(2);
    for (size_t i = 0; i < 2; ++i) {
        ScheduleEntry& entry = schedule[i];
        entry.date() = EncodePackedDate(wxDateTime(31, wxDateTime::Dec, 2012));
        for (size_t w = 2; w < kScheduleEntryWords; ++w)
            entry.words[w] = 4294967295u;
    }
    WriteBytes(dir.File("s.hvs"), EncodeScheduleFile(schedule));
    auto* schedulePage = dynamic_cast<SchedulePanel*>(book->GetPage(1));
    ASSERT_NE(schedulePage, nullptr);
    wxTEST_DIALOG(ClickButton(schedulePage, wxID_OPEN), ExpectFile(dir.File("s.hvs")),
                  ExpectMessageBox(wxID_OK, "2", DefaultCaption(), wxOK | wxCENTRE));

    auto* logPage = dynamic_cast<LogPanel*>(book->GetPage(2));
    ASSERT_NE(logPage, nullptr);
    logPage->OpenLogFile(WriteLogFile(dir, "day.hvl", HourlyLog(30)));

    auto* callPage = dynamic_cast<NodeCallPanel*>(book->GetPage(3));
    ASSERT_NE(callPage, nullptr);
    auto* calls = dynamic_cast<NodeCallListCtrl*>(callPage->GetList());
    ASSERT_NE(calls, nullptr);
    const wxDateTime widest = WidestDateTimeSample();
    calls->PrependRow({FormatDateText(widest), FormatTimeText(widest), "WWWWWWWWWWWWWWWW", "255.255.255.255",
                       "47 h 59 min behind", true},
                      NodeCallPanel::MaxRows);

    const char* names[] = {"profile", "schedule", "log", "node call"};
    for (size_t page = 0; page < 4; ++page) {
        if (static_cast<size_t>(book->GetSelection()) != page) {
            EventCounter<wxPaintEvent> painted(book->GetPage(page), wxEVT_PAINT);
            book->SetSelection(page);
            ASSERT_TRUE(painted.WaitFor(1)) << names[page];
        }
        wxListCtrl* list = nullptr;
        for (wxWindow* child : book->GetPage(page)->GetChildren())
            if (auto* l = dynamic_cast<wxListCtrl*>(child))
                list = l;
        ASSERT_NE(list, nullptr) << names[page];
        ExpectLastColumnWhole(list, names[page]);
    }
    DestroyAndWait(frame);
}
#endif
