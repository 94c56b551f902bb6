#include "chart/NumberAxis.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace chart {

double NiceStep(double rawStep)
{
    if (!std::isfinite(rawStep) || rawStep <= 0)
        return 0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rawStep)));
    if (!std::isfinite(magnitude) || magnitude <= 0)
        return 0;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        const double step = factor * magnitude;
        // 1e-9 forgives the rounding of log10/pow at exact powers of ten.
        if (step >= rawStep * (1 - 1e-9))
            return std::isfinite(step) ? step : 0;
    }
    return 0;
}

std::vector<double> TicksInRange(double minValue, double maxValue, double step, size_t maxCount)
{
    std::vector<double> ticks;
    if (!std::isfinite(minValue) || !std::isfinite(maxValue) || minValue > maxValue || !std::isfinite(step) ||
        step <= 0 || maxCount == 0)
        return ticks;
    // 1e-9 of a step forgives rounding: 0.7 / 0.1 is 6.999999999999999.
    const double first = std::ceil(minValue / step - 1e-9);
    const double last = std::floor(maxValue / step + 1e-9);
    if (!std::isfinite(first) || !std::isfinite(last) || last < first)
        return ticks;
    // Counted with an integer: at large magnitudes first + 1 may equal first.
    const double count = last - first + 1;
    const size_t n = count > static_cast<double>(maxCount) ? maxCount : static_cast<size_t>(count);
    for (size_t i = 0; i < n; ++i) {
        double value = (first + static_cast<double>(i)) * step;
        if (std::fabs(value) < step * 1e-9)
            value = 0; // no "-0" or 1e-17 where zero is meant
        // A tick a rounding error outside the range is the range's end.
        const double slack = step * 1e-9;
        if (value < minValue - slack || value > maxValue + slack)
            continue;
        value = std::clamp(value, minValue, maxValue);
        if (!ticks.empty() && value <= ticks.back())
            continue;
        ticks.push_back(value);
    }
    return ticks;
}

double PickTickStep(double minValue, double maxValue, const TickCount& want)
{
    if (!std::isfinite(minValue) || !std::isfinite(maxValue) || !(minValue < maxValue))
        return 0;
    const int maxCount = std::max(want.maxCount, 1);
    const int minCount = std::clamp(want.minCount, 1, maxCount);
    const int target = std::clamp(want.target, minCount, maxCount);
    // From a step with about twice the most ticks wanted up through the
    // 1-2-5 series (each step at most 2.5 times the last) until too few are
    // left: the largest step with minCount ticks has at most 8 when
    // minCount is 3, so a range always finds one. Divided before
    // subtracting: the span itself may overflow.
    const double parts = 2.0 * maxCount;
    double step = NiceStep(maxValue / parts - minValue / parts);
    double best = 0, fallback = 0;
    int bestDistance = 0;
    size_t fallbackCount = 0;
    for (int guard = 0; step > 0 && guard < 64; ++guard) {
        // Counted whole (the first step gives at most 2 * maxCount + 1): a
        // cut-off count could miss ticks that rounding moved.
        const size_t count =
            TicksInRange(minValue, maxValue, step, 4 * static_cast<size_t>(maxCount) + 4).size();
        if (count >= static_cast<size_t>(minCount) && count <= static_cast<size_t>(maxCount)) {
            const int distance = std::abs(static_cast<int>(count) - target);
            if (best == 0 || distance < bestDistance) {
                best = step;
                bestDistance = distance;
            }
        }
        if (count <= static_cast<size_t>(maxCount) && count > fallbackCount) {
            fallback = step;
            fallbackCount = count;
        }
        if (count < static_cast<size_t>(minCount))
            break;
        step = NiceStep(step * 1.5); // 1 -> 2 -> 5 -> 10
    }
    if (best > 0)
        return best;
    return fallback > 0 ? fallback : NiceStep(maxValue / maxCount - minValue / maxCount);
}

} // namespace chart

NumberAxis::NumberAxis(AXIS_LOCATION location)
    : m_location(location), m_labelTextColour(*wxBLACK), m_labelPen(*wxBLACK, 1, wxPENSTYLE_SOLID)
{
}

void NumberAxis::SetXScale(std::shared_ptr<const chart::XScale> scale)
{
    m_scale = std::move(scale);
    m_rangeKnown = false;
}

void NumberAxis::SetLayers(std::vector<const chart::PlotLayer*> shown, size_t index,
                           std::vector<const chart::PlotLayer*> all)
{
    m_layers = std::move(shown);
    m_index = index;
    m_allLayers = std::move(all);
    m_rangeKnown = false;
}

void NumberAxis::SetRangePolicy(const chart::RangePolicy& policy)
{
    m_policy = policy;
    m_rangeKnown = false;
}

bool NumberAxis::HasViewRange() const
{
    return !IsVertical() && m_scale && m_scale->IsZoomed();
}

void NumberAxis::GetRange(double& minValue, double& maxValue) const
{
    if (HasViewRange()) {
        const chart::Range view = m_scale->GetView();
        minValue = view.lo;
        maxValue = view.hi;
        return;
    }
    GetAutoRange(minValue, maxValue);
}

bool NumberAxis::DataWindow(chart::Range& window) const
{
    if (!IsVertical() || !m_scale || !m_scale->IsZoomed())
        return false;
    window = m_scale->GetView();
    return true;
}

void NumberAxis::GetAutoRange(double& minValue, double& maxValue) const
{
    // A vertical axis's range follows the view: worked out again when the
    // view has moved since.
    chart::Range window;
    const bool windowed = DataWindow(window);
    if (m_rangeKnown && (windowed != m_rangeWindowed || (windowed && window != m_rangeWindow)))
        m_rangeKnown = false;
    if (!m_rangeKnown) {
        m_rangeWindowed = windowed;
        m_rangeWindow = window;
        ComputeRange(m_rangeMin, m_rangeMax);
        m_rangeKnown = true;
    }
    minValue = m_rangeMin;
    maxValue = m_rangeMax;
}

