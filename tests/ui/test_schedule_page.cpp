// The "Schedule" page as a grower drives it: runs of days added through the
// entry dialog, rows removed and cleared, the table saved and opened again.
#include "test_schedule_util.h"

#include "core/ParameterTable.h"
#include "core/WordHelpers.h"
#include "ui/SchedulePanel.h"

#include <wx/uiaction.h>

#include <filesystem>

namespace {

const long kWarningBox = wxOK | wxICON_WARNING;

// A shown frame holding one schedule page, destroyed at scope end.
class PageWindow {
public:
    PageWindow()
    {
        m_frame = new wxFrame(TestTopFrame(), wxID_ANY, "schedule", wxDefaultPosition, wxSize(900, 500));
        m_page = new SchedulePanel(m_frame, wxID_ANY, wxDefaultPosition, wxSize(446, 319), wxTAB_TRAVERSAL);
        EXPECT_TRUE(ShowAndWaitForPaint(m_frame, m_page));
    }
    ~PageWindow() { EXPECT_TRUE(DestroyAndWait(m_frame)); }
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;

    SchedulePanel* page() const { return m_page; }
    wxListCtrl* list() const { return m_page->GetList(); }
    long Rows() const { return list()->GetItemCount(); }
    wxString Cell(long row, int column) const { return list()->GetItemText(row, column); }

    wxButton* Button(int id) const { return dynamic_cast<wxButton*>(m_page->FindWindow(id)); }
    // A click on one of the page's buttons, as the button itself reports it.
    void Click(int id) const
    {
        wxButton* button = Button(id);
        ASSERT_NE(button, nullptr) << "no button " << id;
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(button);
        button->HandleWindowEvent(event);
    }
    void Select(long row) const { list()->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED); }

    // One "Add" answered with input.
    void Add(const EntryInput& input) const
    {
        wxTEST_DIALOG(Click(wxID_NEW), wxExpectModal<NewScheduleEntryDialog>(input));
    }
    // Rows of a given size added through the dialog, in runs of at most 100.
    void AddDays(long count, int ec = 0) const
    {
        while (count > 0) {
            const long run = std::min(count, 100L);
            Add(EntryInput().Days(wxString::Format("%ld", run)).Ec(wxString::Format("%d", ec)));
            count -= run;
        }
    }

private:
    wxFrame* m_frame;
    SchedulePanel* m_page;
};

wxString DateText(int day, wxDateTime::Month month, int year)
{
    return FormatDateText(wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), month, year));
}

// An existing file chosen in the open dialog that is gone by the time the
// page reads it (a card pulled, a file deleted meanwhile).
ExpectFile ExpectVanishingFile(const wxString& path)
{
    return ExpectFile(path).Then([path] { wxRemoveFile(path); });
}

// A save target replaced by a folder of the same name after it was chosen.
ExpectFile ExpectFileTurnedFolder(const wxString& path)
{
    return ExpectFile(path).Then([path] {
        wxRemoveFile(path);
        std::filesystem::create_directory(path.utf8_string());
    });
}

std::vector<unsigned char> Entries(const NodeSchedule& schedule)
{
    return EncodeScheduleFile(schedule);
}

} // namespace

