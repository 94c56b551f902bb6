#include "ui/LogChart.h"

#include "chart/AxisTicks.h"
#include "chart/BandLayer.h"
#include "chart/Chart.h"
#include "chart/NumberAxis.h"
#include "chart/XYLineRenderer.h"
#include "chart/XYPlot.h"
#include "chart/XYSimpleDataset.h"
#include "core/DateText.h"
#include "core/LogTargets.h"
#include "core/WordHelpers.h"

#include <wx/pen.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

LogChart::~LogChart() = default;

int32_t LogChart::FillSeries(const LogRecord* records, uint32_t count)
{
    m_records = records;
    for (auto& channel : m_channels)
        channel.reset();
    m_times.reset();
    for (auto& lines : m_lines)
        lines.reset();
    m_lackedMemory = false;
    m_dateForm = UserShortDateFormat();
    const int32_t result = m_series.Fill(records, count);
    if (m_series.FilledCount() > 0)
        m_times = std::make_shared<const XColumn>(m_series.SharedDays(), m_series.FilledCount());
    return result;
}

std::shared_ptr<const XYSerie> LogChart::ChannelSerie(int channel)
{
    if (channel < 0 || channel >= kLogChannelCount)
        return nullptr;
    bool wanted[kLogChannelCount] = {};
    wanted[channel] = true;
    MakeChannelSeries(wanted);
    return m_channels[channel];
}

// The values of all wanted channels not made yet are read in one pass over
// the records; their series (whose block summaries are most of the work) are
// then made side by side, one thread per core.
void LogChart::MakeChannelSeries(const bool (&wanted)[kLogChannelCount])
{
    if (!m_times)
        return;
    bool missing[kLogChannelCount] = {};
    bool any = false;
    for (int k = 0; k < kLogChannelCount; ++k) {
        missing[k] = wanted[k] && !m_channels[k];
        any = any || missing[k];
    }
    if (!any)
        return;
    std::shared_ptr<const double[]> values[kLogChannelCount];
    m_series.ChannelValues(m_records, missing, values);
    std::vector<int> make;
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!missing[k])
            continue;
        if (values[k])
            make.push_back(k);
        else
            m_lackedMemory = true;
    }
    std::atomic<size_t> next{0};
    std::atomic<bool> lacked{false};
    auto work = [&] {
        for (size_t j = next++; j < make.size(); j = next++) {
            const int k = make[j];
            // A summary that finds no memory leaves that channel unplotted
            // (and said so), never an exception out of a thread.
            try {
                m_channels[k] = std::make_shared<const XYSerie>(m_times, std::move(values[k]));
            } catch (const std::bad_alloc&) {
                lacked = true;
            }
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> helpers;
    try {
        for (unsigned t = 1; t < std::min<size_t>(cores, make.size()); ++t)
            helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // No thread to be had: this one does it all.
    }
    work();
    for (std::thread& helper : helpers)
        helper.join();
    if (lacked)
        m_lackedMemory = true;
}

// The lines of a channel, made once per fill: every chart of it shares them
// and the lines reduced for the last draw.
std::shared_ptr<XYSimpleDataset> LogChart::ChannelLines(int channel)
{
    if (m_lines[channel])
        return m_lines[channel];
    auto lines = std::make_shared<XYSimpleDataset>();
    std::shared_ptr<const XYSerie> serie = ChannelSerie(channel);
    if (!serie) {
        lines->AddSerie(std::make_unique<XYSerie>(nullptr, 0));
        return lines;
    }
    lines->AddSerie(std::move(serie));
    m_lines[channel] = lines;
    return lines;
}

std::unique_ptr<Chart> LogChart::CreateChart(const ChannelColours& colours)
{
    bool wanted[kLogChannelCount] = {};
    for (int k = 0; k < kLogChannelCount; ++k)
        wanted[k] = colours[k] != nullptr;
    MakeChannelSeries(wanted);
    auto plot = std::make_unique<XYPlot>();
    // The target bands beneath every channel's line.
    if (std::shared_ptr<chart::BandLayer> bands = TargetBands(colours))
        plot->AddLayer(std::move(bands));
    size_t datasets = 0;
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!colours[k])
            continue;
        auto renderer = std::make_unique<XYLineRenderer>(false, true, 1, wxPENSTYLE_SOLID);
        renderer->SetSerieColour(0, colours[k]);
        plot->AddDataset(ChannelLines(k)->Restyled(std::move(renderer)));
        ++datasets;
    }
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!colours[k])
            continue;
        auto axis = std::make_unique<NumberAxis>(AXIS_LEFT);
        axis->SetLabelTextColour(*colours[k]);
        axis->SetLabelPen(wxPen(*colours[k], 1, wxPENSTYLE_SOLID));
        // A value that is no reading (an unset EC word) must not squash the
        // real readings into a line: it runs off the plot's edge instead.
        const LogReadingRange readings = LogChannelReadingRange(k);
        axis->SetRangePolicy(chart::RangePolicy::CountingWithin(readings.lo, readings.hi));
        plot->AddAxis(std::move(axis));
    }
    // Days since the first record; zoomed in, the calendar date and time.
    auto time = std::make_unique<NumberAxis>(AXIS_BOTTOM);
    const wxString dateForm = m_dateForm;
    time->SetViewTicks(std::make_shared<chart::CalendarTicks>(
        m_series.FirstTimeMs(), [dateForm](const wxDateTime& t) { return FormatUserDateText(t, dateForm); }));
    plot->AddAxis(std::move(time));
    plot->SetMinViewSpan(kSmallestView);
    for (size_t j = 0; j < datasets; ++j) {
        plot->LinkDataVerticalAxis(j, j);
        plot->LinkDataHorizontalAxis(j, 0);
    }
    return std::make_unique<Chart>(std::move(plot), GetName());
}

