// The chart of a node log: EC, PH and temperature of both channels against
// the days since the first record, each channel on a left axis of its colour.
// The time column is decoded once and shared by every channel's series; a
// channel's series is made the first time it is plotted and kept, so that
// charts of other channels or colours are made without copying any data.
#pragma once

#include "ui/ChartDemo.h"

#include "chart/AxisTicks.h"
#include "chart/XYSimpleDataset.h"
#include "chart/wxChartPanel.h"
#include "core/JoiningThreads.h"
#include "core/LogSeries.h"
#include "core/ProbeHealth.h"
#include "util/CivilTime.h"

#include <memory>
#include <vector>

class LogTargets;
namespace chart {
class BandLayer;
}
class XColumn;
class XYPlot;
class XYSerie;

struct TargetStep;
namespace chart {
struct Band;
}

// The band of one step of a channel's targets (target - tolerance to target
// + tolerance, its middle the target), in days since originMs; shiftMs moves
// the step in time first (a grow compared with another).
chart::Band TargetStepBand(const TargetStep& step, int64_t originMs, int64_t shiftMs = 0);

class LogChart : public ChartDemo {
public:
    LogChart();
    ~LogChart() override;

    // Decodes the records' times, keeping a share of the records for the
    // series and readouts made later.
    int32_t FillSeries(std::shared_ptr<const LogRecord[]> records, uint32_t count) override;
    // Plots only the points FillSeries filled (all of them unless it
    // returned -1): points after a record outside the span are never read.
    std::unique_ptr<Chart> CreateChart(const ChannelColours& colours) override;
    // The targets the next charts and readouts show for the EC and PH
    // channels (bands, "target ... ± ..."); null for none.
    // How the bottom axis names a day (the user's short date by default; a
    // grow counts crop days); null returns to the default. For the next
    // chart.
    void SetDayLabels(chart::DateFormatter labels) { m_dayLabels = std::move(labels); }
    // Charts in panes, one per quantity plotted (EC, PH, temperature), one
    // above the other over one time axis; otherwise one plot (the default).
    void SetStacked(bool stacked) { m_stacked = stacked; }
    void SetTargets(std::shared_ptr<const LogTargets> targets);
    // The thresholds of the probe checks.
    void SetProbeThresholds(const ProbeThresholds& thresholds);
    // For a season's logs merged into the filled records: each log's clock
    // steps, which the clock check then reads instead of the merged order
    // (null: the records' own order, as for one log).
    void SetLogClocks(std::shared_ptr<const std::vector<LogClockSteps>> clocks);
    // What the probe checks find in the filled log (with the targets),
    // worked out on first use.
    const std::vector<ProbeFinding>& ProbeFindings() const;
    // Whether they are worked out: a chart shows their marks only then (the
    // checks of a long log take a moment, and the chart comes first).
    bool ProbeFindingsKnown() const { return m_findings != nullptr; }
    // The time of the last filled record in ms since the epoch.
    int64_t LastTimeMs() const;

    const LogSeries& GetSeries() const { return m_series; }
    // The time column every channel's series shares; null before a fill that
    // filled something.
    const std::shared_ptr<const XColumn>& GetTimes() const { return m_times; }
    // Channel k's series, made on first use; null when nothing is filled or
    // there is no memory for it.
    std::shared_ptr<const XYSerie> ChannelSerie(int channel);
    // Whether a channel's series could not be made for lack of memory.
    bool LackedMemory() const { return m_lackedMemory; }

    // The readout for time x: the record nearest to it (its time, to the
    // second, in the user's locale) and the value of each channel that has a
    // colour, named as in the chart view's "View" menu and drawn in its
    // colour; with targets, each EC and PH value's target and whether the
    // value is outside its band. False when nothing is filled.
    bool Describe(double x, const ChannelColours& colours, wxChartPanel::Readout& readout) const;
    // How helper threads are started (tests hand in one that fails).
    void SetThreadStarter(JoiningThreads::Starter start) { m_startThread = std::move(start); }
    // The smallest time range a view of the log may show, in days: a minute.
    static constexpr double kSmallestView = 1.0 / civil::kMinutesPerDay;

private:
    // The plot of the channels with a colour.
    std::unique_ptr<XYPlot> MakePlot(const ChannelColours& colours);
    std::shared_ptr<chart::BandLayer> TargetBands(const ChannelColours& colours) const;
    std::shared_ptr<XYSimpleDataset> ChannelLines(int channel);
    void MakeChannelSeries(const bool (&wanted)[kLogChannelCount]);
    struct SeriesInMaking;
    void WriteAndSummarise(SeriesInMaking& making);

    std::shared_ptr<const LogRecord[]> m_records;
    LogSeries m_series;
    std::shared_ptr<const XColumn> m_times;
    std::shared_ptr<const XYSerie> m_channels[kLogChannelCount];
    std::shared_ptr<XYSimpleDataset> m_lines[kLogChannelCount];
    bool m_lackedMemory = false;
    std::shared_ptr<const LogTargets> m_targets;
    ProbeThresholds m_thresholds;
    std::shared_ptr<const std::vector<LogClockSteps>> m_clocks;
    mutable std::shared_ptr<const std::vector<ProbeFinding>> m_findings;
    JoiningThreads::Starter m_startThread;
    wxString m_dateForm; // the user's short date form, as of the fill
    chart::DateFormatter m_dayLabels;
    double m_maxStep = 0; // lines break over a longer time without records (days)
    bool m_stacked = false;
};
