// Planning on the "Schedule" page: a feed chart imported through the file
// dialog and the mapping dialog and saved; what is no feed chart refused with
// nothing lost; edit, shift and undo changing exactly their rows; the plan
// chart drawing a step where the targets change.
#include "test_schedule_util.h"

#include "temp_dir.h"

#include "chart/Chart.h"
#include "chart/XYPlot.h"
#include "chart/wxChartPanel.h"
#include "core/WordHelpers.h"
#include "ui/DateEntryCtrl.h"
#include "ui/FeedChartImportDialog.h"
#include "ui/SchedulePanel.h"
#include "ui/SchedulePlanFrame.h"
#include "ui/ShiftDatesDialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include <fstream>
#include <functional>

// The mapping dialog answered by a function that plays the user.
template <> class wxExpectModal<FeedChartImportDialog> : public wxExpectModalBase<FeedChartImportDialog> {
public:
    explicit wxExpectModal(std::function<int(FeedChartImportDialog*)> act) : m_act(std::move(act)) {}

protected:
    int OnInvoked(FeedChartImportDialog* dlg) const override { return m_act(dlg); }

private:
    std::function<int(FeedChartImportDialog*)> m_act;
};

// A plain dialog (the ratio columns) answered the same way.
template <> class wxExpectModal<wxDialog> : public wxExpectModalBase<wxDialog> {
public:
    explicit wxExpectModal(std::function<int(wxDialog*)> act) : m_act(std::move(act)) {}

protected:
    int OnInvoked(wxDialog* dlg) const override { return m_act(dlg); }

private:
    std::function<int(wxDialog*)> m_act;
};

template <> class wxExpectModal<ShiftDatesDialog> : public wxExpectModalBase<ShiftDatesDialog> {
public:
    wxExpectModal(int days, bool all) : m_days(days), m_all(all) {}

protected:
    int OnInvoked(ShiftDatesDialog* dlg) const override
    {
        dlg->GetDaysField()->SetValue(m_days);
        (m_all ? dlg->GetAllButton() : dlg->GetSelectedButton())->SetValue(true);
        return wxID_OK;
    }

private:
    int m_days;
    bool m_all;
};

namespace {

class PageWindow {
public:
    PageWindow()
    {
        m_frame = new wxFrame(TestTopFrame(), wxID_ANY, "schedule", wxDefaultPosition, wxSize(900, 500));
        m_page = new SchedulePanel(m_frame);
        EXPECT_TRUE(ShowAndWaitForPaint(m_frame, m_page));
    }
    ~PageWindow() { EXPECT_TRUE(DestroyAndWait(m_frame)); }
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;

    SchedulePanel* page() const { return m_page; }
    wxListCtrl* list() const { return m_page->GetList(); }
    long Rows() const { return list()->GetItemCount(); }
    wxString Cell(long row, int column) const { return list()->GetItemText(row, column); }
    void Select(long row) const { list()->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED); }
    void Command(int id) const
    {
        wxCommandEvent event(wxEVT_MENU, id);
        m_page->HandleWindowEvent(event);
    }
    void Click(int id) const
    {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(m_page->FindWindow(id));
        m_page->FindWindow(id)->HandleWindowEvent(event);
    }

private:
    wxFrame* m_frame;
    SchedulePanel* m_page;
};

void WriteText(const wxString& path, const std::string& text)
{
    std::ofstream out(path.utf8_string(), std::ios::binary);
    out << text;
}

// Clicks "Add" as the user would and answers as the dialog then ends.
int ClickAdd(FeedChartImportDialog* dlg)
{
    wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
    click.SetEventObject(dlg->GetAddButton());
    dlg->GetAddButton()->HandleWindowEvent(click);
    return dlg->GetReturnCode() == wxID_OK ? wxID_OK : wxID_CANCEL;
}

// The words of the saved file, little-endian.
std::vector<uint32_t> Words(const std::vector<unsigned char>& bytes)
{
    std::vector<uint32_t> words(bytes.size() / 4);
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = bytes[4 * i] | (bytes[4 * i + 1] << 8) | (bytes[4 * i + 2] << 16) |
                   (static_cast<uint32_t>(bytes[4 * i + 3]) << 24);
    return words;
}

