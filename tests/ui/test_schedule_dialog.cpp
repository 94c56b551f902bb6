// The "Add New Schedule Entry" dialog: its controls, what a user can type,
// and what ReadEntry makes of it.
#include "test_schedule_util.h"

#include "core/DateText.h"
#include "core/WordHelpers.h"

#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <cstring>
#include <memory>

namespace {

struct DialogCloser {
    void operator()(NewScheduleEntryDialog* dlg) const { EXPECT_TRUE(DestroyAndWait(dlg)); }
};
using DialogPtr = std::unique_ptr<NewScheduleEntryDialog, DialogCloser>;

DialogPtr MakeDialog()
{
    return DialogPtr(new NewScheduleEntryDialog(TestTopFrame(), wxID_ANY, "Add New Schedule Entry",
                                                wxDefaultPosition, wxSize(500, 250), wxDEFAULT_DIALOG_STYLE));
}

std::vector<wxString> StaticTexts(wxWindow* parent)
{
    std::vector<wxString> texts;
    for (wxWindow* child : parent->GetChildren())
        if (auto* text = dynamic_cast<wxStaticText*>(child))
            texts.push_back(text->GetLabel());
    return texts;
}

std::array<unsigned char, 4> Bytes(uint32_t word)
{
    return {static_cast<unsigned char>(word), static_cast<unsigned char>(word >> 8),
            static_cast<unsigned char>(word >> 16), static_cast<unsigned char>(word >> 24)};
}

} // namespace

TEST(NewScheduleEntryDialog, ControlsAsTheUserFindsThem)
{
    DialogPtr dlg = MakeDialog();
    EXPECT_EQ(dlg->GetTitle(), "Add New Schedule Entry");
    EXPECT_TRUE(dlg->HasFlag(wxCAPTION) && dlg->HasFlag(wxSYSTEM_MENU) && dlg->HasFlag(wxCLOSE_BOX));
    EXPECT_GE(dlg->GetSize().x, 500);
    EXPECT_GE(dlg->GetSize().y, 250);

    const std::vector<wxString> expectedTexts = {
        "Date: ",   "Days: ",   "Target EC: ", "Target PH: ", "ECUP: ", "      1:", "      2:",
        "      3:", "      4:", "      5:",    "      6:",    "PHUP: ", "      1:", "      2:",
        "      3:", "      4:", "      5:",    "      6:",    "PHDO: ", "      1:", "      2:",
        "      3:", "      4:", "      5:",    "      6:"};
    EXPECT_EQ(StaticTexts(dlg.get()), expectedTexts);

    EXPECT_EQ(dlg->GetDatePicker()->GetName(), "datectrl");
    EXPECT_EQ(dlg->GetDatePicker()->GetValue().GetDateOnly(), wxDateTime::Today());
    EXPECT_EQ(dlg->GetDaysField()->GetValue(), "1");
    EXPECT_EQ(dlg->GetEcField()->GetValue(), "");
    EXPECT_EQ(dlg->GetPhField()->GetValue(), "");
    EXPECT_EQ(dlg->GetDaysField()->GetSize().x, 70);
    EXPECT_EQ(dlg->GetEcField()->GetSize().x, 70);
    EXPECT_EQ(dlg->GetPhField()->GetSize().x, 70);
    for (const auto* row : {&dlg->GetEcUpFields(), &dlg->GetPhUpFields(), &dlg->GetPhDownFields()})
        for (wxTextCtrl* field : *row) {
            EXPECT_EQ(field->GetValue(), "0");
            EXPECT_EQ(field->GetSize().x, 30);
        }

    auto* add = dynamic_cast<wxButton*>(dlg->FindWindow(wxID_OK));
    auto* cancel = dynamic_cast<wxButton*>(dlg->FindWindow(wxID_CANCEL));
    ASSERT_TRUE(add && cancel);
    EXPECT_EQ(add->GetLabel(), "Add New Entries");
    EXPECT_EQ(cancel->GetLabel(), "Cancel");
    EXPECT_LT(add->GetPosition().x, cancel->GetPosition().x);

    // Every control lies wholly inside the dialog: the sixth actuator's
    // fields are not cut off at the right edge.
    const wxRect client(dlg->GetClientSize());
    for (wxWindow* child : dlg->GetChildren())
        EXPECT_TRUE(client.Contains(child->GetRect())) << child->GetClassInfo()->GetClassName() << " at "
                                                       << child->GetRect().x << "," << child->GetRect().y;
    // The rows stack top to bottom in their order.
    EXPECT_LT(dlg->GetDaysField()->GetPosition().y, dlg->GetEcField()->GetPosition().y);
    EXPECT_LT(dlg->GetEcField()->GetPosition().y, dlg->GetEcUpFields()[0]->GetPosition().y);
    EXPECT_LT(dlg->GetEcUpFields()[5]->GetPosition().y, dlg->GetPhUpFields()[0]->GetPosition().y);
    EXPECT_LT(dlg->GetPhUpFields()[0]->GetPosition().y, dlg->GetPhDownFields()[0]->GetPosition().y);
    EXPECT_LT(dlg->GetPhDownFields()[0]->GetPosition().y, add->GetPosition().y);
}

