// The x range a plot shows, kept once: the plot's horizontal axes show it,
// its vertical axes span the points within it, and several plots stacked
// over one time axis can share it (std::shared_ptr) so that they zoom and
// pan together.
#pragma once

#include "chart/ViewRange.h"

namespace chart {

class XScale {
public:
    // Zoomed: a part of the data is shown. Otherwise all of it.
    bool IsZoomed() const { return m_zoomed; }
    // The range shown while zoomed.
    Range GetView() const { return m_view; }
    // Shows view (finite and increasing; anything else is ignored).
    void SetView(const Range& view);
    // Shows all the data again.
    void Clear() { m_zoomed = false; }

private:
    bool m_zoomed = false;
    Range m_view;
};

} // namespace chart
