#include "ui/SchedulePlanFrame.h"

#include "chart/AxisTicks.h"
#include "chart/Chart.h"
#include "chart/NumberAxis.h"
#include "chart/XYLineRenderer.h"
#include "chart/XYPlot.h"
#include "chart/XYSimpleDataset.h"
#include "chart/wxChartPanel.h"
#include "core/DateText.h"
#include "core/ScheduleEdit.h"
#include "core/WordHelpers.h"
#include "ui/AppIcons.h"
#include "ui/ChartImageExport.h"

#include <wx/menu.h>
#include <wx/sizer.h>

#include <cmath>
#include <limits>

namespace {

void AddStep(std::vector<double>& xy, double x, double y, bool gapBefore)
{
    if (gapBefore) {
        xy.push_back(x);
        xy.push_back(std::numeric_limits<double>::quiet_NaN());
    }
    xy.insert(xy.end(), {x, y, x + 1, y});
}

wxString RatioLine(const char* name, const ScheduleEntry& entry, std::size_t first)
{
    wxString line = name;
    for (std::size_t k = 0; k < kScheduleActuators; ++k)
        line += wxString::Format(" %lu", static_cast<unsigned long>(entry[first + k]));
    return line;
}

} // namespace

SchedulePlanFrame::Steps SchedulePlanFrame::MakeSteps(const NodeSchedule& schedule)
{
    Steps steps;
    std::map<int64_t, std::size_t> rows; // absolute day -> first row
    for (std::size_t row = 0; row < schedule.size(); ++row) {
        int64_t day = 0;
        if (PackedDateToDays(schedule[row][kScheduleDate], day))
            rows.emplace(day, row);
    }
    if (rows.empty())
        return steps;
    steps.firstDay = rows.begin()->first;
    int64_t previous = steps.firstDay - 1;
    for (const auto& [day, row] : rows) {
        const double x = static_cast<double>(day - steps.firstDay);
        const bool gap = day != previous + 1 && day != steps.firstDay;
        AddStep(steps.ec, x, static_cast<double>(schedule[row][kScheduleTargetEc]), gap);
        AddStep(steps.ph, x, static_cast<double>(WordToFloat(schedule[row][kScheduleTargetPh])), gap);
        steps.rowOfDay.emplace(day - steps.firstDay, row);
        previous = day;
    }
    return steps;
}

const wxColour& SchedulePlanFrame::EcColour()
{
    static const wxColour colour(255, 0, 0);
    return colour;
}

const wxColour& SchedulePlanFrame::PhColour()
{
    static const wxColour colour(0, 0, 255);
    return colour;
}

SchedulePlanFrame::SchedulePlanFrame(wxWindow* parent, const NodeSchedule& schedule)
    : wxFrame(parent, wxID_ANY, "Schedule Plan", wxDefaultPosition, wxSize(640, 480),
              wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL),
      m_schedule(schedule), m_steps(MakeSteps(schedule))
{
    SetIcons(MakeAppIconBundle());
    auto* box = new wxBoxSizer(wxVERTICAL);
    m_panel = new wxChartPanel(this);
    box->Add(m_panel, 5, wxEXPAND | wxALL, FromDIP(5));
    SetSizer(box);

    auto* file = new wxMenu;
    file->Append(ID_PLAN_EXPORT_BMP, "Export to BMP");
    file->Append(ID_PLAN_EXPORT_JPG, "Export to JPG");
    file->Append(ID_PLAN_EXPORT_PNG, "Export to PNG");
    file->Append(ID_PLAN_EXPORT_TIF, "Export to TIF");
    file->AppendSeparator();
    file->Append(wxID_CLOSE, "Close");
    auto* bar = new wxMenuBar;
    bar->Append(file, "File");
    SetMenuBar(bar);
    Bind(wxEVT_MENU, &SchedulePlanFrame::OnExport, this, ID_PLAN_EXPORT_BMP, ID_PLAN_EXPORT_TIF);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, wxID_CLOSE);

    m_panel->SetReadoutProvider([this](double x, wxChartPanel::Readout& readout) {
        const auto found = m_steps.rowOfDay.find(static_cast<int64_t>(std::floor(x)));
        if (found == m_steps.rowOfDay.end())
            return false;
        const ScheduleEntry& entry = m_schedule[found->second];
        readout.x = static_cast<double>(found->first);
        readout.lines.clear();
        readout.lines.push_back({FormatIsoDate(entry[kScheduleDate]), wxColour()});
        readout.lines.push_back(
            {wxString::Format("Target EC %lu uS", static_cast<unsigned long>(entry[kScheduleTargetEc])),
             EcColour()});
        readout.lines.push_back({"Target PH " + FormatTwoDecimals(entry[kScheduleTargetPh]), PhColour()});
        readout.lines.push_back({RatioLine("EC ratios:", entry, kScheduleEcRatio), wxColour()});
        readout.lines.push_back({RatioLine("PH up ratios:", entry, kSchedulePhUpRatio), wxColour()});
        readout.lines.push_back({RatioLine("PH down ratios:", entry, kSchedulePhDownRatio), wxColour()});
        return true;
    });
    BuildChart();
}