std::string DateChart()
{
    return "Date,EC,PH,EC Ratio 1\n2024-03-01,1000,6,1\n2024-03-02,1100,6,2\n2024-03-03,1200,6,3\n";
}

void ImportAll(const PageWindow& w, const wxString& path)
{
    wxTEST_DIALOG(w.Command(SchedulePanel::ID_IMPORT_FEED), ExpectFile(path).Titled("Import Feed Chart"),
                  wxExpectModal<FeedChartImportDialog>(ClickAdd));
}

} // namespace

TEST(SchedulePlan, RatioColumnsAreChosenInADialogOfTheirOwn)
{
    TempDir dir;
    const wxString chart = dir.File("ratios.csv");
    WriteText(chart, "Date,EC,PH,EC Ratio 1,Extra\n2024-03-01,1000,6,1,7\n2024-03-02,1100,6,2,8\n");
    PageWindow w;
    wxString before, after;
    uint32_t phUp1 = 0;
    // The ratio dialog: PH UP Ratio 1 (the first of the second row) taken
    // from the fifth column.
    auto chooseExtra = [](wxDialog* ratios) {
        std::vector<wxChoice*> choices;
        for (wxWindow* child : ratios->GetChildren())
            if (auto* choice = dynamic_cast<wxChoice*>(child))
                choices.push_back(choice);
        if (choices.size() != 18)
            return wxID_CANCEL;
        choices[6]->SetSelection(5);
        return wxID_OK;
    };
    wxTEST_DIALOG(w.Command(SchedulePanel::ID_IMPORT_FEED), ExpectFile(chart),
                  wxExpectModal<FeedChartImportDialog>([&](FeedChartImportDialog* dlg) {
                      before = dlg->GetRatioSummary()->GetLabel();
                      wxCommandEvent click(wxEVT_BUTTON, dlg->GetRatioButton()->GetId());
                      click.SetEventObject(dlg->GetRatioButton());
                      dlg->GetRatioButton()->HandleWindowEvent(click);
                      after = dlg->GetRatioSummary()->GetLabel();
                      phUp1 = dlg->GetImport().entries.empty() ? 0 : dlg->GetImport().entries[1][10];
                      return ClickAdd(dlg);
                  }),
                  wxExpectModal<wxDialog>(chooseExtra).Describe("the Ratio Columns dialog"));
    EXPECT_EQ("Ratios: 1 of 18 from columns (EC Ratio 1)", before);
    EXPECT_EQ("Ratios: 2 of 18 from columns (EC Ratio 1, PH UP Ratio 1)", after);
    EXPECT_EQ(8u, phUp1);
    EXPECT_EQ(2, w.Rows());
}

