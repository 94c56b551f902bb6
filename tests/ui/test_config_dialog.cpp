// The parameter edit dialog as a user sees and drives it: the editor of each
// kind, its first content, its filters, the slider and field following each
// other, and the value read back.
#include "wx_test_util.h"

#include "core/ConfigRows.h"
#include "core/ParameterTable.h"
#include "core/WordHelpers.h"
#include "ui/OrvelGUIConfigDialog.h"

#include <wx/html/htmlwin.h>
#include <wx/slider.h>
#include <wx/uiaction.h>
#include <wx/valtext.h>

#include <memory>

namespace {

struct DialogCloser {
    void operator()(OrvelGUIConfigDialog* d) const { EXPECT_TRUE(DestroyAndWait(d)); }
};
using DialogPtr = std::unique_ptr<OrvelGUIConfigDialog, DialogCloser>;

DialogPtr MakeDialog(int index, const ConfigEditValue& value)
{
    const bool password = KindOf(index) == ParamKind::Credentials;
    DialogPtr dlg(new OrvelGUIConfigDialog(TestTopFrame(), wxID_ANY, wxEmptyString, wxDefaultPosition,
                                           wxSize(620, 240), wxDEFAULT_DIALOG_STYLE, password));
    dlg->SetUpFor(index, value, KindOf(index) == ParamKind::ActuatorGroup ? 0 : 1, 65000);
    return dlg;
}

ConfigEditValue Single(uint32_t slot)
{
    ConfigEditValue v;
    v.slots[0] = slot;
    return v;
}

ConfigEditValue WithText(const TextFieldBytes& first, const TextFieldBytes& second = {})
{
    ConfigEditValue v;
    std::copy(first.begin(), first.end(), v.text.begin());
    std::copy(second.begin(), second.end(), v.text.begin() + 16);
    return v;
}

std::string TextPart(const ConfigEditValue& v, size_t part)
{
    return std::string(v.text.begin() + static_cast<long>(16 * part),
                       v.text.begin() + static_cast<long>(16 * part + 16));
}

// Which editors are on show, as a compact string: f1..f6, s(lider), c(hoice), a(ddress), d(hcp).
std::string Visible(const OrvelGUIConfigDialog& d)
{
    std::string s;
    for (int k = 1; k <= 6; ++k)
        if (d.GetField(k)->IsShown())
            s += "f" + std::to_string(k);
    if (d.GetSlider()->IsShown())
        s += "s";
    if (d.GetModeChoice()->IsShown())
        s += "c";
    if (d.GetOctetField(0)->IsShown())
        s += "a";
    if (d.GetDhcpCheckBox()->IsShown())
        s += "d";
    return s;
}

long FilterOf(wxWindow* field)
{
    auto* v = dynamic_cast<wxTextValidator*>(field->GetValidator());
    return v ? v->GetStyle() : -1;
}

bool Accepts(wxWindow* field, const wxString& text)
{
    auto* v = dynamic_cast<wxTextValidator*>(field->GetValidator());
    return v && v->IsValid(text).empty();
}

// A newly shown window may not take keys at once: focus the field, type a
// probe until it arrives, then empty the field again.
bool ReadyForTyping(wxTextCtrl* field)
{
    field->SetFocus();
    if (!PumpUntil([&] { return wxWindow::FindFocus() == field; }, 1000))
        return false;
    field->Clear();
    wxUIActionSimulator sim;
    KeyReleases released('1');
    int typed = 0;
    for (; typed < 20 && field->GetValue().empty(); ++typed) {
        sim.Char('1');
        PumpUntil([&] { return !field->GetValue().empty(); }, 250);
    }
    // Every probe typed has arrived before the field is emptied.
    released.WaitFor(typed);
    const bool ready = !field->GetValue().empty();
    field->Clear();
    return ready;
}

ConfigEditValue Read(const OrvelGUIConfigDialog& d)
{
    ConfigEditValue out;
    d.ReadValues(out);
    return out;
}

} // namespace

