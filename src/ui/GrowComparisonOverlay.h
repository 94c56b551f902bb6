// A second grow drawn over a grow's chart: its channels as dashed lines in
// the same colours and its target bands, placed in this grow's time (crop
// day on crop day, or a year apart by calendar), so that zooming and panning
// move both. The readout adds its values and crop day at the pointer.
#pragma once

#include "ui/ChartDemo.h"

#include "chart/wxChartPanel.h"
#include "core/GrowComparison.h"

#include <memory>
#include <vector>

class Chart;
class XColumn;
class XYSimpleDataset;
namespace chart {
class BandLayer;
}

class GrowComparisonOverlay {
public:
    // other in the time of a grow started on mineStart whose chart counts
    // days from mineFirstMs.
    GrowComparisonOverlay(std::shared_ptr<const ComparedGrow> other, const GrowDate& mineStart,
                          int64_t mineFirstMs, GrowAlignment alignment);
    ~GrowComparisonOverlay();
    GrowComparisonOverlay(const GrowComparisonOverlay&) = delete;
    GrowComparisonOverlay& operator=(const GrowComparisonOverlay&) = delete;

    const ComparedGrow& Other() const { return *m_other; }
    const std::shared_ptr<const ComparedGrow>& SharedOther() const { return m_other; }
    GrowAlignment Alignment() const { return m_alignment; }
    // The chart's x of the other grow's first record.
    double OffsetDays() const { return m_offset; }

    // Adds the other grow's bands and dashed lines of the channels with a
    // colour to the chart the view made of them (one plot, or a pane per
    // quantity when stacked), each against its channel's axis.
    void Decorate(Chart& chart, const ChannelColours& colours, bool stacked);
    // Its record nearest to x (none beyond a gap's length away): its name,
    // crop day and time, then each coloured channel's value.
    void Describe(double x, const ChannelColours& colours,
                  std::vector<wxChartPanel::ReadoutLine>& lines) const;

private:
    std::shared_ptr<XYSimpleDataset> Lines(int channel);
    std::shared_ptr<chart::BandLayer> Bands(const ChannelColours& colours,
                                            const std::vector<int>& channels) const;
    void DecoratePane(class XYPlot& plot, const ChannelColours& colours, const std::vector<int>& channels);

    std::shared_ptr<const ComparedGrow> m_other;
    GrowAlignment m_alignment;
    int64_t m_shiftMs = 0; // added to the other grow's instants
    int64_t m_mineFirstMs = 0;
    double m_offset = 0;
    double m_maxStep = 0;
    std::shared_ptr<const XColumn> m_times; // the other grow's points at this chart's x
    std::shared_ptr<XYSimpleDataset> m_lines[kLogChannelCount];
};
