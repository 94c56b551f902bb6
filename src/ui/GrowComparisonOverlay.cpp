#include "ui/GrowComparisonOverlay.h"

#include "chart/BandLayer.h"
#include "chart/Chart.h"
#include "chart/XYLineRenderer.h"
#include "chart/XYPlot.h"
#include "chart/XYSimpleDataset.h"
#include "core/GrowTimeline.h"
#include "core/LogChannels.h"
#include "ui/LogChart.h"
#include "util/CivilTime.h"

#include <cmath>
#include <new>
#include <string>

GrowComparisonOverlay::GrowComparisonOverlay(std::shared_ptr<const ComparedGrow> other,
                                             const GrowDate& mineStart, int64_t mineFirstMs,
                                             GrowAlignment alignment)
    : m_other(std::move(other)), m_alignment(alignment), m_mineFirstMs(mineFirstMs)
{
    m_shiftMs = AlignmentShiftMs(mineStart, *m_other, alignment);
    const LogSeries& series = m_other->series;
    const uint32_t filled = series.FilledCount();
    m_offset = civil::DaysSince(series.FirstTimeMs() + m_shiftMs, mineFirstMs);
    if (filled == 0)
        return;
    // The other grow's times moved once to this chart's x; every channel's
    // line shares them.
    std::shared_ptr<double[]> shifted(new (std::nothrow) double[filled]);
    if (!shifted)
        return;
    const double* days = series.Days();
    for (uint32_t i = 0; i < filled; ++i)
        shifted[i] = days[i] + m_offset;
    m_times = std::make_shared<const XColumn>(std::shared_ptr<const double[]>(std::move(shifted)), filled);
    m_maxStep = UsualStepDays(days, filled) * kGapSteps;
}

GrowComparisonOverlay::~GrowComparisonOverlay() = default;

std::shared_ptr<XYSimpleDataset> GrowComparisonOverlay::Lines(int channel)
{
    if (m_lines[channel] || !m_times)
        return m_lines[channel];
    std::shared_ptr<const double[]> values =
        m_other->series.ChannelValues(m_other->log.records.get(), channel);
    if (!values)
        return nullptr;
    auto lines = std::make_shared<XYSimpleDataset>();
    lines->AddSerie(std::make_shared<const XYSerie>(m_times, std::move(values)));
    lines->SetMaxXStep(m_maxStep);
    m_lines[channel] = lines;
    return lines;
}

std::shared_ptr<chart::BandLayer> GrowComparisonOverlay::Bands(const ChannelColours& colours,
                                                               const std::vector<int>& channels) const
{
    const ComparedGrow& other = *m_other;
    const uint32_t filled = other.series.FilledCount();
    if (!other.targets.HasProfile() || filled == 0)
        return nullptr;
    auto layer = std::make_shared<chart::BandLayer>();
    for (size_t axis = 0; axis < channels.size(); ++axis) {
        const int k = channels[axis];
        chart::BandSet set{axis, *colours[k], {}};
        for (const TargetStep& step :
             other.targets.Steps(k, other.series.FirstTimeMs(), other.series.TimeMs(filled - 1))) {
            if (!step.target.adjusted)
                continue;
            set.bands.push_back(TargetStepBand(step, m_mineFirstMs, m_shiftMs));
        }
        if (!set.bands.empty())
            layer->AddSet(std::move(set));
    }
    return layer->GetSets().empty() ? nullptr : layer;
}

void GrowComparisonOverlay::DecoratePane(XYPlot& plot, const ChannelColours& colours,
                                         const std::vector<int>& channels)
{
    if (std::shared_ptr<chart::BandLayer> bands = Bands(colours, channels))
        plot.AddLayer(std::move(bands));
    for (size_t axis = 0; axis < channels.size(); ++axis) {
        const int k = channels[axis];
        std::shared_ptr<XYSimpleDataset> lines = Lines(k);
        if (!lines)
            continue;
        auto renderer = std::make_unique<XYLineRenderer>(false, true, 1, wxPENSTYLE_SHORT_DASH);
        renderer->SetSerieColour(0, colours[k]);
        plot.AddLayer(lines->Restyled(std::move(renderer)), axis);
    }
}

void GrowComparisonOverlay::Decorate(Chart& chart, const ChannelColours& colours, bool stacked)
{
    // The panes and their axes as the log's chart makes them: an axis per
    // coloured channel in channel order, in one plot or a pane per quantity.
    std::vector<std::vector<int>> panes;
    if (!stacked)
        panes.emplace_back();
    for (LogQuantity quantity : {LogQuantity::Ec, LogQuantity::Ph, LogQuantity::Temperature}) {
        std::vector<int> pane;
        for (int k = 0; k < kLogChannelCount; ++k)
            if (colours[k] && (!stacked || LogChannelQuantity(k) == quantity))
                pane.push_back(k);
        if (stacked && !pane.empty())
            panes.push_back(pane);
        else if (!stacked && panes[0].empty())
            panes[0] = pane;
    }
    for (size_t i = 0; i < panes.size() && i < chart.GetPaneCount(); ++i)
        DecoratePane(*chart.GetPane(i), colours, panes[i]);
}

void GrowComparisonOverlay::Describe(double x, const ChannelColours& colours,
                                     std::vector<wxChartPanel::ReadoutLine>& lines) const
{
    if (!m_times)
        return;
    const size_t i = m_times->NearestIndex(x);
    if (i == XColumn::npos)
        return;
    const double reach = m_maxStep > 0 ? m_maxStep : 1.0 / civil::kMinutesPerDay;
    if (std::fabs(m_times->GetValues()[i] - x) > reach)
        return;
    const ComparedGrow& other = *m_other;
    const int64_t ms = other.series.TimeMs(static_cast<uint32_t>(i));
    std::string when = FormatLocalTime(ms);
    if (when.size() > 10)
        when[10] = ' ';
    lines.push_back({"Compared: " + other.name + ", " + CropDayText(CropDay(other.start, ms)) + " (" +
                         wxString::FromUTF8(when) + ")",
                     wxColour()});
    const LogRecord& record = other.Charted()[i];
    for (int k = 0; k < kLogChannelCount; ++k)
        if (colours[k])
            lines.push_back({wxString(LogChannelName(k)) +
                                 " (compared): " + LogChannelValueText(k, LogChannelValue(record, k)),
                             *colours[k]});
}
