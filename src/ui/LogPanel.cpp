#include "ui/LogPanel.h"

#include "ui/OrvelGUIChartViewFrame.h"

#include "core/LogText.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>

#include <algorithm>

LogListCtrl::LogListCtrl(wxWindow* parent, wxWindowID id)
    : wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_VIRTUAL)
{
}

void LogListCtrl::AddRowsOnTop(const NodeLog& log)
{
    if (log.Empty())
        return;
    const long selected = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    const long focused = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);

    m_blocks.insert(m_blocks.begin(), log);
    m_firstRows.assign(1, 0);
    for (size_t b = 0; b + 1 < m_blocks.size(); ++b)
        m_firstRows.push_back(m_firstRows.back() + static_cast<long>(m_blocks[b].count));
    const long added = static_cast<long>(log.count);
    SetItemCount(m_firstRows.back() + static_cast<long>(m_blocks.back().count));

    // The selected row keeps its record as the rows below the new ones move.
    if (selected >= 0) {
        SetItemState(selected, 0, wxLIST_STATE_SELECTED);
        SetItemState(selected + added, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }
    if (focused >= 0)
        SetItemState(focused + added, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    Refresh();
}

const LogRecord* LogListCtrl::RecordOfRow(long row) const
{
    if (row < 0 || m_blocks.empty())
        return nullptr;
    const size_t b = static_cast<size_t>(std::upper_bound(m_firstRows.begin(), m_firstRows.end(), row) -
                                         m_firstRows.begin()) -
                     1;
    const long offset = row - m_firstRows[b];
    if (offset >= static_cast<long>(m_blocks[b].count))
        return nullptr;
    return &m_blocks[b][static_cast<size_t>(offset)];
}

wxString LogListCtrl::OnGetItemText(long item, long column) const
{
    const LogRecord* record = RecordOfRow(item);
    if (!record || column < 0 || column >= static_cast<long>(kLogColumnCount))
        return wxString();
    return LogCellText(*record, static_cast<unsigned>(column));
}

// clang-format off
wxBEGIN_EVENT_TABLE(LogPanel, wxPanel)
    EVT_BUTTON(wxID_OPEN, LogPanel::OnOpen)
    EVT_BUTTON(LogPanel::ID_SHOW_CHART, LogPanel::OnShowChart)
    EVT_LIST_ITEM_ACTIVATED(LogPanel::ID_LOG_LIST, LogPanel::OnItemActivated)
wxEND_EVENT_TABLE()

LogPanel::LogPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    // clang-format on
    : wxPanel(parent, id, pos, size, style)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_list = new LogListCtrl(this, ID_LOG_LIST);
    for (unsigned c = 0; c < kLogColumnCount; ++c) {
        const LogColumn& column = GetLogColumn(c);
        m_list->InsertColumn(static_cast<long>(c), column.header, wxLIST_FORMAT_LEFT, FromDIP(column.width));
    }
    sizer->Add(m_list, 5, wxEXPAND | wxALL, 5);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_openButton = new wxButton(this, wxID_OPEN, "Open");
    m_chartButton = new wxButton(this, ID_SHOW_CHART, "Show Chart");
    // Left to right at the page's left edge (a right-alignment flag has no
    // effect along a horizontal row, and wx 3.2 rejects it).
    buttons->Add(m_openButton, 0, wxALL, 5);
    buttons->Add(m_chartButton, 0, wxALL, 5);
    sizer->Add(buttons, 1, wxEXPAND, 0);

    SetSizer(sizer);
    Layout();
}

void LogPanel::OpenLogFile(const wxString& path)
{
    switch (LoadNodeLog(path, m_log)) {
    case LogLoadStatus::Loaded:
        m_logName = wxFileName(path).GetFullName();
        break;
    case LogLoadStatus::Missing:
        m_logName.clear();
        wxMessageBox("nodelog set to 0", wxMessageBoxCaptionStr, wxOK | wxCENTRE);
        break;
    case LogLoadStatus::BadLength:
    case LogLoadStatus::ReadError:
        // The log loaded before stays.
        wxMessageBox("Error reading node log file", wxMessageBoxCaptionStr, wxOK | wxCENTRE);
        return;
    }
    m_list->AddRowsOnTop(m_log);
}

OrvelGUIChartViewFrame* LogPanel::ShowChart()
{
    if (m_log.Empty()) {
        wxMessageBox("Open Log File first.", "ERROR", wxOK | wxCENTRE | wxICON_ERROR);
        return nullptr;
    }
    auto* view = new OrvelGUIChartViewFrame(this, wxID_ANY, "HALVANE DUO Charts", wxDefaultPosition,
                                            wxSize(640, 480), wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
    view->SetLog(m_log);
    view->SetLogName(m_logName);
    view->RebuildChart();
    view->Show(true);
    return view;
}

void LogPanel::OnOpen(wxCommandEvent&)
{
    wxFileDialog dialog(this, "Load Log File", "", "", "Log File (*.hvl)|*.hvl", wxFD_OPEN);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxString path = dialog.GetPath();
    if (path.empty())
        return;
    OpenLogFile(path);
}

void LogPanel::OnShowChart(wxCommandEvent&)
{
    ShowChart();
}

void LogPanel::OnItemActivated(wxListEvent&)
{
    // Activating a row does nothing.
}
