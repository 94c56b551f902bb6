// The "Add New Schedule Entry" dialog: its controls, what a user can type,
// and what ReadEntry makes of it.
#include "test_schedule_util.h"

#include "core/WordHelpers.h"

#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <memory>

namespace {

struct DialogCloser {
    void operator()(NewScheduleEntryDialog* dlg) const
    {
        dlg->Destroy();
        PumpFor(10);
    }
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
    dlg->Show();
    PumpFor(100);
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
        PumpUntil([&] { return wxWindow::FindFocus() == c.field; }, 1000);
        sim.Text(c.typed);
        EXPECT_TRUE(PumpUntil([&] { return c.field->GetValue() == c.kept; }, 2000))
            << "typed " << c.typed << ", field holds " << c.field->GetValue().utf8_string();
        // The refused last key may still be on its way; let it arrive here,
        // not in the next field.
        PumpFor(300);
        EXPECT_EQ(c.field->GetValue(), c.kept);
    }
}

TEST(NewScheduleEntryDialog, ButtonsAndCloseBoxEndTheDialog)
{
    {
        // Clicking a button ends the dialog with that button's identifier.
        DialogPtr dlg = MakeDialog();
        for (int id : {wxID_OK, wxID_CANCEL}) {
            dlg->Show();
            PumpFor(20);
            dlg->SetReturnCode(0);
            wxCommandEvent click(wxEVT_BUTTON, id);
            click.SetEventObject(dlg->FindWindow(id));
            dlg->FindWindow(id)->GetEventHandler()->ProcessEvent(click);
            EXPECT_EQ(dlg->GetReturnCode(), id);
            EXPECT_FALSE(dlg->IsShown());
        }
        // The close box cancels.
        dlg->Show();
        PumpFor(20);
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
