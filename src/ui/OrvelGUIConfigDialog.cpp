#include "ui/OrvelGUIConfigDialog.h"

#include "core/NumberText.h"
#include "core/ParameterTable.h"
#include "core/WordHelpers.h"
#include "ui/ScreenFit.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/display.h>
#include <wx/html/htmlwin.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include <algorithm>

namespace {

constexpr int kValueFieldId = 5005; // field 1
constexpr int kSliderId = 5013;
constexpr int kTextFieldWidth = 100;
constexpr int kOctetFieldWidth = 35;

// Letters and digits only, and only ASCII ones: the controller stores these
// texts as ASCII bytes, so anything else could not be stored as typed.
wxTextValidator NameValidator()
{
    wxTextValidator validator(wxFILTER_INCLUDE_CHAR_LIST);
    validator.SetCharIncludes("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    return validator;
}

const uint32_t kModeCodes[] = {kModePassive, kModeSingleChannel, kModeDualChannelSingleEnv,
                               kModeDualChannelDualEnv};

} // namespace

wxBEGIN_EVENT_TABLE(OrvelGUIConfigDialog, wxDialog)
    EVT_TEXT(kValueFieldId, OrvelGUIConfigDialog::OnValueText)
    EVT_COMMAND_SCROLL(kSliderId, OrvelGUIConfigDialog::OnSliderScroll)
wxEND_EVENT_TABLE()

OrvelGUIConfigDialog::OrvelGUIConfigDialog(wxWindow* parent, wxWindowID id, const wxString& title,
                                           const wxPoint& pos, const wxSize& size, long style,
                                           bool passwordField)
    : wxDialog(parent, id, title, pos, size, style), m_askedSize(size)
{
    auto* top = new wxFlexGridSizer(1, 2, 0, 0);
    top->SetFlexibleDirection(wxBOTH);
    top->SetNonFlexibleGrowMode(wxFLEX_GROWMODE_SPECIFIED);

    m_help =
        new wxHtmlWindow(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(350, 200)), wxHW_SCROLLBAR_AUTO);
    m_help->SetPage("<html><body><h1>Error</h1>Some <b>error</b> occurred!</body></hmtl>");
    top->Add(m_help, 0, wxALL, FromDIP(5));

    auto* editors = new wxBoxSizer(wxVERTICAL);
    m_description = new wxStaticText(this, wxID_ANY, "Sample Help Text Sample Help Text Sample Help Text");
    m_description->Wrap(300);
    editors->Add(m_description, 0, wxALL, FromDIP(5));

    // Two label and field pairs to a row, so the username sits above the password.
    auto* fields = new wxFlexGridSizer(4, 0, 0);
    for (int k = 0; k < 6; ++k) {
        const long fieldStyle = (k == 2 && passwordField) ? wxTE_PASSWORD : 0;
        m_labels[static_cast<size_t>(k)] = new wxStaticText(this, wxID_ANY, FormatDecimal(k + 1));
        m_fields[static_cast<size_t>(k)] =
            new wxTextCtrl(this, k == 0 ? kValueFieldId : wxID_ANY, wxEmptyString, wxDefaultPosition,
                           wxSize(FromDIP(kTextFieldWidth), -1), fieldStyle);
        fields->Add(m_labels[static_cast<size_t>(k)], 0, wxALL | wxALIGN_CENTER_VERTICAL, FromDIP(5));
        fields->Add(m_fields[static_cast<size_t>(k)], 0, wxALL, FromDIP(5));
    }
    editors->Add(fields, 0, wxEXPAND, 5);

    m_dhcp = new wxCheckBox(this, wxID_ANY, "DHCP");
    editors->Add(m_dhcp, 0, wxALL, FromDIP(5));

    m_slider = new wxSlider(this, kSliderId, 50, 0, 100, wxDefaultPosition, wxSize(FromDIP(250), -1),
                            wxSL_HORIZONTAL);
    editors->Add(m_slider, 0, wxALL, FromDIP(5));

    m_modeChoice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxSize(FromDIP(280), -1));
    editors->Add(m_modeChoice, 0, wxALL, FromDIP(5));

    auto* address = new wxBoxSizer(wxHORIZONTAL);
    for (size_t j = 0; j < m_octets.size(); ++j) {
        if (j > 0) {
            m_dots[j - 1] = new wxStaticText(this, wxID_ANY, ".");
            address->Add(m_dots[j - 1], 0, wxALIGN_BOTTOM | wxTOP | wxBOTTOM, FromDIP(5));
        }
        m_octets[j] = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                     wxSize(FromDIP(kOctetFieldWidth), -1));
        address->Add(m_octets[j], 0, wxALL, FromDIP(5));
    }
    editors->Add(address, 0, wxEXPAND, 5);

    editors->AddStretchSpacer();

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, "Ok");
    buttons->Add(ok, 0, wxALL, FromDIP(5));
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, FromDIP(5));
    editors->Add(buttons, 0, wxALIGN_RIGHT, 5);
    ok->SetDefault();

    top->Add(editors, 1, wxEXPAND, 5);
    SetSizer(top);
    Layout();
    Centre(wxBOTH);
}