TEST(SchedulePlan, FeedChartImportedThroughTheDialogsAndSaved)
{
    TempDir dir;
    const wxString chart = dir.File("chart.csv");
    WriteText(chart, "\xEF\xBB\xBFWeek;EC (mS/cm);PH;ECUP 1\r\n1;1,2;5,8;3\r\n2;1,6;6;4\r\n");
    PageWindow w;
    wxString mapped, preview, summary;
    wxTEST_DIALOG(w.Command(SchedulePanel::ID_IMPORT_FEED), ExpectFile(chart),
                  wxExpectModal<FeedChartImportDialog>([&](FeedChartImportDialog* dlg) {
                      mapped = dlg->GetRoleChoice(kFeedTargetEc)->GetStringSelection() + "|" +
                               dlg->GetUnitChoice()->GetStringSelection() + "|" +
                               dlg->GetDayKindChoice()->GetStringSelection();
                      dlg->GetStartDate()->SetValue(wxDateTime(26, wxDateTime::Feb, 2024));
                      dlg->GetWeeksChoice()->SetSelection(1);
                      dlg->Recompute();
                      preview = wxString::Format("%d rows; ", dlg->GetPreview()->GetItemCount()) +
                                dlg->GetPreview()->GetItemText(3, 1) + " " +
                                dlg->GetPreview()->GetItemText(3, 2);
                      summary = dlg->GetProblems()->GetCount() ? dlg->GetProblems()->GetString(0) : "none";
                      return ClickAdd(dlg);
                  }));
    EXPECT_EQ("Column 2: EC (mS/cm)|mS/cm|Week numbers", mapped);
    EXPECT_EQ("14 rows; 1371 5.890000", preview);
    EXPECT_EQ("none", summary);
    ASSERT_EQ(14, w.Rows());

    const wxString saved = dir.File("plan.hvs");
    wxTEST_DIALOG(w.Click(wxID_SAVE), ExpectFile(saved));
    const std::vector<uint32_t> words = Words(ReadBytes(saved));
    ASSERT_EQ(14u * 22u, words.size());
    const std::vector<uint32_t> first(words.begin(), words.begin() + 5);
    EXPECT_EQ((std::vector<uint32_t>{0x00000000, 0x07E81A02, 0x000004B0, 0x40B9999A, 0x00000003}), first);
    const std::vector<uint32_t> leapDay(words.begin() + 3 * 22, words.begin() + 3 * 22 + 5);
    EXPECT_EQ((std::vector<uint32_t>{0x00000000, 0x07E81D02, 0x0000055B, 0x40BC7AE1, 0x00000003}), leapDay);
    const std::vector<uint32_t> last(words.begin() + 13 * 22, words.begin() + 13 * 22 + 5);
    EXPECT_EQ((std::vector<uint32_t>{0x00000000, 0x07E80A03, 0x00000640, 0x40C00000, 0x00000004}), last);

    // Exported and imported again, the table saves as the same bytes.
    const wxString csv = dir.File("back.csv");
    wxTEST_DIALOG(w.Command(SchedulePanel::ID_EXPORT_SCHEDULE_CSV), ExpectFile(csv));
    wxTEST_DIALOG(w.Click(wxID_CLEAR), ExpectMessageBox(wxID_YES, "Are you sure?", "Delete All Entries"));
    ImportAll(w, csv);
    const wxString again = dir.File("again.hvs");
    wxTEST_DIALOG(w.Click(wxID_SAVE), ExpectFile(again));
    EXPECT_EQ(ReadBytes(saved), ReadBytes(again));
}

