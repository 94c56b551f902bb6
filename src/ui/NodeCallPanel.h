// The "Node Call" page: lists every controller that answers a discovery
// broadcast and opens a controller's web client in the default browser.
#pragma once

#include "core/NodeCall.h"
#include "ui/PrependingList.h"

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/socket.h>

#include <deque>

// The answers as a virtual report list, newest first. Only the visible rows
// are ever formatted, so a flood of answers costs no more than a trickle.
class NodeCallListCtrl : public PrependingListCtrl {
public:
    NodeCallListCtrl(wxWindow* parent, wxWindowID id, long style);

    // Puts the answer on top. The selected and focused rows move down with
    // their answers, and the oldest row goes once more than `maxRows` are kept.
    void PrependRow(const NodeCallAnswer& answer, size_t maxRows);
    void ClearRows();
    size_t RowCount() const { return rows.size(); }

    // The colour a row's text is drawn in: the warning colour when the
    // controller's clock is off, otherwise the list's own.
    wxColour RowTextColour(long item) const;
    static const wxColour& ClockWarningColour();

protected:
    wxString OnGetItemText(long item, long column) const override;
    wxItemAttr* OnGetItemAttr(long item) const override;

private:
    std::deque<NodeCallAnswer> rows;
    mutable wxItemAttr clockOffAttr;
};

class NodeCallPanel : public wxPanel {
public:
    NodeCallPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxSize(446, 319), long style = wxTAB_TRAVERSAL);
    ~NodeCallPanel() override;

    // Rows kept at most; a flood of answers drops the oldest rows beyond it.
    static constexpr size_t MaxRows = 1000;

    // Sends one discovery request; false (after telling the user) on failure.
    bool SearchNodes();

    wxListCtrl* GetList() const { return list; }
    wxButton* GetSearchButton() const { return searchButton; }
    // False when port 5680 could not be bound (another program holds it).
    bool IsListening() const { return listeningSocket != nullptr; }

private:
    void OnSearch(wxCommandEvent& event);
    void OnSocketEvent(wxSocketEvent& event);
    void OnListItemActivated(wxListEvent& event);

    NodeCallListCtrl* list = nullptr;
    wxButton* searchButton = nullptr;
    wxDatagramSocket* listeningSocket = nullptr;

    wxDECLARE_EVENT_TABLE();
};