void SchedulePlanFrame::BuildChart()
{
    auto plot = std::make_unique<XYPlot>();
    std::size_t datasets = 0;
    const std::pair<const std::vector<double>*, const wxColour*> lines[] = {{&m_steps.ec, &EcColour()},
                                                                            {&m_steps.ph, &PhColour()}};
    for (const auto& [points, colour] : lines) {
        if (points->empty())
            continue;
        auto dataset = std::make_shared<XYSimpleDataset>();
        dataset->AddSerie(points->data(), points->size() / 2);
        auto renderer = std::make_unique<XYLineRenderer>(false, true, 2, wxPENSTYLE_SOLID);
        renderer->SetSerieColour(0, colour);
        dataset->SetRenderer(std::move(renderer));
        plot->AddDataset(dataset);
        auto axis = std::make_unique<NumberAxis>(AXIS_LEFT);
        axis->SetLabelTextColour(*colour);
        axis->SetLabelPen(wxPen(*colour, 1, wxPENSTYLE_SOLID));
        plot->AddAxis(std::move(axis));
        ++datasets;
    }
    auto time = std::make_unique<NumberAxis>(AXIS_BOTTOM);
    uint32_t first = 0;
    if (DaysToPackedDate(m_steps.firstDay, first) && DecodePackedDate(first).IsValid()) {
        // A plan is read by its dates, zoomed or not (a log's whole span
        // counts days from its first record instead).
        const wxString form = UserShortDateFormat();
        const auto dates = std::make_shared<chart::CalendarTicks>(
            DecodePackedDate(first).GetValue().GetValue(),
            [form](const wxDateTime& t) { return FormatUserDateText(t, form); });
        time->SetTicks(dates);
        time->SetViewTicks(dates);
    }
    plot->AddAxis(std::move(time));
    for (std::size_t j = 0; j < datasets; ++j) {
        plot->LinkDataVerticalAxis(j, j);
        plot->LinkDataHorizontalAxis(j, 0);
    }
    m_panel->SetChart(std::make_unique<Chart>(std::move(plot), "Schedule Plan"));
}

bool SchedulePlanFrame::SaveChartImage(const wxString& path, wxBitmapType type)
{
    return SaveChartImageTelling(this, m_panel->GetBackBuffer(), path, type);
}

void SchedulePlanFrame::OnExport(wxCommandEvent& event)
{
    static const std::pair<const char*, wxBitmapType> kTypes[] = {{"bmp", wxBITMAP_TYPE_BMP},
                                                                  {"jpg", wxBITMAP_TYPE_JPEG},
                                                                  {"png", wxBITMAP_TYPE_PNG},
                                                                  {"tif", wxBITMAP_TYPE_TIFF}};
    const auto index = static_cast<std::size_t>(event.GetId() - ID_PLAN_EXPORT_BMP);
    ExportChartImage(this, m_panel->GetBackBuffer(), kTypes[index].first, kTypes[index].second);
}