TEST(SchedulePage, LayoutColumnsAndButtons)
{
    PageWindow w;
    EXPECT_EQ(w.list()->GetId(), 5015);
    EXPECT_TRUE(w.list()->HasFlag(wxLC_REPORT));
    EXPECT_TRUE(w.list()->HasFlag(wxLC_SINGLE_SEL));
    EXPECT_FALSE(w.list()->HasFlag(wxLC_EDIT_LABELS));
    EXPECT_EQ(w.Rows(), 0);

    ScheduleColumnLabels labels;
    FillScheduleColumnLabels(labels);
    ASSERT_EQ(w.list()->GetColumnCount(), 22);
    for (int c = 0; c < 22; ++c) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT | wxLIST_MASK_WIDTH);
        ASSERT_TRUE(w.list()->GetColumn(c, column));
        EXPECT_EQ(column.GetText(), labels[static_cast<size_t>(c)]) << "column " << c;
        EXPECT_EQ(column.GetAlign(), wxLIST_FORMAT_LEFT);
        EXPECT_GE(w.list()->GetColumnWidth(c), 60) << "column " << c;
        // The title reads whole: the list keeps 4 pixels either side of it.
        EXPECT_GE(w.list()->GetColumnWidth(c), w.list()->GetTextExtent(column.GetText()).x + 8)
            << "column " << c;
    }
    EXPECT_EQ(labels[0], "");
    EXPECT_EQ(labels[1], "Date");
    EXPECT_EQ(labels[21], "PH DOWN Ratio 6");

    const std::pair<int, const char*> buttons[] = {{wxID_SAVE, "Save As"},
                                                   {wxID_OPEN, "Open"},
                                                   {wxID_NEW, "Add"},
                                                   {wxID_DELETE, "Remove"},
                                                   {wxID_CLEAR, "Clear"}};
    int lastX = -1;
    for (const auto& [id, label] : buttons) {
        wxButton* button = w.Button(id);
        ASSERT_NE(button, nullptr) << label;
        EXPECT_EQ(button->GetLabel(), label);
        EXPECT_GT(button->GetPosition().x, lastX) << label << " out of order";
        lastX = button->GetPosition().x;
        EXPECT_GT(button->GetPosition().y, w.list()->GetPosition().y + w.list()->GetSize().y / 2);
    }
    // The button row sits at the right edge of the page.
    wxButton* clear = w.Button(wxID_CLEAR);
    EXPECT_GE(clear->GetPosition().x + clear->GetSize().x, w.page()->GetClientSize().x - 10);
}

TEST(SchedulePage, AddWithoutChangingAnythingGivesOneEntryForToday)
{
    PageWindow w;
    EntrySeen seen;
    wxTEST_DIALOG(w.Click(wxID_NEW), wxExpectModal<NewScheduleEntryDialog>(EntryInput(), wxID_OK, &seen));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Add New Schedule Entry");
    // Centred on the page, whole on the screen.
    EXPECT_NEAR(seen.rect.x + seen.rect.width / 2, seen.parentRect.x + seen.parentRect.width / 2, 2);
    EXPECT_NEAR(seen.rect.y + seen.rect.height / 2, seen.parentRect.y + seen.parentRect.height / 2, 2);
    EXPECT_TRUE(wxGetClientDisplayRect().Contains(seen.rect));
    ASSERT_EQ(w.Rows(), 1);
    EXPECT_EQ(w.Cell(0, 0), "");
    EXPECT_EQ(w.Cell(0, 1), FormatDateText(wxDateTime::Today()));
    EXPECT_EQ(w.Cell(0, 2), "0");
    EXPECT_EQ(w.Cell(0, 3), "0.000000");
    for (int c = 4; c < 22; ++c)
        EXPECT_EQ(w.Cell(0, c), "0") << "column " << c;

    // The next "Add" starts afresh, whatever was typed the time before.
    w.Add(EntryInput().Days("2").Ec("1500").Ph("6.5").Date(1, wxDateTime::Jan, 2020));
    EntrySeen again;
    wxTEST_DIALOG(w.Click(wxID_NEW),
                  wxExpectModal<NewScheduleEntryDialog>(EntryInput(), wxID_CANCEL, &again));
    EXPECT_EQ(again.date.GetDateOnly(), wxDateTime::Today());
    EXPECT_EQ(again.days, "1");
    EXPECT_EQ(again.ec, "");
    EXPECT_EQ(again.ph, "");
    for (size_t k = 0; k < 6; ++k)
        EXPECT_TRUE(again.ecUp[k] == "0" && again.phUp[k] == "0" && again.phDown[k] == "0");
    EXPECT_EQ(w.Rows(), 3) << "Cancel added nothing";
}

