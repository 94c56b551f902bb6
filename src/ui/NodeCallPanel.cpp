#include "ui/NodeCallPanel.h"

#include "core/WordHelpers.h"
#include "ui/PageLayout.h"
#include "ui/ScreenFit.h"

#include <wx/msgdlg.h>
#include <wx/utils.h>

namespace {

constexpr wxWindowID kNodeListId = 5015;
constexpr wxWindowID kSearchButtonId = 5017;
constexpr int kSocketId = 5039;

enum Column { DateColumn, TimeColumn, NameColumn, AddressColumn, ClockColumn };

} // namespace

// ---- NodeCallListCtrl

NodeCallListCtrl::NodeCallListCtrl(wxWindow* parent, wxWindowID id, long style)
    : PrependingListCtrl(parent, id, style)
{
}

void NodeCallListCtrl::PrependRow(const NodeCallAnswer& answer, size_t maxRows)
{
    rows.push_front(answer);
    if (rows.size() > maxRows)
        rows.resize(maxRows);
    ShowPrependedRows(1, static_cast<long>(rows.size()));
}

void NodeCallListCtrl::ClearRows()
{
    rows.clear();
    DeleteAllItems();
    Refresh();
}

wxString NodeCallListCtrl::OnGetItemText(long item, long column) const
{
    if (item < 0 || static_cast<size_t>(item) >= rows.size())
        return wxString();
    const NodeCallAnswer& row = rows[static_cast<size_t>(item)];
    switch (column) {
    case DateColumn:
        return row.date;
    case TimeColumn:
        return row.time;
    case NameColumn:
        return row.serverName;
    case AddressColumn:
        return row.address;
    case ClockColumn:
        return row.clock;
    default:
        return wxString();
    }
}

const wxColour& NodeCallListCtrl::ClockWarningColour()
{
    static const wxColour warning(192, 0, 0);
    return warning;
}

wxItemAttr* NodeCallListCtrl::OnGetItemAttr(long item) const
{
    if (item < 0 || static_cast<size_t>(item) >= rows.size() || !rows[static_cast<size_t>(item)].clockOff)
        return nullptr;
    clockOffAttr.SetTextColour(ClockWarningColour());
    return &clockOffAttr;
}

wxColour NodeCallListCtrl::RowTextColour(long item) const
{
    const wxItemAttr* attr = OnGetItemAttr(item);
    return attr ? attr->GetTextColour() : GetForegroundColour();
}

// ---- NodeCallPanel

wxBEGIN_EVENT_TABLE(NodeCallPanel, wxPanel)
    EVT_SOCKET(kSocketId, NodeCallPanel::OnSocketEvent)
    EVT_BUTTON(kSearchButtonId, NodeCallPanel::OnSearch)
    EVT_LIST_ITEM_ACTIVATED(kNodeListId, NodeCallPanel::OnListItemActivated)
wxEND_EVENT_TABLE()

NodeCallPanel::NodeCallPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                             long style)
    : wxPanel(parent, id, pos, size, style)
{
    list = new NodeCallListCtrl(this, kNodeListId, wxLC_REPORT | wxLC_SINGLE_SEL);
    searchButton = new wxButton(this, kSearchButtonId, "Search");
    LayOutListAboveButtons(this, list, {searchButton});

    std::vector<wxString> dates, times, names, addresses, clocks;
    for (const NodeCallAnswer& widest : WidestNodeCallAnswers()) {
        dates.push_back(widest.date);
        times.push_back(widest.time);
        names.push_back(widest.serverName);
        addresses.push_back(widest.address);
        clocks.push_back(widest.clock);
    }
    list->InsertColumn(DateColumn, "Date", wxLIST_FORMAT_LEFT, FitColumnWidth(*list, "Date", dates, 100));
    list->InsertColumn(TimeColumn, "Time", wxLIST_FORMAT_LEFT, FitColumnWidth(*list, "Time", times, 100));
    list->InsertColumn(NameColumn, "Server Name", wxLIST_FORMAT_LEFT,
                       FitColumnWidth(*list, "Server Name", names, 200));
    list->InsertColumn(AddressColumn, "IP", wxLIST_FORMAT_LEFT, FitColumnWidth(*list, "IP", addresses, 100));
    // After the four: how far each controller's clock is from this computer's.
    list->InsertColumn(ClockColumn, "Clock", wxLIST_FORMAT_LEFT, FitColumnWidth(*list, "Clock", clocks, 100));

    // Any address, port 5680. If another program holds the port the page
    // simply hears no answers.
    wxIPV4address local;
    local.AnyAddress();
    local.Service(kNodeCallPort);
    listeningSocket = OpenNodeCallListener(local, *this, kSocketId);
}

NodeCallPanel::~NodeCallPanel()
{
    if (listeningSocket)
        listeningSocket->Destroy(); // deferred: closes now, deletes when safe
}

bool NodeCallPanel::SearchNodes()
{
    const NodeCallSendResult result = SendNodeCallRequest(NodeCallBroadcastAddress());
    switch (result.status) {
    case NodeCallSendStatus::Sent:
        return true;
    case NodeCallSendStatus::NoSocket:
        wxMessageBox("Broadcast Socket Error!", wxMessageBoxCaptionStr, wxOK | wxCENTRE);
        return false;
    case NodeCallSendStatus::SendFailed:
        wxMessageBox("Broadcast Error: " + FormatDecimal(static_cast<uint32_t>(result.error)),
                     wxMessageBoxCaptionStr, wxOK | wxCENTRE);
        return false;
    }
    return false;
}

void NodeCallPanel::OnSearch(wxCommandEvent& WXUNUSED(event))
{
    list->ClearRows();
    SearchNodes();
}

void NodeCallPanel::OnSocketEvent(wxSocketEvent& event)
{
    if (event.GetSocketEvent() != wxSOCKET_INPUT || !listeningSocket)
        return;
    // One datagram per event: the toolkit posts the next event while more are
    // waiting, so the window's own events get their turn between answers.
    NodeCallAnswer answer;
    if (ReceiveNodeCallAnswer(*listeningSocket, answer) == NodeCallReceive::Answer)
        list->PrependRow(answer, MaxRows);
}

void NodeCallPanel::OnListItemActivated(wxListEvent& event)
{
    const wxString address = list->GetItemText(event.GetIndex(), AddressColumn);
    wxLaunchDefaultBrowser("http://" + address);
}
