#include "chart/XScale.h"

#include <cmath>

namespace chart {

void XScale::SetView(const Range& view)
{
    if (!std::isfinite(view.lo) || !std::isfinite(view.hi) || !(view.lo < view.hi))
        return;
    m_zoomed = true;
    m_view = view;
}

} // namespace chart