TEST(SchedulePage, RunsCrossMonthAndYearEnds)
{
    PageWindow w;
    EntryInput winter = EntryInput().Date(30, wxDateTime::Dec, 2012).Days("3").Ec("1500").Ph("6.5");
    winter.ecUp[0] = "1";
    winter.ecUp[1] = "2";
    winter.phUp[5] = "17";
    winter.phDown[2] = "12a";
    w.Add(winter);
    w.Add(EntryInput().Date(28, wxDateTime::Feb, 2012).Days("2").Ec("900").Ph("5.8"));
    w.Add(EntryInput().Date(28, wxDateTime::Feb, 2012).Days("1").Ec("901")); // a date again: added again

    ASSERT_EQ(w.Rows(), 6);
    const wxString dates[] = {DateText(30, wxDateTime::Dec, 2012), DateText(31, wxDateTime::Dec, 2012),
                              DateText(1, wxDateTime::Jan, 2013),  DateText(28, wxDateTime::Feb, 2012),
                              DateText(29, wxDateTime::Feb, 2012), DateText(28, wxDateTime::Feb, 2012)};
    for (long r = 0; r < 6; ++r)
        EXPECT_EQ(w.Cell(r, 1), dates[r]) << "row " << r;
    for (long r = 0; r < 3; ++r) {
        EXPECT_EQ(w.Cell(r, 2), "1500");
        EXPECT_EQ(w.Cell(r, 3), "6.500000");
        EXPECT_EQ(w.Cell(r, 4), "1");
        EXPECT_EQ(w.Cell(r, 5), "2");
        EXPECT_EQ(w.Cell(r, 15), "17");
        EXPECT_EQ(w.Cell(r, 18), "12");
    }
    EXPECT_EQ(w.Cell(3, 2), "900");
    EXPECT_EQ(w.Cell(4, 3), "5.800000");
    EXPECT_EQ(w.Cell(5, 2), "901");

    // The words behind the rows: dates packed, word 0 zero.
    const NodeSchedule table = w.page()->GetSchedule();
    ASSERT_EQ(table.size(), 6u);
    const uint32_t packed[] = {0x07DC1E0C, 0x07DC1F0C, 0x07DD0101, 0x07DC1C02, 0x07DC1D02, 0x07DC1C02};
    for (size_t r = 0; r < 6; ++r) {
        EXPECT_EQ(table[r][kScheduleDate], packed[r]) << "row " << r;
        EXPECT_EQ(table[r][kScheduleReserved], 0u);
    }
    EXPECT_EQ(table[0][kScheduleTargetPh], FloatToWord(6.5f));
}

TEST(SchedulePage, CapacityAndDayCounts)
{
    PageWindow w;
    // Day counts outside 1..100 are refused with nothing added.
    for (const char* days : {"101", "999", "0", "", "abc", "-1", "-99"}) {
        SCOPED_TRACE(days);
        wxTEST_DIALOG(w.Click(wxID_NEW), wxExpectModal<NewScheduleEntryDialog>(EntryInput().Days(days)),
                      ExpectMessageBox(wxID_OK, "Number of Days is invalid!", "Error", kWarningBox));
        EXPECT_EQ(w.Rows(), 0);
    }
    w.Add(EntryInput().Days("5a"));
    EXPECT_EQ(w.Rows(), 5);

    w.AddDays(261); // 266 rows
    ASSERT_EQ(w.Rows(), 266);
    wxTEST_DIALOG(w.Click(wxID_NEW), wxExpectModal<NewScheduleEntryDialog>(EntryInput().Days("100")),
                  ExpectMessageBox(wxID_OK, "Number of Days is too many!", "Error", kWarningBox));
    EXPECT_EQ(w.Rows(), 266) << "a run is added whole or not at all";

    w.Select(0);
    w.Click(wxID_DELETE); // 265 rows
    ASSERT_EQ(w.Rows(), 265);
    w.Add(EntryInput().Days("100").Ec("77"));
    ASSERT_EQ(w.Rows(), 365);
    EXPECT_EQ(w.Cell(364, 2), "77");

    // Full: the message comes before any dialog (an unexpected dialog fails).
    wxTEST_DIALOG(w.Click(wxID_NEW),
                  ExpectMessageBox(wxID_OK, "Max Schedule Size Reached!", "Error", kWarningBox));
    EXPECT_EQ(w.Rows(), 365);
}

