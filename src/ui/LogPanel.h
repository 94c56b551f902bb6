// The "Log Book" page: opens a node log, lists every record as a row and
// opens chart views of it.
#pragma once

#include "core/NodeLog.h"
#include "ui/PrependingList.h"

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/panel.h>

#include <memory>
#include <vector>

class OrvelGUIChartViewFrame;

// The page's list. Virtual: it holds the loaded logs, not row texts, and
// formats only the rows on screen, so a year of records lists at once.
// Each load's rows go on top of the rows of earlier loads.
class LogListCtrl : public PrependingListCtrl {
public:
    LogListCtrl(wxWindow* parent, wxWindowID id);

    // Puts the log's records on top, in file order; earlier rows move down.
    void AddRowsOnTop(const NodeLog& log);
    // The record shown in a row, or null for a row that does not exist.
    const LogRecord* RecordOfRow(long row) const;

protected:
    wxString OnGetItemText(long item, long column) const override;

private:
    std::vector<NodeLog> m_blocks; // newest load first
    std::vector<long> m_firstRows; // the row of each block's first record
};

class LogPanel : public wxPanel {
public:
    enum {
        ID_LOG_LIST = 5015,
        ID_SHOW_CHART = 5044,
        ID_EXPORT_ROWS_CSV = 5148,
        ID_NEW_GROW = 5150,
        ID_OPEN_GROW = 5151,
    };

    LogPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxSize(446, 319), long style = wxTAB_TRAVERSAL);

    // Loads the node log at path (telling the user what went wrong) and puts
    // its records on top of the list; true when it was loaded.
    bool OpenLogFile(const wxString& path);
    // Opens a chart view of the loaded log, or says there is none. Returns
    // the new view, or null.
    OrvelGUIChartViewFrame* ShowChart();
    // The list's context menu: "Export Rows to CSV..."; "New Grow...",
    // "Open Grow..." (a grow opens in a chart view of its own).
    std::unique_ptr<wxMenu> MakeListMenu() const;
    // Asks for a file and writes every row the list shows, in its order, as
    // CSV; returns whether a file was written.
    bool ExportRowsCsv();

    const NodeLog& GetLog() const { return m_log; }
    // The file name (without folder) of the loaded log.
    const wxString& GetLogName() const { return m_logName; }
    LogListCtrl* GetList() const { return m_list; }

private:
    void OnOpen(wxCommandEvent& event);
    void OnShowChart(wxCommandEvent& event);
    void OnItemActivated(wxListEvent& event);
    void OnListMenu(wxContextMenuEvent& event);
    void OnExportRows(wxCommandEvent& event);
    void OnGrow(wxCommandEvent& event);

    NodeLog m_log; // shared with the chart views opened on it
    wxString m_logName;
    LogListCtrl* m_list = nullptr;
    wxButton* m_openButton = nullptr;
    wxButton* m_chartButton = nullptr;

    wxDECLARE_EVENT_TABLE();
};
