#include "chart/AxisTicks.h"

#include "chart/NumberAxis.h"

#include <algorithm>

namespace chart {

std::vector<Tick> NumberTicks::Make(double lo, double hi, int targetTicks) const
{
    // The number axis's own ticks: its step for the target, its values and labels.
    TickCount want;
    want.target = std::clamp(targetTicks, want.minCount, want.maxCount);
    const double step = PickTickStep(lo, hi, want);
    std::vector<Tick> ticks;
    for (double value : TicksInRange(lo, hi, step, static_cast<size_t>(want.maxCount)))
        ticks.push_back({value, NumberAxis::FormatTickLabel(value, step)});
    return ticks;
}

} // namespace chart