TEST(SchedulePage, RemoveDeletesTheSelectedRowOnly)
{
    PageWindow w;
    for (int ec : {10, 11, 12, 13})
        w.AddDays(1, ec);
    w.Click(wxID_DELETE); // nothing selected: nothing happens, nothing asked
    EXPECT_EQ(w.Rows(), 4);

    w.Select(3);
    w.Select(1);
    w.Click(wxID_DELETE);
    ASSERT_EQ(w.Rows(), 3);
    EXPECT_EQ(w.Cell(0, 2), "10");
    EXPECT_EQ(w.Cell(1, 2), "12");
    EXPECT_EQ(w.Cell(2, 2), "13");

    // The removed row's index is stale now; no row is selected.
    w.Click(wxID_DELETE);
    EXPECT_EQ(w.Rows(), 3);

    // The last row, then a click on a row with the mouse.
    w.Select(2);
    w.Click(wxID_DELETE);
    ASSERT_EQ(w.Rows(), 2);
    wxRect rect;
    ASSERT_TRUE(w.list()->GetItemRect(1, rect));
    wxUIActionSimulator sim;
    wxWindow* rows = ListRowsWindow(w.list());
    ASSERT_TRUE(MovePointerTo(
        sim, rows,
        rows->ScreenToClient(w.list()->ClientToScreen(rect.GetPosition() + wxPoint(20, rect.height / 2)))));
    sim.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return w.list()->GetSelectedItemCount() == 1; }));
    EXPECT_EQ(w.list()->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 1);
    w.Click(wxID_DELETE);
    ASSERT_EQ(w.Rows(), 1);
    EXPECT_EQ(w.Cell(0, 2), "10");
}

TEST(SchedulePage, ClearAsksFirst)
{
    PageWindow w;
    w.Click(wxID_CLEAR); // empty: no question (an unexpected one fails)
    w.AddDays(3);
    wxTEST_DIALOG(w.Click(wxID_CLEAR), ExpectMessageBox(wxID_NO, "Are you sure?", "Delete All Entries",
                                                        wxYES_NO | wxICON_QUESTION));
    EXPECT_EQ(w.Rows(), 3);
    wxTEST_DIALOG(w.Click(wxID_CLEAR), ExpectMessageBox(wxID_YES, "Are you sure?", "Delete All Entries",
                                                        wxYES_NO | wxICON_QUESTION));
    EXPECT_EQ(w.Rows(), 0);
    w.AddDays(1, 5); // and the page goes on working
    EXPECT_EQ(w.Cell(0, 2), "5");
}

