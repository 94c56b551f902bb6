#include "ui/LogChart.h"

#include "chart/AxisTicks.h"
#include "chart/BandLayer.h"
#include "chart/Chart.h"
#include "chart/NumberAxis.h"
#include "chart/XYLineRenderer.h"
#include "chart/XYPlot.h"
#include "chart/XYSimpleDataset.h"
#include "core/DateText.h"
#include "core/GrowTimeline.h"
#include "core/JoiningThreads.h"
#include "core/LogTargets.h"
#include "core/WordHelpers.h"
#include "ui/ProbeStrips.h"
#include "util/CivilTime.h"

#include <wx/pen.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <new>
#include <thread>
#include <vector>

LogChart::~LogChart() = default;

LogChart::LogChart() : ChartDemo("Log File")
{
}

int32_t LogChart::FillSeries(std::shared_ptr<const LogRecord[]> records, uint32_t count)
{
    m_records = std::move(records);
    for (auto& channel : m_channels)
        channel.reset();
    m_times.reset();
    for (auto& lines : m_lines)
        lines.reset();
    m_lackedMemory = false;
    m_findings.reset();
    m_dateForm = UserShortDateFormat();
    const LogFill fill = m_series.Fill(m_records.get(), m_records ? count : 0);
    m_maxStep = 0;
    if (fill.filled > 0) {
        m_times = std::make_shared<const XColumn>(m_series.SharedDays(), fill.filled);
        // A time without records (the controller off, a log missing from a
        // season) is a gap in every line: the summary's rule for a gap.
        m_maxStep = UsualStepDays(m_series.Days(), fill.filled) * kGapSteps;
    }
    return fill.Whole() ? 0 : -1;
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

// The series of the channels being made: each one's y values, written while
// it is summarised.
struct LogChart::SeriesInMaking {
    int channels[kLogChannelCount];
    double* values[kLogChannelCount];
    std::shared_ptr<XYSerie> series[kLogChannelCount];
    int count = 0;
};

namespace {

// Up to this many threads write and summarise the series side by side.
constexpr unsigned kMaxThreads = 8;
// The blocks one thread takes at a time: 1024 records, whose words stay in
// the cache while each channel reads them.
constexpr size_t kChunkBlocks = 16;

} // namespace

// Each channel's values and series are allocated here (where a lack of
// memory leaves that channel unplotted and said so); the values are then
// read from the records and summarised chunk by chunk, one thread per core,
// so that a year of records is read once and the fresh memory's first touch
// is shared by the cores.
void LogChart::MakeChannelSeries(const bool (&wanted)[kLogChannelCount])
{
    if (!m_times)
        return;
    SeriesInMaking making;
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!wanted[k] || m_channels[k])
            continue;
        LargeArray<double> values = AllocateLargeArray<double>(m_times->GetCount());
        try {
            double* to = values.get();
            if (!to)
                throw std::bad_alloc();
            std::shared_ptr<const double[]> shared(std::move(values));
            making.series[making.count] =
                std::make_shared<XYSerie>(m_times, std::move(shared), XYSerie::Unsummarised{});
            making.values[making.count] = to;
            making.channels[making.count++] = k;
        } catch (const std::bad_alloc&) {
            m_lackedMemory = true;
        }
    }
    if (making.count == 0)
        return;
    WriteAndSummarise(making);
}

void LogChart::WriteAndSummarise(SeriesInMaking& making)
{
    const size_t blocks = m_times->GetBlocks().size();
    const size_t chunks = (blocks + kChunkBlocks - 1) / kChunkBlocks;
    // Point i is record Begin() + i of the log.
    const LogRecord* records = m_records.get() + m_series.Begin();
    XYBounds bounds[kMaxThreads][kLogChannelCount];
    std::atomic<size_t> next{0};
    auto work = [&](unsigned worker) {
        for (size_t c = next++; c < chunks; c = next++) {
            const size_t firstBlock = c * kChunkBlocks,
                         endBlock = std::min(blocks, firstBlock + kChunkBlocks);
            const uint32_t begin = static_cast<uint32_t>(XColumn::BlockBegin(firstBlock));
            const uint32_t end = static_cast<uint32_t>(m_times->BlockEnd(endBlock - 1));
            for (int j = 0; j < making.count; ++j) {
                LogSeries::ReadChannel(records, making.channels[j], begin, end, making.values[j]);
                bounds[worker][j].Include(making.series[j]->SummariseBlocks(firstBlock, endBlock));
            }
        }
    };
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
    const unsigned wantedThreads = static_cast<unsigned>(std::min<size_t>(cores, chunks));
    {
        JoiningThreads helpers(m_startThread);
        for (unsigned t = 1; t < wantedThreads; ++t)
            if (!helpers.Start([&work, t] { work(t); }))
                break; // no thread to be had: those started and this one do it all
        work(0);
    } // every helper joined here, whatever happened above
    for (int j = 0; j < making.count; ++j) {
        XYBounds all;
        for (const auto& workerBounds : bounds)
            all.Include(workerBounds[j]);
        making.series[j]->Seal(all);
        m_channels[making.channels[j]] = std::move(making.series[j]);
    }
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
    lines->SetMaxXStep(m_maxStep);
    m_lines[channel] = lines;
    return lines;
}

