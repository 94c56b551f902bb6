// A window that charts a schedule as the controller will follow it: target
// EC and target PH as steps over the dates, each on a left axis of its
// colour, with days that have no entry left as gaps. A date given twice is
// charted with its first entry, the one the controller uses. Zoom, pan and
// the readout (the day's targets and ratios) are the chart panel's; "File"
// exports the chart as drawn.
#pragma once

#include "core/NodeSchedule.h"

#include <wx/frame.h>

#include <cstdint>
#include <map>
#include <vector>

class wxChartPanel;

class SchedulePlanFrame : public wxFrame {
public:
    enum {
        ID_PLAN_EXPORT_BMP = 5230,
        ID_PLAN_EXPORT_JPG,
        ID_PLAN_EXPORT_PNG,
        ID_PLAN_EXPORT_TIF,
    };

    // The points of the steps: x in days since the first date, (x, v) and
    // (x + 1, v) for each day, and a NaN point where days are missing.
    struct Steps {
        int64_t firstDay = 0;                    // of the earliest real date
        std::vector<double> ec, ph;              // interleaved x, y
        std::map<int64_t, std::size_t> rowOfDay; // day since firstDay -> first row with that date
    };
    static Steps MakeSteps(const NodeSchedule& schedule);

    SchedulePlanFrame(wxWindow* parent, const NodeSchedule& schedule);

    wxChartPanel* GetChartPanel() const { return m_panel; }
    // Saves the chart as drawn, whole or not at all; tells the user when not.
    bool SaveChartImage(const wxString& path, wxBitmapType type);

    static const wxColour& EcColour();
    static const wxColour& PhColour();

private:
    void BuildChart();
    void OnExport(wxCommandEvent& event);

    NodeSchedule m_schedule;
    Steps m_steps;
    wxChartPanel* m_panel = nullptr;
};
