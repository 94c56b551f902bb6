// The dialog in which one parameter (or one actuator group) of the
// configuration profile is edited: the parameter's description and help page
// beside the editor of its kind. It never touches the profile itself; the
// page hands it a value and reads the edited value back on OK.
#pragma once

#include "core/ConfigRows.h"
#include "core/NodeConfig.h"

#include <wx/dialog.h>

#include <array>

class wxCheckBox;
class wxChoice;
class wxHtmlWindow;
class wxScrollEvent;
class wxSizer;
class wxSlider;
class wxStaticText;
class wxTextCtrl;

class OrvelGUIConfigDialog : public wxDialog {
public:
    // passwordField makes field 3 a masked password field (credentials only).
    OrvelGUIConfigDialog(wxWindow* parent, wxWindowID id, const wxString& title,
                         const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(620, 240),
                         long style = wxDEFAULT_DIALOG_STYLE, bool passwordField = false);

    // Arranges the dialog for one parameter: its texts, and the editor of its
    // kind filled with value. The slider range is used by count values only.
    void SetUpFor(int index, const ConfigEditValue& value, int sliderMin, int sliderMax);
    // The edited value, in the form SetUpFor received it. Call after OK only.
    void ReadValues(ConfigEditValue& value) const;

    int GetIndex() const { return m_index; }
    ParamKind GetKind() const { return m_kind; }

    // The editors, for whoever drives the dialog in place of a user.
    wxTextCtrl* GetField(int number) const { return m_fields.at(static_cast<size_t>(number - 1)); }
    wxStaticText* GetFieldLabel(int number) const { return m_labels.at(static_cast<size_t>(number - 1)); }
    wxTextCtrl* GetOctetField(int octet) const { return m_octets.at(static_cast<size_t>(octet)); }
    wxSlider* GetSlider() const { return m_slider; }
    wxChoice* GetModeChoice() const { return m_modeChoice; }
    wxCheckBox* GetDhcpCheckBox() const { return m_dhcp; }
    wxHtmlWindow* GetHelpWindow() const { return m_help; }
    wxStaticText* GetDescription() const { return m_description; }

private:
    void OnSliderScroll(wxScrollEvent& event);
    void OnValueText(wxCommandEvent& event);

    void HideEditors();
    // Sizes the dialog to the shown editor within the screen and centres it
    // on the page.
    void FitToEditor();
    void ShowAddressGroup(bool show);
    void ShowTextEditor(int number, const wxString& label, const wxString& text);
    void ShowNumberField(int number, const wxString& text, long filter);
    // The editor of m_kind, filled with value.
    void ShowEditor(const ConfigEditValue& value, int sliderMin, int sliderMax);
    void ShowModeChoice(uint32_t mode);
    void ShowAddress(uint32_t address);

    wxHtmlWindow* m_help = nullptr;
    wxStaticText* m_description = nullptr;
    std::array<wxStaticText*, 6> m_labels{};
    std::array<wxTextCtrl*, 6> m_fields{};
    wxSlider* m_slider = nullptr;
    wxChoice* m_modeChoice = nullptr;
    std::array<wxTextCtrl*, 4> m_octets{};
    std::array<wxStaticText*, 3> m_dots{};
    wxCheckBox* m_dhcp = nullptr;

    wxSize m_askedSize; // what the page asked for: the smallest the dialog gets
    int m_index = 0;
    ParamKind m_kind = ParamKind::None;

    wxDECLARE_EVENT_TABLE();
};
