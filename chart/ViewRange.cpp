#include "chart/ViewRange.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace chart {

namespace {
bool Usable(Range r)
{
    return std::isfinite(r.lo) && std::isfinite(r.hi) && r.lo < r.hi && std::isfinite(r.Span());
}

// full as a range a view can lie in: its ends in order, a single value
// widened around itself (as an axis widens it), 0..1 when an end is not
// finite.
Range UsableFull(Range full)
{
    if (!std::isfinite(full.lo) || !std::isfinite(full.hi))
        return {0, 1};
    if (full.hi < full.lo)
        std::swap(full.lo, full.hi);
    if (full.lo == full.hi) {
        const double value = full.lo;
        double pad = std::fabs(value) * 0.1;
        if (!(pad > 1e-300))
            pad = 1;
        full = {value - pad, value + pad};
        if (!std::isfinite(full.lo))
            full.lo = value;
        if (!std::isfinite(full.hi))
            full.hi = value;
    }
    return full;
}

double SmallestSpan(double minSpan, double fullSpan)
{
    return std::isfinite(minSpan) && minSpan > 0 ? std::min(minSpan, fullSpan) : 0;
}
} // namespace

Range FitView(Range wanted, Range full, double minSpan)
{
    full = UsableFull(full);
    if (!Usable(full) || !Usable(wanted))
        return full;
    const double fullSpan = full.Span();
    const double span = std::clamp(wanted.Span(), SmallestSpan(minSpan, fullSpan), fullSpan);
    // Within rounding of the whole is the whole: zooming in and out by the
    // same steps (0.8 and then 1.25) lands an ulp or so short of it, which
    // would leave the first record out of the view.
    if (span >= fullSpan * (1 - 1e-12) || !(span > 0))
        return full;
    // A range that fits is kept exactly, or the view would creep a little
    // on every zoom and pan. One of another span keeps its centre.
    Range fitted = wanted;
    if (span != wanted.Span()) {
        const double lo = wanted.lo + (wanted.Span() - span) / 2;
        fitted = {lo, lo + span};
    }
    // At or past an end of the data: exactly at that end, so that the first
    // or last record stays in view.
    if (wanted.lo <= full.lo || fitted.lo <= full.lo)
        fitted = {full.lo, full.lo + span};
    else if (wanted.hi >= full.hi || fitted.hi >= full.hi)
        fitted = {full.hi - span, full.hi};
    if (!(fitted.lo < fitted.hi))
        return full;
    return fitted;
}

Range ZoomView(Range view, Range full, double factor, double anchor, double minSpan)
{
    full = UsableFull(full);
    if (!Usable(view) || !(factor > 0) || !std::isfinite(factor))
        return FitView(view, full, minSpan);
    if (!std::isfinite(anchor))
        anchor = view.lo + view.Span() / 2;
    anchor = std::clamp(anchor, view.lo, view.hi);
    const double fullSpan = Usable(full) ? full.Span() : view.Span();
    const double span = std::clamp(view.Span() * factor, SmallestSpan(minSpan, fullSpan), fullSpan);
    // The anchor keeps its share of the view on either side; at an end of
    // the view (share 0 or 1) it stays that end exactly.
    const double share = (anchor - view.lo) / view.Span();
    const Range zoomed{anchor - share * span, anchor + (1 - share) * span};
    // Narrower than doubles of this size can tell apart: the view stays.
    if (!(zoomed.lo < zoomed.hi))
        return FitView(view, full, minSpan);
    return FitView(zoomed, full, minSpan);
}

Range PanView(Range view, Range full, double delta, double minSpan)
{
    full = UsableFull(full);
    if (!Usable(view) || !std::isfinite(delta))
        return FitView(view, full, minSpan);
    Range moved{view.lo + delta, view.hi + delta};
    if (Usable(full)) {
        const double span = std::min(view.Span(), full.Span());
        if (moved.lo < full.lo)
            moved = {full.lo, full.lo + span};
        if (moved.hi > full.hi)
            moved = {full.hi - span, full.hi};
    }
    return FitView(moved, full, minSpan);
}

bool CoversWhole(Range view, Range full)
{
    return view.lo <= full.lo && view.hi >= full.hi;
}

} // namespace chart