TEST(SchedulePage, SaveAndOpenByteForByte)
{
    TempDir dir;
    PageWindow w;
    EntryInput input = EntryInput().Date(7, wxDateTime::Mar, 2013).Days("2").Ec("1500").Ph("6.5");
    input.ecUp[0] = "1";
    input.ecUp[1] = "2";
    w.Add(input);

    const wxString path = dir.File("march.hvs");
    wxTEST_DIALOG(w.Click(wxID_SAVE), ExpectFile(path)); // no message follows a save
    const std::vector<unsigned char> saved = ReadBytes(path);
    ASSERT_EQ(saved.size(), 176u);
    const std::vector<unsigned char> head = {0x00, 0x00, 0x00, 0x00, 0x03, 0x07, 0xDD, 0x07,
                                             0xDC, 0x05, 0x00, 0x00, 0x00, 0x00, 0xD0, 0x40,
                                             0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), saved.begin()));
    EXPECT_EQ(saved[88 + 4], 0x03);
    EXPECT_EQ(saved[88 + 5], 0x08) << "second day of the run";

    // A file from elsewhere, with a reserved word and an undecodable date,
    // opens onto an empty page and saves back unchanged.
    NodeSchedule foreign(3);
    foreign[0].reserved() = 0x12345678;
    foreign[0].date() = 0x07DC1E02; // 30 February 2012
    foreign[1].date() = 0xFFFFFFFF;
    foreign[2].date() = EncodePackedDate(wxDateTime(1, wxDateTime::Jan, 2013));
    foreign[2].targetEc() = 0xFFFFFFFF;
    WriteBytes(dir.File("foreign.hvs"), Entries(foreign));
    wxTEST_DIALOG(w.Click(wxID_CLEAR), ExpectMessageBox(wxID_YES, "Are you sure?", "Delete All Entries"));
    wxTEST_DIALOG(w.Click(wxID_OPEN), ExpectFile(dir.File("foreign.hvs")),
                  ExpectMessageBox(wxID_OK, "3", DefaultCaption(), wxOK | wxCENTRE));
    ASSERT_EQ(w.Rows(), 3);
    EXPECT_EQ(w.Cell(0, 1), InvalidDateTimeText());
    EXPECT_EQ(w.Cell(1, 1), InvalidDateTimeText());
    EXPECT_EQ(w.Cell(2, 1), DateText(1, wxDateTime::Jan, 2013));
    EXPECT_EQ(w.Cell(2, 2), "4294967295");
    EXPECT_EQ(w.Cell(0, 0), "");
    wxTEST_DIALOG(w.Click(wxID_SAVE), ExpectFile(dir.File("copy.hvs")));
    EXPECT_EQ(ReadBytes(dir.File("copy.hvs")), Entries(foreign));

    // Cancelled dialogs change nothing.
    wxTEST_DIALOG(w.Click(wxID_SAVE), ExpectFile("", wxID_CANCEL));
    wxTEST_DIALOG(w.Click(wxID_OPEN), ExpectFile("", wxID_CANCEL));
    EXPECT_EQ(w.Rows(), 3);
}

TEST(SchedulePage, OpenOverRowsAsksAndKeepsOrReplaces)
{
    TempDir dir;
    PageWindow w;
    w.AddDays(2, 42);

    NodeSchedule two(2);
    two[0].targetEc() = 700;
    two[1].targetEc() = 800;
    WriteBytes(dir.File("two.hvs"), Entries(two));
    WriteBytes(dir.File("empty.hvs"), {});
    WriteBytes(dir.File("odd.hvs"), std::vector<unsigned char>(100, 1));

    // Answered No: the rows stay, the records read are dropped.
    wxTEST_DIALOG(
        w.Click(wxID_OPEN), ExpectFile(dir.File("two.hvs")),
        ExpectMessageBox(wxID_OK, "2", DefaultCaption(), wxOK | wxCENTRE),
        ExpectMessageBox(wxID_NO, "Are you sure?", "Delete All Entries", wxYES_NO | wxICON_QUESTION));
    ASSERT_EQ(w.Rows(), 2);
    EXPECT_EQ(w.Cell(0, 2), "42");
    EXPECT_EQ(w.Cell(1, 2), "42");

    // Answered Yes: the file's records in file order.
    wxTEST_DIALOG(w.Click(wxID_OPEN), ExpectFile(dir.File("two.hvs")),
                  ExpectMessageBox(wxID_OK, "2", DefaultCaption()),
                  ExpectMessageBox(wxID_YES, "Are you sure?", "Delete All Entries"));
    ASSERT_EQ(w.Rows(), 2);
    EXPECT_EQ(w.Cell(0, 2), "700");
    EXPECT_EQ(w.Cell(1, 2), "800");

    // A file that is not whole entries: the message, and the table untouched.
    wxTEST_DIALOG(
        w.Click(wxID_OPEN), ExpectFile(dir.File("odd.hvs")),
        ExpectMessageBox(wxID_OK, "Error reading node schedule file", DefaultCaption(), wxOK | wxCENTRE));
    EXPECT_EQ(w.Rows(), 2);

    // A file that cannot be read as it measures is refused the same way.
    wxTEST_DIALOG(w.Click(wxID_OPEN), ExpectFile("/proc/self/status"),
                  ExpectMessageBox(wxID_OK, "Error reading node schedule file", DefaultCaption()));
    EXPECT_EQ(w.Rows(), 2);

    // A file chosen but gone before it is read: nothing at all happens.
    WriteBytes(dir.File("gone.hvs"), Entries(two));
    wxTEST_DIALOG(w.Click(wxID_OPEN), ExpectVanishingFile(dir.File("gone.hvs")));
    EXPECT_EQ(w.Rows(), 2);
    EXPECT_EQ(w.Cell(0, 2), "700");

    // An empty file over rows: count 0, the question, and Yes empties the table.
    wxTEST_DIALOG(w.Click(wxID_OPEN), ExpectFile(dir.File("empty.hvs")),
                  ExpectMessageBox(wxID_OK, "0", DefaultCaption()),
                  ExpectMessageBox(wxID_YES, "Are you sure?", "Delete All Entries"));
    EXPECT_EQ(w.Rows(), 0);
    // And on an empty table: the count only.
    wxTEST_DIALOG(w.Click(wxID_OPEN), ExpectFile(dir.File("empty.hvs")),
                  ExpectMessageBox(wxID_OK, "0", DefaultCaption()));
    EXPECT_EQ(w.Rows(), 0);

    // A file longer than the capacity opens whole; adding to it is refused.
    NodeSchedule many(400);
    for (size_t i = 0; i < many.size(); ++i)
        many[i].targetEc() = static_cast<uint32_t>(i);
    WriteBytes(dir.File("many.hvs"), Entries(many));
    wxTEST_DIALOG(w.Click(wxID_OPEN), ExpectFile(dir.File("many.hvs")),
                  ExpectMessageBox(wxID_OK, "400", DefaultCaption()));
    ASSERT_EQ(w.Rows(), 400);
    EXPECT_EQ(w.Cell(399, 2), "399");
    wxTEST_DIALOG(w.Click(wxID_NEW),
                  ExpectMessageBox(wxID_OK, "Max Schedule Size Reached!", "Error", kWarningBox));
}