TEST(ConfigDialog, EachKindShowsItsEditorTextsAndHelp)
{
    ParameterTexts descriptions, help;
    FillShortDescriptions(descriptions);
    FillHelpTexts(help);
    struct Case {
        int index;
        const char* editors;
    };
    const Case cases[] = {{1, "c"},   {3, "f1f2f3f4f5f6"}, {33, "f1f2f3f4f5f6"},
                          {46, "f1"}, {50, "f1"},          {48, "f1"},
                          {53, "f1"}, {54, "f1s"},         {67, "f1s"},
                          {80, "f1"}, {90, "f1f3"},        {94, "f1f3"},
                          {84, "a"},  {89, "a"},           {98, "d"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "index " << c.index);
        DialogPtr d = MakeDialog(c.index, ConfigEditValue{});
        EXPECT_EQ(Visible(*d), c.editors);
        wxString label = d->GetDescription()->GetLabel();
        label.Replace("\n", " "); // wrapped at 300 pixels
        EXPECT_EQ(label, descriptions[static_cast<size_t>(c.index)]);
        if (!help[static_cast<size_t>(c.index)].empty()) {
            EXPECT_NE(d->GetHelpWindow()->ToText().Find("Error"), 0);
            EXPECT_EQ(d->GetHelpWindow()->GetParser()->GetSource()->ToStdString(),
                      help[static_cast<size_t>(c.index)].ToStdString());
        }
        // At least the size asked for, and nothing shown is cut off.
        EXPECT_GE(d->GetSize().x, 620);
        EXPECT_GE(d->GetSize().y, 240);
        const wxRect client(d->GetClientSize());
        for (wxWindow* child : d->GetChildren()) {
            if (!child->IsShown())
                continue;
            const std::string name = wxString(child->GetClassInfo()->GetClassName()).utf8_string();
            EXPECT_TRUE(client.Contains(child->GetRect())) << "a " << name << " lies outside the dialog";
            EXPECT_GE(child->GetSize().x, child->GetEffectiveMinSize().x) << "a " << name << " is squeezed";
        }
    }
    DialogPtr d = MakeDialog(3, ConfigEditValue{});
    EXPECT_EQ(d->GetDescription()->GetLabel(), "Dosage Rate of Actuator 1 in mL/min.");
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(d->GetFieldLabel(k)->GetLabel(), std::to_string(k));
    EXPECT_EQ(d->GetField(1)->GetId(), 5005);
    EXPECT_EQ(d->GetSlider()->GetId(), 5013);
}

TEST(ConfigDialog, NumbersOpenAsStoredAndReadBack)
{
    // Actuator group: six fields, digits only.
    ConfigEditValue group;
    group.slots = {10, 0, 0, 5, 65000, 0xFFFFFFFF};
    DialogPtr d = MakeDialog(21, group);
    const char* shown[] = {"10", "0", "0", "5", "65000", "-1"};
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(d->GetField(k)->GetValue(), shown[k - 1]);
        EXPECT_EQ(FilterOf(d->GetField(k)), wxFILTER_DIGITS);
    }
    d->GetField(6)->SetValue("");
    d->GetField(2)->SetValue("100");
    const ConfigEditValue out = Read(*d);
    EXPECT_EQ(out.slots, (std::array<uint32_t, 6>{10, 100, 0, 5, 65000, 0}));

    // EC value: one field, no slider.
    d = MakeDialog(46, Single(1500));
    EXPECT_EQ(d->GetField(1)->GetValue(), "1500");
    EXPECT_FALSE(d->GetSlider()->IsShown());
    d->GetField(1)->SetValue("20001");
    EXPECT_EQ(Read(*d).slots[0], 20001u) << "ranges are checked when saving, not here";

    // PH value: two decimals, a decimal-number filter, the single's bits back.
    d = MakeDialog(48, Single(FloatToWord(6.5f)));
    EXPECT_EQ(d->GetField(1)->GetValue(), "6.50");
    EXPECT_EQ(FilterOf(d->GetField(1)), wxFILTER_NUMERIC);
    EXPECT_TRUE(Accepts(d->GetField(1), "6.5"));
    EXPECT_EQ(Read(*d).slots[0], FloatToWord(6.5f));
    d->GetField(1)->SetValue("7.25");
    EXPECT_EQ(WordToFloat(Read(*d).slots[0]), 7.25f);
    d->GetField(1)->SetValue("");
    EXPECT_EQ(Read(*d).slots[0], 0u);

    // Operation mode: the four modes in order; an unknown code opens at "Passive Mode".
    const uint32_t codes[] = {kModePassive, kModeSingleChannel, kModeDualChannelSingleEnv,
                              kModeDualChannelDualEnv};
    for (uint32_t stored :
         {0u, 0x102u, kModePassive, kModeSingleChannel, kModeDualChannelSingleEnv, kModeDualChannelDualEnv}) {
        d = MakeDialog(1, Single(stored));
        ASSERT_EQ(d->GetModeChoice()->GetCount(), 4u);
        EXPECT_EQ(d->GetModeChoice()->GetString(0), "Passive Mode");
        EXPECT_EQ(d->GetModeChoice()->GetString(3), "Dual Channel Dual Environment Mode");
        const int expected = stored == kModeSingleChannel          ? 1
                             : stored == kModeDualChannelSingleEnv ? 2
                             : stored == kModeDualChannelDualEnv   ? 3
                                                                   : 0;
        EXPECT_EQ(d->GetModeChoice()->GetSelection(), expected) << std::hex << stored;
    }
    for (int pos = 0; pos < 4; ++pos) {
        d->GetModeChoice()->SetSelection(pos);
        EXPECT_EQ(Read(*d).slots[0], codes[pos]);
    }

    // Address: first octet leftmost; 256 is octet 0 and 300 is octet 44.
    d = MakeDialog(86, Single(0x0A01A8C0));
    const char* octets[] = {"192", "168", "1", "10"};
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(d->GetOctetField(j)->GetValue(), octets[j]);
        EXPECT_EQ(FilterOf(d->GetOctetField(j)), wxFILTER_DIGITS);
    }
    d->GetOctetField(0)->SetValue("300");
    d->GetOctetField(3)->SetValue("256");
    EXPECT_EQ(FormatIpAddress(Read(*d).slots[0]), "44.168.1.0");

    // DHCP: ticked for any non-zero value, 1 or 0 back.
    d = MakeDialog(98, Single(7));
    EXPECT_TRUE(d->GetDhcpCheckBox()->GetValue());
    EXPECT_EQ(d->GetDhcpCheckBox()->GetLabel(), "DHCP");
    EXPECT_EQ(Read(*d).slots[0], 1u);
    d->GetDhcpCheckBox()->SetValue(false);
    EXPECT_EQ(Read(*d).slots[0], 0u);
}