int64_t LogChart::LastTimeMs() const
{
    const uint32_t filled = m_series.FilledCount();
    return filled ? m_series.FirstTimeMs() +
                        static_cast<int64_t>(std::llround(m_series.Days()[filled - 1] * 86400000.0))
                  : m_series.FirstTimeMs();
}

// The days of each plotted channel's target as bands over the days since
// the first record, against that channel's axis; none without targets or
// for a channel never adjusted.
std::shared_ptr<chart::BandLayer> LogChart::TargetBands(const ChannelColours& colours) const
{
    if (!m_targets || m_series.FilledCount() == 0)
        return nullptr;
    auto layer = std::make_shared<chart::BandLayer>();
    const int64_t first = m_series.FirstTimeMs();
    size_t axis = 0;
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!colours[k])
            continue;
        chart::BandSet set{axis++, *colours[k], {}};
        for (const TargetStep& step : m_targets->Steps(k, first, LastTimeMs())) {
            if (!step.target.adjusted)
                continue;
            chart::Band band;
            band.xFrom = static_cast<double>(step.fromMs - first) / 86400000.0;
            band.xTo = static_cast<double>(step.toMs - first) / 86400000.0;
            band.middle = step.target.target;
            band.lo = step.target.target - step.target.tolerance;
            band.hi = step.target.target + step.target.tolerance;
            set.bands.push_back(band);
        }
        if (!set.bands.empty())
            layer->AddSet(std::move(set));
    }
    return layer->GetSets().empty() ? nullptr : layer;
}

wxString LogChart::ReadoutValue(int channel, double value)
{
    if (std::isnan(value))
        return "no reading";
    if (channel < 2)
        return wxString::Format("%.0f", value);
    return wxString::Format("%.2f", value);
}

bool LogChart::Describe(double x, const ChannelColours& colours, wxChartPanel::Readout& readout) const
{
    if (!m_times || !m_records)
        return false;
    const size_t i = m_times->NearestIndex(x);
    if (i == XColumn::npos)
        return false;
    const LogRecord& record = m_records[m_series.Begin() + i];
    readout.x = m_times->GetValues()[i];
    readout.lines.clear();
    const wxDateTime t = DecodePackedDateTime(record[kLogDate], record[kLogTime]);
    readout.lines.push_back({FormatUserDateText(t, m_dateForm) + " " + t.Format("%X"), wxColour()});
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!colours[k])
            continue;
        const double value = LogChannelValue(record, k);
        wxString text = wxString(LogChannelName(k)) + ": " + ReadoutValue(k, value);
        if (m_targets && m_targets->HasProfile() && k < 4) {
            const ChannelTarget target = m_targets->TargetOn(k, record[kLogDate]);
            text << ", " << (target.adjusted && !target.Contains(value) ? "outside " : "")
                 << TargetText(k, target);
        }
        readout.lines.push_back({text, *colours[k]});
    }
    return true;
}
