// The arithmetic of a zoomed view of an axis: zooming around a point,
// panning, and keeping the view within the data and no narrower than a
// smallest span.
#pragma once

namespace chart {

struct Range {
    double lo = 0;
    double hi = 1;
    double Span() const { return hi - lo; }
    bool operator==(const Range& other) const { return lo == other.lo && hi == other.hi; }
    bool operator!=(const Range& other) const { return !(*this == other); }
};

// wanted moved and narrowed to lie within full: no wider than full (a span
// within rounding, 1e-12, of full's is full), no narrower than minSpan (nor
// than full, if full is narrower), its centre kept
// where it can be, and exactly at an end of full where it reaches that end.
// A wanted range that already fits is returned as it is. A wanted range that
// is not finite or not increasing gives full. A full range that is reversed
// is taken in order, one of a single value is widened around it (by a tenth
// of it, or by 1 around zero) and one that is not finite is 0..1, so that the
// result is always finite and increasing.
Range FitView(Range wanted, Range full, double minSpan);

// view scaled by factor (below 1 zooms in) so that anchor stays at the same
// place, then fitted to full. A view too narrow to scale at the size of its
// values (doubles a few ulps apart) stays as it is.
Range ZoomView(Range view, Range full, double factor, double anchor, double minSpan);

// view moved by delta (positive: towards higher values), then fitted to full
// without changing its span.
Range PanView(Range view, Range full, double delta, double minSpan);

// Whether view shows all of full.
bool CoversWhole(Range view, Range full);

} // namespace chart