TEST(ConfigDialog, NamesAndCredentials)
{
    // The hostname opens with the stored name, so OK on an unchanged dialog keeps it.
    const TextFieldBytes host = HostnameBytes("greenhouse7");
    DialogPtr d = MakeDialog(80, WithText(host));
    EXPECT_EQ(d->GetFieldLabel(1)->GetLabel(), "Enter Hostname:");
    EXPECT_EQ(d->GetField(1)->GetValue(), "greenhouse7");
    EXPECT_EQ(TextPart(Read(*d), 0), std::string(host.begin(), host.end()));
    d->GetField(1)->SetValue("tent");
    EXPECT_EQ(TextPart(Read(*d), 0), std::string("tent") + std::string(12, '\0'));
    // Letters and digits, ASCII ones only (the controller stores ASCII).
    EXPECT_TRUE(Accepts(d->GetField(1), "Tent42"));
    EXPECT_FALSE(Accepts(d->GetField(1), "tent-2"));
    EXPECT_FALSE(Accepts(d->GetField(1), "tent 2"));
    EXPECT_FALSE(Accepts(d->GetField(1), wxString::FromUTF8("Zo\xC3\xAB")));

    // Credentials, from either row: username above, masked password below.
    for (int index : {90, 94}) {
        SCOPED_TRACE(testing::Message() << "index " << index);
        d = MakeDialog(index, WithText(PaddedBytes("grower"), PaddedBytes("Secret1")));
        EXPECT_EQ(d->GetFieldLabel(1)->GetLabel(), "Enter Username:");
        EXPECT_EQ(d->GetFieldLabel(3)->GetLabel(), "Enter Password:");
        EXPECT_TRUE(d->GetField(3)->HasFlag(wxTE_PASSWORD));
        EXPECT_FALSE(d->GetField(1)->HasFlag(wxTE_PASSWORD));
        EXPECT_LT(d->GetField(1)->GetPosition().y, d->GetField(3)->GetPosition().y);
        // The stored padding is not part of the name: an unchanged dialog passes its filter.
        EXPECT_EQ(d->GetField(1)->GetValue(), "grower");
        EXPECT_EQ(d->GetField(3)->GetValue(), "Secret1");
        EXPECT_TRUE(d->Validate());
        ConfigEditValue out = Read(*d);
        EXPECT_EQ(TextPart(out, 0), "grower          ");
        EXPECT_EQ(TextPart(out, 1), "Secret1         ");
        d->GetField(1)->SetValue("abc");
        d->GetField(3)->SetValue("");
        out = Read(*d);
        EXPECT_EQ(TextPart(out, 0), "abc             ");
        EXPECT_EQ(TextPart(out, 1), std::string(16, ' '));
    }
}