void OrvelGUIConfigDialog::HideEditors()
{
    for (size_t k = 0; k < m_fields.size(); ++k) {
        m_labels[k]->Hide();
        m_fields[k]->Hide();
        m_fields[k]->SetValidator(wxDefaultValidator);
    }
    m_slider->Hide();
    m_modeChoice->Hide();
    ShowAddressGroup(false);
    m_dhcp->Hide();
}

void OrvelGUIConfigDialog::ShowAddressGroup(bool show)
{
    for (wxTextCtrl* octet : m_octets) {
        octet->Show(show);
        if (!show)
            octet->SetValidator(wxDefaultValidator);
    }
    for (wxStaticText* dot : m_dots)
        dot->Show(show);
}

void OrvelGUIConfigDialog::ShowTextEditor(int number, const wxString& label, const wxString& text)
{
    wxStaticText* caption = GetFieldLabel(number);
    wxTextCtrl* field = GetField(number);
    caption->SetLabel(label);
    caption->Show();
    field->SetMaxLength(kTextFieldSize);
    field->SetMinSize(wxSize(FromDIP(kTextFieldWidth), -1));
    field->ChangeValue(text);
    field->SetValidator(NameValidator());
    field->Show();
}

void OrvelGUIConfigDialog::ShowNumberField(int number, const wxString& text, long filter)
{
    wxTextCtrl* field = GetField(number);
    field->ChangeValue(text);
    field->SetValidator(wxTextValidator(filter));
    field->Show();
}

void OrvelGUIConfigDialog::SetUpFor(int index, const ConfigEditValue& value, int sliderMin, int sliderMax)
{
    ParameterTexts descriptions;
    FillShortDescriptions(descriptions);
    if (index >= 0 && index < kParameterCount)
        m_description->SetLabel(descriptions[static_cast<size_t>(index)]);
    m_description->Wrap(300);

    m_index = index;
    m_kind = KindOf(index);

    HideEditors();
    ShowEditor(value, sliderMin, sliderMax);

    ParameterTexts help;
    FillHelpTexts(help);
    m_help->SetPage(index >= 0 && index < kParameterCount ? help[static_cast<size_t>(index)] : wxString());
    FitToEditor();
}

void OrvelGUIConfigDialog::ShowEditor(const ConfigEditValue& value, int sliderMin, int sliderMax)
{
    switch (m_kind) {
    case ParamKind::Hostname:
        // The stored name is offered for editing: OK on an unchanged dialog
        // must keep it, not erase it.
        ShowTextEditor(1, "Enter Hostname:", TextFieldToString(TextPartOf(value, 0)));
        break;
    case ParamKind::Credentials:
        // The trailing spaces are the stored padding, not part of the name;
        // they are put back when the value is read.
        ShowTextEditor(1, "Enter Username:", TextFieldToString(TextPartOf(value, 0)).Trim(true));
        ShowTextEditor(3, "Enter Password:", TextFieldToString(TextPartOf(value, 1)).Trim(true));
        GetField(3)->SetWindowStyleFlag(GetField(3)->GetWindowStyleFlag() | wxTE_PASSWORD);
        break;
    case ParamKind::ActuatorGroup:
        for (int k = 1; k <= 6; ++k) {
            GetFieldLabel(k)->SetLabel(FormatDecimal(static_cast<uint32_t>(k)));
            GetFieldLabel(k)->Show();
            ShowNumberField(k, FormatDecimal(value.slots[static_cast<size_t>(k - 1)]), wxFILTER_DIGITS);
        }
        break;
    case ParamKind::EcValue:
        ShowNumberField(1, FormatDecimal(value.slots[0]), wxFILTER_DIGITS);
        break;
    case ParamKind::CountValue:
        ShowNumberField(1, FormatDecimal(value.slots[0]), wxFILTER_DIGITS);
        m_slider->SetRange(sliderMin, sliderMax);
        m_slider->SetValue(
            static_cast<int>(std::clamp<int64_t>(value.slots[0], std::min(sliderMin, sliderMax), sliderMax)));
        m_slider->Show();
        break;
    case ParamKind::PhValue:
        ShowNumberField(1, FormatTwoDecimals(value.slots[0]), wxFILTER_NUMERIC);
        break;
    case ParamKind::OperationMode:
        ShowModeChoice(value.slots[0]);
        break;
    case ParamKind::IpAddress:
        ShowAddress(value.slots[0]);
        break;
    case ParamKind::DhcpFlag:
        m_dhcp->SetValue(value.slots[0] != 0);
        m_dhcp->Show();
        break;
    case ParamKind::None:
        break;
    }
}

