// How a value axis takes its automatic range from the points shown on it.
#pragma once

#include <limits>

namespace chart {

// By default every finite value counts. A policy that counts only values
// within [lo, hi] keeps values the caller knows to be meaningless (a word
// that was never a measurement, say) from stretching the axis: they are
// still drawn, running off the plot area's edge. When no value lies within
// [lo, hi], every value counts again: an axis never hides all there is.
class RangePolicy {
public:
    static RangePolicy AllValues() { return RangePolicy(); }
    static RangePolicy CountingWithin(double lo, double hi) { return RangePolicy(lo, hi); }

    bool Limits() const { return m_lo <= m_hi; }
    double Lo() const { return Limits() ? m_lo : -std::numeric_limits<double>::infinity(); }
    double Hi() const { return Limits() ? m_hi : std::numeric_limits<double>::infinity(); }

private:
    RangePolicy() = default;
    RangePolicy(double lo, double hi) : m_lo(lo), m_hi(hi) {}
    double m_lo = 1, m_hi = 0; // no limits while lo > hi
};

} // namespace chart
