// A picture of a grow's chart view for the README: three logs of a
// fortnight (one day missing), EC 1, PH 1 and TE 1 with the profile's bands,
// four notes of the journal, the bottom axis in crop days. Saved from the
// chart's back buffer, as "Export to PNG" saves it. Under Xvfb:
//
//     xvfb-run -a build/tests/grow_screenshot docs/a-season.png
#include "core/ConfigFile.h"
#include "core/GrowTimeline.h"
#include "core/WordHelpers.h"
#include "ui/GrowChartViewFrame.h"

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/timer.h>
#include <wx/wx.h>

#include <cmath>
#include <vector>

namespace {

uint32_t Date(int month, int day)
{
    return static_cast<uint32_t>(month) | static_cast<uint32_t>(day) << 8 | 2026u << 16;
}

// Hourly records of days [first, last] of March 2026: EC 1 falling as the
// crop feeds until the reservoir is changed on day 8, PH 1 creeping up,
// temperature with the day.
NodeLog Days(int first, int last, bool stuck)
{
    std::vector<LogRecord> records;
    for (int day = first; day <= last; ++day)
        for (int hour = 0; hour < 24; ++hour) {
            LogRecord r{};
            const double t = (day - 1) * 24 + hour;
            const double change = 7 * 24 + 10; // 8 March, 10:00
            const double sinceChange = t >= change ? t - change : t;
            r[kLogDate] = Date(3, day);
            r[kLogTime] = static_cast<uint32_t>(hour);
            r[kLogEc1] = static_cast<uint32_t>(1650 - 1.6 * sinceChange + 20 * std::sin(t / 5));
            if (stuck) {
                const double from = 11 * 24 + 2, to = 12 * 24 + 8; // 12 March 02:00 .. 13 March 08:00
                r[kLogEc2] = r[kLogEc1] + 40;
                if (t >= from && t < to)
                    r[kLogEc1] =
                        static_cast<uint32_t>(1650 - 1.6 * (from - change) + 20 * std::sin(from / 5));
            }
            r[kLogPh1] = FloatToWord(static_cast<float>(5.9 + 0.004 * sinceChange + 0.03 * std::sin(t / 3)));
            r[kLogTe1] = FloatToWord(static_cast<float>(21 + 1.0 * std::sin((hour - 9) * M_PI / 12)));
            records.push_back(r);
        }
    return MakeNodeLog(records.data(), static_cast<uint32_t>(records.size()));
}

GrowNote Note(int day, int hour, NoteKind kind, const char* text)
{
    GrowNote note;
    note.timeMs = wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), wxDateTime::Mar, 2026,
                             static_cast<wxDateTime::wxDateTime_t>(hour))
                      .GetValue()
                      .GetValue();
    note.kind = kind;
    note.text = text;
    return note;
}

class ShotApp : public wxApp {
public:
    bool OnInit() override
    {
        if (argc < 2)
            return false;
        m_out = argv[1];
        m_stuck = argc > 2 && argv[2] == "stuck";
        wxInitAllImageHandlers();
        m_view = new GrowChartViewFrame(nullptr);
        m_view->SetSize(wxSize(900, 560));
        Grow grow;
        grow.name = "Tomatoes 2026";
        grow.start = {2026, 2, 20};
        NodeConfig profile;
        profile[kIndexOperationMode] = kModeDualChannelDualEnv;
        profile[kIndexEc1Target] = 1550;
        profile[kIndexEc1Tolerance] = 150;
        profile[kIndexPh1Target] = FloatToWord(6.0f);
        profile[kIndexPh1Tolerance] = FloatToWord(0.2f);
        grow.profile = wxFileName::CreateTempFileName("halvane-shot") + ".hvc";
        WriteConfigFile(grow.profile, profile);
        const GrowTimeline timeline =
            MergeLogs({Days(1, 5, m_stuck), Days(7, 11, m_stuck), Days(10, 14, m_stuck)});
        m_view->SetGrow(grow, "tomatoes-2026.hvg", timeline);
        wxRemoveFile(grow.profile);
        for (int k = 0; k < kLogChannelCount; ++k)
            m_view->GetViewItem(k)->Check(k == 0 || k == 2 || k == 4);
        m_view->AddNote(Note(2, 9, NoteKind::Calibration, "PH 1 in 7.00"));
        m_view->AddNote(Note(8, 10, NoteKind::ReservoirChange, "120 l fresh"));
        m_view->AddNote(Note(12, 16, NoteKind::TopUp, "20 l"));
        m_view->AddNote(Note(13, 8, NoteKind::Service, "pump 3 replaced"));
        m_view->SetCropDays(true);
        m_view->Show(true);
        m_timer.Bind(wxEVT_TIMER, &ShotApp::OnTimer, this);
        m_timer.Start(700);
        return true;
    }

private:
    void OnTimer(wxTimerEvent&)
    {
        if (m_stuck && !m_view->ProbeChecksShown())
            return; // the marks are drawn once the checks are done
        m_timer.Stop();
        m_view->SaveChartImage(m_out, wxBITMAP_TYPE_PNG);
        m_view->Destroy();
    }

    wxString m_out;
    bool m_stuck = false;
    GrowChartViewFrame* m_view = nullptr;
    wxTimer m_timer;
};

} // namespace

wxIMPLEMENT_APP(ShotApp);