std::unique_ptr<Chart> LogChart::CreateChart(const ChannelColours& colours)
{
    bool wanted[kLogChannelCount] = {};
    for (int k = 0; k < kLogChannelCount; ++k)
        wanted[k] = colours[k] != nullptr;
    MakeChannelSeries(wanted);
    if (!m_stacked)
        return std::make_unique<Chart>(MakePlot(colours), GetName());
    // A pane per quantity plotted, EC above PH above temperature.
    std::unique_ptr<Chart> chart;
    for (LogQuantity quantity : {LogQuantity::Ec, LogQuantity::Ph, LogQuantity::Temperature}) {
        ChannelColours some{};
        bool any = false;
        for (int k = 0; k < kLogChannelCount; ++k)
            if (colours[k] && LogChannelQuantity(k) == quantity) {
                some[k] = colours[k];
                any = true;
            }
        if (!any)
            continue;
        if (!chart)
            chart = std::make_unique<Chart>(MakePlot(some), GetName());
        else
            chart->AddPane(MakePlot(some));
    }
    return chart ? std::move(chart) : std::make_unique<Chart>(MakePlot(colours), GetName());
}

std::unique_ptr<XYPlot> LogChart::MakePlot(const ChannelColours& colours)
{
    auto plot = std::make_unique<XYPlot>();
    // The target bands beneath every channel's line.
    if (std::shared_ptr<chart::BandLayer> bands = TargetBands(colours))
        plot->AddLayer(std::move(bands));
    // Probe trouble hatched along the bottom, beneath the lines.
    if (m_findings &&
        std::any_of(colours.begin(), colours.end(), [](const wxColour* c) { return c != nullptr; }))
        if (auto strips = ProbeStripLayer(ProbeFindings(), m_series.FirstTimeMs(), colours))
            plot->AddLayer(std::move(strips));
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
    if (m_dayLabels) {
        // Days of the caller's count at every zoom.
        auto days = std::make_shared<chart::CalendarTicks>(m_series.FirstTimeMs(), m_dayLabels);
        time->SetTicks(days);
        time->SetViewTicks(days);
    } else {
        time->SetViewTicks(
            std::make_shared<chart::CalendarTicks>(m_series.FirstTimeMs(), [dateForm](const wxDateTime& t) {
                return FormatUserDateText(t, dateForm);
            }));
    }
    plot->AddAxis(std::move(time));
    plot->SetMinViewSpan(kSmallestView);
    for (size_t j = 0; j < datasets; ++j) {
        plot->LinkDataVerticalAxis(j, j);
        plot->LinkDataHorizontalAxis(j, 0);
    }
    return plot;
}

void LogChart::SetTargets(std::shared_ptr<const LogTargets> targets)
{
    // Each chart is made with a fresh copy of the targets; the findings are
    // worked out again only when they differ.
    const bool same = targets == m_targets || (targets && m_targets && *targets == *m_targets);
    m_targets = std::move(targets);
    if (!same)
        m_findings.reset();
}

void LogChart::SetProbeThresholds(const ProbeThresholds& thresholds)
{
    m_thresholds = thresholds;
    m_findings.reset();
}

void LogChart::SetLogClocks(std::shared_ptr<const std::vector<LogClockSteps>> clocks)
{
    if (clocks == m_clocks)
        return;
    m_clocks = std::move(clocks);
    m_findings.reset();
}

const std::vector<ProbeFinding>& LogChart::ProbeFindings() const
{
    if (!m_findings)
        m_findings = std::make_shared<const std::vector<ProbeFinding>>(
            FindProbeTrouble(m_records.get(), m_records ? m_series.Count() : 0, m_targets.get(), m_thresholds,
                             m_clocks.get()));
    return *m_findings;
}

int64_t LogChart::LastTimeMs() const
{
    const uint32_t filled = m_series.FilledCount();
    return filled ? m_series.TimeMs(filled - 1) : m_series.FirstTimeMs();
}

// The days of each plotted channel's target as bands over the days since
// the first record, against that channel's axis; none without targets or
// for a channel never adjusted.
chart::Band TargetStepBand(const TargetStep& step, int64_t originMs, int64_t shiftMs)
{
    chart::Band band;
    band.xFrom = civil::DaysSince(step.fromMs + shiftMs, originMs);
    band.xTo = civil::DaysSince(step.toMs + shiftMs, originMs);
    band.middle = step.target.target;
    band.lo = step.target.target - step.target.tolerance;
    band.hi = step.target.target + step.target.tolerance;
    return band;
}

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
            set.bands.push_back(TargetStepBand(step, first));
        }
        if (!set.bands.empty())
            layer->AddSet(std::move(set));
    }
    return layer->GetSets().empty() ? nullptr : layer;
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
        wxString text = wxString(LogChannelName(k)) + ": " + LogChannelValueText(k, value);
        if (m_targets && m_targets->HasProfile() && LogChannelHasTarget(k)) {
            const ChannelTarget target = m_targets->TargetOn(k, record[kLogDate]);
            text << ", " << (target.adjusted && !target.Contains(value) ? "outside " : "")
                 << TargetText(k, target);
        }
        readout.lines.push_back({text, *colours[k]});
    }
    AddProbeReadout(ProbeFindings(), m_series.TimeMs(static_cast<uint32_t>(i)), colours, readout.lines);
    return true;
}