TEST(NewScheduleEntryDialog, ReadEntryOfUntouchedDialog)
{
    DialogPtr dlg = MakeDialog();
    ScheduleEntry entry;
    entry.reserved() = 0xCAFEF00D; // not the dialog's to touch
    for (size_t w = 1; w < kScheduleEntryWords; ++w)
        entry[w] = 0x55555555;
    uint32_t days = 77;
    dlg->ReadEntry(entry, days);
    EXPECT_EQ(entry.reserved(), 0xCAFEF00Du);
    EXPECT_EQ(days, 1u);
    EXPECT_EQ(entry.date(), EncodePackedDate(wxDateTime::Today()));
    EXPECT_EQ(DecodePackedDate(entry.date()), wxDateTime::Today());
    for (size_t w = 2; w < kScheduleEntryWords; ++w)
        EXPECT_EQ(entry[w], 0u) << "word " << w;
}

TEST(NewScheduleEntryDialog, ReadEntryReadsTypedTextLeniently)
{
    DialogPtr dlg = MakeDialog();
    struct Case {
        const char* days;
        uint32_t value;
    };
    for (const Case& c : {Case{"5a", 5}, Case{"", 0}, Case{"abc", 0}, Case{"0", 0}, Case{"100", 100},
                          Case{"101", 101}, Case{"999", 999}, Case{"-1", 0xFFFFFFFFu}}) {
        dlg->GetDaysField()->SetValue(c.days);
        ScheduleEntry entry;
        uint32_t days = 12345;
        dlg->ReadEntry(entry, days);
        EXPECT_EQ(days, c.value) << '"' << c.days << '"';
    }

    dlg->GetDatePicker()->SetValue(wxDateTime(29, wxDateTime::Feb, 2012));
    dlg->GetEcField()->SetValue("1500");
    dlg->GetPhField()->SetValue("6.5");
    dlg->GetEcUpFields()[0]->SetValue("12a");
    dlg->GetEcUpFields()[1]->SetValue("");
    dlg->GetEcUpFields()[5]->SetValue("999");
    dlg->GetPhUpFields()[2]->SetValue("7");
    dlg->GetPhDownFields()[4]->SetValue(" 3");
    dlg->GetPhDownFields()[5]->SetValue("x1");
    ScheduleEntry entry;
    uint32_t days = 0;
    dlg->ReadEntry(entry, days);
    EXPECT_EQ(Bytes(entry.date()), (std::array<unsigned char, 4>{0x02, 0x1D, 0xDC, 0x07}));
    EXPECT_EQ(entry.targetEc(), 1500u);
    EXPECT_EQ(entry.targetPh(), FloatToWord(6.5f));
    EXPECT_EQ(WordToFloat(entry.targetPh()), 6.5f);
    EXPECT_EQ(entry.ecRatio(0), 12u);
    EXPECT_EQ(entry.ecRatio(1), 0u);
    EXPECT_EQ(entry.ecRatio(5), 999u);
    EXPECT_EQ(entry.phUpRatio(2), 7u);
    EXPECT_EQ(entry.phDownRatio(4), 3u);
    EXPECT_EQ(entry.phDownRatio(5), 0u);

    // Each call reads the controls anew.
    dlg->GetPhField()->SetValue("14.00");
    dlg->GetEcField()->SetValue("abc");
    dlg->ReadEntry(entry, days);
    EXPECT_EQ(WordToFloat(entry.targetPh()), 14.0f);
    EXPECT_EQ(entry.targetEc(), 0u);
}

