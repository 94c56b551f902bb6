// A value axis of an XYPlot: where it sits, the colours of its labels and
// line, and the automatic range it takes from the datasets linked to it.
#pragma once

#include "chart/AxisTicks.h"

#include <wx/colour.h>
#include <wx/pen.h>
#include <wx/string.h>

#include <cstddef>
#include <memory>
#include <vector>

class XYSimpleDataset;

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

    // The range shown: the view range while one is set (zoomed), otherwise
    // the automatic range.
    //
    // The automatic range: the smallest and largest finite value (y for a
    // vertical axis, x for a horizontal one) of the datasets shown on this
    // axis, leaving out values outside the plausible range when one is set
    // (unless no value is inside it). A single value is widened around
    // itself; no data gives 0..1. Always finite, and GetMinValue() <
    // GetMaxValue().
    double GetMinValue() const;
    double GetMaxValue() const;
    // The automatic range, whatever the view.
    void GetAutoRange(double& minValue, double& maxValue) const;

    // A range shown instead of the automatic one (lo < hi, both finite;
    // anything else is ignored), until cleared.
    void SetViewRange(double lo, double hi);
    void ClearViewRange();
    bool HasViewRange() const { return m_hasView; }

    // For a vertical axis: only points whose x lies in [lo, hi] (the time in
    // view) make its automatic range, so that it spans exactly what is
    // visible; when none does, all points do. Cleared: all points.
    void SetDataWindow(double lo, double hi);
    void ClearDataWindow();

    // Values outside [lo, hi] are plainly not readings of what this axis
    // shows (an unset word, say): they do not stretch the automatic range.
    // They are still drawn, running off the plot area's edge.
    void SetPlausibleRange(double lo, double hi);
    bool HasPlausibleRange() const { return m_plausibleLo <= m_plausibleHi; }

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

    // The datasets this axis takes its range from; kept by the plot.
    void SetDatasets(std::vector<const XYSimpleDataset*> datasets);

private:
    void GetRange(double& minValue, double& maxValue) const;
    void ComputeRange(double& minValue, double& maxValue) const;

    AXIS_LOCATION m_location;
    wxColour m_labelTextColour;
    wxPen m_labelPen;
    std::vector<const XYSimpleDataset*> m_datasets;
    double m_plausibleLo = 1, m_plausibleHi = 0; // none while lo > hi
    bool m_hasView = false;
    double m_viewLo = 0, m_viewHi = 1;
    bool m_hasWindow = false;
    double m_windowLo = 0, m_windowHi = 0;
    std::shared_ptr<const chart::AxisTicks> m_ticks;
    std::shared_ptr<const chart::AxisTicks> m_viewTicks;
    // The range is asked for many times a draw; the datasets never change
    // once shown, so it is worked out once per change of datasets, rule or
    // data window.
    mutable bool m_rangeKnown = false;
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
