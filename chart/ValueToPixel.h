// The plot's linear map from values to pixels and back, shared by its axes,
// its series' reduction and the panel's pointer.
#pragma once

#include <algorithm>
#include <cmath>

namespace chart {

// A linear map from values in [lo, hi] to pixels origin .. origin +
// direction * (pixels - 1), and back. Halves are taken first so that the
// span of two huge values never overflows.
struct ValueToPixel {
    double halfLo = 0;
    double scale = 0;
    double origin = 0;
    double direction = 1;

    ValueToPixel(double lo, double hi, int originPixel, int pixels, int dir)
        : halfLo(lo * 0.5), origin(originPixel), direction(dir)
    {
        const double halfSpan = hi * 0.5 - lo * 0.5;
        scale = halfSpan > 0 && pixels > 1 ? (pixels - 1) / halfSpan : 0;
    }
    // Offset along the axis in pixels (not rounded, not clamped).
    double Offset(double value) const { return (value * 0.5 - halfLo) * scale; }
    // A pixel coordinate, clamped far outside any window so that the
    // conversion to int is always defined.
    int Pixel(double value) const
    {
        double offset = std::floor(Offset(value) + 0.5);
        offset = std::clamp(offset, -1e6, 1e6);
        return static_cast<int>(origin + direction * offset);
    }
    // The value at a pixel coordinate (not rounded); lo when the range or
    // the pixels are empty.
    double Value(double pixel) const
    {
        if (!(scale > 0))
            return halfLo * 2;
        return ((pixel - origin) * direction / scale + halfLo) * 2;
    }
};

} // namespace chart
