// The usual interval of times in the order they were written: the middle of
// the positive steps between consecutive ones. Pure, header only: both the
// chart's gap rule (days) and the clock check (milliseconds) use it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// The middle (the later of two) of the positive steps stepAt(i), i in
// 1 .. count - 1; T() when there is none. Nearly every log is written at one
// interval: a step that is more than half of the steps (same(a, b) says
// whether two steps are one) is their middle. It is found in a pass, the
// first step tried, then the winner of a vote checked; only times without
// such a step have their steps copied and their middle selected.
template <typename T, typename StepAt, typename Same>
T MiddleStep(size_t count, const StepAt& stepAt, const Same& same)
{
    T first{};
    size_t positive = 0, likeFirst = 0;
    for (size_t i = 1; i < count; ++i) {
        const T step = stepAt(i);
        if (!(step > T()))
            continue;
        if (positive++ == 0)
            first = step;
        likeFirst += same(step, first) ? 1 : 0;
    }
    if (positive == 0)
        return T();
    if (likeFirst > positive / 2)
        return first;
    T candidate{};
    size_t votes = 0;
    for (size_t i = 1; i < count; ++i) {
        const T step = stepAt(i);
        if (!(step > T()))
            continue;
        if (votes == 0) {
            candidate = step;
            votes = 1;
        } else {
            votes = same(step, candidate) ? votes + 1 : votes - 1;
        }
    }
    size_t likeCandidate = 0;
    for (size_t i = 1; i < count; ++i) {
        const T step = stepAt(i);
        likeCandidate += step > T() && same(step, candidate) ? 1 : 0;
    }
    if (likeCandidate > positive / 2)
        return candidate;
    std::vector<T> steps;
    steps.reserve(positive);
    for (size_t i = 1; i < count; ++i) {
        const T step = stepAt(i);
        if (step > T())
            steps.push_back(step);
    }
    auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    return *middle;
}