XYBounds NumberAxis::BoundsWithin(double xLo, double xHi, double vLo, double vHi) const
{
    const double inf = std::numeric_limits<double>::infinity();
    XYBounds bounds;
    for (const chart::PlotLayer* layer : m_layers)
        bounds.Include(IsVertical() ? layer->GetBoundsWithin(xLo, xHi, vLo, vHi)
                                    : layer->GetBoundsWithin(vLo, vHi, -inf, inf));
    return bounds;
}

void NumberAxis::ComputeRange(double& minValue, double& maxValue) const
{
    const double inf = std::numeric_limits<double>::infinity();
    // The points that count: within the data window (a vertical axis in a
    // zoomed plot), each way as the range policy says.
    chart::Range window;
    const bool windowed = DataWindow(window);
    const double xLo = windowed ? window.lo : -inf, xHi = windowed ? window.hi : inf;
    const bool limited = m_policy.Limits();
    const double pLo = m_policy.Lo(), pHi = m_policy.Hi();
    XYBounds bounds;
    if (limited)
        bounds = BoundsWithin(xLo, xHi, pLo, pHi);
    // Without limits, or when nothing counts, every finite value counts:
    // the axis never hides all there is. Nothing in the window: the window
    // is forgotten.
    if (bounds.empty && windowed)
        bounds = BoundsWithin(xLo, xHi, -inf, inf);
    if (bounds.empty && limited)
        bounds = BoundsWithin(-inf, inf, pLo, pHi);
    if (bounds.empty) {
        for (const chart::PlotLayer* layer : m_layers)
            bounds.Include(layer->GetBounds());
    }
    // What a layer wants shown whole in view is, however far the points
    // are from it.
    if (IsVertical() && !bounds.empty)
        for (const chart::PlotLayer* layer : m_allLayers)
            bounds.Include(layer->GetExtentWithin(m_index, xLo, xHi));
    if (bounds.empty) {
        minValue = 0;
        maxValue = 1;
        return;
    }
    minValue = IsVertical() ? bounds.minY : bounds.minX;
    maxValue = IsVertical() ? bounds.maxY : bounds.maxX;
    if (minValue < maxValue)
        return;
    // One value only: widen by a tenth of it (or by 1 around zero), staying finite.
    const double value = minValue;
    double pad = std::fabs(value) * 0.1;
    if (!(pad > 1e-300))
        pad = 1;
    minValue = value - pad;
    maxValue = value + pad;
    if (!std::isfinite(minValue))
        minValue = value;
    if (!std::isfinite(maxValue))
        maxValue = value;
}

double NumberAxis::GetMinValue() const
{
    double minValue, maxValue;
    GetRange(minValue, maxValue);
    return minValue;
}

double NumberAxis::GetMaxValue() const
{
    double minValue, maxValue;
    GetRange(minValue, maxValue);
    return maxValue;
}

namespace {
chart::TickCount TicksFor(int targetTicks)
{
    chart::TickCount want;
    want.target = std::clamp(targetTicks, want.minCount, want.maxCount);
    return want;
}
} // namespace

double NumberAxis::GetTickStep(int targetTicks) const
{
    double minValue, maxValue;
    GetRange(minValue, maxValue);
    return chart::PickTickStep(minValue, maxValue, TicksFor(targetTicks));
}

std::vector<double> NumberAxis::GetTickValues(int targetTicks) const
{
    double minValue, maxValue;
    GetRange(minValue, maxValue);
    const chart::TickCount want = TicksFor(targetTicks);
    return chart::TicksInRange(minValue, maxValue, GetTickStep(targetTicks),
                               static_cast<size_t>(want.maxCount));
}

void NumberAxis::SetTicks(std::shared_ptr<const chart::AxisTicks> ticks)
{
    m_ticks = std::move(ticks);
}

void NumberAxis::SetViewTicks(std::shared_ptr<const chart::AxisTicks> ticks)
{
    m_viewTicks = std::move(ticks);
}

std::vector<chart::Tick> NumberAxis::GetTicks(int targetTicks) const
{
    double minValue, maxValue;
    GetRange(minValue, maxValue);
    const chart::AxisTicks* strategy = HasViewRange() && m_viewTicks ? m_viewTicks.get() : m_ticks.get();
    if (strategy)
        return strategy->Make(minValue, maxValue, targetTicks);
    return chart::NumberTicks().Make(minValue, maxValue, targetTicks);
}

int NumberAxis::GetLabelLines() const
{
    const chart::AxisTicks* strategy = HasViewRange() && m_viewTicks ? m_viewTicks.get() : m_ticks.get();
    return strategy ? std::max(strategy->LabelLines(), 1) : 1;
}

wxString NumberAxis::FormatTickLabel(double value, double step)
{
    if (!std::isfinite(value))
        return wxString();
    if (!(step > 0) || !std::isfinite(step))
        return wxString::Format("%g", value);
    if (std::fabs(value) < step * 1e-9)
        value = 0;
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    if (std::fabs(value) < 1e15 && decimals <= 9)
        return wxString::Format("%.*f", decimals, value);
    // Very large or very fine: significant digits down to the step.
    const double top = std::floor(std::log10(std::max(std::fabs(value), step)));
    const double bottom = std::floor(std::log10(step));
    const int digits = static_cast<int>(std::clamp(top - bottom + 1, 1.0, 17.0));
    return wxString::Format("%.*g", digits, value);
}