void OrvelGUIConfigDialog::ShowModeChoice(uint32_t mode)
{
    m_modeChoice->Clear();
    for (uint32_t code : kModeCodes)
        m_modeChoice->Append(OperationModeName(code));
    m_modeChoice->SetSelection(0);
    // At least its 280 pixels, and as wide as the longest mode name.
    m_modeChoice->SetMinSize(wxSize(-1, -1));
    m_modeChoice->SetMinSize(wxSize(std::max(FromDIP(280), m_modeChoice->GetBestSize().x), -1));
    m_modeChoice->Show();
    const auto* found = std::find(std::begin(kModeCodes), std::end(kModeCodes), mode);
    if (found != std::end(kModeCodes))
        m_modeChoice->SetSelection(static_cast<int>(found - std::begin(kModeCodes)));
}

void OrvelGUIConfigDialog::ShowAddress(uint32_t address)
{
    ShowAddressGroup(true);
    const IpOctets octets = SplitIpAddress(address);
    for (size_t j = 0; j < m_octets.size(); ++j) {
        m_octets[j]->ChangeValue(FormatDecimal(octets[j]));
        m_octets[j]->SetValidator(wxTextValidator(wxFILTER_DIGITS));
    }
}

void OrvelGUIConfigDialog::FitToEditor()
{
    // At least the size the page asks for (620 x 240), wider only as far as
    // the help page and the shown editor need (the mode names do), and never
    // wider than the screen's work area.
    const int found = wxDisplay::GetFromWindow(GetParent() ? GetParent() : this);
    const wxRect area = wxDisplay(found == wxNOT_FOUND ? 0u : static_cast<unsigned>(found)).GetClientArea();
    InvalidateBestSize();
    wxSize needed = GetBestSize();
    // On a screen too narrow for both, the help page gives up width first:
    // it wraps its text and scrolls, where an editor would be cut off.
    needed.IncTo(m_askedSize);
    if (needed.x > area.width) {
        const int helpWidth = m_help->GetMinSize().x;
        const int narrower = std::max(FromDIP(150), helpWidth - (needed.x - area.width));
        m_help->SetMinSize(wxSize(narrower, m_help->GetMinSize().y));
        InvalidateBestSize();
        needed = GetBestSize();
    }
    SetSize(std::min(needed.x, area.width), std::min(needed.y, area.height));
    Layout();
    PlaceOnParent(*this);
}

void OrvelGUIConfigDialog::ReadValues(ConfigEditValue& value) const
{
    switch (m_kind) {
    case ParamKind::Hostname:
        SetTextPart(value, 0, HostnameBytes(GetField(1)->GetValue()));
        break;
    case ParamKind::Credentials:
        SetTextPart(value, 0, PaddedBytes(GetField(1)->GetValue()));
        SetTextPart(value, 1, PaddedBytes(GetField(3)->GetValue()));
        break;
    case ParamKind::ActuatorGroup:
        for (int k = 1; k <= 6; ++k)
            value.slots[static_cast<size_t>(k - 1)] = ReadUnsignedSaturating(GetField(k)->GetValue());
        break;
    case ParamKind::EcValue:
    case ParamKind::CountValue:
        value.slots[0] = ReadUnsignedSaturating(GetField(1)->GetValue());
        break;
    case ParamKind::PhValue:
        value.slots[0] = FloatToWord(static_cast<float>(ReadDecimalText(GetField(1)->GetValue())));
        break;
    case ParamKind::OperationMode: {
        const int selection = m_modeChoice->GetSelection();
        value.slots[0] = selection >= 0 && selection < 4 ? kModeCodes[selection] : kModePassive;
        break;
    }
    case ParamKind::IpAddress: {
        IpOctets octets{};
        for (size_t j = 0; j < m_octets.size(); ++j)
            octets[j] = ReadUnsignedSaturating(m_octets[j]->GetValue());
        value.slots[0] = JoinIpAddress(octets);
        break;
    }
    case ParamKind::DhcpFlag:
        value.slots[0] = m_dhcp->GetValue() ? 1 : 0;
        break;
    case ParamKind::None:
        break;
    }
}

void OrvelGUIConfigDialog::OnSliderScroll(wxScrollEvent& event)
{
    // ChangeValue sends no text event, so the field does not move the slider back.
    GetField(1)->ChangeValue(FormatDecimal(static_cast<uint32_t>(m_slider->GetValue())));
    event.Skip();
}

void OrvelGUIConfigDialog::OnValueText(wxCommandEvent& event)
{
    event.Skip();
    if (m_kind != ParamKind::CountValue)
        return;
    // Setting the slider from code sends no scroll event, so no loop.
    const uint32_t value = ReadUnsignedSaturating(GetField(1)->GetValue());
    m_slider->SetValue(static_cast<int>(std::clamp<int64_t>(value, m_slider->GetMin(), m_slider->GetMax())));
}