TEST(NewScheduleEntryDialog, TypingStopsAtEachFieldsLength)
{
    DialogPtr dlg = MakeDialog();
    ASSERT_TRUE(ShowAndWaitForPaint(dlg.get()));
    wxUIActionSimulator sim;
    struct Case {
        wxTextCtrl* field;
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {dlg->GetDaysField(), "1234", "123"},     {dlg->GetEcField(), "200001", "20000"},
        {dlg->GetPhField(), "14.001", "14.00"},   {dlg->GetEcUpFields()[0], "5678", "567"},
        {dlg->GetPhUpFields()[3], "9999", "999"}, {dlg->GetPhDownFields()[5], "1234", "123"}};
    for (const Case& c : cases) {
        c.field->SetFocus();
        c.field->Clear();
        ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == c.field; }));
        KeyReleases released;
        sim.Text(c.typed);
        EXPECT_TRUE(PumpUntil([&] { return c.field->GetValue() == c.kept; }, 2000))
            << "typed " << c.typed << ", field holds " << c.field->GetValue().utf8_string();
        // The refused last key may still be on its way; let it arrive here,
        // not in the next field.
        EXPECT_TRUE(released.WaitFor(static_cast<int>(std::strlen(c.typed))));
        EXPECT_EQ(c.field->GetValue(), c.kept);
    }
}

TEST(NewScheduleEntryDialog, ButtonsAndCloseBoxEndTheDialog)
{
    {
        // Clicking a button ends the dialog with that button's identifier.
        DialogPtr dlg = MakeDialog();
        for (int id : {wxID_OK, wxID_CANCEL}) {
            ASSERT_TRUE(ShowAndWaitForPaint(dlg.get()));
            dlg->SetReturnCode(0);
            wxCommandEvent click(wxEVT_BUTTON, id);
            click.SetEventObject(dlg->FindWindow(id));
            dlg->FindWindow(id)->GetEventHandler()->ProcessEvent(click);
            EXPECT_EQ(dlg->GetReturnCode(), id);
            EXPECT_FALSE(dlg->IsShown());
        }
        // The close box cancels.
        ASSERT_TRUE(ShowAndWaitForPaint(dlg.get()));
        dlg->SetReturnCode(0);
        dlg->Close();
        EXPECT_EQ(dlg->GetReturnCode(), wxID_CANCEL);
    }
    // Shown modally, answered as a user would: the answer comes back.
    for (int answer : {wxID_OK, wxID_CANCEL}) {
        DialogPtr dlg = MakeDialog();
        int rc = 0;
        wxTEST_DIALOG(rc = dlg->ShowModal(),
                      wxExpectModal<NewScheduleEntryDialog>(EntryInput().Days("42").Ec("900"), answer));
        EXPECT_EQ(rc, answer);
        ScheduleEntry entry;
        uint32_t days = 0;
        dlg->ReadEntry(entry, days);
        EXPECT_EQ(days, 42u);
        EXPECT_EQ(entry.targetEc(), 900u);
    }
}

