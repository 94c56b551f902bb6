// A value axis of an XYPlot: where it sits, the colours of its labels and
// line, and the automatic range it takes from the datasets linked to it.
#pragma once

#include <wx/colour.h>
#include <wx/pen.h>
#include <wx/string.h>

#include <cstddef>
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

    // The automatic range: the smallest and largest finite value (y for a
    // vertical axis, x for a horizontal one) of the datasets shown on this
    // axis. A single value is widened around itself; no data gives 0..1.
    // Always finite, and GetMinValue() < GetMaxValue().
    double GetMinValue() const;
    double GetMaxValue() const;

    // Tick values inside the range, on a 1, 2 or 5 x 10^n step, aiming at
    // about maxTicks of them (at least 2, at most a few more than maxTicks).
    std::vector<double> GetTickValues(int maxTicks) const;
    // The step GetTickValues(maxTicks) uses.
    double GetTickStep(int maxTicks) const;
    // A tick label in the default number format: as many decimals as the
    // step needs, no more.
    static wxString FormatTickLabel(double value, double step);

    // The datasets this axis takes its range from; kept by the plot.
    void SetDatasets(std::vector<const XYSimpleDataset*> datasets) { m_datasets = std::move(datasets); }

private:
    void GetRange(double& minValue, double& maxValue) const;

    AXIS_LOCATION m_location;
    wxColour m_labelTextColour;
    wxPen m_labelPen;
    std::vector<const XYSimpleDataset*> m_datasets;
};

// Nice-number helpers shared by the axis and its tests.
namespace chart {
// The smallest step of the form 1, 2 or 5 x 10^n that is >= rawStep (rawStep
// finite and > 0); 0 when no such finite step exists.
double NiceStep(double rawStep);
// Multiples of step within [minValue, maxValue]; empty when the range or
// step is unusable. Never more than maxCount values.
std::vector<double> TicksInRange(double minValue, double maxValue, double step, size_t maxCount);
} // namespace chart
