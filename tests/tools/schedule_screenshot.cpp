// Pictures of planning a schedule, for the README: "import" shows the feed
// chart dialog on a twelve-week chart (mS/cm, ramped weeks) with its
// preview; "plan" shows the plan chart of the schedule that chart makes, the
// readout over a day of the third week. The window alone is saved as a PNG,
// taken from the screen (run under xvfb-run -a).
//
//     schedule_screenshot <out.png> import|plan
#include "core/CsvTable.h"
#include "core/FeedChart.h"
#include "core/WordHelpers.h"
#include "ui/DateEntryCtrl.h"
#include "ui/FeedChartImportDialog.h"
#include "ui/SchedulePlanFrame.h"

#include "chart/Chart.h"
#include "chart/XYPlot.h"
#include "chart/wxChartPanel.h"

#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/timer.h>
#include <wx/wx.h>

#include <cstdio>
#include <string>

namespace {

const char* const kChart = "Week,EC (mS/cm),PH,EC Ratio 1,EC Ratio 2,EC Ratio 3,PH Down 1\n"
                           "1,0.8,6.0,1,1,0,1\n"
                           "2,1.0,5.9,2,1,0,1\n"
                           "3,1.2,5.9,2,1,1,1\n"
                           "4,1.4,5.8,3,2,1,1\n"
                           "5,1.6,5.8,3,2,1,1\n"
                           "6,1.8,5.8,3,2,2,1\n"
                           "7,2.0,5.8,4,2,2,1\n"
                           "8,2.0,5.9,4,2,2,1\n"
                           "9,1.8,5.9,3,3,2,1\n"
                           "10,1.6,6.0,3,3,2,1\n"
                           "11,1.2,6.0,2,3,1,1\n"
                           "12,0.6,6.1,1,1,0,1\n";

class ShotApp : public wxApp {
public:
    bool OnInit() override
    {
        if (argc < 3)
            return false;
        m_out = argv[1];
        wxInitAllImageHandlers();
        const LoadResult<CsvTable> read = ParseCsvTable(kChart, std::char_traits<char>::length(kChart));
        if (!read.Loaded())
            return false;
        m_table = read.value;
        m_holder = new wxFrame(nullptr, wxID_ANY, "holder");
        if (wxString(argv[2]) == "import") {
            auto* dialog = new FeedChartImportDialog(m_holder, m_table, "tomato-feed-chart.csv", nullptr);
            dialog->GetStartDate()->SetValue(wxDateTime(4, wxDateTime::Mar, 2024));
            dialog->GetWeeksChoice()->SetSelection(1);
            dialog->Recompute();
            dialog->Move(0, 0);
            m_shown = dialog;
        } else {
            FeedMapping mapping = GuessFeedMapping(m_table);
            mapping.start = (2024u << 16) | (4u << 8) | 3u; // 4 March 2024
            mapping.ramped = true;
            auto* plan = new SchedulePlanFrame(m_holder, ExpandFeedChart(m_table, mapping).entries);
            plan->Move(0, 0);
            m_plan = plan;
            m_shown = plan;
        }
        m_shown->Show();
        m_timer.Bind(wxEVT_TIMER, &ShotApp::OnTimer, this);
        m_timer.Start(700);
        return true;
    }

private:
    void OnTimer(wxTimerEvent&)
    {
        ++m_ticks;
        if (m_ticks == 1 && m_plan) {
            wxChartPanel* panel = m_plan->GetChartPanel();
            const XYPlot* plot = panel->GetChart()->GetPlot();
            const wxRect area = plot->GetLastPlotArea();
            panel->ShowReadoutAt(wxPoint(static_cast<int>(plot->XToPixel(17.5)), area.y + area.height / 3));
            panel->Refresh();
        }
        if (m_ticks == 3) {
            m_timer.Stop();
            const wxRect rect = m_shown->GetScreenRect();
            wxBitmap shot(rect.GetSize(), 24);
            {
                wxMemoryDC memory(shot);
                wxScreenDC screen;
                memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
            }
            if (!shot.SaveFile(m_out, wxBITMAP_TYPE_PNG))
                std::fprintf(stderr, "could not save %s\n", static_cast<const char*>(m_out.utf8_str()));
            m_shown->Destroy();
            m_holder->Destroy();
        }
    }

    wxString m_out;
    CsvTable m_table;
    wxFrame* m_holder = nullptr;
    wxWindow* m_shown = nullptr;
    SchedulePlanFrame* m_plan = nullptr;
    wxTimer m_timer;
    int m_ticks = 0;
};

} // namespace

wxIMPLEMENT_APP(ShotApp);
