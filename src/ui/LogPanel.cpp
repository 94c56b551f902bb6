#include "ui/LogPanel.h"

#include "ui/CsvExport.h"

#include "ui/GrowActions.h"
#include "ui/OrvelGUIChartViewFrame.h"
#include "ui/PageLayout.h"
#include "ui/ScreenFit.h"

#include "core/LogText.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include <algorithm>
#include <utility>

LogListCtrl::LogListCtrl(wxWindow* parent, wxWindowID id)
    : PrependingListCtrl(parent, id, wxLC_REPORT | wxLC_SINGLE_SEL)
{
}

void LogListCtrl::AddRowsOnTop(const NodeLog& log)
{
    if (log.Empty())
        return;
    m_blocks.insert(m_blocks.begin(), log);
    m_firstRows.assign(1, 0);
    for (size_t b = 0; b + 1 < m_blocks.size(); ++b)
        m_firstRows.push_back(m_firstRows.back() + static_cast<long>(m_blocks[b].count));
    ShowPrependedRows(static_cast<long>(log.count),
                      m_firstRows.back() + static_cast<long>(m_blocks.back().count));
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

wxBEGIN_EVENT_TABLE(LogPanel, wxPanel)
    EVT_BUTTON(wxID_OPEN, LogPanel::OnOpen)
    EVT_BUTTON(LogPanel::ID_SHOW_CHART, LogPanel::OnShowChart)
    EVT_LIST_ITEM_ACTIVATED(LogPanel::ID_LOG_LIST, LogPanel::OnItemActivated)
    EVT_MENU(LogPanel::ID_EXPORT_ROWS_CSV, LogPanel::OnExportRows)
    EVT_MENU_RANGE(LogPanel::ID_NEW_GROW, LogPanel::ID_OPEN_GROW, LogPanel::OnGrow)
wxEND_EVENT_TABLE()

LogPanel::LogPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    m_list = new LogListCtrl(this, ID_LOG_LIST);
    m_list->Bind(wxEVT_CONTEXT_MENU, &LogPanel::OnListMenu, this);
    for (unsigned c = 0; c < kLogColumnCount; ++c) {
        const LogColumn& column = GetLogColumn(c);
        m_list->InsertColumn(static_cast<long>(c), column.header, wxLIST_FORMAT_LEFT,
                             FitColumnWidth(*m_list, column.header, LogColumnSampleTexts(c), column.width));
    }
    m_openButton = new wxButton(this, wxID_OPEN, "Open");
    m_chartButton = new wxButton(this, ID_SHOW_CHART, "Show Chart");
    LayOutListAboveButtons(this, m_list, {m_openButton, m_chartButton});
}

bool LogPanel::OpenLogFile(const wxString& path)
{
    LoadResult<NodeLog> loaded = LoadNodeLog(path);
    switch (loaded.status) {
    case LoadStatus::Loaded:
        m_log = std::move(loaded.value);
        m_logName = wxFileName(path).GetFullName();
        break;
    case LoadStatus::Missing:
        m_log = NodeLog{};
        m_logName.clear();
        wxMessageBox("nodelog set to 0", wxMessageBoxCaptionStr, wxOK | wxCENTRE);
        break;
    case LoadStatus::BadLength:
    case LoadStatus::TooLarge:
    case LoadStatus::ReadError:
        // The log loaded before stays.
        wxMessageBox("Error reading node log file", wxMessageBoxCaptionStr, wxOK | wxCENTRE);
        return false;
    }
    m_list->AddRowsOnTop(m_log);
    return loaded.status == LoadStatus::Loaded;
}

OrvelGUIChartViewFrame* LogPanel::ShowChart()
{
    if (m_log.Empty()) {
        wxMessageBox("Open Log File first.", "ERROR", wxOK | wxCENTRE | wxICON_ERROR);
        return nullptr;
    }
    auto* view =
        new OrvelGUIChartViewFrame(this, wxID_ANY, "HALVANE DUO Charts", wxDefaultPosition,
                                   FromDIP(wxSize(640, 480)), wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
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

std::unique_ptr<wxMenu> LogPanel::MakeListMenu() const
{
    auto menu = std::make_unique<wxMenu>();
    menu->Append(ID_EXPORT_ROWS_CSV, "Export Rows to CSV...")->Enable(m_list->GetItemCount() > 0);
    menu->AppendSeparator();
    menu->Append(ID_NEW_GROW, "New Grow...");
    menu->Append(ID_OPEN_GROW, "Open Grow...");
    return menu;
}

void LogPanel::OnListMenu(wxContextMenuEvent& event)
{
    wxPoint at = event.GetPosition();
    at = at == wxDefaultPosition ? m_list->GetPosition() + wxPoint(FromDIP(8), FromDIP(8))
                                 : ScreenToClient(at);
    const std::unique_ptr<wxMenu> menu = MakeListMenu();
    PopupMenu(menu.get(), at);
}

bool LogPanel::ExportRowsCsv()
{
    const size_t rows = static_cast<size_t>(std::max(m_list->GetItemCount(), 0));
    const LogListCtrl* list = m_list;
    return ExportLogCsv(this, "Export Rows to CSV", rows, [list](size_t row) -> const LogRecord& {
        return *list->RecordOfRow(static_cast<long>(row));
    });
}

void LogPanel::OnExportRows(wxCommandEvent&)
{
    ExportRowsCsv();
}

void LogPanel::OnGrow(wxCommandEvent& event)
{
    if (event.GetId() == ID_NEW_GROW)
        NewGrow(this);
    else
        OpenGrow(this);
}