namespace {

// The combo control reports the focus of its text as its own.
bool DateFieldHasFocus(const DateEntryCtrl* picker)
{
    const wxWindow* focus = wxWindow::FindFocus();
    return focus && (focus == picker->GetTextCtrl() || focus == picker->GetCombo());
}

// The dialog shown as a user meets it, with the date field focused and empty.
void FocusEmptyDateField(NewScheduleEntryDialog* dlg)
{
    wxTextCtrl* text = dlg->GetDatePicker()->GetTextCtrl();
    text->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return DateFieldHasFocus(dlg->GetDatePicker()); }, 2000))
        << "date field has no focus: "
        << (wxWindow::FindFocus() ? wxWindow::FindFocus()->GetClassInfo()->GetClassName() : L"none");
    text->SelectAll();
    wxUIActionSimulator().Char(WXK_DELETE);
    ASSERT_TRUE(PumpUntil([&] { return text->IsEmpty(); }, 2000));
}

void TypeInto(wxTextCtrl* text, const wxString& typed)
{
    wxUIActionSimulator().Text(typed.utf8_str());
    EXPECT_TRUE(PumpUntil([&] { return text->GetValue() == typed; }, 3000))
        << "typed " << typed.utf8_string() << ", field holds " << text->GetValue().utf8_string();
}

void PressKey(int key, int modifiers = wxMOD_NONE)
{
    EXPECT_TRUE(TypeKey(key, modifiers)) << "key " << key << " did not arrive";
}

bool Marked(const DateEntryCtrl* picker)
{
    return picker->GetTextCtrl()->GetBackgroundColour() == DateEntryCtrl::NotADateColour();
}

wxDateTime Day(int day, wxDateTime::Month month, int year)
{
    return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), month, year);
}

} // namespace

TEST(NewScheduleEntryDialog, TypedDatesAreTheDatesStored)
{
    const LocaleDates dates = TestLocaleDates();
    ASSERT_NO_FATAL_FAILURE(ExpectTestLocale(dates));
    DialogPtr dlg = MakeDialog();
    ASSERT_TRUE(ShowAndWaitForPaint(dlg.get()));
    DateEntryCtrl* picker = dlg->GetDatePicker();
    wxTextCtrl* text = picker->GetTextCtrl();
    EXPECT_FALSE(Marked(picker)) << "today's date marked as no date";

    for (const wxString& typed : dates.dec30) {
        ASSERT_NO_FATAL_FAILURE(FocusEmptyDateField(dlg.get()));
        TypeInto(text, typed);
        // Read on every change: no need to leave the field first.
        ScheduleEntry entry;
        uint32_t days = 0;
        dlg->ReadEntry(entry, days);
        EXPECT_EQ(Bytes(entry.date()), (std::array<unsigned char, 4>{0x0C, 0x1E, 0xDC, 0x07}))
            << '"' << typed.utf8_string() << '"';
        EXPECT_FALSE(Marked(picker)) << typed.utf8_string();
        // Leaving the field keeps the text as typed and the date with it.
        dlg->GetDaysField()->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == dlg->GetDaysField(); }));
        ASSERT_TRUE(PumpUntilIdle());
        EXPECT_EQ(text->GetValue(), typed);
        dlg->ReadEntry(entry, days);
        EXPECT_EQ(entry.date(), 0x07DC1E0Cu) << typed.utf8_string() << " after leaving the field";
    }

    // A text that is no date is kept and marked, never swapped for another day.
    ASSERT_NO_FATAL_FAILURE(FocusEmptyDateField(dlg.get()));
    TypeInto(text, dates.notADate);
    EXPECT_FALSE(picker->GetValue().IsValid());
    EXPECT_TRUE(Marked(picker));
    dlg->GetDaysField()->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == dlg->GetDaysField(); }));
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(text->GetValue(), dates.notADate);
    EXPECT_TRUE(Marked(picker));
    // Mended, the mark goes.
    ASSERT_NO_FATAL_FAILURE(FocusEmptyDateField(dlg.get()));
    TypeInto(text, dates.dec31);
    EXPECT_EQ(picker->GetValue(), Day(31, wxDateTime::Dec, 2012));
    EXPECT_FALSE(Marked(picker));
}

