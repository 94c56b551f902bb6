// Shows a chart view of a three-day, six-channel log with every channel
// checked, optionally opens its "Color" menu, and takes a picture of the
// whole screen with ImageMagick's import. For looking at the chart as a
// user sees it, under Xvfb (xvfb-run -a, with GDK_SCALE=2 for a HiDPI look).
// "zoom" zooms into the second day (calendar time on the axis) and rests
// the pointer over the plot (the readout); "targets" charts EC 1 and
// PH 2 with a profile's target bands over them and the readout.
//
//     chart_screenshot <out.png> [menu|zoom|targets]
#include "core/ConfigFile.h"
#include "core/WordHelpers.h"
#include "ui/OrvelGUIChartViewFrame.h"

#include "chart/Chart.h"
#include "chart/wxChartPanel.h"

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/wx.h>

#include <cmath>
#include <vector>

namespace {

uint32_t Date(int year, int month, int day)
{
    return static_cast<uint32_t>(month) | static_cast<uint32_t>(day) << 8 | static_cast<uint32_t>(year) << 16;
}

// 72 hourly records from 1 June 2021: EC around 1400 and 1006 uS (one record
// of channel 1 holds the unset word), PH 1 sweeping 0.5 .. 14 (a probe being
// calibrated), PH 2 around 6, temperatures around 19 and 22 degrees.
NodeLog SampleLog()
{
    const uint32_t count = 72;
    auto records = std::make_unique<LogRecord[]>(count);
    for (uint32_t i = 0; i < count; ++i) {
        LogRecord& r = records[i];
        r = LogRecord{};
        const double t = i;
        r[kLogDate] = Date(2021, 6, 1 + static_cast<int>(i / 24));
        r[kLogTime] = i % 24;
        r[kLogEc1] = static_cast<uint32_t>(1400 + 60 * std::sin(t / 7));
        r[kLogEc2] = static_cast<uint32_t>(1006 + 6 * std::cos(t / 5));
        r[kLogPh1] = FloatToWord(static_cast<float>(0.5 + 13.5 * t / (count - 1)));
        r[kLogPh2] = FloatToWord(static_cast<float>(6.0 + 0.3 * std::sin(t / 4)));
        r[kLogTe1] = FloatToWord(static_cast<float>(19.0 + 1.5 * std::sin(t / 6)));
        r[kLogTe2] = FloatToWord(static_cast<float>(22.0 + 1.0 * std::cos(t / 9)));
    }
    records[40][kLogEc1] = 4294967295u;
    NodeLog log;
    log.count = count;
    log.records =
        std::shared_ptr<const LogRecord[]>(records.release(), std::default_delete<const LogRecord[]>());
    return log;
}

class ShotApp : public wxApp {
public:
    bool OnInit() override
    {
        if (argc < 2)
            return false;
        m_out = argv[1];
        m_menu = argc > 2 && wxString(argv[2]) == "menu";
        m_zoom = argc > 2 && wxString(argv[2]) == "zoom";
        m_targets = argc > 2 && wxString(argv[2]) == "targets";
        wxInitAllImageHandlers();
        m_view = new OrvelGUIChartViewFrame(nullptr, wxID_ANY, "HALVANE DUO Charts", wxPoint(0, 0),
                                            wxSize(640, 480), wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
        m_view->SetLog(SampleLog());
#ifndef HALVANE_SHOT_BEFORE
        m_view->SetLogName("greenhouse-june.hvl");
#endif
        for (int k = 0; k < kLogChannelCount; ++k)
            m_view->GetViewItem(k)->Check(!m_targets || k == 0 || k == 3);
        m_view->RebuildChart();
        if (m_targets) {
            // EC 1 at 1400 +/- 50, EC 2 at 1005 +/- 5, PH 2 at 6.00 +/- 0.20.
            NodeConfig profile;
            profile[kIndexOperationMode] = kModeDualChannelDualEnv;
            profile[kIndexEc1Target] = 1400;
            profile[kIndexEc2Target] = 1005;
            profile[kIndexPh2Target] = FloatToWord(6.0f);
            profile[50] = 50;
            profile[51] = 5;
            profile[53] = FloatToWord(0.2f);
            const wxString path = wxFileName::CreateTempFileName("halvane-shot") + ".hvc";
            if (WriteConfigFile(path, profile).Saved())
                m_view->OverlayProfile(path);
            wxRemoveFile(path);
        }
        m_view->Show(true);
        m_timer.Bind(wxEVT_TIMER, &ShotApp::OnTimer, this);
        m_timer.Start(700);
        return true;
    }

private:
    void OnTimer(wxTimerEvent&)
    {
        ++m_ticks;
        if (m_ticks == 1 && m_menu) {
            // F10 opens the first menu of the bar; two steps right is "Color".
            wxUIActionSimulator sim;
            sim.MouseMove(m_view->GetScreenPosition() + wxPoint(300, 200));
            sim.Char(WXK_F10);
            wxYield();
            wxMilliSleep(200);
            sim.Char(WXK_RIGHT);
            sim.Char(WXK_RIGHT);
        }
        if (m_ticks == 1 && (m_zoom || m_targets)) {
            wxChartPanel* panel = m_view->GetChartPanel();
            panel->SetView(1.1, 1.9);
            const XYPlot* plot = panel->GetChart()->GetPlot();
            const wxRect area = plot->GetLastPlotArea();
            wxUIActionSimulator sim;
            sim.MouseMove(panel->ClientToScreen(
                wxPoint(static_cast<int>(plot->XToPixel(1.5)), area.y + area.height / 2)));
        }
        if (m_ticks == 3) {
            wxExecute("import -window root " + m_out, wxEXEC_SYNC | wxEXEC_NOEVENTS);
            m_timer.Stop();
            m_view->Destroy();
        }
    }

    wxString m_out;
    bool m_menu = false;
    bool m_zoom = false;
    bool m_targets = false;
    OrvelGUIChartViewFrame* m_view = nullptr;
    wxTimer m_timer;
    int m_ticks = 0;
};

} // namespace

wxIMPLEMENT_APP(ShotApp);
