// Colours the chart draws with: its background, and text colours that stay
// readable on it whatever colour a series is given.
#pragma once

#include <wx/colour.h>

namespace chart {

// What a chart fills its area with before drawing.
wxColour BackgroundColour();

// The relative luminance of a colour (0 black .. 1 white), from its sRGB
// components made linear.
double RelativeLuminance(const wxColour& colour);
// The contrast ratio of two colours, from 1 (the same luminance) to 21 (black
// on white): (lighter + 0.05) / (darker + 0.05).
double ContrastRatio(const wxColour& a, const wxColour& b);

// Text that small needs this contrast against its background to be read
// without effort (the usual threshold for body text is 4.5:1).
constexpr double kTextContrast = 4.5;

// colour itself when it already stands out from background by minRatio;
// otherwise the lightest shade of it (its red, green and blue scaled down
// together, so the hue stays) that does. Alpha is kept.
wxColour ReadableOn(const wxColour& colour, const wxColour& background, double minRatio = kTextContrast);

} // namespace chart