TEST(NewScheduleEntryDialog, UpAndDownStepTheDayPagesTheMonth)
{
    const LocaleDates dates = TestLocaleDates();
    ASSERT_NO_FATAL_FAILURE(ExpectTestLocale(dates));
    DialogPtr dlg = MakeDialog();
    ASSERT_TRUE(ShowAndWaitForPaint(dlg.get()));
    DateEntryCtrl* picker = dlg->GetDatePicker();
    wxTextCtrl* text = picker->GetTextCtrl();
    ASSERT_NO_FATAL_FAILURE(FocusEmptyDateField(dlg.get()));
    TypeInto(text, dates.dec31);

    PressKey(WXK_UP);
    EXPECT_EQ(picker->GetValue(), Day(1, wxDateTime::Jan, 2013));
    EXPECT_EQ(text->GetValue(), dates.jan1);
    ScheduleEntry entry;
    uint32_t days = 0;
    dlg->ReadEntry(entry, days);
    EXPECT_EQ(entry.date(), 0x07DD0101u);
    PressKey(WXK_DOWN);
    EXPECT_EQ(picker->GetValue(), Day(31, wxDateTime::Dec, 2012));
    EXPECT_EQ(text->GetValue(), dates.dec31);
    PressKey(WXK_PAGEDOWN);
    EXPECT_EQ(picker->GetValue(), Day(30, wxDateTime::Nov, 2012));
    PressKey(WXK_PAGEUP);
    PressKey(WXK_PAGEUP);
    EXPECT_EQ(picker->GetValue(), Day(30, wxDateTime::Jan, 2013));
    PressKey(WXK_UP);
    PressKey(WXK_PAGEUP); // 31 January plus a month is the last day of February
    EXPECT_EQ(picker->GetValue(), Day(28, wxDateTime::Feb, 2013));
    EXPECT_TRUE(DateFieldHasFocus(picker)) << "the keys moved the focus away";

    // Up on a text that is no date leaves it for the user to mend.
    ASSERT_NO_FATAL_FAILURE(FocusEmptyDateField(dlg.get()));
    TypeInto(text, dates.notADate);
    PressKey(WXK_UP);
    EXPECT_EQ(text->GetValue(), dates.notADate);
    EXPECT_FALSE(picker->GetValue().IsValid());
}