TEST(SchedulePlan, WhatIsNoFeedChartIsToldAndNothingIsLost)
{
    TempDir dir;
    PageWindow w;
    const wxString good = dir.File("good.csv");
    WriteText(good, DateChart());
    ImportAll(w, good);
    ASSERT_EQ(3, w.Rows());
    const std::size_t steps = w.page()->UndoSteps();

    const wxString binary = dir.File("photo.csv");
    WriteText(binary, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    std::string wide = "Day";
    for (int i = 0; i < 100000; ++i)
        wide += ",1";
    const wxString columns = dir.File("columns.csv");
    WriteText(columns, wide + "\n");
    const wxString longLine = dir.File("long.csv");
    WriteText(longLine, "Day,EC\n" + std::string(10u * 1024 * 1024, '7') + "\n");
    const std::pair<wxString, const char*> cases[] = {
        {binary, "\"photo.csv\" cannot be read as a feed chart: it holds binary data, not text."},
        {columns, "\"columns.csv\" cannot be read as a feed chart: line 1 is longer than 64 KiB."},
        {longLine, "\"long.csv\" cannot be read as a feed chart: it is larger than 8 MiB."}};
    for (const auto& [path, message] : cases)
        wxTEST_DIALOG(w.Command(SchedulePanel::ID_IMPORT_FEED), ExpectFile(path),
                      ExpectMessageBox(wxID_OK, wxString(message) + "\nNothing was added.", "Error",
                                       wxOK | wxICON_WARNING));

    // A chart with problems offers no "Add"; the page's capacity refuses a
    // run too long and keeps the dialog open.
    const wxString bad = dir.File("bad.csv");
    WriteText(bad, "Date,EC\n2024-03-01,abc\n");
    bool addOffered = true;
    wxTEST_DIALOG(w.Command(SchedulePanel::ID_IMPORT_FEED), ExpectFile(bad),
                  wxExpectModal<FeedChartImportDialog>([&](FeedChartImportDialog* dlg) {
                      addOffered = dlg->GetAddButton()->IsEnabled();
                      EXPECT_EQ("Line 2, \"EC\": \"abc\" is no number.", dlg->GetProblems()->GetString(0));
                      return ClickAdd(dlg);
                  }));
    EXPECT_FALSE(addOffered);
    std::string year = "Day,EC\n";
    for (int d = 1; d <= 363; ++d)
        year += std::to_string(d) + ",1000\n";
    const wxString big = dir.File("year.csv");
    WriteText(big, year);
    wxTEST_DIALOG(w.Command(SchedulePanel::ID_IMPORT_FEED), ExpectFile(big),
                  wxExpectModal<FeedChartImportDialog>(ClickAdd),
                  ExpectMessageBox(wxID_OK, "Number of Days is too many!", "Error", wxOK | wxICON_WARNING));
    EXPECT_EQ(3, w.Rows());
    EXPECT_EQ("1100", w.Cell(1, 2));
    EXPECT_EQ(steps, w.page()->UndoSteps());
}

TEST(SchedulePlan, EditShiftAndUndoChangeExactlyTheirRows)
{
    TempDir dir;
    PageWindow w;
    const wxString chart = dir.File("dates.csv");
    WriteText(chart, DateChart());
    ImportAll(w, chart);
    ASSERT_EQ(3, w.Rows());
    const wxString march1 = FormatDateText(wxDateTime(1, wxDateTime::Mar, 2024));
    const wxString march2 = FormatDateText(wxDateTime(2, wxDateTime::Mar, 2024));
    const wxString march3 = FormatDateText(wxDateTime(3, wxDateTime::Mar, 2024));
    EXPECT_EQ("Checks: No problems found.", w.page()->GetChecksLine()->GetLabel());

    w.Select(1);
    EntrySeen seen;
    wxTEST_DIALOG(w.Command(SchedulePanel::ID_EDIT_ENTRY),
                  wxExpectModal<NewScheduleEntryDialog>(EntryInput().Ec("1500").Ph("5.5"), wxID_OK, &seen));
    EXPECT_EQ("Edit Schedule Entry", seen.title);
    EXPECT_EQ("1100", seen.ec);
    EXPECT_EQ("6", seen.ph);
    EXPECT_EQ("2", seen.ecUp[0]);
    EXPECT_EQ("1", seen.days);
    EXPECT_EQ("1000", w.Cell(0, 2));
    EXPECT_EQ("1500", w.Cell(1, 2));
    EXPECT_EQ("5.500000", w.Cell(1, 3));
    EXPECT_EQ("2", w.Cell(1, 4));
    EXPECT_EQ("1200", w.Cell(2, 2));

    w.Select(2);
    wxTEST_DIALOG(w.Command(SchedulePanel::ID_SHIFT_DATES), wxExpectModal<ShiftDatesDialog>(-2, false));
    EXPECT_EQ(march1, w.Cell(0, 1));
    EXPECT_EQ(march2, w.Cell(1, 1));
    EXPECT_EQ(march1, w.Cell(2, 1));
    EXPECT_EQ("Checks: 1 date appears twice (the controller uses the first): 2024-03-01.",
              w.page()->GetChecksLine()->GetLabel());
    wxTEST_DIALOG(w.Command(SchedulePanel::ID_SHIFT_DATES), wxExpectModal<ShiftDatesDialog>(365, true));
    EXPECT_EQ(FormatDateText(wxDateTime(2, wxDateTime::Mar, 2025)), w.Cell(1, 1));

    // Undo takes back the shifts and the edit, one step each, then the import.
    w.Command(SchedulePanel::ID_UNDO_CHANGE);
    EXPECT_EQ(march2, w.Cell(1, 1));
    EXPECT_EQ(march1, w.Cell(2, 1));
    w.Command(SchedulePanel::ID_UNDO_CHANGE);
    EXPECT_EQ(march3, w.Cell(2, 1));
    EXPECT_EQ("1500", w.Cell(1, 2));
    w.Command(SchedulePanel::ID_UNDO_CHANGE);
    EXPECT_EQ("1100", w.Cell(1, 2));
    EXPECT_EQ("6.000000", w.Cell(1, 3));
    w.Command(SchedulePanel::ID_UNDO_CHANGE);
    EXPECT_EQ(0, w.Rows());
    EXPECT_EQ(0u, w.page()->UndoSteps());

    // Remove and clear are taken back too.
    ImportAll(w, chart);
    w.Select(0);
    w.Click(wxID_DELETE);
    wxTEST_DIALOG(w.Click(wxID_CLEAR), ExpectMessageBox(wxID_YES, "Are you sure?", "Delete All Entries"));
    w.Command(SchedulePanel::ID_UNDO_CHANGE);
    ASSERT_EQ(2, w.Rows());
    EXPECT_EQ(march2, w.Cell(0, 1));
    w.Command(SchedulePanel::ID_UNDO_CHANGE);
    EXPECT_EQ(3, w.Rows());
}

TEST(SchedulePlan, PlanChartDrawsStepsGapsAndTheDaysRatios)
{
    NodeSchedule schedule(5);
    const uint32_t days[] = {1, 2, 3, 6, 7}; // 4 and 5 March missing
    const uint32_t ecs[] = {1000, 1000, 2000, 2000, 2000};
    for (std::size_t i = 0; i < 5; ++i) {
        schedule[i].date() = (2024u << 16) | (days[i] << 8) | 3u;
        schedule[i].targetEc() = ecs[i];
        schedule[i].targetPh() = FloatToWord(6.0f);
        schedule[i].ecRatio(0) = static_cast<uint32_t>(i + 1);
    }
    auto* frame = new SchedulePlanFrame(TestTopFrame(), schedule);
    frame->SetClientSize(640, 400);
    ASSERT_TRUE(ShowAndWaitForPaint(frame, frame->GetChartPanel()));
    wxChartPanel* panel = frame->GetChartPanel();
    ASSERT_TRUE(PumpUntil([&] {
        return panel->GetBackBuffer().IsOk() && panel->GetBackBuffer().GetSize() == panel->GetClientSize();
    }));

    TempDir dir;
    const wxString png = dir.File("plan.png");
    ASSERT_TRUE(frame->SaveChartImage(png, wxBITMAP_TYPE_PNG));
    wxImage image(png, wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(image.IsOk());
    // For each column the highest pure red pixel (the EC line); -1 for none.
    std::vector<int> top(static_cast<std::size_t>(image.GetWidth()), -1);
    for (int x = 0; x < image.GetWidth(); ++x)
        for (int y = 0; y < image.GetHeight() && top[static_cast<std::size_t>(x)] < 0; ++y)
            if (image.GetRed(x, y) == 255 && image.GetGreen(x, y) == 0 && image.GetBlue(x, y) == 0)
                top[static_cast<std::size_t>(x)] = y;
    // Left to right, in runs of at least 10 columns: the 1000 level low,
    // the 2000 level high, no line over the missing days, 2000 again (the
    // red axis labels at the left come before).
    const int middle = image.GetHeight() / 2;
    std::vector<std::pair<char, int>> runs; // class, length
    for (int y : top) {
        const char c = y < 0 ? '-' : y < middle ? 'H' : 'L';
        if (runs.empty() || runs.back().first != c)
            runs.push_back({c, 0});
        ++runs.back().second;
    }
    std::string shape;
    for (const auto& [c, length] : runs)
        if (length >= 10 && (shape.empty() || shape.back() != c))
            shape += c;
    EXPECT_NE(std::string::npos, shape.find("LH-H")) << shape << " " << ::testing::PrintToString(top);
    const int lowLevel = *std::max_element(top.begin(), top.end());

    // The dates under the plot, not days counted from the first: what the
    // bottom axis labels (the tests run in the "C" locale).
    const NumberAxis* dates = panel->GetChart()->GetPlot()->GetHorizontalAxis(0);
    ASSERT_NE(nullptr, dates);
    wxString labels;
    for (const chart::Tick& tick : dates->GetTicks(6))
        labels += tick.label + "|";
    EXPECT_TRUE(labels.Contains("03/02/2024")) << labels;
    EXPECT_FALSE(labels.StartsWith("0|")) << labels;

    // The readout of the day under the pointer, ratios included.
    const int x = static_cast<int>(std::find(top.begin(), top.end(), lowLevel) - top.begin()) + 3;
    ASSERT_TRUE(frame->GetChartPanel()->ShowReadoutAt(wxPoint(x, 100)));
    wxString text;
    for (const auto& line : frame->GetChartPanel()->GetReadout().lines)
        text += line.text + "\n";
    EXPECT_EQ(
        "2024-03-01\nTarget EC 1000 uS\nTarget PH 6.00\nEC ratios: 1 0 0 0 0 0\nPH up ratios: 0 0 0 0 0 0\n"
        "PH down ratios: 0 0 0 0 0 0\n",
        text);
    EXPECT_TRUE(DestroyAndWait(frame));
}
