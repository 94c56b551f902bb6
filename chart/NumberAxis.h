// A value axis of an XYPlot: where it sits, the colours of its labels and
// line, and the automatic range it takes from the datasets linked to it.
#pragma once

#include "chart/AxisTicks.h"
#include "chart/PlotLayer.h"
#include "chart/RangePolicy.h"
#include "chart/XScale.h"

#include <wx/colour.h>
#include <wx/pen.h>
#include <wx/string.h>

#include <cstddef>
#include <memory>
#include <vector>

enum AXIS_LOCATION { AXIS_LEFT = 1, AXIS_RIGHT, AXIS_TOP, AXIS_BOTTOM };

class NumberAxis {
public:
    explicit NumberAxis(AXIS_LOCATION location);

    AXIS_LOCATION GetLocation() const { return m_location; }
    bool IsVertical() const { return m_location == AXIS_LEFT || m_location == AXIS_RIGHT; }

    void SetLabelTextColour(const wxColour& colour) { m_labelTextColour = colour; }
    wxColour GetLabelTextColour() const { return m_labelTextColour; }
    void SetLabelPen(const wxPen& pen) { m_labelPen = pen; }
    const wxPen& GetLabelPen() const { return m_labelPen; }

    // The range shown: the x scale's view while it is zoomed (a horizontal
    // axis), otherwise the automatic range.
    //
    // The automatic range: the smallest and largest finite value (y for a
    // vertical axis, x for a horizontal one) of the layers shown on this
    // axis, counted as the range policy says; a vertical axis counts only
    // the points within the x scale's view while it is zoomed (when none
    // is, all of them), and takes in what its layers want shown whole
    // there. A single value is widened around itself; no data gives 0..1.
    // Always finite, and GetMinValue() < GetMaxValue().
    double GetMinValue() const;
    double GetMaxValue() const;
    // The automatic range, whatever the view.
    void GetAutoRange(double& minValue, double& maxValue) const;
    bool HasViewRange() const;

    // Which values make the automatic range (all by default).
    void SetRangePolicy(const chart::RangePolicy& policy);

    // The ticks of the range shown, about targetTicks of them: from the view
    // tick strategy while a view range is set and there is one, otherwise
    // from the tick strategy (numbers unless set).
    std::vector<chart::Tick> GetTicks(int targetTicks) const;
    void SetTicks(std::shared_ptr<const chart::AxisTicks> ticks);
    void SetViewTicks(std::shared_ptr<const chart::AxisTicks> ticks);
    // Lines of text in the tallest label the axis may show.
    int GetLabelLines() const;

    // Tick values inside the range on the step of chart::PickTickStep for
    // targetTicks labels: 3 to 8 of them, as near the target as a 1, 2 or 5
    // x 10^n step allows.
    std::vector<double> GetTickValues(int targetTicks) const;
    // The step GetTickValues(targetTicks) uses.
    double GetTickStep(int targetTicks) const;
    // A tick label in the default number format: as many decimals as the
    // step needs, no more.
    static wxString FormatTickLabel(double value, double step);

    // Set by the plot: the x scale the axis follows, the layers whose points
    // it takes its range from, and (a vertical axis) its index among the
    // plot's vertical axes with every layer of the plot, for what a layer
    // wants shown whole on it.
    void SetXScale(std::shared_ptr<const chart::XScale> scale);
    void SetLayers(std::vector<const chart::PlotLayer*> shown, size_t index,
                   std::vector<const chart::PlotLayer*> all);

private:
    void GetRange(double& minValue, double& maxValue) const;
    void ComputeRange(double& minValue, double& maxValue) const;
    XYBounds BoundsWithin(double xLo, double xHi, double yLo, double yHi) const;
    // The x range whose points a vertical axis spans; whether it has one.
    bool DataWindow(chart::Range& window) const;

    AXIS_LOCATION m_location;
    wxColour m_labelTextColour;
    wxPen m_labelPen;
    std::vector<const chart::PlotLayer*> m_layers; // shown on this axis
    std::vector<const chart::PlotLayer*> m_allLayers;
    size_t m_index = 0;
    chart::RangePolicy m_policy = chart::RangePolicy::AllValues();
    std::shared_ptr<const chart::XScale> m_scale;
    std::shared_ptr<const chart::AxisTicks> m_ticks;
    std::shared_ptr<const chart::AxisTicks> m_viewTicks;
    // The range is asked for many times a draw; the layers never change
    // once shown, so it is worked out once per change of layers, policy or
    // data window.
    mutable bool m_rangeKnown = false;
    mutable bool m_rangeWindowed = false;
    mutable chart::Range m_rangeWindow;
    mutable double m_rangeMin = 0, m_rangeMax = 1;
};

// Nice-number helpers shared by the axis and its tests.
namespace chart {
// The smallest step of the form 1, 2 or 5 x 10^n that is >= rawStep (rawStep
// finite and > 0); 0 when no such finite step exists.
double NiceStep(double rawStep);
// Multiples of step within [minValue, maxValue]; empty when the range or
// step is unusable. Never more than maxCount values.
std::vector<double> TicksInRange(double minValue, double maxValue, double step, size_t maxCount);

// How many tick labels an axis wants.
struct TickCount {
    int minCount = 3;
    int target = 5;
    int maxCount = 8;
};
// The 1, 2 or 5 x 10^n step whose multiples within [minValue, maxValue]
// number between want.minCount and want.maxCount, the nearest to want.target
// (the finer step on a tie). Such a step exists for every range of more than
// a few units of its values' precision; otherwise the step with the most
// ticks up to maxCount. 0 when the range is unusable.
double PickTickStep(double minValue, double maxValue, const TickCount& want);
} // namespace chart