TEST(NewScheduleEntryDialog, CalendarWorksByKeyboardAndClosesOnAPickedDay)
{
    const LocaleDates dates = TestLocaleDates();
    ASSERT_NO_FATAL_FAILURE(ExpectTestLocale(dates));
    DialogPtr dlg = MakeDialog();
    ASSERT_TRUE(ShowAndWaitForPaint(dlg.get()));
    DateEntryCtrl* picker = dlg->GetDatePicker();
    wxTextCtrl* text = picker->GetTextCtrl();
    wxComboCtrl* combo = picker->GetCombo();
    ASSERT_NO_FATAL_FAILURE(FocusEmptyDateField(dlg.get()));
    TypeInto(text, dates.dec31);

    // F4 opens it on the field's day; the keys move the day shown there.
    PressKey(WXK_F4);
    ASSERT_TRUE(PumpUntil([&] { return combo->IsPopupShown(); }, 2000)) << "F4 did not open the calendar";
    EXPECT_EQ(picker->GetCalendar()->GetDate(), Day(31, wxDateTime::Dec, 2012));
    PressKey(WXK_RIGHT);
    EXPECT_EQ(picker->GetCalendar()->GetDate(), Day(1, wxDateTime::Jan, 2013));
    PressKey(WXK_PAGEUP, wxMOD_CONTROL);
    EXPECT_EQ(picker->GetCalendar()->GetDate(), Day(1, wxDateTime::Jan, 2012));
    PressKey(WXK_PAGEDOWN);
    PressKey(WXK_DOWN);
    PressKey(WXK_LEFT);
    EXPECT_EQ(picker->GetCalendar()->GetDate(), Day(7, wxDateTime::Feb, 2012));
    EXPECT_EQ(text->GetValue(), dates.dec31) << "the field changes only when a day is picked";
    // Return picks the day and closes the calendar.
    // Its release goes to no window of ours once the calendar has closed:
    // the calendar closing is what to wait for.
    wxUIActionSimulator().Char(WXK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !combo->IsPopupShown(); }, 2000)) << "Return left the calendar open";
    EXPECT_EQ(picker->GetValue(), Day(7, wxDateTime::Feb, 2012));
    EXPECT_EQ(text->GetValue(), FormatUserDateText(Day(7, wxDateTime::Feb, 2012), picker->GetShortFormat()));
    EXPECT_TRUE(dlg->IsShown()) << "Return in the calendar ended the dialog";

    // Escape closes it and keeps the field as it was.
    PressKey(WXK_DOWN, wxMOD_ALT);
    ASSERT_TRUE(PumpUntil([&] { return combo->IsPopupShown(); }, 2000))
        << "Alt+Down did not open the calendar";
    PressKey(WXK_RIGHT);
    wxUIActionSimulator().Char(WXK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !combo->IsPopupShown(); }, 2000));
    EXPECT_EQ(picker->GetValue(), Day(7, wxDateTime::Feb, 2012));
    EXPECT_TRUE(dlg->IsShown()) << "Escape in the calendar ended the dialog";

    // A click on a day picks it and closes the calendar.
    wxGenericCalendarCtrl* calendar = picker->GetCalendar();
    EventCounter<wxPaintEvent> painted(calendar, wxEVT_PAINT);
    combo->ShowPopup();
    ASSERT_TRUE(PumpUntil([&] { return combo->IsPopupShown(); }, 2000));
    ASSERT_TRUE(painted.WaitFor(1)) << "the calendar is not drawn";
    const wxDateTime target = Day(23, wxDateTime::Feb, 2012);
    wxPoint at(-1, -1);
    const wxSize size = calendar->GetClientSize();
    for (int y = 0; y < size.y && at.x < 0; y += 5) // day cells are 20 pixels and more
        for (int x = 0; x < size.x && at.x < 0; x += 5) {
            wxDateTime hit;
            if (calendar->HitTest(wxPoint(x, y), &hit) == wxCAL_HITTEST_DAY && hit.IsSameDate(target))
                at = wxPoint(x + 2, y + 2);
        }
    ASSERT_GE(at.x, 0) << "23 February not shown";
    wxUIActionSimulator sim;
    ASSERT_TRUE(MovePointerTo(sim, calendar, at));
    sim.MouseClick();
    EXPECT_TRUE(PumpUntil([&] { return !combo->IsPopupShown(); }, 2000)) << "a clicked day left it open";
    EXPECT_EQ(picker->GetValue(), target);
    EXPECT_EQ(text->GetValue(), FormatUserDateText(target, picker->GetShortFormat()));
}

TEST(NewScheduleEntryDialog, AddRefusesATextThatIsNoDate)
{
    const LocaleDates dates = TestLocaleDates();
    ASSERT_NO_FATAL_FAILURE(ExpectTestLocale(dates));
    DialogPtr dlg = MakeDialog();
    ASSERT_TRUE(ShowAndWaitForPaint(dlg.get()));
    dlg->GetDatePicker()->GetTextCtrl()->SetValue(dates.notADate);
    const wxString example = dates.locale == "C" ? "12/31/2012" : "31.12.2012";
    dlg->SetReturnCode(0);
    wxTEST_DIALOG(
        {
            wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
            click.SetEventObject(dlg->FindWindow(wxID_OK));
            dlg->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(click);
        },
        ExpectMessageBox(wxID_OK,
                         "\"Date:\" holds no date: \"" + dates.notADate + "\".\nType a date such as " +
                             example + " or 2012-12-31.",
                         "Error", wxOK | wxICON_WARNING));
    EXPECT_EQ(dlg->GetReturnCode(), 0) << "the dialog ended";
    EXPECT_TRUE(dlg->IsShown());
    EXPECT_EQ(dlg->GetDatePicker()->GetTextCtrl()->GetValue(), dates.notADate);
}