TEST(SchedulePage, AFailedSaveIsToldAndLeavesNoFile)
{
    TempDir dir;
    PageWindow w;
    w.AddDays(1);
    const wxString path = dir.File("card.hvs");
    WriteBytes(path, {1, 2, 3});
    wxString shown;
    class ExpectSaveError : public wxExpectModalBase<wxMessageDialog, ExpectSaveError> {
    public:
        explicit ExpectSaveError(wxString* text) : m_text(text) {}

    protected:
        int OnInvoked(wxMessageDialog* dlg) const override
        {
            *m_text = dlg->GetMessage();
            EXPECT_EQ(dlg->GetCaption(), "Error");
            EXPECT_TRUE(dlg->GetMessageDialogStyle() & wxICON_ERROR);
            return wxID_OK;
        }

    private:
        wxString* m_text;
    };
    wxTEST_DIALOG(w.Click(wxID_SAVE), ExpectFileTurnedFolder(path), ExpectSaveError(&shown));
    EXPECT_NE(shown.Find(path), wxNOT_FOUND) << shown.utf8_string();
    EXPECT_NE(shown.Find("folder"), wxNOT_FOUND) << shown.utf8_string(); // the reason
    EXPECT_TRUE(std::filesystem::is_directory(path.utf8_string()));
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1u) << "no temporary file left behind";
    EXPECT_EQ(w.Rows(), 1);
}