TEST(ConfigDialog, SliderAndFieldFollowEachOther)
{
    DialogPtr d = MakeDialog(64, Single(300));
    wxSlider* slider = d->GetSlider();
    wxTextCtrl* field = d->GetField(1);
    EXPECT_EQ(slider->GetMin(), 1);
    EXPECT_EQ(slider->GetMax(), 65000);
    EXPECT_EQ(slider->GetValue(), 300);
    EXPECT_EQ(field->GetValue(), "300");

    ASSERT_TRUE(ShowAndWaitForPaint(d.get()));
    wxUIActionSimulator sim;

    // Typing in the field moves the slider.
    ASSERT_TRUE(ReadyForTyping(field));
    sim.Text("1200");
    EXPECT_TRUE(PumpUntil([&] { return slider->GetValue() == 1200; }))
        << "slider at " << slider->GetValue() << ", field " << field->GetValue().utf8_string();
    EXPECT_EQ(field->GetValue(), "1200");

    // A value below the slider's range puts the slider at its end and the
    // field keeps what was typed: the slider does not write back.
    field->SetValue("0");
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(slider->GetValue(), 1);
    EXPECT_EQ(field->GetValue(), "0");
    field->SetValue("70000");
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(slider->GetValue(), 65000);
    EXPECT_EQ(field->GetValue(), "70000");

    // Moving the slider with the keyboard writes its position into the field.
    field->SetValue("500");
    slider->SetFocus();
    PumpUntil([&] { return wxWindow::FindFocus() == slider; }, 1000);
    sim.Char(WXK_RIGHT);
    EXPECT_TRUE(PumpUntil([&] { return slider->GetValue() != 500; }));
    EXPECT_TRUE(PumpUntil([&] {
        return field->GetValue() == FormatDecimal(static_cast<uint32_t>(slider->GetValue()));
    })) << "field "
        << field->GetValue().utf8_string() << ", slider " << slider->GetValue();
    sim.Char(WXK_END);
    EXPECT_TRUE(PumpUntil([&] { return field->GetValue() == "65000"; })) << field->GetValue().utf8_string();
    EXPECT_EQ(Read(*d).slots[0], 65000u);

    // Every scroll event kind updates the field.
    for (wxEventType type : {wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_CHANGED,
                             wxEVT_SCROLL_TOP, wxEVT_SCROLL_PAGEDOWN}) {
        slider->SetValue(4321);
        field->ChangeValue("");
        wxScrollEvent event(type, slider->GetId(), 4321);
        event.SetEventObject(slider);
        slider->GetEventHandler()->ProcessEvent(event);
        EXPECT_EQ(field->GetValue(), "4321") << type;
    }
    d->Hide();

    // Digits only in the field of a count value; the slider of other kinds does not move with it.
    EXPECT_EQ(FilterOf(field), wxFILTER_DIGITS);
    d = MakeDialog(46, Single(1500));
    const int before = d->GetSlider()->GetValue();
    d->GetField(1)->SetValue("20");
    EXPECT_EQ(d->GetSlider()->GetValue(), before);
}

TEST(ConfigDialog, TypingIsFilteredAndTextFieldsStopAtSixteen)
{
    DialogPtr d = MakeDialog(90, WithText(TextFieldBytes{}, TextFieldBytes{}));
    ASSERT_TRUE(ShowAndWaitForPaint(d.get()));
    wxUIActionSimulator sim;
    wxTextCtrl* user = d->GetField(1);
    ASSERT_TRUE(ReadyForTyping(user));
    const std::string typed = "ab-c d1234567890123456";
    KeyReleases released;
    sim.Text(typed.c_str());
    EXPECT_TRUE(PumpUntil([&] { return user->GetValue() == "abcd123456789012"; }))
        << user->GetValue().utf8_string();
    // The refused keys too have all arrived.
    EXPECT_TRUE(released.WaitFor(static_cast<int>(typed.size())));
    EXPECT_EQ(user->GetValue(), "abcd123456789012");
    d->Hide();

    d = MakeDialog(46, Single(0));
    ASSERT_TRUE(ShowAndWaitForPaint(d.get()));
    wxTextCtrl* ec = d->GetField(1);
    ASSERT_TRUE(ReadyForTyping(ec));
    sim.Text("1.5x0");
    EXPECT_TRUE(PumpUntil([&] { return ec->GetValue() == "150"; })) << ec->GetValue().utf8_string();
    d->Hide();
}
