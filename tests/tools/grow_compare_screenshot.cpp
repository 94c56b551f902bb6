// A picture of two grows compared for the README: this season's fortnight
// of EC 1 and PH 1 with its bands, and last season's over the same crop
// days, dashed in the same colours with its own bands. Under Xvfb:
//
//     xvfb-run -a build/tests/grow_compare_screenshot docs/two-seasons.png
#include "core/ConfigFile.h"
#include "core/GrowFile.h"
#include "core/GrowTimeline.h"
#include "core/WordHelpers.h"
#include "core/Words.h"
#include "ui/GrowChartViewFrame.h"

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/timer.h>
#include <wx/wx.h>

#include <cmath>
#include <fstream>
#include <vector>

namespace {

// Hourly records of the first fortnight of March of a year: EC 1 falling as
// the crop feeds until the reservoir is changed (day `change`), PH 1
// creeping up.
std::vector<LogRecord> Fortnight(int year, int change, double ecBase)
{
    std::vector<LogRecord> records;
    for (int day = 1; day <= 14; ++day)
        for (int hour = 0; hour < 24; ++hour) {
            LogRecord r{};
            const double t = (day - 1) * 24 + hour;
            const double at = (change - 1) * 24 + 10;
            const double since = t >= at ? t - at : t;
            r[kLogDate] = 3u | static_cast<uint32_t>(day) << 8 | static_cast<uint32_t>(year) << 16;
            r[kLogTime] = static_cast<uint32_t>(hour);
            r[kLogEc1] = static_cast<uint32_t>(ecBase - 1.6 * since + 20 * std::sin(t / 5));
            r[kLogPh1] = FloatToWord(static_cast<float>(5.9 + 0.004 * since + 0.03 * std::sin(t / 3)));
            records.push_back(r);
        }
    return records;
}

wxString WriteLog(const wxString& path, const std::vector<LogRecord>& records)
{
    std::vector<unsigned char> bytes(records.size() * kLogRecordSize);
    for (size_t i = 0; i < records.size(); ++i)
        StoreWordsLE(records[i].data(), kLogRecordWords, bytes.data() + i * kLogRecordSize);
    std::ofstream(path.utf8_string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

NodeConfig Profile(uint32_t ec, float ph)
{
    NodeConfig profile;
    profile[kIndexOperationMode] = kModeDualChannelDualEnv;
    profile[kIndexEc1Target] = ec;
    profile[kIndexEc1Tolerance] = 150;
    profile[kIndexPh1Target] = FloatToWord(ph);
    profile[kIndexPh1Tolerance] = FloatToWord(0.2f);
    return profile;
}

class ShotApp : public wxApp {
public:
    bool OnInit() override
    {
        if (argc < 2)
            return false;
        m_out = argv[1];
        wxInitAllImageHandlers();
        m_dir = wxFileName::CreateTempFileName("halvane-shot");
        wxRemoveFile(m_dir);
        wxMkdir(m_dir);
        Grow mine;
        mine.name = "Tomatoes 2026";
        mine.start = {2026, 2, 20};
        mine.profile = m_dir + "/mine.hvc";
        WriteConfigFile(mine.profile, Profile(1550, 6.0f));
        Grow last;
        last.name = "Tomatoes 2025";
        last.start = {2025, 2, 22};
        last.profile = m_dir + "/last.hvc";
        WriteConfigFile(last.profile, Profile(1450, 6.1f));
        last.logs = {WriteLog(m_dir + "/last.hvl", Fortnight(2025, 6, 1500))};
        WriteGrowFile(m_dir + "/last.hvg", last);
        m_view = new GrowChartViewFrame(nullptr);
        m_view->SetSize(wxSize(900, 560));
        const std::vector<LogRecord> records = Fortnight(2026, 8, 1650);
        m_view->SetGrow(mine, "tomatoes-2026.hvg",
                        MergeLogs({MakeNodeLog(records.data(), static_cast<uint32_t>(records.size()))}));
        for (int k = 0; k < kLogChannelCount; ++k)
            m_view->GetViewItem(k)->Check(k == 0 || k == 2);
        m_view->SetCropDays(true);
        m_view->CompareWithGrow(m_dir + "/last.hvg");
        m_view->Show(true);
        m_timer.Bind(wxEVT_TIMER, &ShotApp::OnTimer, this);
        m_timer.Start(700);
        return true;
    }

private:
    void OnTimer(wxTimerEvent&)
    {
        m_timer.Stop();
        m_view->SaveChartImage(m_out, wxBITMAP_TYPE_PNG);
        for (const char* file : {"/mine.hvc", "/last.hvc", "/last.hvl", "/last.hvg"})
            wxRemoveFile(m_dir + file);
        wxRmdir(m_dir);
        m_view->Destroy();
    }

    wxString m_out, m_dir;
    GrowChartViewFrame* m_view = nullptr;
    wxTimer m_timer;
};

} // namespace

wxIMPLEMENT_APP(ShotApp);