TEST(SchedulePage, TypedDatesAddEntriesOfThatDay)
{
    const LocaleDates dates = TestLocaleDates();
    ASSERT_NO_FATAL_FAILURE(ExpectTestLocale(dates));
    PageWindow w;
    for (const wxString& typed : dates.dec30)
        w.Add(EntryInput().DateText(typed).Days("1").ClickAdd());
    ASSERT_EQ(w.Rows(), static_cast<long>(dates.dec30.size()));
    const std::vector<unsigned char> bytes = Entries(w.page()->GetSchedule());
    for (size_t r = 0; r < dates.dec30.size(); ++r) {
        const std::vector<unsigned char> date(bytes.begin() + static_cast<long>(r * 88 + 4),
                                              bytes.begin() + static_cast<long>(r * 88 + 8));
        EXPECT_EQ(date, (std::vector<unsigned char>{0x0C, 0x1E, 0xDC, 0x07})) << dates.dec30[r].utf8_string();
        EXPECT_EQ(w.Cell(static_cast<long>(r), 1), DateText(30, wxDateTime::Dec, 2012));
    }

    // A run from a typed date carries on over the year's end.
    w.Add(EntryInput().DateText(dates.dec30[1]).Days("3").ClickAdd());
    ASSERT_EQ(w.Rows(), static_cast<long>(dates.dec30.size()) + 3);
    NodeSchedule schedule = w.page()->GetSchedule();
    const size_t first = dates.dec30.size();
    EXPECT_EQ(schedule[first].date(), 0x07DC1E0Cu);
    EXPECT_EQ(schedule[first + 1].date(), 0x07DC1F0Cu);
    EXPECT_EQ(schedule[first + 2].date(), 0x07DD0101u);
}

TEST(SchedulePage, DateTextThatIsNoDateAddsNothing)
{
    const LocaleDates dates = TestLocaleDates();
    ASSERT_NO_FATAL_FAILURE(ExpectTestLocale(dates));
    PageWindow w;
    w.Add(EntryInput().DateText(dates.dec31).Days("2").ClickAdd());
    ASSERT_EQ(w.Rows(), 2);
    const std::vector<unsigned char> before = Entries(w.page()->GetSchedule());

    const wxString example = dates.locale == "C" ? "12/31/2012" : "31.12.2012";
    wxTEST_DIALOG(
        w.Click(wxID_NEW),
        wxExpectModal<NewScheduleEntryDialog>(EntryInput().DateText(dates.notADate).Days("5").ClickAdd()),
        ExpectMessageBox(wxID_OK,
                         "\"Date:\" holds no date: \"" + dates.notADate + "\".\nType a date such as " +
                             example + " or 2012-12-31.",
                         "Error", kWarningBox));
    EXPECT_EQ(w.Rows(), 2);
    EXPECT_EQ(Entries(w.page()->GetSchedule()), before);
    // An empty date field is refused the same way.
    wxTEST_DIALOG(
        w.Click(wxID_NEW), wxExpectModal<NewScheduleEntryDialog>(EntryInput().DateText("").ClickAdd()),
        ExpectMessageBox(wxID_OK,
                         "\"Date:\" holds no date: \"\".\nType a date such as " + example + " or 2012-12-31.",
                         "Error", kWarningBox));
    EXPECT_EQ(w.Rows(), 2);
}

TEST(SchedulePage, ANameWithoutExtensionIsSavedAsHvs)
{
    TempDir dir;
    PageWindow w;
    w.AddDays(2);
    wxTEST_DIALOG(w.Click(wxID_SAVE), ExpectFile(dir.File("plan")));
    EXPECT_FALSE(wxFileExists(dir.File("plan")));
    const std::vector<unsigned char> saved = ReadBytes(dir.File("plan.hvs"));
    EXPECT_EQ(saved.size(), 176u);

    // Again: plan.hvs exists now, so the user is asked first; No leaves it.
    const std::vector<unsigned char> other(88, 7);
    WriteBytes(dir.File("plan.hvs"), other);
    const wxString question = "A file named \"plan.hvs\" already exists in \"" +
                              wxString::FromUTF8(dir.Path().u8string()) + "\".\nDo you want to replace it?";
    wxTEST_DIALOG(w.Click(wxID_SAVE), ExpectFile(dir.File("plan")),
                  ExpectMessageBox(wxID_NO, question, "Save Schedule", wxYES_NO | wxICON_QUESTION));
    EXPECT_EQ(ReadBytes(dir.File("plan.hvs")), other);
    wxTEST_DIALOG(w.Click(wxID_SAVE), ExpectFile(dir.File("plan")),
                  ExpectMessageBox(wxID_YES, question, "Save Schedule", wxYES_NO | wxICON_QUESTION));
    EXPECT_EQ(ReadBytes(dir.File("plan.hvs")), saved);
}
