// The "Configuration Profile" page: the controller's whole profile as a
// sectioned list, edited row by row in OrvelGUIConfigDialog, checked and
// saved as, or opened from, a configuration file.
#pragma once

#include "core/NodeConfig.h"

#include <wx/panel.h>

#include <array>

class wxButton;
class wxListCtrl;
class wxListEvent;

class ConfigPanel : public wxPanel {
public:
    ConfigPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxSize(446, 319), long style = wxTAB_TRAVERSAL);

    // Recreates both columns and all rows with their names and default colours.
    void RebuildRows();
    // Greys the text of the rows the profile's operation mode does not use.
    void ApplyModeShading();
    // Writes the value text of every parameter row from the profile.
    void RefreshValues();

    const NodeConfig& GetProfile() const { return m_profile; }
    // Whether the profile differs from the one of the start, the last open
    // or the last save that succeeded.
    bool IsModified() const { return !(m_profile == m_savedProfile); }
    // "Save": validates the profile (marking the invalid row), asks for a
    // file and writes it, with the page's messages; true when it was written.
    bool SaveProfile();
    // Loads the profile file at path as "Open" does once its dialog is
    // answered; true when it was loaded.
    bool OpenProfileFile(const wxString& path);
    // Before the profile is replaced: asks about unsaved changes, saving
    // them when asked to. True when nothing unsaved would be lost.
    bool SaveOrDiscardChanges();
    wxListCtrl* GetList() const { return m_list; }
    // The width the page needs to show both columns whole.
    int GetWidthForColumns() const;

private:
    void OnItemActivated(wxListEvent& event);
    void OnListKeyDown(wxListEvent& event);
    void OnSave(wxCommandEvent& event);
    void OnOpen(wxCommandEvent& event);
    void OnClear(wxCommandEvent& event);

    void ShowProfile();
    // Opens row's edit dialog, when the row has one and may be edited.
    void EditRow(long row);
    // Marks the row red and brings it into view as the list's current row,
    // unselected.
    void MarkInvalidRow(int row);

    NodeConfig m_profile; // all slots 0 until the user edits or opens a profile
    // The profile as last opened or saved.
    NodeConfig m_savedProfile;
    wxListCtrl* m_list = nullptr;
    // Description and Value; fitted to their texts until the user sets them.
    std::array<int, 2> m_columnWidths{};
    wxButton* m_save = nullptr;
    wxButton* m_open = nullptr;
    wxButton* m_clear = nullptr;

    wxDECLARE_EVENT_TABLE();
};
